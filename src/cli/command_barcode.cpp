#include "cli/commands.h"

namespace dorvana::cli {

// Placeholder until the subsystem behind this command lands.
int runBarcode(const QStringList&) {
    return fail(QStringLiteral("příkaz barcode zatím není k dispozici"));
}

}  // namespace dorvana::cli
