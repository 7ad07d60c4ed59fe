#pragma once
// The print query of a print run from the main window: the template's own
// SQL (with its fallback), or the temporary print table or the shown table,
// ordered by the template's sort string in a label file.

#include <QList>
#include <QString>
#include <QStringList>

#include "app/core/print_roles.h"

namespace dorvana {

class Query;

struct PrintQueryRequest {
    bool labelFileMode = true;
    bool ownSql = false;        // the template has SQL of its own
    QStringList sqlLines;       // the template's SQL
    QString sortString;         // the template's sort string
    QString queryDatabase;      // the database of query mode (the template's SQL runs there)
    QString shownTableFile;     // the shown table's file
    QString printTablePath;     // the temporary print table
    bool fromPrintTable = false;  // the temporary table was built for this run
    bool copy = false;
    QList<PrintCounter> counters;
};

// The ORDER of a label file: the sort string, else "CISLO" (followed by the
// first counter's field when copies are made with counters).
QString printOrder(const PrintQueryRequest& request);

// Fills the query and opens it. The texts of the error boxes to show go to
// *messages: "Chybný SQL dotaz ve zdroji dat !!!" when the template's SQL
// does not prepare (the fallback reads the temporary table when the run built
// one, else the shown table), "Chybné položky v třídícím řetězci ve zdroji
// dat !!!" when the ordered query does not prepare (it is opened all the
// same). Currency fields show "# ### ### ##0.00". False with the engine's
// message when the query does not open.
bool openPrintQuery(Query& query, const PrintQueryRequest& request, QStringList* messages,
                    QString* error);

}  // namespace dorvana
