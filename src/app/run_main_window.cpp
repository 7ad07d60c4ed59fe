#include "app/run_main_window.h"

#include <QApplication>
#include <QDir>

#include "app/core/label_session.h"
#include "app/main_form.h"

namespace dorvana {

int runMainWindow(const QStringList& args) {
    Q_UNUSED(args)
    TMainForm form(QDir::currentPath(), LabelSession::defaultSettingsPath());
    form.show();
    return QApplication::exec();
}

}  // namespace dorvana
