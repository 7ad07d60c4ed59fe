// Restoring backups (single and spanned over disks) and writing them.
#include <gtest/gtest.h>

#include <zip.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>
#include <sys/stat.h>

#include "app/core/backup_restore.h"
#include "app/core/volume_label.h"
#include "base/progress.h"
#include "base/safe_file.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

struct Entry {
    QString name;
    QByteArray data;
    bool link = false;
};

// A ZIP archive of the entries, as bytes.
QByteArray makeZip(const QString& path, const QList<Entry>& entries) {
    int code = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    EXPECT_NE(z, nullptr);
    for (const Entry& e : entries) {
        // The buffers stay ours (freep 0) and live until the archive is closed.
        zip_source_t* s = zip_source_buffer(z, e.data.constData(), zip_uint64_t(e.data.size()), 0);
        const zip_int64_t i = zip_file_add(z, e.name.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8);
        EXPECT_GE(i, 0);
        if (e.link)
            zip_file_set_external_attributes(z, zip_uint64_t(i), 0, ZIP_OPSYS_UNIX,
                                             (S_IFLNK | 0777) << 16);
    }
    EXPECT_EQ(zip_close(z), 0);
    return test::fileBytes(path);
}

// Splits an ordinary archive into n disk segments as PKZIP writes them:
// offsets in the central directory relative to the disk they lie on.
QList<QByteArray> split(QByteArray zip, int n) {
    const qsizetype end = zip.lastIndexOf(QByteArray::fromHex("504b0506"));
    const quint16 total = qFromLittleEndian<quint16>(zip.constData() + end + 10);
    const quint32 cd = qFromLittleEndian<quint32>(zip.constData() + end + 16);
    QList<qsizetype> bases;
    for (int k = 0; k < n; ++k) bases << cd * k / n;  // cuts inside the file data
    auto disk = [&](qsizetype at) {
        int d = 0;
        while (d + 1 < n && bases[d + 1] <= at) ++d;
        return d;
    };
    qsizetype at = cd;
    for (int i = 0; i < total; ++i) {
        const quint32 local = qFromLittleEndian<quint32>(zip.constData() + at + 42);
        const int d = disk(local);
        qToLittleEndian<quint16>(quint16(d), zip.data() + at + 34);
        qToLittleEndian<quint32>(quint32(local - bases[d]), zip.data() + at + 42);
        at += 46 + qFromLittleEndian<quint16>(zip.constData() + at + 28) +
              qFromLittleEndian<quint16>(zip.constData() + at + 30) +
              qFromLittleEndian<quint16>(zip.constData() + at + 32);
    }
    const int cdDisk = disk(cd);
    qToLittleEndian<quint16>(quint16(n - 1), zip.data() + end + 4);
    qToLittleEndian<quint16>(quint16(cdDisk), zip.data() + end + 6);
    qToLittleEndian<quint32>(quint32(cd - bases[cdDisk]), zip.data() + end + 16);
    QList<QByteArray> out;
    for (int k = 0; k < n; ++k)
        out << zip.mid(bases[k], k + 1 < n ? bases[k + 1] - bases[k] : -1);
    return out;
}

// Disks put in by the test: asking for disk n puts the next one of the
// script into the drive (the archive's path) with its label.
class ScriptedDisks final : public RestorePrompts, public VolumeLabels {
public:
    QString drivePath;
    QList<QPair<QString, QByteArray>> script;  // label, segment, in the order inserted
    QString label;
    QStringList asked;
    bool insertDisk(int number) override {
        asked << QStringLiteral("disk %1").arg(number);
        if (script.isEmpty()) return false;
        const auto [l, bytes] = script.takeFirst();
        label = l;
        test::writeBytes(drivePath, bytes);
        return true;
    }
    void wrongDisk() override { asked << QStringLiteral("wrong"); }
    bool labelOf(const QString&, QString* l) override {
        *l = label;
        return !label.isEmpty();
    }
};

