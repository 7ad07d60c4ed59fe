#include "app/core/volume_label.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <pwd.h>
#include <unistd.h>

namespace dorvana {

namespace {

// mountinfo and by-label names escape blanks and other bytes as \ooo or \xHH.
QString unescape(const QString& text) {
    QByteArray out;
    const QByteArray in = text.toUtf8();
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '\\' && i + 3 < in.size() && in[i + 1] == 'x') {
            bool ok = false;
            const int v = in.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out.append(char(v));
                i += 3;
                continue;
            }
        }
        if (in[i] == '\\' && i + 3 < in.size()) {
            bool ok = false;
            const int v = in.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out.append(char(v));
                i += 3;
                continue;
            }
        }
        out.append(in[i]);
    }
    return QString::fromUtf8(out);
}

// The device mounted at the deepest mount point above path.
QString deviceOf(const QString& path) {
    QFile f(QStringLiteral("/proc/self/mountinfo"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QString target = QFileInfo(path).absoluteFilePath();
    QString best, device;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        const qsizetype dash = parts.indexOf("-");
        if (parts.size() < 5 || dash < 0 || dash + 2 >= parts.size()) continue;
        const QString mountPoint = unescape(QString::fromUtf8(parts[4]));
        const bool above = target == mountPoint ||
                           target.startsWith(mountPoint.endsWith(u'/') ? mountPoint : mountPoint + u'/');
        if (above && mountPoint.size() >= best.size()) {
            best = mountPoint;
            device = unescape(QString::fromUtf8(parts[dash + 2]));
        }
    }
    return device;
}

}  // namespace

QStringList removableMediaFolders(const QByteArray& mounts, const QString& user) {
    QStringList folders;
    for (const QByteArray& line : mounts.split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() < 2) continue;
        const QString point = unescape(QString::fromUtf8(parts[1]));
        const QStringList steps = point.split(u'/', Qt::SkipEmptyParts);
        const bool mine = !user.isEmpty() && steps.size() == 3 && steps[1] == user &&
                          (steps[0] == u"media");
        const bool mineRun = !user.isEmpty() && steps.size() == 4 && steps[0] == u"run" &&
                             steps[1] == u"media" && steps[2] == user;
        const bool shared = steps.size() == 2 && steps[0] == u"media" && steps[1] != user;
        if ((mine || mineRun || shared) && !folders.contains(point)) folders << point;
    }
    return folders;
}

QStringList systemRemovableMedia() {
    QFile f(QStringLiteral("/proc/self/mounts"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("LOGNAME");
    if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name)
        user = QString::fromLocal8Bit(pw->pw_name);
    return removableMediaFolders(f.readAll(), user);
}

bool SystemVolumeLabels::labelOf(const QString& path, QString* label) {
    const QString device = deviceOf(path);
    if (!device.startsWith(u'/')) return false;
    const QString real = QFileInfo(device).canonicalFilePath();
    const QDir byLabel(QStringLiteral("/dev/disk/by-label"));
    for (const QFileInfo& link : byLabel.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        if (link.canonicalFilePath() == real) {
            *label = unescape(link.fileName());
            return true;
        }
    }
    return false;
}

}  // namespace dorvana
