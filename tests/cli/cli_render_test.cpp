// dorvana-cli render, run as a process over the sample templates and data.
#include <gtest/gtest.h>
#include <sys/types.h>

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>

#include "support/test_support.h"

namespace {

using dorvana::test::CliRun;

QString sample(const char* relative) {
    return dorvana::test::sourcePath(QStringLiteral("samples/") + QString::fromUtf8(relative));
}

dorvana::test::CliRun render(const QStringList& args) {
    return dorvana::test::runCli(QStringLiteral("render"), args);
}

class RenderCli : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dorvana::test::cliBuilt()) << "dorvana-cli is not built";
    }
    // Renders to a JSON dump and reads it back.
    QJsonObject dump(QStringList args, CliRun* run = nullptr) {
        const QString out = dir.filePath(QStringLiteral("dump.json"));
        QFile::remove(out);
        const CliRun r = render(args << QStringLiteral("--out") << out);
        if (run) *run = r;
        EXPECT_EQ(r.exitCode, 0) << r.error.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        return QJsonDocument::fromJson(dorvana::test::fileBytes(out)).object();
    }
    static QJsonArray elements(const QJsonObject& d, int page) {
        return d[u"pages"].toArray()[page].toObject()[u"elements"].toArray();
    }
    static QStringList texts(const QJsonObject& d, int page) {
        QStringList out;
        for (const auto& e : elements(d, page)) out << e.toObject()[u"text"].toString();
        return out;
    }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(RenderCli, LabelsOnePerRecordWithLimits) {
    const QString etiketa = sample("templates/etiketa.pte");
    const QString zbozi = sample("data/zbozi.csv");

    const QJsonObject all = dump({etiketa, QStringLiteral("--table"), zbozi});
    EXPECT_EQ(all[u"pageCount"].toInt(), 300);
    EXPECT_FALSE(all[u"cancelled"].toBool());
    EXPECT_EQ(all[u"paper"].toObject()[u"width"].toInt(), 236);
    EXPECT_EQ(all[u"paper"].toObject()[u"height"].toInt(), 157);
    ASSERT_EQ(elements(all, 0).size(), 7);
    EXPECT_TRUE(texts(all, 0).contains(QStringLiteral("Brambory žluté")));
    EXPECT_TRUE(texts(all, 1).contains(QStringLiteral("Vánočka s rozinkami")));
    const QJsonObject barcode = elements(all, 0)[5].toObject();
    EXPECT_EQ(barcode[u"text"].toString(), QStringLiteral("8596581699839"));
    EXPECT_FALSE(barcode[u"barcode"].toString().isEmpty());

    // --end-page stops the build; --max-records N prints N + 1 records.
    EXPECT_EQ(dump({etiketa, QStringLiteral("--table"), zbozi, QStringLiteral("--end-page"),
                    QStringLiteral("4")})[u"pageCount"]
                  .toInt(),
              4);
    EXPECT_EQ(dump({etiketa, QStringLiteral("--table"), zbozi, QStringLiteral("--max-records"),
                    QStringLiteral("2")})[u"pageCount"]
                  .toInt(),
              3);

    // One record: the second one only.
    const QJsonObject one = dump({QStringLiteral("--one-record"), QStringLiteral("--record=2"),
                                  etiketa, QStringLiteral("--table"), zbozi});
    EXPECT_EQ(one[u"pageCount"].toInt(), 1);
    EXPECT_TRUE(texts(one, 0).contains(QStringLiteral("Vánočka s rozinkami")));

    // --start-page: the output begins there.
    const QJsonObject tail =
        dump({etiketa, QStringLiteral("--table"), zbozi, QStringLiteral("--start-page"),
              QStringLiteral("2"), QStringLiteral("--end-page"), QStringLiteral("3")});
    EXPECT_EQ(tail[u"pageCount"].toInt(), 2);
    EXPECT_TRUE(texts(tail, 0).contains(QStringLiteral("Vánočka s rozinkami")));
}

