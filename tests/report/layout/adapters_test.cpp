// The adapters between the report model, the data set, the user functions
// and the fonts; loading a template for a run.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>

#include "layout_test_support.h"
#include "report/expr/functions/function_list.h"
#include "report/expr/functions/report_variable.h"
#include "report/expr/tagged_value.h"
#include "report/expr/value_rules.h"
#include "report/layout/data_set_fields.h"
#include "report/layout/font_measurer.h"
#include "report/layout/format_date_texts.h"
#include "report/layout/function_values.h"
#include "report/layout/report_field_value.h"
#include "report/model/picture_cache.h"
#include "report/model/report_model.h"
#include "report/model/template_writer.h"
#include "template_lines.h"

using namespace dorvana;
using namespace dorvana::test;

namespace {

std::unique_ptr<DataSet> mixedTable() {
    FieldDefs defs{{"nazev", FieldType::String, 10, false},
                   {"pozn", FieldType::Memo, 0, false},
                   {"cena", FieldType::Currency, 0, false},
                   {"logo", FieldType::Graphic, 0, false},
                   {"datum", FieldType::Date, 0, false}};
    return memoryTable(defs, {{QVariant(), QVariant(), QVariant(), QVariant(), QVariant()},
                              {"čaj", "řádek", 12.5, QByteArray("x"), QVariant()}});
}

TEST(LayoutAdapters, FieldWithoutValueReadsAsEmptyTextOrZero) {
    auto table = mixedTable();
    table->first();
    EXPECT_EQ(reportFieldValue(table->field(0)), TaggedValue::text(QString()));
    EXPECT_EQ(reportFieldValue(table->field(1)), TaggedValue::text(QString()));
    EXPECT_EQ(reportFieldValue(table->field(2)), TaggedValue::integer(0));
    EXPECT_EQ(reportFieldValue(table->field(4)), TaggedValue::integer(0));
    EXPECT_EQ(reportFieldValue(nullptr), TaggedValue::integer(0));
    table->next();
    EXPECT_EQ(reportFieldValue(table->field(0)), TaggedValue::text(u"čaj"_qs));
    EXPECT_EQ(reportFieldValue(table->field(2)), TaggedValue::real(12.5));
}

TEST(LayoutAdapters, DataSetFieldsTellMemoAndPictureFields) {
    auto table = mixedTable();
    table->setRecNo(2);
    DataSetFields fields(table.get());
    EXPECT_EQ(fields.fieldCount(), 5);
    EXPECT_EQ(fields.fieldKind(0), ReportFieldSource::FieldKind::Other);
    EXPECT_EQ(fields.fieldKind(1), ReportFieldSource::FieldKind::Memo);
    EXPECT_EQ(fields.fieldKind(3), ReportFieldSource::FieldKind::Picture);
    EXPECT_EQ(fields.displayText(1), "řádek");
    EXPECT_EQ(fields.blobData(3), QByteArray("x"));
    EXPECT_EQ(fields.fieldIndex("NAZEV"), 0);
    EXPECT_EQ(fields.displayText(9), "") << "a field beyond the data set shows nothing";
    DataSetFields none;
    EXPECT_EQ(none.fieldCount(), 0);
}

TEST(LayoutAdapters, ConditionOperandsOfFunctionValues) {
    struct Case {
        TaggedValue value;
        ConditionOperand::Kind kind;
        qint64 integer;
        bool boolean;
    };
    const Case cases[] = {
        {TaggedValue::boolean(true), ConditionOperand::Kind::Boolean, 0, true},
        {TaggedValue::integer(-3), ConditionOperand::Kind::Integer, -3, false},
        {TaggedValue::real(2.5), ConditionOperand::Kind::Integer, 2, false},
        {TaggedValue::real(3.5), ConditionOperand::Kind::Integer, 4, false},
        {TaggedValue::text(u"7"_qs), ConditionOperand::Kind::Integer, 7, false},
        {TaggedValue::text(u"ano"_qs), ConditionOperand::Kind::Invalid, 0, false},
        {TaggedValue(), ConditionOperand::Kind::Invalid, 0, false},
        {TaggedValue::dateTime(3.0), ConditionOperand::Kind::Invalid, 0, false},
    };
    for (const Case& c : cases) {
        const ConditionOperand op = FunctionValues::operandOf(c.value);
        EXPECT_EQ(op.kind, c.kind) << TaggedValue::kindName(c.value.kind());
        EXPECT_EQ(op.integer, c.integer) << TaggedValue::kindName(c.value.kind());
        EXPECT_EQ(op.boolean, c.boolean) << TaggedValue::kindName(c.value.kind());
    }
    FunctionValues none;
    EXPECT_EQ(none.conditionOperand(0, ConditionValue::Printed).kind,
              ConditionOperand::Kind::Invalid);
}

TEST(LayoutAdapters, FontMeasurerUsesMetricCompatibleFonts) {
    FontMeasurer measurer;
    // Liberation Sans "Hello": 2278 thousandths of an em; 10 pt = 13.89 units an em.
    EXPECT_NEAR(measurer.textWidth("Hello", "Arial", 10, 0), 31.6, 0.5);
    EXPECT_NEAR(measurer.textWidth("Hello", "Arial", 20, 0),
                2 * measurer.textWidth("Hello", "Arial", 10, 0), 0.01);
    EXPECT_GT(measurer.textWidth("Hello", "Arial", 10, FontStyle::Bold),
              measurer.textWidth("Hello", "Arial", 10, 0));
    // Courier New is monospaced: 600 thousandths of an em a character.
    EXPECT_NEAR(measurer.textWidth("iiii", "Courier New", 12, 0), 4 * 0.6 * 12 * 100 / 72.0, 0.5);
    EXPECT_EQ(measurer.textWidth("", "Arial", 10, 0), 0.0);
}

TEST(LayoutAdapters, DateTextsFormatVariableElementPictures) {
    FormatDateTexts texts;
    const QDateTime when(QDate(2026, 12, 10), QTime(14, 30, 5));
    EXPECT_EQ(texts.formatDateTime("yyyymmdd hhnnss", when),
              std::optional<QString>("20261210 143005"));
    EXPECT_TRUE(texts.shortDate(when).contains("2026")) << texts.shortDate(when).toStdString();
    EXPECT_TRUE(texts.timeText(when).contains("30")) << texts.timeText(when).toStdString();
    // A variable element of the date with a picture, in a built report.
    const Built b = buildReport(
        {version(1), paper(100), "I,3,0,1,10", variable("Z", 0, 0, 0, "yyyy")}, numberTable(1));
    EXPECT_EQ(b.texts(0), QStringList{QString::number(QDate::currentDate().year())});
}

TEST(LayoutAdapters, MissingTemplateFileFailsWithTheMessage) {
    QTemporaryDir dir;
    const QString path = dir.filePath("chybi.pts");
    ReportRun run;
    QString error;
    EXPECT_FALSE(run.loadTemplateFile(path, &error));
    EXPECT_EQ(error, "Nebyl nalezen soubor s předlohou tiskové sestavy \"" + path + "\"");
    EXPECT_TRUE(run.templateLines().isEmpty());
    EXPECT_EQ(run.model().page().allElements().size(), 0);
}

// Data that is no picture prints as a box where the picture should be, and
// the build says so once per field: the first record and how many there were.
TEST(LayoutAdapters, APictureThatCannotBeDrawnIsABoxAndAWarning) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    FieldDefs defs{{"cislo", FieldType::Integer, 0, false}, {"logo", FieldType::Graphic, 0, false}};
    const Built b = buildReport(
        {version(1), paper(1000), section(2, 20), field("T", 1, 0, 0, 50, 20, 48)},
        memoryTable(defs, {{QVariant::fromValue<qint64>(1), png},
                           {QVariant::fromValue<qint64>(2), QByteArray("poškozeno")},
                           {QVariant::fromValue<qint64>(3), QVariant()},
                           {QVariant::fromValue<qint64>(4), QByteArray("\x89PNG\r\n")}}));
    const TStranaPrvku& page = b.run->pages().page(0);
    ASSERT_EQ(page.count(), 4);
    EXPECT_EQ(page.element(0).picture.size(), QSize(8, 8));
    EXPECT_EQ(page.element(1).picture, missingPicture());
    EXPECT_FALSE(page.element(2).hasPicture()) << "no data: nothing to draw, nothing to say";
    EXPECT_EQ(page.element(3).picture, missingPicture());
    ASSERT_EQ(b.run->buildWarnings().size(), 1);
    const QString w = b.run->buildWarnings().first();
    EXPECT_TRUE(w.startsWith(u"Obrázek pole „logo“ nelze vykreslit, na jeho místě je křížek "
                             u"(záznam 2, celkem 2×)"_qs))
        << w.toStdString();
}

