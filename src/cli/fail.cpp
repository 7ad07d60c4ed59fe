#include <QTextStream>

#include "cli/commands.h"

namespace dorvana::cli {

int fail(const QString& message) {
    QTextStream(stderr) << "dorvana-cli: " << message << '\n';
    return 1;
}

}  // namespace dorvana::cli
