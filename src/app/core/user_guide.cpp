#include "app/core/user_guide.h"

#include <QDir>
#include <QFileInfo>

namespace dorvana {

QStringList userGuideFolders(const QString& executableDir) {
    QStringList folders;
    if (!executableDir.isEmpty())
        folders << QDir::cleanPath(QDir(executableDir).filePath(QStringLiteral(DORVANA_GUIDE_FROM_BIN)));
    folders << QStringLiteral(DORVANA_SOURCE_GUIDE_DIR);
    return folders;
}

QString findUserGuide(const QStringList& folders) {
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(kUserGuideFile));
        if (QFileInfo(path).isFile()) return path;
    }
    return {};
}

}  // namespace dorvana
