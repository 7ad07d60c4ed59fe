#include "cli/commands.h"

namespace dorvana::cli {

// Placeholder until the subsystem behind this command lands.
int runImport(const QStringList&) {
    return fail(QStringLiteral("příkaz import zatím není k dispozici"));
}

}  // namespace dorvana::cli
