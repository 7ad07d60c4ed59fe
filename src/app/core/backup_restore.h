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

// Where a restore unpacks an entry before it replaces its file: the file's
// name with ".obnova" appended.
inline const QString kRestoreSuffix = QStringLiteral(".obnova");
QString restoreTemporaryPath(const QString& target);

// Removes the temporary files a stopped restore left in these folders
// (done at every start); returns the files removed.
QStringList removeRestoreLeftovers(const QStringList& directories);

// What an archive may unpack to.
struct RestoreLimits {
    qint64 maxTotal = qint64(16) << 30;  // all chosen entries together
    qint64 ratioFrom = qint64(16) << 20;  // an entry larger than this ...
    qint64 maxRatio = 200;                // ... at most this many times its packed size
};

// Restores an archive. Nothing is written unless every chosen entry could be
// read: a missing or damaged archive, an entry whose name would leave its
// folder ("../", an absolute path, a link), two entries for one file, an
// entry named like a restore's temporary file, an archive that would unpack
// beyond the limits or the free space, a wrong disk given up, a cancel, a
// disk that is full — each ends with a Czech message and the files as they
// were. Entries are unpacked as they are read (never the whole archive in
// memory) to temporary files beside their targets, synced, and each renamed
// over its file in one step.
RestoreResult restoreBackup(const QString& archive, const QString& dataDirectory,
                            const QString& startDirectory, RestorePrompts& prompts,
                            VolumeLabels& labels, Progress* progress = nullptr,
                            const RestoreLimits& limits = {});

// Writes an archive of the files a restore takes back: the data
// directory's "*.d*", "*.px", "*.s" files and the start directory's "*.pt*"
// files (through a temporary file). False with a Czech message.
bool writeBackup(const QString& archive, const QString& dataDirectory,
                 const QString& startDirectory, Progress* progress = nullptr,
                 QString* error = nullptr, int* written = nullptr);

}  // namespace dorvana