class BackupRestoreTest : public testing::Test {
protected:
    void SetUp() override {
        data = dir.filePath(QStringLiteral("work/data"));
        start = dir.filePath(QStringLiteral("work"));
        QDir().mkpath(data);
        disks.drivePath = dir.filePath(QStringLiteral("a/zdsave.zip"));
        QDir().mkpath(dir.filePath(QStringLiteral("a")));
    }
    RestoreResult restore(const QString& archive) {
        return restoreBackup(archive, data, start, disks, disks);
    }
    QTemporaryDir dir;
    QString data, start;
    ScriptedDisks disks;
    const QList<Entry> entries{{"kuk.db", "tabulka"},
                               {"kuk.px", "index"},
                               {"kuk.mb", "bloby"},
                               {"etiketa.pte", "I,0,\"Etiketa\"\r\n"},
                               {"readme.txt", "x"}};
};

TEST_F(BackupRestoreTest, EntriesGoToTheirFoldersByName) {
    const QString archive = dir.filePath(QStringLiteral("zaloha.zip"));
    makeZip(archive, entries);
    const RestoreResult r = restore(archive);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.message, QStringLiteral("HOTOVO"));
    EXPECT_EQ(test::fileBytes(data + "/kuk.db"), "tabulka");
    EXPECT_EQ(test::fileBytes(data + "/kuk.px"), "index");
    EXPECT_EQ(test::fileBytes(start + "/etiketa.pte"), "I,0,\"Etiketa\"\r\n");
    EXPECT_FALSE(QFile::exists(data + "/kuk.mb"));
    EXPECT_FALSE(QFile::exists(start + "/readme.txt"));
    EXPECT_EQ(r.restored.size(), 3);
    EXPECT_TRUE(QDir(data).entryList({"*.obnova"}, QDir::Files).isEmpty());

    EXPECT_EQ(restoreTargetOf(QStringLiteral("X.DBF")), RestoreTarget::Data);
    EXPECT_EQ(restoreTargetOf(QStringLiteral("vyber.s")), RestoreTarget::Data);
    EXPECT_EQ(restoreTargetOf(QStringLiteral("proto.PTF")), RestoreTarget::Start);
    EXPECT_EQ(restoreTargetOf(QStringLiteral("vyber.sgn")), RestoreTarget::None);
}

TEST_F(BackupRestoreTest, ArchivesThatWouldWriteElsewhereRestoreNothing) {
    ASSERT_TRUE(test::writeBytes(data + "/kuk.db", "puvodni"));
    const QList<QList<Entry>> hostile{
        {{"kuk.db", "nove"}, {"../evil.db", "zlo"}},
        {{"kuk.db", "nove"}, {"/tmp/evil.db", "zlo"}},
        {{"kuk.db", "nove"}, {"..\\..\\evil.pte", "zlo"}},
        {{"kuk.db", "nove"}, {"odkaz.db", "/etc/passwd", true}},
    };
    for (const auto& h : hostile) {
        const QString archive = dir.filePath(QStringLiteral("zla.zip"));
        makeZip(archive, h);
        const RestoreResult r = restore(archive);
        EXPECT_FALSE(r.ok) << h[1].name.toStdString();
        EXPECT_TRUE(r.message.contains(QStringLiteral("Nic nebylo obnoveno"))) << r.message.toStdString();
        EXPECT_EQ(test::fileBytes(data + "/kuk.db"), "puvodni");
        EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("work/evil.db"))));
        EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("evil.db"))));
    }
}

