#pragma once
// "Databázový server…": where a label table on a PostgreSQL server is — host
// (or the folder of the server's Unix socket), port, database, user and
// table. The password is never kept: libpq reads ~/.pgpass, PGPASSFILE or the
// environment; one typed here is handed to this program's connections only
// (as its PGPASSWORD) and never written to a file.

#include <QDialog>

class QLineEdit;
class QSpinBox;

namespace dorvana {

class ServerTableDialog : public QDialog {
public:
    // Starts with the parts of uri when it is a server table's URI.
    explicit ServerTableDialog(const QString& uri, QWidget* parent = nullptr);

    // The connection URI of the table (without the password).
    QString uri() const;
    // Hands a typed password to this program's connections (nothing when empty).
    void applyPassword() const;

    void accept() override;

private:
    QLineEdit* host_;
    QSpinBox* port_;
    QLineEdit* database_;
    QLineEdit* user_;
    QLineEdit* table_;
    QLineEdit* password_;
};

}  // namespace dorvana
