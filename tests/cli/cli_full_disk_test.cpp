// dorvana-cli writing onto a full disk: the failure said on one line, exit 1,
// the file that was there left as it was.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "support/test_support.h"

namespace {

using dorvana::test::fileBytes;
using dorvana::test::runCli;
using dorvana::test::writeBytes;

TEST(CliFullDisk, ExportAndRenderSayTheDiskIsFullAndKeepTheOldFile) {
    ASSERT_TRUE(dorvana::test::cliBuilt()) << "dorvana-cli is not built";
    dorvana::test::SmallDisk disk(256);
    if (!disk.mounted()) GTEST_SKIP() << disk.whyNot().toStdString();
    const QString table = dorvana::test::sourcePath(QStringLiteral("samples/data/zbozi.csv"));
    const QString label = dorvana::test::sourcePath(QStringLiteral("samples/templates/etiketa.pte"));
    struct Case {
        QString command;
        QStringList args;
        QString written;  // the file the command writes
    };
    const QList<Case> cases{
        {QStringLiteral("export"), {table, QStringLiteral("--csv"), disk.filePath("vystup.csv")},
         disk.filePath("vystup.csv")},
        {QStringLiteral("render"),
         {label, QStringLiteral("--table"), table, QStringLiteral("--max-records"), QStringLiteral("3"),
          QStringLiteral("--out"), disk.filePath("strany.json")},
         disk.filePath("strany.json")},
        {QStringLiteral("render"),
         {label, QStringLiteral("--table"), table, QStringLiteral("--max-records"), QStringLiteral("3"),
          QStringLiteral("--out"), disk.filePath("strany.pdf")},
         disk.filePath("strany.pdf")},
        {QStringLiteral("render"),
         {label, QStringLiteral("--table"), table, QStringLiteral("--max-records"), QStringLiteral("3"),
          QStringLiteral("--dpi"), QStringLiteral("50"),
          QStringLiteral("--out"), disk.filePath("strana.png")},
         disk.filePath("strana-1.png")},
        {QStringLiteral("barcode"),
         {QStringLiteral("--format"), QStringLiteral("031010000120010015#0"), QStringLiteral("--data"),
          QStringLiteral("590123412345"), QStringLiteral("--out"), disk.filePath("kod.png")},
         disk.filePath("kod.png")},
    };
    // Each works while there is room (so that the full disk is what fails).
    for (const Case& c : cases) {
        const dorvana::test::CliRun r = runCli(c.command, c.args);
        ASSERT_EQ(r.exitCode, 0) << c.written.toStdString() << ": " << r.error.toStdString();
        ASSERT_TRUE(writeBytes(c.written, "stary"));
    }
    ASSERT_TRUE(disk.fill());
    for (const Case& c : cases) {
        const dorvana::test::CliRun r = runCli(c.command, c.args);
        EXPECT_EQ(r.exitCode, 1) << c.written.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_EQ(r.error.count(u'\n'), 1) << r.error.toStdString();
        EXPECT_TRUE(r.error.contains(QStringLiteral("na disku není místo"))) << r.error.toStdString();
        EXPECT_EQ(fileBytes(c.written), "stary") << c.written.toStdString();
    }
    // No temporary file is left: the only hidden file is the filler.
    EXPECT_EQ(QDir(disk.path()).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral(".plnidlo")});
}

}  // namespace
