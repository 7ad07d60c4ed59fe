#include "app/core/print_query.h"

#include "data/data_set.h"
#include "data/query.h"
#include "report/run/report_data.h"

namespace dorvana {

namespace {

QString fromLine(const QString& file) {
    return QStringLiteral("FROM \"%1\" T1").arg(file);
}

}  // namespace

QString printOrder(const PrintQueryRequest& r) {
    if (!r.sortString.isEmpty()) return r.sortString;
    if (r.copy && !r.counters.isEmpty()) return QStringLiteral("CISLO,") + r.counters.first().field;
    return QStringLiteral("CISLO");
}

bool openPrintQuery(Query& query, const PrintQueryRequest& r, QStringList* messages,
                    QString* error) {
    query.close();
    query.clearMacros();
    const QString table = r.fromPrintTable ? r.printTablePath : r.shownTableFile;
    if (r.ownSql) {
        query.setDatabase(r.queryDatabase);
        query.setSql(r.sqlLines);
        if (!query.prepare()) {
            messages->append(kWrongSqlText);
            query.setDatabase({});
            query.setSql({QStringLiteral("SELECT T1.*"), fromLine(table)});
        }
    } else {
        query.setDatabase({});
        QStringList sql{QStringLiteral("SELECT T1.*"), fromLine(table)};
        if (r.labelFileMode) {
            sql << QStringLiteral("ORDER BY %ORDER");
            query.setMacro(QStringLiteral("ORDER"), printOrder(r));
        }
        query.setSql(sql);
        if (!query.prepare()) messages->append(kWrongSortText);
    }
    if (!query.open(error)) return false;
    if (DataSet* d = query.dataSet())
        for (int i = 0; i < d->fieldCount(); ++i)
            if (d->field(i)->dataType() == FieldType::Currency)
                d->field(i)->setDisplayFormat(QStringLiteral("# ### ### ##0.00"));
    return true;
}

}  // namespace dorvana