TEST_F(BackupRestoreTest, MissingDamagedAndTruncatedArchives) {
    ASSERT_TRUE(test::writeBytes(data + "/kuk.db", "puvodni"));
    RestoreResult r = restore(dir.filePath(QStringLiteral("neni.zip")));
    EXPECT_EQ(r.message, QStringLiteral("Soubor %1 neexistuje").arg(dir.filePath("neni.zip")));

    const QString archive = dir.filePath(QStringLiteral("zaloha.zip"));
    QByteArray bytes = makeZip(archive, {{"kuk.db", QByteArray(5000, 'a')}, {"x.pte", "b"}});
    // A flipped byte inside the stored data: the checksum refuses it.
    const qsizetype at = bytes.indexOf("kuk.db") + 10;
    bytes[at] = char(bytes[at] ^ 0x55);
    ASSERT_TRUE(test::writeBytes(archive, bytes));
    r = restore(archive);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(test::fileBytes(data + "/kuk.db"), "puvodni");
    EXPECT_FALSE(QFile::exists(start + "/x.pte"));

    ASSERT_TRUE(test::writeBytes(archive, bytes.left(bytes.size() / 2)));
    r = restore(archive);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.isEmpty());
    EXPECT_EQ(test::fileBytes(data + "/kuk.db"), "puvodni");
}

TEST_F(BackupRestoreTest, SpannedArchiveAsksDiskByDiskAndChecksTheLabels) {
    const QByteArray whole = makeZip(dir.filePath(QStringLiteral("cela.zip")),
                                     {{"kuk.db", QByteArray(3000, 'k')},
                                      {"kuk.px", QByteArray(2000, 'p')},
                                      {"etiketa.pte", "sablona"}});
    const QList<QByteArray> segments = split(whole, 3);
    ASSERT_TRUE(test::writeBytes(disks.drivePath, segments[2]));  // the last disk is in the drive
    disks.script = {{"PKBACK# 001", segments[0]},
                    {"JINY DISK", segments[2]},
                    {"PKBACK# 002", segments[1]}};
    const RestoreResult r = restore(disks.drivePath);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(disks.asked, QStringList({"disk 1", "disk 2", "wrong", "disk 2"}));
    EXPECT_EQ(test::fileBytes(data + "/kuk.db"), QByteArray(3000, 'k'));
    EXPECT_EQ(test::fileBytes(data + "/kuk.px"), QByteArray(2000, 'p'));
    EXPECT_EQ(test::fileBytes(start + "/etiketa.pte"), "sablona");

    // No at the disk question ends the restore with nothing written.
    QFile::remove(data + "/kuk.db");
    ASSERT_TRUE(test::writeBytes(disks.drivePath, segments[2]));
    disks.asked.clear();
    disks.script.clear();
    const RestoreResult aborted = restore(disks.drivePath);
    EXPECT_FALSE(aborted.ok);
    EXPECT_EQ(disks.asked, QStringList{"disk 1"});
    EXPECT_FALSE(QFile::exists(data + "/kuk.db"));
}

TEST_F(BackupRestoreTest, AWrittenBackupRestoresIdenticalFiles) {
    ASSERT_TRUE(test::writeBytes(data + "/etikety.db", QByteArray(100000, 'e')));
    ASSERT_TRUE(test::writeBytes(data + "/ceny.dbf", "dbase"));
    ASSERT_TRUE(test::writeBytes(data + "/tempprn.txt", "ne"));
    ASSERT_TRUE(test::writeBytes(data + "/tempprn.db", "tiskova tabulka"));
    ASSERT_TRUE(test::writeBytes(data + "/etikety.db.obnova", "zbytek obnovy"));
    ASSERT_TRUE(test::writeBytes(start + "/cenik.pts", "sestava"));
    const QString archive = dir.filePath(QStringLiteral("zaloha.zip"));
    QString error;
    int written = 0;
    ASSERT_TRUE(writeBackup(archive, data, start, nullptr, &error, &written)) << error.toStdString();
    EXPECT_EQ(written, 3);

    const QString data2 = dir.filePath(QStringLiteral("novy/data")), start2 = dir.filePath("novy");
    const RestoreResult r = restoreBackup(archive, data2, start2, disks, disks);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    for (const char* f : {"data/etikety.db", "data/ceny.dbf", "cenik.pts"})
        EXPECT_EQ(test::fileBytes(dir.filePath(QStringLiteral("novy/") + f)),
                  test::fileBytes(dir.filePath(QStringLiteral("work/") + f)))
            << f;
    EXPECT_FALSE(QFile::exists(data2 + "/tempprn.txt"));
    EXPECT_FALSE(QFile::exists(data2 + "/tempprn.db"));
}

