#pragma once
// The volume label of the removable medium a file lies on: on Linux the
// file system label of the device mounted where the file is.

#include <QString>

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

}  // namespace dorvana
