#include "app/run_main_window.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include "app/core/label_session.h"
#include "app/main_form.h"

namespace dorvana {

int runMainWindow(const QStringList& args) {
    // The application's title: what the desktop shows for the program (after
    // the main window's caption, which names the file shown) and the title
    // of its message boxes.
    QApplication::setApplicationDisplayName(QString::fromUtf16(kApplicationTitle));
    TMainForm form(QDir::currentPath(), LabelSession::defaultSettingsPath());
    form.show();
    // "--table T": T is opened once the saved state is restored (queued after it).
    const qsizetype table = args.indexOf(QStringLiteral("--table"));
    if (table >= 0 && table + 1 < args.size()) {
        const QString path = args[table + 1];
        QTimer::singleShot(0, &form, [&form, path] { form.session().Nactifile(1, path); });
    }
    return QApplication::exec();
}

}  // namespace dorvana
