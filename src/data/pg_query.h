#pragma once
// SQL of templates and queries over label tables on a server: one statement
// run by the server inside a READ ONLY transaction with a statement time-out
// (so it can neither change data nor run for ever), cancellable through the
// Progress interface (the server is asked to cancel, PQcancel). The result is
// held in memory as a data set with the record-number field "Calc".
// A statement that names local files (a quoted path, as queries over files
// do) is refused: the server cannot join its tables with files here.

#include <QString>
#include <memory>

#include "data/data_set.h"
#include "data/pg_connection.h"

namespace dorvana {

class Progress;

struct ServerQueryOptions {
    int timeoutMs = 5 * 60 * 1000;
    Progress* progress = nullptr;
};

// Whether sql names a local file (a quoted name with a path or a table
// file's extension); *name gets it.
bool sqlNamesLocalFile(const QString& sql, QString* name = nullptr);

// Tables of the target's server named by their URI in double quotes (as the
// query builder names its tables) become their quoted names on the server.
// False with a message when a URI names a table on another server.
bool resolveServerTableNames(const PgTarget& target, QString* sql, QString* error);

std::unique_ptr<DataSet> runServerQuery(const PgTarget& target, const QString& sql,
                                        const ServerQueryOptions& options, QString* error);

}  // namespace dorvana
