#include "cli/cli_args.h"

namespace dorvana::cli {

bool CliArgs::intValue(const QString& name, int def, int* out, QString* error) const {
    if (!values.contains(name)) {
        *out = def;
        return true;
    }
    bool ok = false;
    *out = value(name).toInt(&ok);
    if (!ok && error) *error = QStringLiteral("Volba --%1 čeká celé číslo, ne „%2“").arg(name, value(name));
    return ok;
}

bool parseArgs(const QStringList& args, const QStringList& withValue, const QStringList& flags,
               CliArgs* out, QString* error) {
    *out = {};
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (optionsEnded || !a.startsWith(u"--")) {
            out->positional.append(a);
            continue;
        }
        if (a == u"--") {
            optionsEnded = true;
            continue;
        }
        QString name = a.mid(2);
        QString inlineValue;
        const qsizetype eq = name.indexOf(u'=');
        const bool hasInline = eq >= 0;
        if (hasInline) {
            inlineValue = name.mid(eq + 1);
            name.truncate(eq);
        }
        if (withValue.contains(name)) {
            if (!hasInline && i + 1 >= args.size()) {
                *error = QStringLiteral("Volba --%1 čeká hodnotu").arg(name);
                return false;
            }
            out->values[name].append(hasInline ? inlineValue : args[++i]);
        } else if (flags.contains(name) && !hasInline) {
            out->flags.append(name);
        } else {
            *error = QStringLiteral("Neznámá volba %1").arg(a);
            return false;
        }
    }
    return true;
}

}  // namespace dorvana::cli
