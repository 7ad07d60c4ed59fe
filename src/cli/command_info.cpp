#include "cli/commands.h"

namespace dorvana::cli {

// Placeholder until the subsystem behind this command lands.
int runInfo(const QStringList&) {
    return fail(QStringLiteral("příkaz info zatím není k dispozici"));
}

}  // namespace dorvana::cli