TEST_F(RenderCli, ParametersFillParameterElements) {
    // One label per page showing report parameters 1 and 2 (3 is not given).
    const QString templatePath = dir.filePath(QStringLiteral("parametry.pte"));
    ASSERT_TRUE(
        dorvana::test::writeBytes(templatePath,
                                  "I,1,1,5,1,0,0\r\n"
                                  "I,2,0,236,157,0,0,0,0,1,0,4,4,0,1\r\n"
                                  "I,3,2,1,157,0,0\r\n"
                                  "T,4,0,12,10,212,22,Arial,12,0,0,0,0,1,238,\"\",\"\",0\r\n"
                                  "T,4,1,12,40,212,22,Arial,12,0,0,0,0,1,238,\"\",\"\",0\r\n"
                                  "T,4,2,12,70,212,22,Arial,12,0,0,0,0,1,238,\"\",\"\",0\r\n"));
    const QJsonObject d = dump({templatePath, QStringLiteral("--table"), sample("data/zbozi.csv"),
                                QStringLiteral("--one-record"), QStringLiteral("--param"),
                                QStringLiteral("Sklad A"), QStringLiteral("--param=Ověřeno")});
    ASSERT_EQ(d[u"pageCount"].toInt(), 1);
    EXPECT_EQ(texts(d, 0),
              (QStringList{QStringLiteral("Sklad A"), QStringLiteral("Ověřeno"), QString()}));
}

TEST_F(RenderCli, CorrectionsFileApplies) {
    const QString corrections = dir.filePath(QStringLiteral("opravy.txt"));
    ASSERT_TRUE(dorvana::test::writeBytes(
        corrections,
        "1,2,5,6,70,18,\"Opraveno\",0,\"Arial\",10,4,0,238,\"\",\"\",0\r\n"
        "0,7,10,10,100,20,\"Pridano\",2,\"Arial\",8,0,1,238,\"\",\"\",0\r\n"
        "0,0,0,0,0,0,\"\",0,\"\",0,99,0,238,\"\",\"\",0\r\n"));
    CliRun run;
    const QJsonObject d = dump({sample("templates/etiketa.pte"), QStringLiteral("--table"),
                                sample("data/zbozi.csv"), QStringLiteral("--end-page"),
                                QStringLiteral("2"), QStringLiteral("--corrections"), corrections},
                               &run);
    const QJsonObject fixed = elements(d, 1)[2].toObject();
    EXPECT_EQ(fixed[u"text"].toString(), QStringLiteral("Opraveno"));
    EXPECT_EQ(fixed[u"font"].toObject()[u"colour"].toInt(), 4);
    ASSERT_EQ(elements(d, 0).size(), 8);
    EXPECT_EQ(elements(d, 0)[7].toObject()[u"text"].toString(), QStringLiteral("Pridano"));
    EXPECT_EQ(elements(d, 0)[7].toObject()[u"kind"].toInt(), 1);
    // The third line is malformed: a warning, the element it names untouched.
    EXPECT_TRUE(run.error.contains(QStringLiteral("řádku 3"))) << run.error.toStdString();
    EXPECT_NE(elements(d, 0)[0].toObject()[u"w"].toInt(), 0);
}

TEST_F(RenderCli, ReportOrderedByTheTemplatesSortList) {
    // cenik.pts groups by popis1 and sorts by +popis1,+nazev1: the table is
    // read through a query in that order, so each group appears once.
    const QJsonObject d =
        dump({sample("templates/cenik.pts"), QStringLiteral("--table"), sample("data/zbozi.csv")});
    ASSERT_GT(d[u"pageCount"].toInt(), 1);
    QStringList groupTitles;
    for (int p = 0; p < d[u"pageCount"].toInt(); ++p)
        for (const auto& v : elements(d, p)) {
            const QJsonObject e = v.toObject();
            // The group header's field element (popis1) stands at x 0, y 4 of its section.
            if (e[u"kind"].toInt() == 2 && e[u"w"].toInt() == 400 && e[u"h"].toInt() == 20)
                groupTitles << e[u"text"].toString();
        }
    ASSERT_FALSE(groupTitles.isEmpty());
    QStringList sorted = groupTitles;
    sorted.removeDuplicates();
    // (The order among the groups is the query engine's collation.)
    EXPECT_EQ(groupTitles, sorted) << groupTitles.join(u'|').toStdString();
    EXPECT_GT(sorted.size(), 3);

    // --sql gives the records instead (here: one group only).
    const QJsonObject q = dump({sample("templates/cenik.pts"), QStringLiteral("--sql"),
                                QStringLiteral("SELECT * FROM \"%1\" WHERE popis1 = 'Pečivo'")
                                    .arg(sample("data/zbozi.csv"))});
    EXPECT_GE(q[u"pageCount"].toInt(), 1);
    QStringList titles;
    for (int p = 0; p < q[u"pageCount"].toInt(); ++p)
        for (const auto& v : elements(q, p)) {
            const QJsonObject e = v.toObject();
            if (e[u"kind"].toInt() == 2 && e[u"w"].toInt() == 400 && e[u"h"].toInt() == 20)
                titles << e[u"text"].toString();
        }
    EXPECT_EQ(titles, QStringList{QStringLiteral("Pečivo")});
}

