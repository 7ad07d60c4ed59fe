#include <QFileInfo>
#include <QTextStream>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "data/csv_file.h"
#include "data/table_open.h"

namespace dorvana::cli {

// dorvana-cli export SOURCE --csv OUT.csv: any table the engine opens -> CSV.
int runExport(const QStringList& args) {
    CliArgs a;
    QString error;
    if (!parseArgs(args, {QStringLiteral("csv")}, {QStringLiteral("help")}, &a, &error))
        return fail(error);
    if (a.has(QStringLiteral("help"))) return usage(QStringLiteral("export"));
    if (a.positional.size() != 1 || a.value(QStringLiteral("csv")).isEmpty())
        return fail(QStringLiteral("použití: dorvana-cli export SOURCE --csv OUT.csv"));
    const QString source = a.positional[0];
    if (QFileInfo(source).isDir())
        return fail(QStringLiteral("%1 je složka, ne soubor").arg(source));
    auto data = openAnyTable(source, &error);
    if (!data) return fail(error);
    if (data->store() && !data->store()->readingNotice().isEmpty())
        warn(data->store()->readingNotice());
    const QString out = a.value(QStringLiteral("csv"));
    TerminalProgress progress(QStringLiteral("Export"));
    progress.setUnit(QStringLiteral("záznam"));
    const bool written = writeCsvFile(out, *data, &error, ',', &progress);
    progress.done();
    if (!written) return fail(error);
    QTextStream(stdout) << "exportováno " << recordCount(data->recordCount()) << " do " << out
                        << '\n';
    return 0;
}

}  // namespace dorvana::cli
