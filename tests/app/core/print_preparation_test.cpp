// Preparing a print run from the shown table: roles, the temporary print
// table with marks, copies, counters, blank label positions and pictures, the
// print query, and per-record jobs.
#include <gtest/gtest.h>

#include <QImage>
#include <QLocale>
#include <QTemporaryDir>

#include "app/core/per_record_print.h"
#include "app/core/print_query.h"
#include "app/core/print_table.h"
#include "data/data_set.h"
#include "data/label_file.h"
#include "data/query.h"
#include "data/table_open.h"
#include "report/expr/format/format_settings.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

class PrintPreparationTest : public testing::Test {
protected:
    void SetUp() override {
        setFormatLocale(QLocale(QLocale::Czech, QLocale::Czechia));
        QString error;
        labelPath = dir.filePath(QStringLiteral("etikety.db"));
        ASSERT_TRUE(createLabelFile(labelPath, &error)) << error.toStdString();
        labels = openLabelDataSet(labelPath, &error);
        ASSERT_TRUE(labels) << error.toStdString();
        // cislo, cislo1 (copies), cislo2 (counter)
        const int rows[][3] = {{10, 2, 10}, {20, 5, 50}, {30, 0, 70}, {40, 3, 100}};
        for (const auto& r : rows) {
            ASSERT_TRUE(labels->append(&error));
            labels->findField(QStringLiteral("cislo"))->setValue(TaggedValue(qint32(r[0])));
            labels->findField(QStringLiteral("cislo1"))->setValue(TaggedValue(double(r[1])));
            labels->findField(QStringLiteral("cislo2"))->setValue(TaggedValue(double(r[2])));
            ASSERT_TRUE(labels->post(&error)) << error.toStdString();
        }
    }
    void TearDown() override { resetFormatLocale(); }

    QList<PrintColumn> labelColumns(const char* cislo1Title, const char* cislo2Description = "") {
        return {{QStringLiteral("cislo"), QStringLiteral("Číslo"), {}},
                {QStringLiteral("cislo1"), QString::fromLatin1(cislo1Title), {}},
                {QStringLiteral("cislo2"), QStringLiteral("Číslo 2"), QString::fromLatin1(cislo2Description)}};
    }
    // "cislo/cislo2" of every record of the print query built over the run.
    QStringList printed(PrintTableRequest request, PrintQueryRequest q = {}) {
        QString error;
        int written = 0;
        request.shown = labels.get();
        request.markField = QStringLiteral("calc");
        request.path = dir.filePath(QStringLiteral("tempprn.db"));
        EXPECT_TRUE(buildPrintTable(request, &written, &error)) << error.toStdString();
        q.printTablePath = request.path;
        q.shownTableFile = labelPath;
        q.fromPrintTable = true;
        q.copy = request.roles.copy;
        q.counters = request.counters;
        Query query;
        QStringList messages;
        EXPECT_TRUE(openPrintQuery(query, q, &messages, &error)) << error.toStdString();
        QStringList out;
        if (!query.dataSet()) return out;
        DataSet& d = *query.dataSet();
        for (d.first(); !d.atEnd(); d.next())
            out << d.findField(QStringLiteral("cislo"))->displayText() + u'/' +
                       QString::number(d.findField(QStringLiteral("cislo2"))->value().asReal());
        return out;
    }

    QTemporaryDir dir;
    QString labelPath;
    std::unique_ptr<DataSet> labels;
};

TEST_F(PrintPreparationTest, MarkedRecordsAsManyTimesAsTheirCopyCount) {
    PrintTableRequest r;
    r.roles = readPrintRoles(labelColumns("COPY"), true, false);
    ASSERT_TRUE(r.roles.copy);
    r.marks = {4, 1, 3};  // records 40, 10 and 30 (30 has 0 copies)
    EXPECT_EQ(printed(r), QStringList({"10/10", "10/10", "40/100", "40/100", "40/100"}));

    // A counter on cislo2 steps in each extra copy; with no sort string the
    // order is cislo, then the counter.
    r.counters = printCounters(labelColumns("COPY", "COUNTER#5"), *labels);
    ASSERT_EQ(r.counters.size(), 1);
    EXPECT_EQ(r.counters[0].field, QStringLiteral("cislo2"));
    EXPECT_EQ(printed(r), QStringList({"10/10", "10/15", "40/100", "40/105", "40/110"}));
    EXPECT_EQ(printOrder({true, false, {}, {}, {}, {}, {}, true, true, r.counters}),
              QStringLiteral("CISLO,cislo2"));
}

