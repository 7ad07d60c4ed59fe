#include "app/run_main_window.h"

#include <QApplication>
#include <QTimer>

#include "app/command_icons.h"
#include "app/core/label_session.h"
#include "app/first_start_window.h"
#include "app/main_form.h"
#include "app/main_form_printing.h"
#include "app/print_bar.h"

namespace dorvana {

int runMainWindow(const Workspace& workspace, const QString& openPath, DesignerLauncher designer) {
    // The application's title: what the desktop shows for the program (after
    // the main window's caption, which names the file shown) and the title
    // of its message boxes.
    QApplication::setApplicationDisplayName(QString::fromUtf16(kApplicationTitle));
    useDesktopIconTheme();
    TMainForm form(workspace.startDir, workspace.settingsPath);
    form.findChild<MainFormPrinting*>()->printBar().setDesigner(std::move(designer));
    form.show();
    if (!openPath.isEmpty()) {
        QTimer::singleShot(0, &form, [&form, openPath] { form.openFile(1, openPath); });
    } else if (workspace.installed() && workspace.firstStart && !form.session().labelFileLoaded()) {
        auto* welcome = new FirstStartWindow(form, workspace);
        QTimer::singleShot(0, welcome, [welcome] { welcome->open(); });
    }
    return QApplication::exec();
}

}  // namespace dorvana
