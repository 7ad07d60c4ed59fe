// The printing flow without windows: which records a report or label
// template gets, per-record jobs, the temporary table's lifetime, and new
// templates from a prototype.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/core/label_printing.h"
#include "app/core/label_session.h"
#include "base/text_file.h"
#include "data/data_set.h"
#include "data/label_file.h"
#include "support/scripted_messages.h"

namespace dorvana {
namespace {

// Records what the report component would get in each call.
struct RecordingOperations : ReportOperations {
    struct Call {
        QString what;
        QStringList records;  // "cislo" of every record of the data source (or the current one)
        bool oneRecord = false;
        int copies = 0;
        bool dialog = false;
        QStringList parameters;
    };
    QList<Call> calls;
    bool printResult = true;

    Call take(const char* what, TSestava& r) {
        Call c{QString::fromLatin1(what), {}, r.TiskJedenZaznam, r.PrintCopies, r.ReportPrintDialog,
               r.Parametry};
        DataSet* d = r.dataSet();
        if (d && r.TiskJedenZaznam) {
            c.records << d->findField(QStringLiteral("cislo"))->displayText();
        } else if (d) {
            for (d->first(); !d->atEnd(); d->next())
                c.records << d->findField(QStringLiteral("cislo"))->displayText();
        }
        return c;
    }
    bool design(TSestava& r) override { calls << take("E", r); return false; }
    bool preview(TSestava& r) override { calls << take("P", r); return false; }
    bool print(TSestava& r) override { calls << take("T", r); return printResult; }
};

class LabelPrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        start_ = dir_.filePath(QStringLiteral("start"));
        QDir().mkpath(start_ + QStringLiteral("/data"));
        const QString path = start_ + QStringLiteral("/data/etikety.db");
        QString err;
        ASSERT_TRUE(createLabelFile(path, &err));
        auto store = LabelFileStore::open(path, &err);
        QList<RawRecord> rows;
        // cislo, cislo1: 10/2, 20/0, 30/3, 40/1
        const int data[][2] = {{10, 2}, {20, 0}, {30, 3}, {40, 1}};
        for (const auto& d : data) {
            RawRecord r(16);
            r[0] = QVariant::fromValue<qint64>(d[0]);
            r[4] = double(d[1]);
            rows << r;
        }
        ASSERT_TRUE(store->insertMany(rows, &err));
        store.reset();
        session_ = std::make_unique<LabelSession>(start_, dir_.filePath(QStringLiteral("dorvana.ini")),
                                                  messages_);
        ASSERT_TRUE(session_->openFile(1, path));
        printing_ = std::make_unique<LabelPrinting>(*session_, messages_);
    }
    // Gives cislo1's column the title (COPY, PCOPY ...).
    void titleCislo1(const QString& title) {
        GridColumns columns = session_->columns();
        for (GridColumn& c : columns)
            if (c.fieldName == u"cislo1") c.title = title;
        if (columns.isEmpty()) columns << GridColumn{QStringLiteral("cislo1"), title, 64, false, {}};
        session_->setColumns(columns);
    }
    bool tempFilesExist() const {
        return !QDir(start_ + QStringLiteral("/data")).entryList({QStringLiteral("tempprn.*")}).isEmpty();
    }

    QTemporaryDir dir_;
    QString start_;
    test::ScriptedMessages messages_;
    std::unique_ptr<LabelSession> session_;
    std::unique_ptr<LabelPrinting> printing_;
    RecordingOperations ops_;
};

TEST_F(LabelPrintingTest, AReportTemplateGetsTheMarkedRecordsWithTheirCopiesAndTheTableGoesAway) {
    titleCislo1(QStringLiteral("COPY"));
    PrintChoice choice;
    choice.templateName = QStringLiteral("cenik.pts");
    choice.marks = {3, 2, 1};  // 30 x 3, 20 x 0, 10 x 2
    ASSERT_TRUE(printing_->predtisk(printing_->Sestava1(), PrintMode::Print, choice, ops_));
    ASSERT_EQ(ops_.calls.size(), 1);
    EXPECT_EQ(ops_.calls[0].records, QStringList({"10", "10", "30", "30", "30"}));
    EXPECT_EQ(printing_->Sestava1().ReportName, QStringLiteral("cenik.pts"));
    ASSERT_EQ(ops_.calls[0].parameters.size(), 2);
    EXPECT_TRUE(printing_->lastRunBuiltPrintTable());
    // Marks were used: the temporary table is deleted; the query is closed.
    EXPECT_FALSE(tempFilesExist());
    EXPECT_FALSE(printing_->printQuery().isOpen());
    EXPECT_EQ(printing_->Sestava1().dataSet(), nullptr);
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join(u'\n').toStdString();
}