TEST_F(PrintPreparationTest, OneRecordSwitchesCopiesOffAndNothingNeedsATable) {
    const PrintRoles roles = readPrintRoles(labelColumns("COPY"), true, /*oneRecord*/ true);
    EXPECT_FALSE(roles.copy);
    EXPECT_FALSE(needsPrintTable(false, roles, false));
    EXPECT_TRUE(needsPrintTable(false, roles, true));

    // Without a temporary table the query reads the label file, in the
    // template's order.
    PrintQueryRequest q;
    q.shownTableFile = labelPath;
    q.sortString = QStringLiteral("cislo DESC");
    Query query;
    QStringList messages;
    QString error;
    ASSERT_TRUE(openPrintQuery(query, q, &messages, &error)) << error.toStdString();
    EXPECT_TRUE(messages.isEmpty());
    query.dataSet()->first();
    EXPECT_EQ(query.dataSet()->findField(QStringLiteral("cislo"))->displayText(), QStringLiteral("40"));
    EXPECT_EQ(query.dataSet()->findField(QStringLiteral("cena"))->displayFormat(),
              QStringLiteral("# ### ### ##0.00"));
}

TEST_F(PrintPreparationTest, TemplateSqlThatFailsReadsTheTemporaryTable) {
    PrintTableRequest r;
    r.marks = {2};
    PrintQueryRequest q;
    q.ownSql = true;
    q.sqlLines = {QStringLiteral("SELEKT")};
    QString error;
    int written = 0;
    r.shown = labels.get();
    r.markField = QStringLiteral("calc");
    r.path = dir.filePath(QStringLiteral("tempprn.db"));
    ASSERT_TRUE(buildPrintTable(r, &written, &error));
    EXPECT_EQ(written, 1);
    q.printTablePath = r.path;
    q.shownTableFile = labelPath;
    q.fromPrintTable = true;
    Query query;
    QStringList messages;
    ASSERT_TRUE(openPrintQuery(query, q, &messages, &error)) << error.toStdString();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Chybný SQL dotaz ve zdroji dat !!!")});
    EXPECT_EQ(query.sql(), QStringList({QStringLiteral("SELECT T1.*"),
                                        QStringLiteral("FROM \"%1\" T1").arg(r.path)}));
    EXPECT_EQ(query.dataSet()->recordCount(), 1);

    // A sort string the engine rejects is said, and the query opens all the same.
    q.ownSql = false;
    q.sortString = QStringLiteral("neni_pole");
    messages.clear();
    openPrintQuery(query, q, &messages, &error);
    EXPECT_EQ(messages,
              QStringList{QStringLiteral("Chybné položky v třídícím řetězci ve zdroji dat !!!")});
}

TEST(PrintRoles, ColumnsAndCounterSteps) {
    // Role names follow the name rule: A-Z without regard to case, any other
    // letter exactly ("PICTURÉ" is another name).
    const QList<PrintColumn> external{{QStringLiteral("Copy"), {}, {}},
                                      {QStringLiteral("pcopy"), {}, {}},
                                      {QStringLiteral("PICTURE"), {}, {}},
                                      {QStringLiteral("PICTURÉ"), {}, {}}};
    const PrintRoles e = readPrintRoles(external, false, false);
    EXPECT_TRUE(e.copy && e.perRecord && e.picture);
    EXPECT_EQ(e.pictureField, QStringLiteral("PICTURE"));
    EXPECT_FALSE(readPrintRoles({{QStringLiteral("Pícture"), {}, {}}}, false, false).picture);
    // In a label file only the title of cislo1's column counts.
    EXPECT_FALSE(readPrintRoles(external, true, false).copy);
    EXPECT_TRUE(readPrintRoles({{QStringLiteral("cislo1"), QStringLiteral("pcopy"), {}}}, true, false)
                    .perRecord);

    QLocale::setDefault(QLocale(QLocale::Czech));
    setFormatLocale(QLocale(QLocale::Czech, QLocale::Czechia));
    EXPECT_EQ(counterStep(QStringLiteral("COUNTER#5")), 5);
    EXPECT_EQ(counterStep(QStringLiteral("COUNTER")), 1);
    EXPECT_EQ(counterStep(QStringLiteral("COUNTER#krok")), 1);
    EXPECT_EQ(counterStep(QStringLiteral("COUNTER# 2,5")), 2.5);
    resetFormatLocale();

    EXPECT_EQ(copyCount(-1), 0);
    EXPECT_EQ(copyCount(2.5), 2);
    EXPECT_EQ(copyCount(1e9), 65535);
}

