#pragma once
// Command-line arguments of dorvana-cli: options may stand before or after
// the positional arguments, "--" ends the options, an option that takes a
// value may repeat (--param).

#include <QMap>
#include <QString>
#include <QStringList>

namespace dorvana::cli {

struct CliArgs {
    QStringList positional;
    QMap<QString, QStringList> values;  // option name without "--" -> values in order
    QStringList flags;                  // options without a value that were given

    bool has(const QString& name) const { return values.contains(name) || flags.contains(name); }
    QString value(const QString& name, const QString& def = {}) const {
        auto it = values.find(name);
        return it == values.end() || it->isEmpty() ? def : it->last();
    }
    QStringList all(const QString& name) const { return values.value(name); }
    // The option's value as an integer; false (with a message) when it is not one.
    bool intValue(const QString& name, int def, int* out, QString* error) const;
};

// Parses args (without the program and command names). withValue lists the
// options that take a value, flags the ones that do not; anything else
// beginning with "--" is an error.
bool parseArgs(const QStringList& args, const QStringList& withValue, const QStringList& flags,
               CliArgs* out, QString* error);

}  // namespace dorvana::cli
