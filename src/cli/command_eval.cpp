#include "cli/commands.h"

namespace dorvana::cli {

// Placeholder until the subsystem behind this command lands.
int runEval(const QStringList&) {
    return fail(QStringLiteral("příkaz eval zatím není k dispozici"));
}

}  // namespace dorvana::cli
