#pragma once
// What the query builder composes: tables (by path, named T1, T2, ...),
// ticked fields, a join of the first two tables on chosen fields,
// conditions and an order; and the SQL lines made of it. Saved queries are
// .sql files: the statement, after comment lines holding the design.

#include <QList>
#include <QString>
#include <QStringList>

namespace dorvana {

struct QueryCondition {
    QString field;     // "T1.cena"
    QString op;        // =, <>, <, <=, >, >=, LIKE
    QString value;     // a number as it stands, anything else becomes a quoted text
};

struct QueryOrder {
    QString field;
    bool descending = false;
};

struct QueryDesign {
    QStringList tables;             // file paths; the i-th is T<i+1>
    QStringList fields;             // "T1.cislo"; none: every field of every table
    QString joinLeft, joinRight;    // "T1.kod", "T2.kod" (used with two tables)
    QList<QueryCondition> conditions;
    QList<QueryOrder> order;
};

// The correlation name of table i: T1, T2, ...
QString tableAlias(int i);
// "T1.name", with the name in double quotes when it is not a plain identifier.
QString qualifiedField(int table, const QString& name);

// The statement in lines: SELECT ..., "FROM ", the first table, a join line,
// WHERE ..., ORDER BY ... Empty without tables.
QStringList generateSql(const QueryDesign& design);

// Saving and loading .sql files (UTF-8): comment lines with the design (its
// tables, fields, join, conditions and order), then the statement. Loading
// gives the statement's lines and the design the comments hold; false with a
// Czech message.
bool saveQueryFile(const QString& path, const QStringList& sql, const QueryDesign& design,
                   QString* error);
bool loadQueryFile(const QString& path, QStringList* sql, QueryDesign* design, QString* error);

}  // namespace dorvana
