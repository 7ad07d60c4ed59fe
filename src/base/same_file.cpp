#include "base/same_file.h"

#include <sys/stat.h>

#include <QFile>

namespace dorvana {

bool sameFile(const QString& a, const QString& b) {
    struct stat sa {}, sb {};
    if (stat(QFile::encodeName(a).constData(), &sa) != 0 ||
        stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace dorvana
