#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "base/code_page.h"
#include "report/run/report_component.h"
#include "report/run/template_choice.h"
#include "report/run/template_list.h"
#include "support/test_support.h"

using namespace dorvana;

TEST(TemplateList, LeadingInfoLines) {
    const TemplateLeadingInfo info = readLeadingInfo({
        QStringLiteral("I,0,\"Ceník, zboží\""), QStringLiteral("I,1,1,5,1,0,0"),
        QStringLiteral("I,5,1,\"SELECT * FROM ~a b.db~ T1\""),
        QStringLiteral("I,5,1,\"ORDER BY %ORDER\""), QStringLiteral("I,5,0,\"+cislo,-nazev1\""),
        QStringLiteral("I,6,\"nazev1\""), QStringLiteral("I,6,\"cena\""),
        QStringLiteral("F,1,\"x\""),
        QStringLiteral("I,6,\"pozde\""),  // after the first non-I line: not read
    });
    EXPECT_EQ(info.title, QStringLiteral("Ceník, zboží"));
    EXPECT_TRUE(info.sql);
    EXPECT_EQ(info.sqlLines, (QStringList{QStringLiteral("SELECT * FROM \"a b.db\" T1"),
                                          QStringLiteral("ORDER BY %ORDER")}));
    EXPECT_EQ(info.orderText, QStringLiteral(" cislo, nazev1 DESC"));
    EXPECT_EQ(info.usedFields, (QStringList{QStringLiteral("nazev1"), QStringLiteral("cena")}));

    const TemplateLeadingInfo none = readLeadingInfo({QStringLiteral("T,1,0,0,0,1,1")});
    EXPECT_TRUE(none.title.isEmpty());
    EXPECT_FALSE(none.sql);
}

TEST(TemplateList, ListsFilesOfTheMaskByTitle) {
    QTemporaryDir dir;
    const auto write = [&](const char* name, const QByteArray& text) {
        ASSERT_TRUE(test::writeBytes(dir.filePath(QString::fromUtf8(name)), text));
    };
    write("Zeta.PTS", "I,0,\"Alfa\"\r\nI,5,0,\"+cena\"\r\n");
    write("beta.pts", "I,1,1,5,1,0,0\r\n");  // no title: listed under its file name
    write("jine.pte", "I,0,\"Etiketa\"\r\n");
    write("sub/vnoreny.pts", encode(u"I,0,\"Vnořený\"\r\n", CodePage::Windows1250));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("adresar.pts")));

    const QList<TSouborPredlohy> list = listTemplates(dir.path() + u'/', QStringLiteral("*.pts"));
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].title, QStringLiteral("Alfa"));
    EXPECT_EQ(list[0].fileName, QStringLiteral("Zeta.PTS"));  // opens as it is named
    EXPECT_EQ(list[0].info.orderText, QStringLiteral(" cena"));
    EXPECT_EQ(list[1].title, QStringLiteral("beta.pts"));

    // Names are found without regard to case.
    EXPECT_EQ(findTemplate(list, QStringLiteral("ZETA.pts")), 0);
    EXPECT_EQ(findTemplate(list, QStringLiteral("BETA.PTS")), 1);
    EXPECT_EQ(findTemplate(list, QStringLiteral("jine.pte")), -1);

    // The mask's directory part stays in front of the file names.
    const QList<TSouborPredlohy> sub =
        listTemplates(dir.path() + u'/', QStringLiteral("sub/*.pts"));
    ASSERT_EQ(sub.size(), 1);
    EXPECT_EQ(sub[0].fileName, QStringLiteral("sub/vnoreny.pts"));
    EXPECT_EQ(sub[0].title, QStringLiteral("Vnořený"));

    EXPECT_TRUE(
        listTemplates(dir.filePath(QStringLiteral("chybi/")), QStringLiteral("*.pts")).isEmpty());
}

TEST(TemplateList, ChoiceHandsTheFileNameToTheComponent) {
    QTemporaryDir dir;
    ASSERT_TRUE(test::writeBytes(dir.filePath(QStringLiteral("Zeta.PTS")),
                                 "I,0,\"Zeta\"\r\nI,5,1,\"SELECT ~x~\"\r\nI,5,0,\"-cena\"\r\n"));
    ASSERT_TRUE(test::writeBytes(dir.filePath(QStringLiteral("beta.pts")), "I,0,\"Beta\"\r\n"));
    TSestava report;
    TemplateChoice choice;
    choice.ReportMask = QStringLiteral("*.pts");
    choice.setReportDir(dir.path());
    choice.ReportDirIgnore = false;
    choice.Report = &report;

    choice.setReportName(QStringLiteral("ZETA.pts"));
    EXPECT_EQ(choice.titles(), (QStringList{QStringLiteral("Beta"), QStringLiteral("Zeta")}));
    EXPECT_EQ(choice.selectedIndex(), 1);
    EXPECT_EQ(report.ReportName, QStringLiteral("Zeta.PTS"));
    EXPECT_TRUE(choice.sqlFlag());
    EXPECT_EQ(choice.sqlLines(), QStringList{QStringLiteral("SELECT \"x\"")});
    EXPECT_EQ(choice.orderText(), QStringLiteral(" cena DESC"));

    // A new template sorts in front; dropping down keeps the shown entry.
    ASSERT_TRUE(test::writeBytes(dir.filePath(QStringLiteral("alfa.pts")), "I,0,\"Alfa\"\r\n"));
    choice.dropDown();
    EXPECT_EQ(choice.reportName(), QStringLiteral("Zeta.PTS"));
    choice.select(0);
    EXPECT_EQ(report.ReportName, QStringLiteral("alfa.pts"));
    choice.refreshAndSelect(QStringLiteral("beta.pts"));
    EXPECT_EQ(choice.reportName(), QStringLiteral("beta.pts"));
    EXPECT_EQ(report.ReportName, QStringLiteral("alfa.pts"));  // left alone

    choice.setReportName(QStringLiteral("neni.pts"));
    EXPECT_EQ(choice.selectedIndex(), -1);
    EXPECT_TRUE(report.ReportName.isEmpty());
    EXPECT_FALSE(choice.sqlFlag());
    EXPECT_TRUE(choice.orderText().isEmpty());

    // With ReportDirIgnore the program's directory is searched, not ReportDir.
    choice.ReportDirIgnore = true;
    choice.fill();
    EXPECT_TRUE(choice.entries().isEmpty());
}
