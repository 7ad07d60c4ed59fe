#include "app/core/workspace.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include "base/ini_file.h"
#include "base/text_file.h"

namespace dorvana {

namespace {

constexpr char16_t kSection[] = u"Adresare";
constexpr char16_t kKey[] = u"Pracovni";

bool holdsTemplates(const QString& dir) {
    const QStringList found = QDir(dir).entryList({QStringLiteral("*.pt*")}, QDir::Files);
    return !found.isEmpty();
}

bool isEmptyOrMissing(const QString& dir) {
    const QDir d(dir);
    return !d.exists() || d.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// A path from the user (setting or option) made absolute; "~/" is the home folder.
QString absoluteFrom(const QString& path, const QString& base) {
    QString p = path;
    if (p == u"~" || p.startsWith(QStringLiteral("~/"))) p = QDir::homePath() + p.mid(1);
    return QDir::cleanPath(QDir(base).absoluteFilePath(p));
}

}  // namespace

QString installedShareDir(const QString& executableDir, const QString& shareFromExecutable) {
    if (executableDir.isEmpty() || shareFromExecutable.isEmpty()) return {};
    const QString dir = QDir::cleanPath(QDir(executableDir).filePath(shareFromExecutable));
    return holdsTemplates(dir) ? dir : QString();
}

QString defaultWorkspaceDir() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::home().filePath(QStringLiteral(".local/share"));
    return QDir(base).filePath(QStringLiteral("dorvana"));
}

QString configuredWorkspaceDir(const QString& settingsPath) {
    if (!QFileInfo::exists(settingsPath)) return {};
    IniFile ini;
    if (!ini.load(settingsPath)) return {};
    return ini.value(kSection, kKey).trimmed();
}

bool setConfiguredWorkspaceDir(const QString& settingsPath, const QString& dir, QString* error) {
    IniFile ini;
    if (QFileInfo::exists(settingsPath) && !ini.load(settingsPath, error)) return false;
    ini.setPath(settingsPath);
    if (dir.isEmpty())
        ini.removeKey(kSection, kKey);
    else
        ini.setValue(kSection, kKey, dir);
    if (!QDir().mkpath(QFileInfo(settingsPath).absolutePath())) {
        if (error) *error = QStringLiteral("Nelze vytvořit složku %1").arg(QFileInfo(settingsPath).absolutePath());
        return false;
    }
    return ini.save(error);
}

QStringList seedWorkspace(const QString& shareDir, const QString& startDir, QString* error) {
    QStringList copied;
    const QDir share(shareDir);
    QDirIterator it(shareDir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString name = share.relativeFilePath(from);
        const QString to = QDir(startDir).filePath(name);
        if (QFileInfo::exists(to)) continue;
        QByteArray bytes;
        QString why;
        const bool ok = QDir().mkpath(QFileInfo(to).absolutePath()) && readFileBytes(from, &bytes, &why) &&
                        writeFileAtomically(to, bytes, &why);
        if (ok)
            copied << name;
        else if (error && error->isEmpty())
            *error = why.isEmpty() ? QStringLiteral("Soubor %1 nelze zkopírovat").arg(to) : why;
    }
    return copied;
}

Workspace resolveWorkspace(const WorkspaceRequest& request) {
    Workspace w;
    w.settingsPath = request.settingsPath;
    w.firstStart = !QFileInfo::exists(request.settingsPath);
    w.shareDir = installedShareDir(request.executableDir, request.shareFromExecutable);
    const QString configured = configuredWorkspaceDir(request.settingsPath);
    bool fill = false;
    if (!request.explicitDir.isEmpty()) {
        w.startDir = absoluteFrom(request.explicitDir, request.currentDir);
    } else if (!configured.isEmpty()) {
        w.startDir = absoluteFrom(configured, QDir::homePath());
    } else if (w.installed()) {
        w.startDir = defaultWorkspaceDir();
        // Only the per-user folder is filled; a named folder is the user's own.
        fill = isEmptyOrMissing(w.startDir);
    } else {
        w.startDir = QDir(request.currentDir).absolutePath();
    }
    if (!QDir().mkpath(w.startDir))
        w.error = QStringLiteral("Nelze vytvořit pracovní složku %1").arg(w.startDir);
    else if (fill)
        w.seeded = seedWorkspace(w.shareDir, w.startDir, &w.error);
    return w;
}

}  // namespace dorvana
