#pragma once
// Starts the application's main window over the current directory (the
// start directory) and runs until it closes; the print bar opens the
// designer given (none: designing stays off).

#include <QStringList>

#include "report/windows/report_windows.h"

namespace dorvana {

int runMainWindow(const QStringList& args, DesignerLauncher designer = {});

}  // namespace dorvana
