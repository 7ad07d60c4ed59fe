#include "app/core/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "base/messages.h"
#include "base/safe_file.h"

namespace dorvana {

bool SettingsStore::load(const QString& path) {
    path_ = path;
    unreadable_ = false;
    ini_ = IniFile();
    ini_.setPath(path);
    if (!QFileInfo::exists(path)) return true;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.read(1 << 20).contains('\0') || !ini_.load(path)) {
        unreadable_ = true;
        ini_ = IniFile();
        ini_.setPath(path);
        return false;
    }
    return true;
}

bool SettingsStore::save(Messages& messages) {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    if (unreadable_ && QFileInfo::exists(path_)) {
        const QString aside = path_ + QStringLiteral(".chybny");
        if (!replaceFile(path_, aside)) {
            messages.error(QStringLiteral("Soubor %1 nelze číst ani odložit, nastavení se neuloží").arg(path_));
            return false;
        }
        messages.information(
            QStringLiteral("Soubor %1 nebyl čitelný; byl odložen jako %2").arg(path_, aside));
    }
    unreadable_ = false;
    QString err;
    ini_.setPath(path_);
    if (!ini_.save(&err)) {
        messages.error(err);
        return false;
    }
    return true;
}

}  // namespace dorvana