// An archive holding the same entry name twice (libzip will not write one:
// the second name is patched in place).
QByteArray zipWithNameTwice(const QString& path, const QString& name, const QByteArray& a,
                            const QByteArray& b) {
    QString other = name;
    other[other.size() - 1] = u'~';
    QByteArray bytes = makeZip(path, {{name, a}, {other, b}});
    bytes.replace(other.toUtf8(), name.toUtf8());
    EXPECT_TRUE(test::writeBytes(path, bytes));
    return bytes;
}

QStringList leftovers(const QString& dir) {
    return QDir(dir).entryList({"*.obnova", ".*"}, QDir::Files | QDir::Hidden);
}

TEST_F(BackupRestoreTest, TwoEntriesForOneFileOrATemporaryNameRestoreNothing) {
    ASSERT_TRUE(test::writeBytes(data + "/etikety.db", "puvodni"));
    ASSERT_TRUE(test::writeBytes(start + "/cenik.pts", "sestava"));
    const QString archive = dir.filePath(QStringLiteral("zaloha.zip"));
    const QList<QList<Entry>> cases{
        {{"cenik.pts", "nova"}, {"old/etikety.db", "stara"}, {"new/etikety.db", "nova"}},
        {{"cenik.pts", "nova"}, {"etikety.db", "nova"}, {"etikety.db.obnova", "cizi"}},
        {{"cenik.pts", "nova"}, {"etikety.db.obnova", "cizi"}},
    };
    for (const auto& entries : cases) {
        makeZip(archive, entries);
        const RestoreResult r = restore(archive);
        EXPECT_FALSE(r.ok) << entries[1].name.toStdString();
        EXPECT_TRUE(r.message.endsWith(QStringLiteral("Nic nebylo obnoveno."))) << r.message.toStdString();
        EXPECT_EQ(test::fileBytes(data + "/etikety.db"), "puvodni");
        EXPECT_EQ(test::fileBytes(start + "/cenik.pts"), "sestava");
        EXPECT_EQ(leftovers(data), QStringList());
    }
    // One name twice.
    zipWithNameTwice(archive, QStringLiteral("etikety.db"), "prvni", "druha");
    const RestoreResult r = restore(archive);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, QStringLiteral("Záloha %1 obsahuje dvě položky pro soubor %2 („etikety.db“ a "
                                        "„etikety.db“). Nic nebylo obnoveno.")
                             .arg(archive, data + "/etikety.db"));
    EXPECT_EQ(test::fileBytes(data + "/etikety.db"), "puvodni");
}