TEST_F(RenderCli, PdfAndPngFiles) {
    const QString pdf = dir.filePath(QStringLiteral("e.pdf"));
    const QString png = dir.filePath(QStringLiteral("e.png"));
    const QStringList base{sample("templates/etiketa.pte"), QStringLiteral("--table"),
                           sample("data/zbozi.csv"), QStringLiteral("--end-page"),
                           QStringLiteral("2")};
    CliRun r = render(base + QStringList{QStringLiteral("--out"), pdf});
    EXPECT_EQ(r.exitCode, 0) << r.error.toStdString();
    EXPECT_TRUE(dorvana::test::fileBytes(pdf).startsWith("%PDF"));
    r = render(base + QStringList{QStringLiteral("--out"), png, QStringLiteral("--dpi"),
                                  QStringLiteral("100")});
    EXPECT_EQ(r.exitCode, 0) << r.error.toStdString();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("e-1.png"))));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("e-2.png"))));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("e-3.png"))));
}

TEST_F(RenderCli, FailuresGiveOneLineAndExitOne) {
    const QString etiketa = sample("templates/etiketa.pte");
    const QString zbozi = sample("data/zbozi.csv");
    const QString out = dir.filePath(QStringLiteral("x.json"));
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{etiketa}, "--out"},
        {{etiketa, "--out", dir.filePath("x.txt")}, ".json, .pdf nebo .png"},
        {{dir.filePath("neni.pte"), "--out", out}, "Nebyl nalezen soubor s předlohou"},
        {{etiketa, "--table", dir.filePath("neni.csv"), "--out", out}, "neexistuje"},
        {{etiketa, "--table", dir.path(), "--out", out}, "je složka, ne soubor"},
        {{etiketa, "--table", zbozi, "--record", "999", "--one-record", "--out", out},
         "záznam 999"},
        {{etiketa, "--table", zbozi, "--record", "x", "--out", out}, "celé číslo"},
        {{etiketa, "--table", zbozi, "--corrections", dir.filePath("neni.txt"), "--out", out},
         "soubor oprav"},
        {{etiketa, "--table", zbozi, "--start-page", "5", "--end-page", "3", "--out", out},
         "počáteční strana"},
        {{etiketa, "--sql", "SELECT * FROM neni", "--out", out}, "dotaz"},
        {{etiketa, "--printer", "neexistujici-tiskarna", "--out", out}, "tiskárn"},
        {{etiketa, "--copies", "2", "--out", out}, "--copies"},
        {{etiketa, "--table", zbozi, "--bogus", "--out", out}, "--bogus"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const CliRun r = render(c.args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.message))) << r.error.toStdString();
        EXPECT_EQ(r.error.count(u'\n'), 1) << r.error.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out));
    }
}

TEST_F(RenderCli, AFileThatIsNoTemplateFailsAndABrokenOneWarns) {
    const QString out = dir.filePath(QStringLiteral("x.json"));
    QByteArray binary;
    for (int i = 0; i < 2000; ++i) binary += char((i * 37 + 11) % 256);
    QByteArray utf16("\xFF\xFE");
    for (const char c : QByteArray("I,1,1,5,1,0,0\r\nI,2,0,236,157,0,0,0,0,1,0,4,4,0,1\r\n"))
        utf16 += QByteArray(1, c) + QByteArray(1, '\0');
    const struct {
        const char* name;
        QByteArray bytes;
    } notTemplates[] = {{"prazdna.pte", {}}, {"binarni.pte", binary}, {"utf16.pte", utf16}};
    for (const auto& c : notTemplates) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(dorvana::test::writeBytes(path, c.bytes));
        const CliRun r = render({path, QStringLiteral("--out"), out});
        EXPECT_EQ(r.exitCode, 1) << c.name;
        EXPECT_TRUE(r.error.contains(QStringLiteral("není předloha tiskové sestavy")))
            << c.name << ": " << r.error.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out));
        const CliRun info = dorvana::test::runCli(QStringLiteral("info"), {path});
        EXPECT_EQ(info.exitCode, 1) << c.name;
        EXPECT_TRUE(info.error.contains(QStringLiteral("není předloha tiskové sestavy")))
            << c.name << ": " << info.error.toStdString();
    }
    // Reading stops at a colour index 99 on line 4: what came before prints,
    // with a warning naming the line.
    const QString broken = dir.filePath(QStringLiteral("rozbita.pte"));
    ASSERT_TRUE(dorvana::test::writeBytes(
        broken,
        "I,1,1,5,1,0,0\r\nI,2,0,236,157,0,0,0,0,1,0,4,4,0,1\r\nI,3,2,1,157,0,0\r\n"
        "T,1,0,12,10,212,22,Arial,12,99,0,0,0,1,238,\"x\"\r\n"));
    CliRun run;
    const QJsonObject d = dump({broken}, &run);
    EXPECT_EQ(d[u"pageCount"].toInt(), 1);
    EXPECT_TRUE(run.error.contains(QStringLiteral("řádek 4"))) << run.error.toStdString();
}

