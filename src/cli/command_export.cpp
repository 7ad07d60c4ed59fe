#include <QTextStream>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "data/csv_file.h"
#include "data/table_open.h"

namespace dorvana::cli {

// dorvana-cli export SOURCE --csv OUT.csv: any table the engine opens -> CSV.
int runExport(const QStringList& args) {
    CliArgs a;
    QString error;
    if (!parseArgs(args, {QStringLiteral("csv")}, {}, &a, &error)) return fail(error);
    if (a.positional.size() != 1 || a.value(QStringLiteral("csv")).isEmpty())
        return fail(QStringLiteral("použití: dorvana-cli export SOURCE --csv OUT.csv"));
    auto data = openAnyTable(a.positional[0], &error);
    if (!data) return fail(error);
    const QString out = a.value(QStringLiteral("csv"));
    if (!writeCsvFile(out, *data, &error)) return fail(error);
    QTextStream(stdout) << "exportováno " << data->recordCount() << " záznamů do " << out << '\n';
    return 0;
}

}  // namespace dorvana::cli
