#pragma once
// Backups of the program's data: restoring label tables (to the data
// directory) and templates (to the start directory) from a ZIP archive, also
// one spanned over several disks, and writing such an archive.

#include <QString>
#include <QStringList>

namespace dorvana {

class Progress;
class VolumeLabels;

// Where the entries of a backup go.
enum class RestoreTarget { None, Data, Start };
// By the entry's file name: "*.d*", "*.px", "*.s" to the data directory,
// "*.pt*" to the start directory, everything else stays in the archive.
RestoreTarget restoreTargetOf(const QString& entryName);

// The archive name with the extension ".zip": an extension is replaced
// (everything after the first "." of the file name), a name without one
// gets it.
QString forceZipExtension(const QString& name);

// The questions of a restore from disks.
class RestorePrompts {
public:
    virtual ~RestorePrompts() = default;
    // "Založ disketu pořadové číslo : n"; false aborts the restore.
    virtual bool insertDisk(int number) = 0;
    // "To není ta správná disketa".
    virtual void wrongDisk() = 0;
};

struct RestoreResult {
    bool ok = false;
    QString message;       // "HOTOVO", or what went wrong
    QStringList restored;  // the files written
};

inline const QString kRestoreDone = QStringLiteral("HOTOVO");

// Restores an archive. Nothing is written unless every chosen entry could be
// read: a missing or damaged archive, an entry whose name would leave its
// folder ("../", an absolute path, a link), a wrong disk given up, a disk
// that is full — each ends with a Czech message and the files as they were.
// Each file is written under a temporary name and renamed into place.
RestoreResult restoreBackup(const QString& archive, const QString& dataDirectory,
                            const QString& startDirectory, RestorePrompts& prompts,
                            VolumeLabels& labels, Progress* progress = nullptr);

// Writes an archive of the files a restore takes back: the data
// directory's "*.d*", "*.px", "*.s" files and the start directory's "*.pt*"
// files (through a temporary file). False with a Czech message.
bool writeBackup(const QString& archive, const QString& dataDirectory,
                 const QString& startDirectory, Progress* progress = nullptr,
                 QString* error = nullptr, int* written = nullptr);

}  // namespace dorvana
