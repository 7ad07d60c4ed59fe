#pragma once
// A hand-edited query over one table names its table as the user typed it
// ("zbozi.dbf", "zbozi.dbf" T1, zbozi.dbf). The line after a line "FROM " is
// rewritten so that the engine opens the file: a relative name is joined to
// the directory of the first table the query builder lists, quoted, and
// given the correlation name T1 unless it has one.

#include <QString>
#include <QStringList>

namespace dorvana {

// The table reference line with its table made a quoted path under base (a
// directory, or a file whose directory is taken).
QString rewriteTableReference(const QString& line, const QString& base);

// The statement's lines with every line following a line "FROM " rewritten,
// when fewer than two tables are listed and the first is not on a server.
QStringList rewriteFromLines(const QStringList& lines, const QStringList& tables);

// The directory of a builder's table entry (the entry itself when it is a
// directory or a server table's URI).
QString tableDirectory(const QString& entry);

}  // namespace dorvana
