#pragma once
// The volume label of the removable medium a file lies on: on Linux the
// file system label of the device mounted where the file is.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace dorvana {

class VolumeLabels {
public:
    virtual ~VolumeLabels() = default;
    // The label of the medium holding path; false when it has none or it
    // cannot be read.
    virtual bool labelOf(const QString& path, QString* label) = 0;
};

// Reads /proc/self/mountinfo and /dev/disk/by-label.
class SystemVolumeLabels final : public VolumeLabels {
public:
    bool labelOf(const QString& path, QString* label) override;
};

// The mounted removable media a user can write to: the mount points under
// /media/USER/ and /run/media/USER/ (where desktops mount them, by label),
// and those right under /media/ (mounted by other tools), in the order of
// the mount table given (the text of /proc/self/mounts).
QStringList removableMediaFolders(const QByteArray& mounts, const QString& user);
// The same from this system's mount table, for the user running the program.
QStringList systemRemovableMedia();

}  // namespace dorvana
