#pragma once
// The one way the program writes a file: the new contents go to a temporary
// file beside the target, every write is checked, the data is synced to the
// medium and only then renamed over the target in one step, and the folder is
// synced. A failure at any step (a full disk, a folder that cannot be
// written, a medium pulled out) is reported in Czech naming the file, and the
// old file stays as it was.

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

#include "base/text_file.h"

class QIODevice;

namespace dorvana {

class SafeFile {
public:
    explicit SafeFile(const QString& path);
    // A temporary file not yet renamed into place is removed.
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // The temporary file gets this name instead of a hidden unique one
    // (set before open; an existing file of that name is replaced).
    void setTemporaryPath(const QString& path);

    // Creates the temporary file; false with a message naming the file and
    // its folder.
    bool open(QString* error = nullptr);
    // Where to write (for writers that take a device: images, PDF, JSON).
    // Writes after a failure fail too; commit() reports the first failure.
    QIODevice* device();
    bool write(const QByteArray& bytes);
    bool write(const char* data, qint64 size);

    // finish() + replace(): the new file takes the target's name.
    bool commit(QString* error = nullptr);
    // The two halves of commit, for several files that go into place
    // together: finish() writes out the rest, syncs and closes the
    // temporary file (which stays under its temporary name); replace()
    // renames it over the target and syncs the folder.
    bool finish(QString* error = nullptr);
    bool replace(QString* error = nullptr);
    // Gives up: the temporary file is removed, the target untouched.
    void discard();
    // Leaves the temporary file where it is, as a killed program would.
    void abandon();

    // The target (a symbolic link's target when path is a link).
    const QString& path() const { return target_; }
    const QString& temporaryPath() const { return temporary_; }

private:
    class Device;
    bool fail(QString* error, const QString& text);

    QString target_;
    QString temporary_;
    std::unique_ptr<Device> device_;
    enum class State { Closed, Open, Finished, Replaced, Failed } state_ = State::Closed;
};

// writeFileAtomically (text_file.h) writes whole contents through SafeFile.

// Renames from over to in one step (a file at to is replaced, never removed
// first) and syncs the folder; false with a Czech message.
bool replaceFile(const QString& from, const QString& to, QString* error = nullptr);

// Syncs a file's data, or a folder's entries, to the medium.
bool syncPath(const QString& path);

// A system error number as a short Czech reason ("na disku není místo" …).
QString systemErrorText(int errorNumber);

// The standard message of a failed write: "Soubor X nelze zapsat: reason".
QString writeFailureText(const QString& path, const QString& reason);

// Steps of the program's multi-step replacements (a template saved with its
// backup, a restore putting several files into place). A test sets a hook
// that stops the work before a named step as a killed program would stop it.
namespace replacement_steps {
using Hook = std::function<bool(const QString& step)>;
// Null restores the default (every step proceeds).
void setHook(Hook hook);
// False when the hook stops the work here: the caller stops at once, leaving
// its files as they are (temporary files abandoned, nothing cleaned up).
bool proceed(const QString& step);
}  // namespace replacement_steps

}  // namespace dorvana
