#pragma once
// Where the user's guide is: the installed copy in the program's guide
// folder beside its bin folder, else (run from a build tree) the docs folder
// of the source tree the program was built from.

#include <QString>
#include <QStringList>

namespace dorvana {

// The guide's file name in its folder (its pictures are in images/ beside it).
inline constexpr char kUserGuideFile[] = "uzivatelska-prirucka.md";

// The folders searched, in order, for a program in executableDir.
QStringList userGuideFolders(const QString& executableDir);

// The first of the folders that holds the guide ("" when none does).
QString findUserGuide(const QStringList& folders);

}  // namespace dorvana