TEST_F(BackupRestoreTest, AStopBetweenTheReplacementsLeavesEveryFileOldOrNew) {
    for (const char* f : {"kuk.db", "kuk.px"}) ASSERT_TRUE(test::writeBytes(data + "/" + f, "stary"));
    ASSERT_TRUE(test::writeBytes(start + "/etiketa.pte", "stara"));
    const QString archive = dir.filePath(QStringLiteral("zaloha.zip"));
    makeZip(archive, entries);
    QStringList seen;
    replacement_steps::setHook([&](const QString& step) {
        seen << step;
        return step != QStringLiteral("restore-replace kuk.px");
    });
    const RestoreResult r = restore(archive);
    replacement_steps::setHook(nullptr);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message, kRestoreDone);
    EXPECT_EQ(seen, QStringList({"restore-replace kuk.db", "restore-replace kuk.px"}));
    EXPECT_EQ(test::fileBytes(data + "/kuk.db"), "tabulka");
    EXPECT_EQ(test::fileBytes(data + "/kuk.px"), "stary");
    EXPECT_EQ(test::fileBytes(start + "/etiketa.pte"), "stara");
    // As after a kill, the unpacked files wait under their temporary names
    // until the next start removes them; a backup never packs them.
    EXPECT_EQ(leftovers(data), QStringList{"kuk.px.obnova"});
    EXPECT_EQ(leftovers(start), QStringList{"etiketa.pte.obnova"});
    QString error;
    ASSERT_TRUE(writeBackup(dir.filePath(QStringLiteral("nova.zip")), data, start, nullptr, &error)) << error.toStdString();
    zip_t* z = zip_open(QFile::encodeName(dir.filePath(QStringLiteral("nova.zip"))).constData(), ZIP_RDONLY, nullptr);
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(zip_name_locate(z, "kuk.px.obnova", 0), -1);
    EXPECT_EQ(zip_get_num_entries(z, 0), 3);  // kuk.db, kuk.px, etiketa.pte
    zip_discard(z);
    EXPECT_EQ(removeRestoreLeftovers({data, start}).size(), 2);
    EXPECT_EQ(leftovers(data) + leftovers(start), QStringList());
}

class CancelAfter final : public Progress {
public:
    explicit CancelAfter(int steps) : left_(steps) {}
    void step(int, int, const QString&) override { --left_; }
    bool cancelled() override { return left_ <= 0; }

private:
    int left_;
};

TEST_F(BackupRestoreTest, ZipBombsLimitsAndACancelRestoreNothing) {
    ASSERT_TRUE(test::writeBytes(data + "/kuk.db", "puvodni"));
    const QString archive = dir.filePath(QStringLiteral("bomba.zip"));
    struct Case {
        QList<Entry> entries;
        RestoreLimits limits;
        const char* says;
    };
    QList<Entry> many;
    for (int i = 0; i < 40; ++i) many << Entry{QStringLiteral("b%1.db").arg(i), QByteArray(1 << 20, '\0')};
    RestoreLimits small;
    small.maxTotal = 4000;
    const QList<Case> cases{
        {{{"kuk.db", QByteArray(64 << 20, '\0')}}, {}, "by se rozbalila"},
        {many, {}, "by se rozbalila"},
        {{{"kuk.db", QByteArray(3000, 'a')}, {"x.pte", QByteArray(3000, 'b')}}, small, "víc než"},
    };
    for (const Case& c : cases) {
        makeZip(archive, c.entries);
        const RestoreResult r = restoreBackup(archive, data, start, disks, disks, nullptr, c.limits);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.message.contains(QString::fromUtf8(c.says)) && r.message.endsWith("Nic nebylo obnoveno."))
            << r.message.toStdString();
        EXPECT_EQ(test::fileBytes(data + "/kuk.db"), "puvodni");
        EXPECT_EQ(QDir(data).entryList(QDir::Files | QDir::Hidden), QStringList{"kuk.db"});
    }

    // "Přeruš" in the middle of an entry.
    QByteArray big(300000, 'x');
    for (int i = 0; i < big.size(); ++i) big[i] = char(i * 7919 % 251);
    makeZip(archive, {{"kuk.db", big}, {"kuk.px", "index"}});
    CancelAfter cancel(2);
    const RestoreResult r = restoreBackup(archive, data, start, disks, disks, &cancel);
    EXPECT_EQ(r.message, QStringLiteral("Obnova dat byla přerušena, nic nebylo obnoveno."));
    EXPECT_EQ(test::fileBytes(data + "/kuk.db"), "puvodni");
    EXPECT_EQ(QDir(data).entryList(QDir::Files | QDir::Hidden), QStringList{"kuk.db"});
}

