#pragma once
// Starts the application's main window over the current directory (the
// start directory) and runs until it closes.

#include <QStringList>

namespace dorvana {

int runMainWindow(const QStringList& args);

}  // namespace dorvana
