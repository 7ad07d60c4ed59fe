#pragma once
// "Databázový server…": where a label table on a PostgreSQL server is — host
// (or the folder of the server's Unix socket), port, database, user and
// table. The password is never kept: libpq reads ~/.pgpass, PGPASSFILE or the
// environment; one typed here is handed to this program's connections only
// (as its PGPASSWORD) and never written to a file.

#include <QDialog>
#include <functional>
#include <memory>

class QLineEdit;
class QSpinBox;

namespace dorvana {

class Messages;
class MessageBoxes;

class ServerTableDialog : public QDialog {
public:
    // What OK does with the table's URI (opening or creating the table); false
    // (the failure told through Messages) keeps the dialog open.
    using Action = std::function<bool(const QString& uri)>;

    // Starts with the parts of uri when it is a server table's URI. Without
    // messages, faults are shown in message boxes.
    explicit ServerTableDialog(const QString& uri, QWidget* parent = nullptr,
                               Messages* messages = nullptr);
    ~ServerTableDialog() override;

    void setAction(Action action) { action_ = std::move(action); }

    // The connection URI of the table (without the password).
    QString uri() const;
    // Hands a typed password to this program's connections (nothing when empty).
    void applyPassword() const;

    void accept() override;

private:
    std::unique_ptr<MessageBoxes> ownMessages_;
    Messages* messages_;
    Action action_;
    QLineEdit* host_;
    QSpinBox* port_;
    QLineEdit* database_;
    QLineEdit* user_;
    QLineEdit* table_;
    QLineEdit* password_;
};

}  // namespace dorvana
