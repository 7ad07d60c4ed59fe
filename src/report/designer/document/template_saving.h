#pragma once
// Saving a template with a backup copy: the new text goes to a temporary file
// beside the template first; only when it is completely written and synced
// does the template get its ".BAK" copy (a hard link or a copy, the template
// staying in place) and the new file replace the template in one rename. A
// failure, or a kill, at any step leaves the template old or new, never
// missing.

#include <QString>
#include <QStringList>

namespace dorvana {

// The backup of a template: its path with the extension replaced by ".BAK"
// (a name without extension gets ".BAK" appended).
QString templateBackupPath(const QString& templatePath);

// The path a template chosen in the save dialog is saved under: its file
// name in lower case with the extension cut to at most three characters
// ("Novy.PTSX" -> "novy.pts").
QString templateSavePath(const QString& chosenPath);

// Writes the lines (Windows-1250, CR LF) to the template path keeping the
// previous file as the backup. False with a reason in *error when anything fails.
bool saveTemplateWithBackup(const QString& path, const QStringList& lines,
                            QString* error = nullptr);

}  // namespace dorvana