// A template of more elements than the engine lays out is refused before
// any element is made.
TEST(LayoutAdapters, ATemplateOfTooManyElementsIsRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath("obri.pts");
    QByteArray text = "I,1,1,5,1,0,0\r\n";
    const QByteArray element = label("T", 0, 0, "x").toUtf8() + "\r\n";
    for (int i = 0; i <= kMaxTemplateElements; ++i) text += element;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    ReportRun run;
    QString error;
    EXPECT_FALSE(run.loadTemplateFile(path, &error));
    EXPECT_EQ(error, u"Předloha tiskové sestavy \"obri.pts\" má 20001 prvků, sestava jich zvládne "
                     u"nejvýše 20000"_qs);
    EXPECT_TRUE(run.model().page().allElements().isEmpty());
}

TEST(LayoutAdapters, RunReadsTemplateFileAndAnswersTheEvaluator) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sestava.pts");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "I,1,1,5,1,0,0\r\nI,4,0,kat\r\nF,0,Dvakrat,\"\",0,\"0\",0,\"#cislo*2\",0,15,0,0,\"\"\r\n"
        "T,4,1,0,0,10,10,Arial,8\r\n");
    file.close();
    ReportRun run;
    auto table = numberTable(3, {"A"});
    run.setDataSet(table.get());
    run.settings.Parametry = QStringList{"p0", "p1"};
    ASSERT_TRUE(run.loadTemplateFile(path));
    EXPECT_EQ(run.functions().count(), 1);
    EXPECT_EQ(run.functions().valueSource(), &run) << "the run's functions read the run";
    EXPECT_EQ(run.variables().count(), 12) << "eight report variables and four for the group";
    EXPECT_EQ(run.model().group(0)->field, 1) << "the group field found by its name";
    EXPECT_EQ(run.model().page().allElements().front()->Caption, "p1");
    EXPECT_EQ(run.fieldIndex("CISLO"), 0);
    EXPECT_EQ(run.functionIndex("dvakrat"), 0);
    EXPECT_EQ(run.parameterValue(1), TaggedValue::text(u"p1"_qs));
    EXPECT_EQ(run.parameterValue(2), TaggedValue::integer(0));
    table->setRecNo(2);
    EXPECT_EQ(run.fieldValue(0), TaggedValue::integer(2));
    EXPECT_EQ(run.fieldValue(5), TaggedValue::integer(0));
    run.functions().AccumulateAll();
    EXPECT_EQ(toText(run.functionValue(0)), "4") << "the function read #cislo here";
    EXPECT_EQ(run.variableValue(3), TaggedValue::integer(1));
}

