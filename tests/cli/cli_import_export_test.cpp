// dorvana-cli import and export, run as a process: what they refuse to do
// to the user's files, and how they say what they did.
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <vector>

#include "support/test_support.h"

namespace {

using dorvana::test::CliRun;
using dorvana::test::fileBytes;
using dorvana::test::runCli;
using dorvana::test::writeBytes;

// Runs dorvana-cli on a pseudo terminal (stdout and stderr both); what the
// terminal got, and the exit code.
QString runOnTerminal(const QStringList& args, int* exitCode) {
    *exitCode = -1;
    QList<QByteArray> words{QFile::encodeName(dorvana::test::cliPath())};
    for (const QString& a : args) words << a.toUtf8();
    std::vector<char*> argv;
    for (QByteArray& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    // The environment is made before the fork: the child only execs.
    QList<QByteArray> env{"QT_QPA_PLATFORM=offscreen", "LC_ALL=C.UTF-8", "TERM=dumb"};
    for (char** e = environ; *e; ++e) {
        const QByteArray entry(*e);
        if (!entry.startsWith("QT_QPA_PLATFORM=") && !entry.startsWith("LC_ALL=")) env << entry;
    }
    std::vector<char*> envp;
    for (QByteArray& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid < 0) return {};
    if (pid == 0) {
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    QByteArray seen;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(terminal, buffer, sizeof buffer);
        if (n > 0)
            seen.append(buffer, n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            break;  // EIO once the child is gone
    }
    int status = 0;
    waitpid(pid, &status, 0);
    close(terminal);
    *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return QString::fromUtf8(seen);
}

class ImportExportCli : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dorvana::test::cliBuilt()) << "dorvana-cli is not built";
        ASSERT_TRUE(dir.isValid());
        source = path("zbozi.csv");
        ASSERT_TRUE(writeBytes(source, "cislo;nazev1\r\n1;Čaj\r\n2;Káva\r\n3;Mléko\r\n"));
    }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir;
    QString source;
};

TEST_F(ImportExportCli, ImportAsksBeforeReplacingAndCountsInCzech) {
    const QString dest = path("etikety.db");
    CliRun r = runCli(QStringLiteral("import"), {source, dest});
    ASSERT_EQ(r.exitCode, 0) << r.error.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("importováno 3 záznamy do etikety.db\n"));
    const QByteArray first = fileBytes(dest);

    ASSERT_TRUE(writeBytes(source, "cislo;nazev1\r\n1;Čaj\r\n"));
    r = runCli(QStringLiteral("import"), {source, dest});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.error.contains(QStringLiteral("--replace"))) << r.error.toStdString();
    EXPECT_EQ(fileBytes(dest), first);

    r = runCli(QStringLiteral("import"), {QStringLiteral("--replace"), source, dest});
    ASSERT_EQ(r.exitCode, 0) << r.error.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("importováno 1 záznam do etikety.db\n"));

    // A failed import leaves the file, and no temporary file, behind.
    const QByteArray second = fileBytes(dest);
    const QString dup = path("dup.csv");
    ASSERT_TRUE(writeBytes(dup, "cislo;nazev1\r\n1;a\r\n1;b\r\n"));
    r = runCli(QStringLiteral("import"), {QStringLiteral("--replace"), dup, dest});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(fileBytes(dest), second);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
    // A file that is not a label file is never replaced.
    const QString text = path("poznamky.txt");
    ASSERT_TRUE(writeBytes(text, "nic\n"));
    r = runCli(QStringLiteral("import"), {QStringLiteral("--replace"), source, text});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(fileBytes(text), QByteArray("nic\n"));
    // A folder as the source.
    r = runCli(QStringLiteral("import"), {dir.path(), path("nove.db")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.error.contains(QStringLiteral("je složka, ne soubor"))) << r.error.toStdString();
}

