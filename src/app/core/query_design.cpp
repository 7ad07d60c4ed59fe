#include "app/core/query_design.h"

#include <QFile>
#include <QRegularExpression>

#include "base/safe_file.h"

namespace dorvana {

namespace {
const QString kTablesComment = QStringLiteral("-- tabulky: ");
const QString kFieldsComment = QStringLiteral("-- pole: ");
const QString kJoinComment = QStringLiteral("-- spojeni: ");
const QString kConditionComment = QStringLiteral("-- podminka: ");
const QString kOrderComment = QStringLiteral("-- razeni: ");

// A condition in one comment line: field, operator and value split by tabs.
QString conditionLine(const QueryCondition& c) {
    QString value = c.value;
    value.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
    return kConditionComment + c.field + u'\t' + c.op + u'\t' + value;
}

QString literal(const QString& value) {
    bool isNumber = false;
    value.trimmed().toDouble(&isNumber);
    if (isNumber) return value.trimmed();
    return QLatin1Char('\'') + QString(value).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}
}  // namespace

QString tableAlias(int i) {
    return QStringLiteral("T%1").arg(i + 1);
}

QString qualifiedField(int table, const QString& name) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    const QString n = plain.match(name).hasMatch()
                          ? name
                          : QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                                QLatin1Char('"');
    return tableAlias(table) + QLatin1Char('.') + n;
}

QStringList generateSql(const QueryDesign& d) {
    if (d.tables.isEmpty()) return {};
    QStringList lines;
    QStringList fields = d.fields;
    if (fields.isEmpty())
        for (int i = 0; i < d.tables.size(); ++i) fields << tableAlias(i) + QStringLiteral(".*");
    lines << QStringLiteral("SELECT ") + fields.join(QStringLiteral(", "));
    lines << QStringLiteral("FROM ");
    lines << QStringLiteral("\"%1\" T1").arg(d.tables[0]);
    for (int i = 1; i < d.tables.size(); ++i) {
        QString line = QStringLiteral("INNER JOIN \"%1\" %2").arg(d.tables[i], tableAlias(i));
        if (i == 1 && !d.joinLeft.isEmpty() && !d.joinRight.isEmpty())
            line += QStringLiteral(" ON %1 = %2").arg(d.joinLeft, d.joinRight);
        else
            line += QStringLiteral(" ON 1 = 1");
        lines << line;
    }
    QStringList where;
    for (const QueryCondition& c : d.conditions)
        where << QStringLiteral("%1 %2 %3").arg(c.field, c.op, literal(c.value));
    if (!where.isEmpty()) lines << QStringLiteral("WHERE ") + where.join(QStringLiteral(" AND "));
    QStringList order;
    for (const QueryOrder& o : d.order) order << o.field + (o.descending ? QStringLiteral(" DESC") : QString());
    if (!order.isEmpty()) lines << QStringLiteral("ORDER BY ") + order.join(QStringLiteral(", "));
    return lines;
}

bool saveQueryFile(const QString& path, const QStringList& sql, const QueryDesign& design,
                   QString* error) {
    QString text = kTablesComment + design.tables.join(QLatin1Char(';')) + QLatin1Char('\n');
    if (!design.fields.isEmpty()) text += kFieldsComment + design.fields.join(QLatin1Char(';')) + u'\n';
    if (!design.joinLeft.isEmpty() && !design.joinRight.isEmpty())
        text += kJoinComment + design.joinLeft + u';' + design.joinRight + u'\n';
    for (const QueryCondition& c : design.conditions) text += conditionLine(c) + u'\n';
    for (const QueryOrder& o : design.order)
        text += kOrderComment + o.field + (o.descending ? QStringLiteral(" DESC") : QString()) + u'\n';
    for (const QString& l : sql) text += l + QLatin1Char('\n');
    return writeFileAtomically(path, text.toUtf8(), error);
}

bool loadQueryFile(const QString& path, QStringList* sql, QueryDesign* design, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("Soubor %1 nelze otevřít: %2").arg(path, f.errorString());
        return false;
    }
    const QByteArray bytes = f.read(4 << 20);
    if (bytes.contains('\0')) {
        if (error) *error = QStringLiteral("Soubor %1 není dotaz SQL").arg(path);
        return false;
    }
    sql->clear();
    *design = QueryDesign{};
    for (QString line : QString::fromUtf8(bytes).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.startsWith(kTablesComment)) {
            design->tables = line.mid(kTablesComment.size()).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        } else if (line.startsWith(kFieldsComment)) {
            design->fields = line.mid(kFieldsComment.size()).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        } else if (line.startsWith(kJoinComment)) {
            const QStringList sides = line.mid(kJoinComment.size()).split(QLatin1Char(';'));
            if (sides.size() == 2) {
                design->joinLeft = sides[0];
                design->joinRight = sides[1];
            }
        } else if (line.startsWith(kConditionComment)) {
            const QStringList parts = line.mid(kConditionComment.size()).split(QLatin1Char('\t'));
            if (parts.size() == 3) design->conditions.append({parts[0], parts[1], parts[2]});
        } else if (line.startsWith(kOrderComment)) {
            QString field = line.mid(kOrderComment.size());
            const bool descending = field.endsWith(QStringLiteral(" DESC"));
            if (descending) field.chop(5);
            if (!field.isEmpty()) design->order.append({field, descending});
        } else {
            *sql << line;
        }
    }
    while (!sql->isEmpty() && sql->last().trimmed().isEmpty()) sql->removeLast();
    if (sql->isEmpty()) {
        if (error) *error = QStringLiteral("Soubor %1 neobsahuje dotaz").arg(path);
        return false;
    }
    return true;
}

}  // namespace dorvana
