// Where a report's records come from: the caller's query, the table, or the
// table through the template's sort list or its own SQL.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "data/data_set.h"
#include "report/layout/pages/printed_element.h"
#include "report/run/report_data.h"
#include "report/run/template_list.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

class ReportDataTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        table = dir.filePath(QStringLiteral("zbozi.csv"));
        ASSERT_TRUE(QFile::copy(test::sourcePath(QStringLiteral("samples/data/zbozi.csv")), table));
    }
    // The values of one field over every record, in the order read.
    static QStringList column(DataSet* data, const char* name) {
        QStringList out;
        Field* f = data->findField(QString::fromUtf8(name));
        EXPECT_NE(f, nullptr);
        if (!f) return out;
        for (data->first(); !data->atEnd(); data->next()) out << f->displayText();
        return out;
    }
    static bool ascending(const QStringList& values) {
        for (int i = 1; i < values.size(); ++i)
            if (values[i - 1].toInt() > values[i].toInt()) return false;
        return true;
    }

    QTemporaryDir dir;
    QString table;
    ReportData data;
    QString error;
};

TEST_F(ReportDataTest, TableAloneOrThroughTheSortList) {
    TemplateLeadingInfo info;
    ASSERT_TRUE(data.open(ReportDataRequest::ofTable(table), info, &error)) << error.toStdString();
    ASSERT_NE(data.dataSet(), nullptr);
    EXPECT_EQ(data.dataSet()->recordCount(), 300);
    EXPECT_TRUE(ascending(column(data.dataSet(), "cislo")));

    info.orderText = QStringLiteral("T1.cislo DESC");
    ASSERT_TRUE(data.open(ReportDataRequest::ofTable(table), info, &error)) << error.toStdString();
    const QStringList numbers = column(data.dataSet(), "cislo");
    ASSERT_EQ(numbers.size(), 300);
    EXPECT_GT(numbers.first().toInt(), numbers.last().toInt());
    EXPECT_TRUE(data.warnings().isEmpty());
}

TEST_F(ReportDataTest, TemplateSqlRunsFromTheTablesFolderWithTheSortList) {
    TemplateLeadingInfo info;
    info.sql = true;
    info.sqlLines = {QStringLiteral("SELECT T1.* FROM \"zbozi.csv\" T1"),
                     QStringLiteral("WHERE T1.cislo <= 50 ORDER BY %ORDER")};
    info.orderText = QStringLiteral("T1.cislo DESC");
    ASSERT_TRUE(data.open(ReportDataRequest::ofTable(table), info, &error)) << error.toStdString();
    EXPECT_EQ(column(data.dataSet(), "cislo"),
              QStringList({"50", "40", "30", "20", "10"}));
    EXPECT_TRUE(data.warnings().isEmpty());
}

TEST_F(ReportDataTest, TemplateSqlThatDoesNotPrepareFallsBackToTheTableWithAWarning) {
    TemplateLeadingInfo info;
    info.sql = true;
    info.sqlLines = {QStringLiteral("SELEKT nic")};
    ASSERT_TRUE(data.open(ReportDataRequest::ofTable(table), info, &error)) << error.toStdString();
    EXPECT_EQ(data.dataSet()->recordCount(), 300);
    ASSERT_EQ(data.warnings().size(), 1);
    EXPECT_TRUE(data.warnings()[0].startsWith(QStringLiteral("Chybný SQL dotaz ve zdroji dat !!! (")))
        << data.warnings()[0].toStdString();
}

TEST_F(ReportDataTest, CallersQueryReplacesTheTemplatesChoice) {
    TemplateLeadingInfo info;
    info.sql = true;
    info.sqlLines = {QStringLiteral("SELECT T1.* FROM \"zbozi.csv\" T1")};
    ReportDataRequest request{table, true, QStringLiteral("SELECT cislo FROM \"zbozi.csv\" WHERE cislo = 20")};
    ASSERT_TRUE(data.open(request, info, &error)) << error.toStdString();
    EXPECT_EQ(column(data.dataSet(), "cislo"), QStringList{"20"});

    // Without a table and without a query the report runs without records.
    ASSERT_TRUE(data.open({}, TemplateLeadingInfo{}, &error));
    EXPECT_EQ(data.dataSet(), nullptr);
}

TEST_F(ReportDataTest, FailuresSayWhat) {
    const struct {
        ReportDataRequest request;
        QString order;
        QString starts;
    } cases[] = {
        {ReportDataRequest::ofTable(dir.filePath(QStringLiteral("chybi.csv"))), {}, QStringLiteral("tabulka „")},
        {ReportDataRequest::ofTable(table), QStringLiteral("T1.neni_pole"),
         QStringLiteral("Chybné položky v třídícím řetězci ve zdroji dat !!! (")},
        {{table, true, QStringLiteral("SELECT * FROM \"chybi.csv\"")}, {},
         QStringLiteral("dotaz nelze provést: ")},
    };
    for (const auto& c : cases) {
        TemplateLeadingInfo info;
        info.orderText = c.order;
        error.clear();
        EXPECT_FALSE(data.open(c.request, info, &error));
        EXPECT_TRUE(error.startsWith(c.starts)) << error.toStdString();
        EXPECT_EQ(data.dataSet(), nullptr);
    }
}

TEST(PagesFrom, LaterPagesKeepTheirElementsAndThePaper) {
    PageStore pages;
    pages.paper.width = 827;
    for (int n = 0; n < 3; ++n) {
        TPrevPrvek e;
        e.text = QString::number(n + 1);
        pages.addElement(n, e);
    }
    const PageStore later = pagesFrom(pages, 1);
    ASSERT_EQ(later.pageCount(), 2);
    EXPECT_EQ(later.paper.width, 827);
    EXPECT_EQ(later.page(0).elements()[0].text, QStringLiteral("2"));
    EXPECT_EQ(later.page(1).elements()[0].text, QStringLiteral("3"));
}

}  // namespace
