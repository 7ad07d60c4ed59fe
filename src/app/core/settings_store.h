#pragma once
// Reading and writing the program's own ini files (the settings file and the
// per-file layout files) so that a file that cannot be read is never
// overwritten silently: it is put aside under a ".chybny" name, and the user
// is told, before a new one is written.

#include <QString>

#include "base/ini_file.h"

namespace dorvana {

class Messages;

class SettingsStore {
public:
    // Reads the file. A missing file reads as empty. A file that cannot be
    // read, or holds bytes no ini file has (NUL), reads as empty and is
    // marked unreadable.
    bool load(const QString& path);
    bool unreadable() const { return unreadable_; }
    IniFile& ini() { return ini_; }
    const IniFile& ini() const { return ini_; }

    // Writes the file (temporary file, then rename), first putting an
    // unreadable original aside and telling the user. False with an error
    // box when writing fails.
    bool save(Messages& messages);

private:
    IniFile ini_;
    QString path_;
    bool unreadable_ = false;
};

}  // namespace dorvana