TEST_F(BackupRestoreTest, AFullDiskRestoresNothingAndAnUnwritableFolderIsNamed) {
    test::SmallDisk disk(64);
    if (!disk.mounted()) GTEST_SKIP() << disk.whyNot().toStdString();
    const QString full = disk.filePath(QStringLiteral("data"));
    ASSERT_TRUE(test::writeBytes(full + "/kuk.db", "puvodni"));
    QByteArray big(200000, 'x');
    for (int i = 0; i < big.size(); ++i) big[i] = char(i * 7919 % 251);
    const QString archive = dir.filePath(QStringLiteral("zaloha.zip"));
    makeZip(archive, {{"kuk.db", big}, {"kuk.pte", "sablona"}});
    const RestoreResult r = restoreBackup(archive, full, start, disks, disks);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("není místo"))) << r.message.toStdString();
    EXPECT_EQ(test::fileBytes(full + "/kuk.db"), "puvodni");
    EXPECT_FALSE(QFile::exists(start + "/kuk.pte"));

    // A backup into a folder that takes no file: Czech, naming the folder.
    ASSERT_TRUE(test::writeBytes(data + "/etikety.db", QByteArray(5000, 'e')));
    ASSERT_TRUE(disk.fill());
    QString error;
    EXPECT_FALSE(writeBackup(disk.filePath(QStringLiteral("zdsave.zip")), data, start, nullptr, &error));
    EXPECT_TRUE(error.contains(disk.path()) && error.contains(QStringLiteral("na disku není místo")))
        << error.toStdString();
    EXPECT_FALSE(QFile::exists(disk.filePath(QStringLiteral("zdsave.zip"))));
    EXPECT_FALSE(writeBackup(dir.filePath(QStringLiteral("neni/zdsave.zip")), data, start, nullptr, &error));
    EXPECT_EQ(error, QStringLiteral("Soubor %1 nelze zapsat: do složky %2 nelze zapisovat (složka neexistuje)")
                         .arg(dir.filePath(QStringLiteral("neni/zdsave.zip")), dir.filePath(QStringLiteral("neni"))));
}

TEST(BackupPlaces, TheMountedRemovableMediaOfTheUser) {
    const QByteArray mounts =
        "/dev/sda1 / ext4 rw 0 0\n"
        "/dev/sdb1 /media/jan/USB\\040DISK vfat rw 0 0\n"
        "/dev/sdc1 /run/media/jan/KLIC vfat rw 0 0\n"
        "/dev/sdd1 /media/petr/CIZI vfat rw 0 0\n"
        "/dev/sr0 /media/cdrom iso9660 ro 0 0\n"
        "tmpfs /run/user/1000 tmpfs rw 0 0\n"
        "/dev/sde1 /media/jan/USB\\040DISK/vnoreny vfat rw 0 0\n";
    EXPECT_EQ(removableMediaFolders(mounts, QStringLiteral("jan")),
              QStringList({"/media/jan/USB DISK", "/run/media/jan/KLIC", "/media/cdrom"}));
}

TEST(BackupNames, ExtensionIsForcedToZip) {
    EXPECT_EQ(forceZipExtension(QStringLiteral("zaloha.txt")), QStringLiteral("zaloha.zip"));
    EXPECT_EQ(forceZipExtension(QStringLiteral("zaloha")), QStringLiteral("zaloha.zip"));
    EXPECT_EQ(forceZipExtension(QStringLiteral("/media/a/data.bak")), QStringLiteral("/media/a/data.zip"));
    EXPECT_EQ(forceZipExtension(QStringLiteral("/media/a/zdsave.zip")), QStringLiteral("/media/a/zdsave.zip"));
    // Dots in the folders are not the file's extension.
    EXPECT_EQ(forceZipExtension(QStringLiteral("/home/jan.novak/zaloha")),
              QStringLiteral("/home/jan.novak/zaloha.zip"));
}

}  // namespace
