#include "cli/commands.h"

namespace dorvana::cli {

// Placeholder until the subsystem behind this command lands.
int runExport(const QStringList&) {
    return fail(QStringLiteral("příkaz export zatím není k dispozici"));
}

}  // namespace dorvana::cli
