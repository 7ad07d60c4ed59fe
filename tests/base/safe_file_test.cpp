// The one way files are written: complete or not at all, also on a full disk.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/safe_file.h"
#include "base/text_file.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

QStringList visibleAndHidden(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

TEST(SafeFile, AFullDiskLeavesTheOldFileAndSaysSoInCzech) {
    test::SmallDisk disk(32);
    if (!disk.mounted()) GTEST_SKIP() << disk.whyNot().toStdString();
    const QString path = disk.filePath(QStringLiteral("dorvana.ini"));
    ASSERT_TRUE(writeFileAtomically(path, "[Okno]\r\nLeft=10\r\n"));
    ASSERT_TRUE(disk.fill());

    // Small writes (which a buffered writer keeps until its commit) and large
    // ones, whole and through the device.
    for (const int size : {10, 5000, 200000}) {
        QString error;
        EXPECT_FALSE(writeFileAtomically(path, QByteArray(size, 'n'), &error)) << size;
        EXPECT_EQ(error, QStringLiteral("Soubor %1 nelze zapsat: na disku není místo").arg(path));
        EXPECT_EQ(test::fileBytes(path), "[Okno]\r\nLeft=10\r\n") << size;

        SafeFile file(path);
        ASSERT_TRUE(file.open(&error)) << error.toStdString();
        for (int i = 0; i < size; i += 100) file.device()->write(QByteArray(100, 'd'));
        EXPECT_FALSE(file.commit(&error));
        EXPECT_TRUE(error.contains(QStringLiteral("na disku není místo"))) << error.toStdString();
        EXPECT_EQ(test::fileBytes(path), "[Okno]\r\nLeft=10\r\n");
    }
    EXPECT_EQ(visibleAndHidden(disk.path()), QStringList({".plnidlo", "dorvana.ini"}))
        << "no temporary file is left behind";

    disk.unfill();
    ASSERT_TRUE(writeFileAtomically(path, "novy"));
    EXPECT_EQ(test::fileBytes(path), "novy");
}

TEST(SafeFile, ReplacesInOneStepKeepingPermissionsAndLinks) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.flt"));
    ASSERT_TRUE(test::writeBytes(path, "stary"));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    const QString link = dir.filePath(QStringLiteral("odkaz.flt"));
    ASSERT_TRUE(QFile::link(path, link));

    SafeFile file(link);
    ASSERT_TRUE(file.open());
    file.write("novy");
    ASSERT_TRUE(file.finish());
    // Until the rename the old file is in place, the new one beside it, hidden.
    EXPECT_EQ(test::fileBytes(path), "stary");
    EXPECT_TRUE(QFileInfo(file.temporaryPath()).fileName().startsWith(u'.'));
    ASSERT_TRUE(file.replace());
    EXPECT_EQ(test::fileBytes(path), "novy");
    EXPECT_TRUE(QFileInfo(link).isSymLink()) << "the link stays a link";
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(visibleAndHidden(dir.path()), QStringList({"a.flt", "odkaz.flt"}));

    // A folder that does not exist, a folder in the way.
    QString error;
    EXPECT_FALSE(writeFileAtomically(dir.filePath(QStringLiteral("neni/a.txt")), "x", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("složka neexistuje"))) << error.toStdString();
    QDir().mkpath(dir.filePath(QStringLiteral("slozka")));
    EXPECT_FALSE(writeFileAtomically(dir.filePath(QStringLiteral("slozka")), "x", &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Soubor %1 nelze zapsat").arg(dir.filePath("slozka"))));
}

TEST(SafeFile, AReadOnlyFolderIsNamedInTheMessage) {
    if (::geteuid() == 0) {
        // root writes anywhere; a read-only mount shows the same.
        test::SmallDisk disk(16);
        if (!disk.mounted()) GTEST_SKIP() << disk.whyNot().toStdString();
        ASSERT_EQ(::mount(nullptr, QFile::encodeName(disk.path()).constData(), nullptr,
                          MS_REMOUNT | MS_RDONLY, nullptr),
                  0);
        QString error;
        EXPECT_FALSE(writeFileAtomically(disk.filePath(QStringLiteral("zdsave.zip")), "x", &error));
        EXPECT_EQ(error, QStringLiteral("Soubor %1 nelze zapsat: do složky %2 nelze zapisovat (médium je "
                                        "jen pro čtení)")
                             .arg(disk.filePath(QStringLiteral("zdsave.zip")), disk.path()));
        return;
    }
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    QString error;
    EXPECT_FALSE(writeFileAtomically(dir.filePath(QStringLiteral("a.txt")), "x", &error));
    EXPECT_TRUE(error.contains(dir.path())) << error.toStdString();
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace
