#include <QFileInfo>
#include <QTextStream>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "data/label_import.h"
#include "data/pg_connection.h"

namespace dorvana::cli {

// dorvana-cli import SOURCE DEST.db [--replace]: any table the engine reads -> a label file;
// DEST may be a label table on a server (postgresql://…?table=…), also given as --to DEST.
int runImport(const QStringList& args) {
    CliArgs a;
    QString error;
    if (!parseArgs(args, {QStringLiteral("to")},
                   {QStringLiteral("replace"), QStringLiteral("help")}, &a, &error))
        return fail(error);
    if (a.has(QStringLiteral("help"))) return usage(QStringLiteral("import"));
    if (a.has(QStringLiteral("to")) && a.positional.size() == 1)
        a.positional << a.value(QStringLiteral("to"));
    if (a.positional.size() != 2)
        return fail(QStringLiteral("použití: dorvana-cli import SOURCE DEST.db [--replace]"));
    TerminalProgress progress(QStringLiteral("Import"));
    progress.setUnit(QStringLiteral("záznam"));
    ImportOptions options;
    options.replace = a.has(QStringLiteral("replace"));
    options.progress = &progress;
    ImportResult result;
    const bool imported =
        importToLabelFile(a.positional[0], a.positional[1], &result, &error, options);
    progress.done();
    if (!result.notice.isEmpty()) warn(result.notice);
    if (!imported) {
        if (result.refusedExisting)
            error += isServerTableUri(a.positional[1])
                         ? QStringLiteral(" (nahradit ji lze volbou --replace)")
                         : QStringLiteral(" (přepsat ho lze volbou --replace)");
        return fail(error);
    }
    if (!result.unmatchedFields.isEmpty())
        warn(QStringLiteral("pole bez protějšku v souboru etiket: %1")
                 .arg(result.unmatchedFields.join(QStringLiteral(", "))));
    PgTarget server;
    const QString destName =
        isServerTableUri(a.positional[1]) && parseServerTableUri(a.positional[1], &server, nullptr)
            ? QStringLiteral("tabulky %1 na serveru %2").arg(server.table, server.serverName)
            : QFileInfo(a.positional[1]).fileName();
    QTextStream(stdout) << "importováno " << recordCount(result.records) << " do " << destName
                        << '\n';
    return 0;
}

}  // namespace dorvana::cli
