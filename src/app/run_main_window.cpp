#include "app/run_main_window.h"

#include <QApplication>
#include <QDir>

#include "app/core/label_session.h"
#include "app/main_form.h"
#include "app/main_form_printing.h"
#include "app/print_bar.h"

namespace dorvana {

int runMainWindow(const QStringList& args, DesignerLauncher designer) {
    Q_UNUSED(args)
    // The application's title: what the desktop shows for the program (after
    // the main window's caption, which names the file shown) and the title
    // of its message boxes.
    QApplication::setApplicationDisplayName(QString::fromUtf16(kApplicationTitle));
    TMainForm form(QDir::currentPath(), LabelSession::defaultSettingsPath());
    form.findChild<MainFormPrinting*>()->printBar().setDesigner(std::move(designer));
    form.show();
    return QApplication::exec();
}

}  // namespace dorvana
