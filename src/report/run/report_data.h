#pragma once
// ReportData: where the records of one report run come from. The caller's own
// query, or a table file read directly, or through a query when the template
// asks for an order (its sort list) or carries SQL of its own. The command
// line, the preview and the designer open their records through it.

#include <QString>
#include <QStringList>
#include <memory>

#include "report/layout/pages/page_store.h"

namespace dorvana {

class DataSet;
class Progress;
class Query;
struct TemplateLeadingInfo;

// What the caller asks for.
struct ReportDataRequest {
    QString table;        // a table file (label file, dBase, Paradox, CSV, SQLite); may be empty
    bool hasSql = false;  // the caller gives the query itself
    QString sql;          // run from the table's directory (or the current one)
    // Polled while a query runs; cancelling ends it ("Dotaz byl přerušen"). Not owned.
    Progress* progress = nullptr;

    static ReportDataRequest ofTable(const QString& table) {
        ReportDataRequest r;
        r.table = table;
        return r;
    }
};

class ReportData {
public:
    ReportData();
    ~ReportData();
    ReportData(const ReportData&) = delete;
    ReportData& operator=(const ReportData&) = delete;

    // Opens the records for a template that says `info` of itself:
    // - the request's SQL when it has any (%ORDER = the template's sort list);
    // - else, with no table, no records at all (true, dataSet() null);
    // - else the template's own SQL over the table's directory, falling back
    //   to the whole table with a warning when it does not prepare;
    // - else, with a sort list, the table through a query in that order;
    // - else the table itself.
    // False with a Czech message when the table is missing or cannot be
    // opened, the sort list is wrong, or the query fails.
    bool open(const ReportDataRequest& request, const TemplateLeadingInfo& info, QString* error);
    // What opening had to say without failing (the fallback of a template's
    // SQL, the encoding a table file was read in).
    const QStringList& warnings() const { return warnings_; }

    // The records; null when the report runs without any.
    DataSet* dataSet() const;

private:
    // A label table on a server: read by key, or its SQL run by the server.
    bool openOnServer(const ReportDataRequest& request, const TemplateLeadingInfo& info,
                      QString* error);
    bool openQuery(const QStringList& sql, const QString& directory, const QString& order,
                   QString* error);
    bool openPrepared(QString* error);

    std::unique_ptr<Query> newQuery(const QString& directory) const;

    std::unique_ptr<Query> query_;
    std::unique_ptr<DataSet> table_;
    QStringList warnings_;
    Progress* progress_ = nullptr;
};

// The texts of a data source that does not prepare: the template's own SQL,
// and the sort list of a template.
inline const QString kWrongSqlText = QStringLiteral("Chybný SQL dotaz ve zdroji dat !!!");
inline const QString kWrongSortText =
    QStringLiteral("Chybné položky v třídícím řetězci ve zdroji dat !!!");
// The warning of a template's SQL that does not prepare, with the engine's reason.
QString wrongSqlMessage(const QString& engineMessage);

// Pages first.. of a build (first from 0), sharing the elements' styles: what
// a run that starts at a later page shows and prints.
PageStore pagesFrom(const PageStore& pages, int first);

}  // namespace dorvana
