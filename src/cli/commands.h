#pragma once
// The commands of dorvana-cli, one file each. Every command gets its
// arguments after the command name and returns the process exit code:
// 0 on success, 1 with a one-line message on stderr on failure.

#include <QStringList>

namespace dorvana::cli {

int runRender(const QStringList& args);
int runEval(const QStringList& args);
int runBarcode(const QStringList& args);
int runImport(const QStringList& args);
int runExport(const QStringList& args);
int runInfo(const QStringList& args);
int runSheets(const QStringList& args);

// Writes "dorvana-cli: <message>" to stderr and returns 1.
int fail(const QString& message);

// The usage of every command; a command's own usage with its options on
// stdout (for COMMAND --help), returning 0.
QString mainUsage();
int usage(const QString& command);

}  // namespace dorvana::cli
