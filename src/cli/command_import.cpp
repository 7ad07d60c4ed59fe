#include <QFileInfo>
#include <QTextStream>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "data/label_import.h"

namespace dorvana::cli {

// dorvana-cli import SOURCE DEST.db [--replace]: any table the engine reads -> a label file.
int runImport(const QStringList& args) {
    CliArgs a;
    QString error;
    if (!parseArgs(args, {}, {QStringLiteral("replace")}, &a, &error)) return fail(error);
    if (a.positional.size() != 2)
        return fail(QStringLiteral("použití: dorvana-cli import SOURCE DEST.db [--replace]"));
    ImportOptions options;
    options.replace = a.has(QStringLiteral("replace"));
    ImportResult result;
    if (!importToLabelFile(a.positional[0], a.positional[1], &result, &error, options)) {
        if (result.refusedExisting) error += QStringLiteral(" (přepsat ho lze volbou --replace)");
        return fail(error);
    }
    if (!result.unmatchedFields.isEmpty())
        QTextStream(stderr) << "dorvana-cli: pole bez protějšku v souboru etiket: "
                            << result.unmatchedFields.join(QStringLiteral(", ")) << '\n';
    QTextStream(stdout) << "importováno " << result.records << " záznamů do "
                        << QFileInfo(a.positional[1]).fileName() << '\n';
    return 0;
}

}  // namespace dorvana::cli