TEST_F(LabelPrintingTest, WhichRecordsEachKindOfRunGets) {
    session_->labelTable()->setRecNo(2);  // the current record: 20
    struct Case {
        const char* name;
        bool labelTemplate;
        bool oneRecord;
        QList<qint32> marks;
        QStringList records;
        bool builtTable;
    } cases[] = {
        // The whole table through the query, ordered by CISLO; no temporary table.
        {"report, nothing marked", false, false, {}, {"10", "20", "30", "40"}, false},
        {"report, one record", false, true, {}, {"20"}, false},
        {"report, marked", false, false, {4, 2}, {"20", "40"}, true},
        // A label template prints the current record, or every marked one.
        {"label, nothing marked", true, false, {}, {"20"}, false},
        {"label, marked", true, false, {4, 2}, {"20", "40"}, true},
    };
    for (const Case& c : cases) {
        ops_.calls.clear();
        PrintChoice choice;
        choice.templateName = QStringLiteral("x.pts");
        choice.oneRecord = c.oneRecord;
        choice.marks = c.marks;
        TSestava& report = c.labelTemplate ? printing_->Sestava2() : printing_->Sestava1();
        report.TiskJedenZaznam = c.labelTemplate || c.oneRecord;
        printing_->predtisk(report, PrintMode::Preview, choice, ops_);
        ASSERT_EQ(ops_.calls.size(), 1) << c.name;
        EXPECT_EQ(ops_.calls[0].records, c.records) << c.name;
        EXPECT_EQ(printing_->lastRunBuiltPrintTable(), c.builtTable) << c.name;
        session_->labelTable()->setRecNo(2);
    }
}

TEST_F(LabelPrintingTest, ALabelTemplateWithCopyCountsPrintsOnlyTheCurrentRecordAndTheTableStaysOnIt) {
    titleCislo1(QStringLiteral("COPY"));
    struct Case {
        int current;          // record number; cislo1 gives its copies
        QStringList records;  // what the label template prints
    } cases[] = {{3, {"30", "30", "30"}}, {4, {"40"}}, {2, {}}};
    for (const Case& c : cases) {
        ops_.calls.clear();
        session_->labelTable()->setRecNo(c.current);
        PrintChoice choice;
        choice.templateName = QStringLiteral("etiketa.pte");
        printing_->predtisk(printing_->Sestava2(), PrintMode::Print, choice, ops_);
        ASSERT_EQ(ops_.calls.size(), 1) << c.current;
        EXPECT_EQ(ops_.calls[0].records, c.records) << c.current;
        EXPECT_TRUE(printing_->lastRunBuiltPrintTable()) << c.current;
        EXPECT_EQ(session_->labelTable()->recNo(), c.current) << "the grid stays on its record";
    }
    // "Jeden zaznam" ticked: the record once, from the shown table.
    ops_.calls.clear();
    PrintChoice one;
    one.templateName = QStringLiteral("etiketa.pte");
    one.oneRecord = true;
    session_->labelTable()->setRecNo(3);
    printing_->predtisk(printing_->Sestava2(), PrintMode::Print, one, ops_);
    ASSERT_EQ(ops_.calls.size(), 1);
    EXPECT_EQ(ops_.calls[0].records, QStringList{"30"});
    EXPECT_FALSE(printing_->lastRunBuiltPrintTable());
}

