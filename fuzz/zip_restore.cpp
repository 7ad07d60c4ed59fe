// Arbitrary bytes as a backup archive (also one that claims to span disks):
// restoring never crashes and never writes a file anywhere but directly in
// the data or start directory of a scratch workspace.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <unistd.h>

#include "app/core/backup_restore.h"
#include "app/core/volume_label.h"
#include "scratch.h"
#include "quiet_log.h"

namespace {

using namespace dorvana;

// Every disk asked for is "inserted" with the right label and the same bytes.
class SameDisk final : public RestorePrompts, public VolumeLabels {
public:
    int asked = 0;
    int current = 0;
    bool insertDisk(int number) override {
        current = number;
        return ++asked <= 4;
    }
    void wrongDisk() override {}
    bool labelOf(const QString&, QString* label) override {
        *label = QStringLiteral("PKBACK# %1").arg(current, 3, 10, QLatin1Char('0'));
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString root = fuzzScratchDir("zip");
    QDir(root).removeRecursively();
    const QString start = root + QStringLiteral("/work");
    const QString dataDir = start + QStringLiteral("/data");
    const QString drive = root + QStringLiteral("/a");
    QDir().mkpath(dataDir);
    QDir().mkpath(drive);
    const QString archive = drive + QStringLiteral("/zdsave.zip");
    QFile f(archive);
    if (!f.open(QIODevice::WriteOnly)) return 0;
    f.write(reinterpret_cast<const char*>(data), qint64(size));
    f.close();

    SameDisk disks;
    const RestoreResult r = restoreBackup(archive, dataDir, start, disks, disks);

    // Nothing but the archive and files directly in the two folders.
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file(it.next());
        const QString folder = file.absolutePath();
        if (file.absoluteFilePath() == archive) continue;
        if (folder != dataDir && folder != start) __builtin_trap();
        if (file.fileName().endsWith(QStringLiteral(".obnova"))) __builtin_trap();  // left half-done
    }
    if (r.ok != (r.message == kRestoreDone)) __builtin_trap();
    return 0;
}
