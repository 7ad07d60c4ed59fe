// dorvana-cli eval, run as a process.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "support/test_support.h"

using namespace dorvana::test;

namespace {

CliRun runEval(const QStringList& args) {
    return runCli(QStringLiteral("eval"), args);
}

TEST(EvalCli, PrintsKindAndValueOrError) {
    ASSERT_TRUE(cliBuilt()) << "dorvana-cli is not built";
    const struct {
        QStringList args;
        int exitCode;
        const char* out;
    } cases[] = {
        {{"2+3*4"}, 0, "real\t14\n"},
        {{"1/3"}, 0, "real\t0.333333333333333\n"},
        {{"1.5e10"}, 0, "real\t15000000000\n"},
        {{"LENGTH('kůň')"}, 0, "integer\t3\n"},
        {{"1<2"}, 0, "boolean\tTrue\n"},
        {{"IF(1>2,'drahé','levné')"}, 0, "text\tlevné\n"},
        {{"STRTODATIM('10.12.2026 14:30')"}, 0, "datetime\t2026-12-10T14:30:00\n"},
        {{"--param", "150", "--param=x", "&1+1"}, 0, "real\t151\n"},
        {{"&2+&1", "--param", "a", "--param", "b"}, 0, "text\tba\n"},
        {{"--", "-2^2"}, 1, "error\t6\t4\tNumerická chyba\n"},
        {{"MAX(1)"}, 1, "error\t10\t6\tOčekávám čárku\n"},
        {{"STRTOINT('x')"}, 1, "failure\t„x“ není platné celé číslo\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const CliRun run = runEval(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.error.toStdString();
        EXPECT_EQ(run.out, QString::fromUtf8(c.out));
    }
}

TEST(EvalCli, ReadsFieldsOfATableRecord) {
    ASSERT_TRUE(cliBuilt()) << "dorvana-cli is not built";
    QTemporaryDir dir;
    const QString table = dir.filePath(QStringLiteral("zbozi.csv"));
    ASSERT_TRUE(dorvana::test::writeBytes(
        table, QByteArray("CISLO,NAZEV,CENA\r\n1,Mléko,25.5\r\n2,,100\r\n")));
    const struct {
        QStringList args;
        int exitCode;
        const char* out;
    } cases[] = {
        {{"#1", "--table", table}, 0, "integer\t1\n"},
        {{"#nazev", "--table", table}, 0, "text\tMléko\n"},
        {{"#NAZEV", "--table", table, "--record", "2"}, 0, "text\t\n"},  // no value: empty text
        {{"#3*1.21", "--table", table, "--record", "2"}, 0, "real\t121\n"},
        {{"#CENA>100", "--table", table, "--record", "2"}, 0, "boolean\tFalse\n"},
        {{"#99", "--table", table}, 0, "integer\t0\n"},
        {{"#NEZNAME", "--table", table}, 1, "error\t1\t1\tNeznamý identifikátor\n"},
        // Wrong options fail with a message and print nothing.
        {{"#1", "--table", table, "--record", "3"}, 1, ""},
        {{"#1", "--table", table, "--record", "x"}, 1, ""},
        {{"#1", "--record", "1"}, 1, ""},
        {{"#1", "--table", dir.filePath(QStringLiteral("nic.csv"))}, 1, ""},
        {{"1", "2"}, 1, ""},
        {{}, 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const CliRun run = runEval(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.error.toStdString();
        EXPECT_EQ(run.out, QString::fromUtf8(c.out));
        if (c.exitCode != 0 && run.out.isEmpty()) {
            EXPECT_TRUE(run.error.contains(u"dorvana-cli: ")) << run.error.toStdString();
        }
    }
}

}  // namespace
