#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace dorvana::test {

QString sourcePath(const QString& relative) {
    return QDir(QStringLiteral(DORVANA_SOURCE_DIR)).filePath(relative);
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

}  // namespace dorvana::test
