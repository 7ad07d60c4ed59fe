#include "report/run/report_data.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "data/data_set.h"
#include "data/pg_connection.h"
#include "data/pg_query.h"
#include "data/query.h"
#include "data/table_open.h"
#include "report/run/template_list.h"

namespace dorvana {

ReportData::ReportData() = default;
ReportData::~ReportData() = default;

DataSet* ReportData::dataSet() const {
    return query_ ? query_->dataSet() : table_.get();
}

QString wrongSqlMessage(const QString& engineMessage) {
    return QStringLiteral("%1 (%2)").arg(kWrongSqlText, engineMessage);
}

bool ReportData::open(const ReportDataRequest& request, const TemplateLeadingInfo& info,
                      QString* error) {
    query_.reset();
    table_.reset();
    warnings_.clear();
    progress_ = request.progress;
    const QString& table = request.table;
    if (isServerTableUri(table)) return openOnServer(request, info, error);
    if (!table.isEmpty() && QFileInfo(table).isDir()) {
        *error = QStringLiteral("%1 je složka, ne soubor").arg(table);
        return false;
    }
    if (!table.isEmpty() && !QFileInfo(table).isFile()) {
        *error = QStringLiteral("tabulka „%1“ neexistuje").arg(table);
        return false;
    }
    const QString directory = table.isEmpty() ? QString() : QFileInfo(table).absolutePath();
    if (request.hasSql) return openQuery({request.sql}, directory, info.orderText, error);
    if (table.isEmpty()) return true;  // a report without records
    const QString from = QStringLiteral("FROM \"%1\" T1").arg(QFileInfo(table).absoluteFilePath());
    if (info.sql) {
        // The template's own SQL over the table's directory; when it does not
        // prepare, the table itself as the application falls back.
        query_ = newQuery(directory);
        query_->setSql(info.sqlLines);
        if (!info.orderText.isEmpty()) query_->setMacro(QStringLiteral("ORDER"), info.orderText);
        QString why;
        if (query_->prepare(&why)) return openPrepared(error);
        warnings_ << wrongSqlMessage(why);
        return openQuery({QStringLiteral("SELECT T1.* ") + from}, directory, {}, error);
    }
    if (!info.orderText.isEmpty()) {
        query_ = newQuery(QString());
        query_->setSql({QStringLiteral("SELECT T1.*"), from, QStringLiteral("ORDER BY %ORDER")});
        query_->setMacro(QStringLiteral("ORDER"), info.orderText);
        QString why;
        if (!query_->prepare(&why)) {
            *error = QStringLiteral("%1 (%2)").arg(kWrongSortText, why);
            query_.reset();
            return false;
        }
        return openPrepared(error);
    }
    table_ = openAnyTable(table, error);
    if (!table_ && error->isEmpty())
        *error = QStringLiteral("tabulku „%1“ nelze otevřít").arg(table);
    if (table_ && table_->store() && !table_->store()->readingNotice().isEmpty())
        warnings_ << table_->store()->readingNotice();
    return table_ != nullptr;
}

// The order text ("nazev1, cena DESC") as SQL with quoted names; empty when
// it is not a list of names.
static QString serverOrderBy(const QString& order) {
    static const QRegularExpression item(
        QStringLiteral("^\\s*([\\p{L}_][\\p{L}\\p{N}_]*)(\\s+(?i:desc|asc))?\\s*$"));
    QStringList out;
    for (const QString& part : order.split(QLatin1Char(','))) {
        const auto m = item.match(part);
        if (!m.hasMatch()) return {};
        out << pgIdentifier(m.captured(1)) + m.captured(2).toUpper();
    }
    return out.join(QStringLiteral(", "));
}

bool ReportData::openOnServer(const ReportDataRequest& request, const TemplateLeadingInfo& info,
                              QString* error) {
    // Without SQL or order the table is read as it stands (in windows, by key).
    if (!request.hasSql && !info.sql && info.orderText.isEmpty()) {
        table_ = openAnyTable(request.table, error);
        return table_ != nullptr;
    }
    // Otherwise the server runs the SQL (read only, with a time-out).
    PgTarget target;
    if (!parseServerTableUri(request.table, &target, error)) return false;
    QString order;
    if (!info.orderText.isEmpty()) {
        order = serverOrderBy(info.orderText);
        if (order.isEmpty()) {
            *error = QStringLiteral("%1 (%2)").arg(kWrongSortText, info.orderText);
            return false;
        }
    }
    QString sql;
    if (request.hasSql)
        sql = request.sql;
    else if (info.sql)
        sql = info.sqlLines.join(QLatin1Char('\n'));
    else
        sql = QStringLiteral("SELECT T1.* FROM %1 T1 ORDER BY %ORDER")
                  .arg(pgIdentifier(target.table));
    sql.replace(QStringLiteral("%ORDER"), order.isEmpty() ? QStringLiteral("1") : order);
    ServerQueryOptions options;
    options.progress = progress_;
    table_ = runServerQuery(target, sql, options, error);
    return table_ != nullptr;
}

std::unique_ptr<Query> ReportData::newQuery(const QString& directory) const {
    auto query = std::make_unique<Query>();
    query->setDatabase(directory);
    query->setProgress(progress_);
    return query;
}

bool ReportData::openQuery(const QStringList& sql, const QString& directory, const QString& order,
                           QString* error) {
    query_ = newQuery(directory);
    query_->setSql(sql);
    if (!order.isEmpty()) query_->setMacro(QStringLiteral("ORDER"), order);
    return openPrepared(error);
}

bool ReportData::openPrepared(QString* error) {
    QString why;
    if (query_->open(&why)) return true;
    *error = why == kQueryCancelledText ? why : QStringLiteral("dotaz nelze provést: %1").arg(why);
    query_.reset();
    return false;
}

PageStore pagesFrom(const PageStore& pages, int first) {
    PageStore out;
    out.paper = pages.paper;
    out.printerScaleX = pages.printerScaleX;
    out.printerScaleY = pages.printerScaleY;
    for (int n = first; n < pages.pageCount(); ++n) {
        const int k = n - first;
        out.ensurePages(k + 1);
        for (const TPrevPrvek& e : pages.page(n).elements()) out.addElement(k, e);
    }
    return out;
}

}  // namespace dorvana