// An external table (CSV) with COPY and PICTURE fields; "PICTURÉ" is another
// name, a text field.
TEST(PrintTableOfAnExternalTable, BlankLabelPositionsAndPictures) {
    QTemporaryDir dir;
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString picture = dir.filePath(QStringLiteral("logo.png"));
    ASSERT_TRUE(image.save(picture));
    const QString csv = dir.filePath(QStringLiteral("zbozi.csv"));
    ASSERT_TRUE(
        test::writeBytes(csv, QStringLiteral("nazev,COPY,PICTURE,PICTURÉ\nA,1,%1,%1\nB,2,%2,\n")
                                  .arg(picture, dir.filePath(QStringLiteral("chybi.png")))
                                  .toUtf8()));
    QString error;
    auto shown = openAnyTable(csv, &error);
    ASSERT_TRUE(shown) << error.toStdString();
    QList<PrintColumn> columns;
    for (int i = 0; i < shown->fieldCount(); ++i) columns << PrintColumn{shown->field(i)->name(), {}, {}};

    for (const int position : {3, 1}) {
        PrintTableRequest r;
        r.shown = shown.get();
        r.roles = readPrintRoles(columns, false, false);
        r.labelPosition = position;
        r.path = dir.filePath(QStringLiteral("tempprn.db"));
        int written = 0;
        ASSERT_TRUE(buildPrintTable(r, &written, &error)) << error.toStdString();
        auto table = openAnyTable(r.path, &error);
        ASSERT_TRUE(table) << error.toStdString();
        QStringList rows;
        for (table->first(); !table->atEnd(); table->next())
            rows << table->findField(QStringLiteral("nazev"))->displayText() + u'/' +
                        table->findField(QStringLiteral("COPY"))->displayText() + u'/' +
                        (table->findField(QStringLiteral("PICTURE"))->blob().isEmpty() ? u'-'
                                                                                       : u'P') +
                        u'/' +
                        (table->findField(QStringLiteral("PICTURÉ"))->displayText() == picture
                             ? u'T'
                             : u'-');
        const QStringList blanks =
            position == 3 ? QStringList{"/-1/-/-", "/-1/-/-", "/-1/-/-"} : QStringList{};
        EXPECT_EQ(rows, blanks + QStringList({"A/1/P/T", "B/2/-/-", "B/2/-/-"})) << position;
    }
}

TEST(PerRecordPrint, EachRecordItsOwnJobAndAFirstCountOfZeroPrintsNothing) {
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("t.csv"));
    ASSERT_TRUE(test::writeBytes(csv, "nazev,PCOPY\nA,2\nB,0\nC,3\n"));
    QString error;
    auto source = openAnyTable(csv, &error);
    ASSERT_TRUE(source);
    QStringList jobs;
    auto print = [&](ReportSettings& s, bool dialog) {
        jobs << source->findField(QStringLiteral("nazev"))->displayText() + u'x' +
                    QString::number(s.PrintCopies) + (dialog ? QStringLiteral(" (dialog)") : QString());
        return true;
    };
    ReportSettings settings;
    EXPECT_EQ(printPerRecord(*source, QStringLiteral("PCOPY"), settings, print), 2);
    EXPECT_EQ(jobs, QStringList({"Ax2 (dialog)", "Cx3"}));
    EXPECT_TRUE(settings.TiskJedenZaznam);

    ASSERT_TRUE(test::writeBytes(csv, "nazev,PCOPY\nA,0\nB,4\n"));
    source = openAnyTable(csv, &error);
    jobs.clear();
    EXPECT_EQ(printPerRecord(*source, QStringLiteral("PCOPY"), settings, print), 0);
    EXPECT_TRUE(jobs.isEmpty());
}

}  // namespace