TEST(LayoutAdapters, AFieldNameTheDataSetLacksPrintsNothingAndIsReported) {
    // Field value and field label elements by a name the table does not
    // have, beside one it has; a group by a missing name too.
    const QStringList lines{version(1),
                            paper(100),
                            section(2, 20),
                            u"I,4,0,chybi"_qs,
                            u"T,2,cislo,0,0,50,10,Arial,10,0,0,0,0,1,238"_qs,
                            u"T,2,neexistuje,50,0,50,10,Arial,10,0,0,0,0,1,238"_qs,
                            u"T,3,neexistuje,100,0,50,10,Arial,10,0,0,0,0,1,238"_qs,
                            u"T,3,NEEXISTUJE,150,0,50,10,Arial,10,0,0,0,0,1,238"_qs};
    const Built b = buildReport(lines, numberTable(2));
    ASSERT_TRUE(b.result);
    EXPECT_EQ(b.texts(0), (QStringList{"1", "", "", "", "2", "", "", ""}));
    // Each name once, as the name rule counts names.
    EXPECT_EQ(b.run->unknownFieldNames(), (QStringList{"chybi", "neexistuje"}));
    // The names stay with the elements: the template writes back unchanged.
    const QStringList written = writeTemplate(b.run->model());
    const QString all = written.join(u'\n');
    EXPECT_TRUE(all.contains(u"T,2,neexistuje,50,0,"_qs)) << all.toStdString();
    EXPECT_TRUE(all.contains(u"T,3,neexistuje,100,0,"_qs)) << all.toStdString();
    EXPECT_TRUE(all.contains(u"I,4,0,chybi,"_qs)) << all.toStdString();
    // Without a data set there is nothing to report.
    ReportRun run;
    run.loadTemplate(lines);
    EXPECT_TRUE(run.unknownFieldNames().isEmpty());
}

TEST(LayoutAdapters, ARunTellsWhenThePageLimitCutItShort) {
    // One record a page: five records need five pages.
    const QStringList lines{version(1), paper(10), section(2, 10), field("T", 0, 0, 0)};
    const struct {
        int endPage;
        int pages;
        bool cut;
    } cases[] = {{2, 2, true}, {5, 5, false}, {0, 5, false}, {9999, 5, false}};
    for (const auto& c : cases) {
        RunOptions options;
        options.EndPage = c.endPage;
        const Built b = buildReport(lines, numberTable(5), options);
        EXPECT_EQ(b.run->pageCount(), c.pages) << c.endPage;
        EXPECT_EQ(b.run->stoppedAtPageLimit(), c.cut) << c.endPage;
    }
}

}  // namespace