TEST_F(ImportExportCli, ExportRefusesItsOwnSourceAndSaysHowItReadTheFile) {
    const QByteArray before = fileBytes(source);
    CliRun r = runCli(QStringLiteral("export"), {source, QStringLiteral("--csv"), source});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(fileBytes(source), before);
    r = runCli(QStringLiteral("export"),
               {source, QStringLiteral("--csv"),
                dir.path() + QStringLiteral("/../") + QFileInfo(dir.path()).fileName() +
                    QStringLiteral("/zbozi.csv")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(fileBytes(source), before);

    // A Windows-1250 file is read as such, with a word about it.
    const QString cp1250 = path("cp1250.csv");
    ASSERT_TRUE(writeBytes(cp1250, QByteArray("cislo;nazev1\r\n5;\xC8"
                                              "aj\r\n")));
    const QString out = path("vystup.csv");
    r = runCli(QStringLiteral("export"), {cp1250, QStringLiteral("--csv"), out});
    ASSERT_EQ(r.exitCode, 0) << r.error.toStdString();
    EXPECT_TRUE(r.error.contains(QStringLiteral("Windows-1250"))) << r.error.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("exportováno 1 záznam do %1\n").arg(out));
    EXPECT_TRUE(fileBytes(out).contains("5,Čaj"));
}

TEST(CliMessages, EveryCommandAnswersHelpAndTheUsageListsEveryOption) {
    ASSERT_TRUE(dorvana::test::cliBuilt()) << "dorvana-cli is not built";
    const struct {
        const char* command;
        const char* option;
    } cases[] = {{"render", "--printer"}, {"eval", "--param"}, {"barcode", "--font-size"},
                 {"import", "--replace"}, {"export", "--csv"}, {"info", "TEMPLATE"}};
    for (const auto& c : cases) {
        const CliRun r = runCli(QString::fromLatin1(c.command), {QStringLiteral("--help")});
        EXPECT_EQ(r.exitCode, 0) << c.command << ": " << r.error.toStdString();
        EXPECT_TRUE(r.out.contains(QString::fromLatin1(c.option))) << r.out.toStdString();
    }
    const CliRun usage = runCli(QStringLiteral("--help"), {});
    for (const char* option : {"--printer", "--copies", "--replace", "--max-records"})
        EXPECT_TRUE(usage.out.contains(QString::fromLatin1(option))) << option;
}

TEST(CliMessages, ABarcodeFormatThatIsNotOneIsReportedAsSuch) {
    ASSERT_TRUE(dorvana::test::cliBuilt()) << "dorvana-cli is not built";
    QTemporaryDir dir;
    const CliRun r = runCli(
        QStringLiteral("barcode"),
        {QStringLiteral("--format"), QStringLiteral("xyz"), QStringLiteral("--data"),
         QStringLiteral("123"), QStringLiteral("--out"), dir.filePath(QStringLiteral("b.png"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.error.contains(QStringLiteral("Chybný formát čárového kódu")))
        << r.error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("b.png"))));
}

}  // namespace

TEST_F(ImportExportCli, ATerminalSeesThePhaseAndTheCount) {
    QByteArray csv("cislo;nazev1\r\n");
    for (int i = 1; i <= 600; ++i)
        csv += QByteArray::number(i) + ";Zboží " + QByteArray::number(i) + "\r\n";
    ASSERT_TRUE(writeBytes(source, csv));
    const QString db = path("etikety.db");
    int code = -1;
    QString seen = runOnTerminal({QStringLiteral("import"), source, db}, &code);
    ASSERT_EQ(code, 0) << seen.toStdString();
    EXPECT_TRUE(seen.contains(QStringLiteral("Import: záznam 600 z 600"))) << seen.toStdString();
    EXPECT_TRUE(seen.contains(QStringLiteral("importováno 600 záznamů do etikety.db")));

    seen = runOnTerminal({QStringLiteral("export"), db, QStringLiteral("--csv"), path("out.csv")},
                         &code);
    ASSERT_EQ(code, 0) << seen.toStdString();
    EXPECT_TRUE(seen.contains(QStringLiteral("Export: záznam 500 z 600"))) << seen.toStdString();

    const QString pdf = path("out.pdf");
    seen =
        runOnTerminal({QStringLiteral("render"),
                       dorvana::test::sourcePath(QStringLiteral("samples/templates/etiketa.pte")),
                       QStringLiteral("--table"), db, QStringLiteral("--end-page"),
                       QStringLiteral("3"), QStringLiteral("--out"), pdf},
                      &code);
    ASSERT_EQ(code, 0) << seen.toStdString();
    EXPECT_TRUE(seen.contains(QStringLiteral("Zápis PDF: strana 3 z 3"))) << seen.toStdString();
}
