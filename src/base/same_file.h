#pragma once
// Whether two paths name the same file: the same device and inode, so a
// second path, a symbolic link or a hard link to a file counts as that file.

#include <QString>

namespace dorvana {

// False when either path does not exist.
bool sameFile(const QString& a, const QString& b);

}  // namespace dorvana
