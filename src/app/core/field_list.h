#pragma once
// The field list of the new-table designer: entries of name, type number and
// length, their checks, reordering, loading the fields of an existing table,
// and creating a dBase or Paradox table from them.

#include <QList>
#include <QString>
#include <QStringList>

#include "data/field_type.h"
#include "data/table_open.h"

namespace dorvana {

struct FieldEntry {
    QString name;
    int type = 0;    // the field type number 1 ... 17 (0: none chosen)
    int length = 0;  // String: its size; every other type 0
    // "name;type;length", as the list keeps it.
    QString text() const;
    bool operator==(const FieldEntry&) const = default;
};

inline const QString kWrongFieldType = QStringLiteral("Chybný typ pole");
inline const QString kDuplicateField = QStringLiteral("Duplicitní pole");
inline const QString kWrongFieldLength = QStringLiteral("Chybná délka pole");

class FieldList {
public:
    const QList<FieldEntry>& entries() const { return entries_; }

    // The check of the field dialog's OK for a new entry (editing -1) or for
    // the entry at `editing`: a type chosen, a name no other entry has (by the
    // name rule), a length for a String and none for any other type. Empty
    // when the entry is fine, else the message.
    QString check(const FieldEntry& entry, int editing = -1) const;
    bool add(const FieldEntry& entry, QString* error = nullptr);
    bool replace(int index, const FieldEntry& entry, QString* error = nullptr);
    void remove(int index);
    // Drops entry `from` onto entry `to`: it moves to that position.
    void move(int from, int to);

    // Appends the fields of an existing table (a String with its size in
    // characters). False with the engine's message; nothing appended then.
    bool load(const QString& path, QString* error = nullptr);

    // Creates the table (dBase or Paradox) from the entries in list order,
    // replacing an existing file. The table is made in a temporary folder
    // beside the path and renamed into place file by file, so a failure
    // leaves an existing table as it was. False with a Czech message.
    bool create(const QString& path, TableKind kind, QString* error = nullptr) const;

private:
    QList<FieldEntry> entries_;
};

// Whether a new table of the kind at path would replace one of the files of
// the open tables (each table's file and its memo, blob and journal files);
// the refusal's message when it would, else empty.
QString replacesOpenTable(const QString& path, TableKind kind, const QStringList& openFiles);

}  // namespace dorvana