TEST_F(RenderCli, AFieldTheTableLacksPrintsNothingAndIsNamedOnce) {
    const QString templatePath = dir.filePath(QStringLiteral("pole.pte"));
    ASSERT_TRUE(dorvana::test::writeBytes(
        templatePath,
        "I,1,1,5,1,0,0\r\nI,2,0,236,157,0,0,0,0,1,0,4,4,0,1\r\nI,3,2,1,157,0,0\r\n"
        "T,2,nazev1,12,10,212,22,Arial,12,0,0,0,0,1,238\r\n"
        "T,2,neexistuje,12,40,212,22,Arial,12,0,0,0,0,1,238\r\n"
        "T,3,neexistuje,12,70,212,22,Arial,12,0,0,0,0,1,238\r\n"));
    CliRun run;
    const QJsonObject d = dump({templatePath, QStringLiteral("--table"), sample("data/zbozi.csv"),
                                QStringLiteral("--end-page"), QStringLiteral("3")},
                               &run);
    ASSERT_EQ(d[u"pageCount"].toInt(), 3);
    EXPECT_EQ(texts(d, 0), (QStringList{QStringLiteral("Brambory žluté"), QString(), QString()}));
    EXPECT_EQ(run.error.count(QStringLiteral("neexistuje")), 1) << run.error.toStdString();
    // The build stopped at --end-page with records left: said as well.
    EXPECT_TRUE(run.error.contains(QStringLiteral("--end-page"))) << run.error.toStdString();
}

TEST_F(RenderCli, CtrlCEndsARunawayQueryWithAMessage) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    p.setProcessEnvironment(env);
    p.start(dorvana::test::cliPath(),
            {QStringLiteral("render"), sample("templates/etiketa.pte"), QStringLiteral("--sql"),
             QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) "
                            "SELECT x AS cislo FROM n WHERE x < 0"),
             QStringLiteral("--out"), dir.filePath(QStringLiteral("x.json"))});
    ASSERT_TRUE(p.waitForStarted());
    EXPECT_FALSE(p.waitForFinished(1000)) << "the query never ends by itself";
    ::kill(pid_t(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("přerušeno")));
}

TEST_F(RenderCli, WithoutEndPageALongRunIsNotCut) {
    // One record a page; 10,001 records go beyond the component's default of 9,999 pages.
    const QString templatePath = dir.filePath(QStringLiteral("cislo.pte"));
    ASSERT_TRUE(dorvana::test::writeBytes(
        templatePath,
        "I,1,1,5,1,0,0\r\nI,2,0,236,157,0,0,0,0,1,0,4,4,0,1\r\nI,3,2,1,157,0,0\r\n"
        "T,2,cislo,12,10,212,22,Arial,12,0,0,0,0,1,238\r\n"));
    const QString sql = QStringLiteral(
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 10001) "
        "SELECT x AS cislo FROM n");
    CliRun run;
    const QJsonObject d = dump({templatePath, QStringLiteral("--sql"), sql}, &run);
    EXPECT_EQ(d[u"pageCount"].toInt(), 10001);
    EXPECT_EQ(texts(d, 10000), QStringList{QStringLiteral("10001")});
    EXPECT_TRUE(run.error.isEmpty()) << run.error.toStdString();
}