TEST_F(LabelPrintingTest, PerRecordJobsShowTheDialogOnlyForTheFirstAndKeepTheComponentsRange) {
    titleCislo1(QStringLiteral("PCOPY"));
    PrintChoice choice;
    choice.templateName = QStringLiteral("x.pts");
    ASSERT_TRUE(printing_->predtisk(printing_->Sestava1(), PrintMode::Print, choice, ops_));
    // Counts 2, 0, 3, 1: three jobs, the record with 0 prints nothing.
    ASSERT_EQ(ops_.calls.size(), 3);
    QList<int> copies;
    for (const auto& c : ops_.calls) copies << c.copies;
    EXPECT_EQ(copies, QList<int>({2, 3, 1}));
    EXPECT_TRUE(ops_.calls[0].dialog);
    EXPECT_FALSE(ops_.calls[1].dialog);
    EXPECT_EQ(ops_.calls[1].records, QStringList{"30"});
    EXPECT_EQ(printing_->lastRunPrintJobs(), 3);
    // The component is as it was: a later preview is not cut to the records.
    EXPECT_EQ(printing_->Sestava1().EndPage, kDefaultEndPage);
    EXPECT_EQ(printing_->Sestava1().PrintCopies, 1);
    EXPECT_TRUE(printing_->Sestava1().ReportPrintDialog);

    // The first print cancelled: nothing more.
    ops_.calls.clear();
    ops_.printResult = false;
    EXPECT_FALSE(printing_->predtisk(printing_->Sestava1(), PrintMode::Print, choice, ops_));
    EXPECT_EQ(ops_.calls.size(), 1);
}

TEST_F(LabelPrintingTest, ATemplateSqlThatFailsIsSaidAndTheMarkedRecordsPrint) {
    PrintChoice choice;
    choice.templateName = QStringLiteral("x.pts");
    choice.ownSql = true;
    choice.sqlLines = {QStringLiteral("SELEKT nic")};
    choice.marks = {1};
    printing_->predtisk(printing_->Sestava1(), PrintMode::Preview, choice, ops_);
    EXPECT_EQ(messages_.shown, QStringList{"error: Chybný SQL dotaz ve zdroji dat !!!"});
    ASSERT_EQ(ops_.calls.size(), 1);
    EXPECT_EQ(ops_.calls[0].records, QStringList{"10"});
}

TEST_F(LabelPrintingTest, AQueryResultPrintsOnlyThroughTheTemplatesOwnSqlOrOneRecord) {
    ASSERT_TRUE(session_->openQuery({{QStringLiteral("SELECT T1.* FROM \"etikety.db\" T1 WHERE cislo > 15")}, false,
                                     {start_ + QStringLiteral("/data/etikety.db")}}));
    PrintChoice choice;
    choice.templateName = QStringLiteral("x.pts");
    EXPECT_FALSE(printing_->predtisk(printing_->Sestava1(), PrintMode::Preview, choice, ops_));
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown[0].startsWith("error: Výsledek dotazu lze tisknout jen"));
    EXPECT_TRUE(ops_.calls.isEmpty());

    choice.ownSql = true;
    choice.sqlLines = {QStringLiteral("SELECT T1.* FROM \"etikety.db\" T1 WHERE cislo < 25")};
    printing_->predtisk(printing_->Sestava1(), PrintMode::Preview, choice, ops_);
    ASSERT_EQ(ops_.calls.size(), 1);
    EXPECT_EQ(ops_.calls[0].records, QStringList({"10", "20"}));
}

TEST(TemplateFromPrototype, CopiesThePrototypeUnderTheNewTitle) {
    QTemporaryDir dir;
    const QString prototype = dir.filePath(QStringLiteral("zaklad.PTF"));
    ASSERT_TRUE(writeTextLines(prototype, {QStringLiteral("I,0,\"Základ\""), QStringLiteral("I,1,1,5,1,0,0")}));
    QString name, error;
    ASSERT_TRUE(createTemplateFromPrototype(prototype, dir.path(), QStringLiteral("Ceník zboží"), &name,
                                            &error));
    EXPECT_EQ(name, QStringLiteral("Ceník zboží.pts"));
    QStringList lines;
    ASSERT_TRUE(readTextLines(dir.filePath(name), &lines));
    EXPECT_EQ(lines, QStringList({"I,0,\"Ceník zboží\"", "I,1,1,5,1,0,0"}));
    for (const char* bad : {"", "  ", "a\"b", "../x"}) {
        EXPECT_FALSE(createTemplateFromPrototype(prototype, dir.path(), QString::fromUtf8(bad), &name,
                                                 &error))
            << bad;
        EXPECT_EQ(error, QStringLiteral("Chybné jméno sestavy"));
    }
    EXPECT_FALSE(createTemplateFromPrototype(dir.filePath(QStringLiteral("chybi.PTF")), dir.path(),
                                             QStringLiteral("Nová"), &name, &error));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("Nová.pts"))));
}

}  // namespace
}  // namespace dorvana
