#include "cli/commands.h"

namespace dorvana::cli {

// Placeholder until the subsystem behind this command lands.
int runRender(const QStringList&) {
    return fail(QStringLiteral("příkaz render zatím není k dispozici"));
}

}  // namespace dorvana::cli
