#pragma once
// The recent-files list: at most 8 entries, newest first, each "path;kind"
// with kind "1" for a label file and "2" for a foreign table.

#include <QString>
#include <QStringList>

namespace dorvana {

class RecentFiles {
public:
    static constexpr int kMaxEntries = 8;

    const QStringList& entries() const { return entries_; }
    // Entries beyond the limit are dropped.
    void setEntries(const QStringList& entries);
    // An entry already in the list (path and kind exactly) leaves the list as
    // it is; otherwise it goes to the top and the ninth entry drops out.
    void add(const QString& path, int kind);

    // The menu caption of an entry: the file name of its path.
    static QString caption(const QString& entry);
    // Path and kind of an entry (a kind that is not a number counts as 1).
    static QString pathOf(const QString& entry);
    static int kindOf(const QString& entry);

private:
    QStringList entries_;
};

}  // namespace dorvana
