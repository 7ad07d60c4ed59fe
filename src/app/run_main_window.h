#pragma once
// Starts the application's main window over the start directory and runs
// until it closes; the print bar opens the designer given (none: designing
// stays off).

#include <QString>

#include "app/core/workspace.h"

#include "report/windows/report_windows.h"

namespace dorvana {

// openPath: a label file (or foreign table) to open once the saved state is
// restored ("" for none). On the first start of the installed program the
// window that says how to begin is shown over the main window.
int runMainWindow(const Workspace& workspace, const QString& openPath = {},
                  DesignerLauncher designer = {});

}  // namespace dorvana
