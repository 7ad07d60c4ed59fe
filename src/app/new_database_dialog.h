#pragma once
// TBasForm ("Tvorba nové databáze") and TFieldForm ("Nové pole"): a small
// table designer over the field list of app/core/field_list.h.

#include <QDialog>

#include "app/core/field_list.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace dorvana {

class Messages;

class TFieldForm : public QDialog {
    Q_OBJECT
public:
    // editing: the entry's index, or -1 for a new one.
    TFieldForm(const FieldList& list, const FieldEntry& entry, int editing, Messages& messages,
               QWidget* parent = nullptr);
    FieldEntry entry() const;
    void accept() override;  // checks; stays open with the message on a failure

private:
    const FieldList& list_;
    int editing_;
    Messages& messages_;
    QLineEdit* name_;
    QComboBox* type_;
    QSpinBox* length_;
};

class TBasForm : public QDialog {
    Q_OBJECT
public:
    TBasForm(const QString& dataDirectory, Messages& messages, QWidget* parent = nullptr);
    const FieldList& fields() const { return list_; }
    // The files of the tables the program has open: no new table is created
    // over them.
    void setOpenFiles(const QStringList& files) { openFiles_ = files; }

    // The commands (the dialogs they open are the user's).
    void addField();
    void editField(int index);
    void removeField();
    void loadFields();
    void createTable();
    // What "Uložit" does after the save dialog: refuses a file of an open
    // table, asks "Soubor existuje - bude zrušen" over another existing
    // file, and creates the table; false with the message shown (or No).
    bool createAt(const QString& path, TableKind kind);
    // Appends the fields of a table; false when it cannot be read (the beep).
    bool loadFrom(const QString& path);
    // Drops entry from onto entry to.
    void moveField(int from, int to);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh(int current = -1);
    QString data_;
    Messages& messages_;
    FieldList list_;
    QStringList openFiles_;
    QListWidget* view_;
};

}  // namespace dorvana
