// "Tažení aktuální věty" over a real label file.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/core/record_generation.h"
#include "base/progress.h"
#include "data/data_set.h"
#include "data/label_file.h"

using namespace dorvana;

namespace {

class RecordGenerationTest : public testing::Test {
protected:
    void SetUp() override {
        QString error;
        const QString path = dir.filePath(QStringLiteral("etikety.db"));
        ASSERT_TRUE(createLabelFile(path, &error)) << error.toStdString();
        labels = openLabelDataSet(path, &error);
        ASSERT_TRUE(labels) << error.toStdString();
    }
    void add(qint32 number, double cena = 0, const QString& nazev = {}) {
        QString error;
        ASSERT_TRUE(labels->append(&error)) << error.toStdString();
        ASSERT_TRUE(field("cislo")->setValue(TaggedValue(number), &error));
        if (cena != 0) {
            ASSERT_TRUE(field("cena")->setValue(TaggedValue(cena), &error));
        }
        if (!nazev.isEmpty()) {
            ASSERT_TRUE(field("nazev1")->setValue(TaggedValue(nazev), &error));
        }
        ASSERT_TRUE(labels->post(&error)) << error.toStdString();
    }
    Field* field(const char* name) { return labels->findField(QString::fromLatin1(name)); }
    // "cislo:nazev1:cena" of every record in order.
    QStringList records() {
        QStringList out;
        for (labels->first(); !labels->atEnd(); labels->next())
            out << field("cislo")->displayText() + u':' + field("nazev1")->displayText() + u':' +
                       QString::number(field("cena")->value().asReal());
        return out;
    }
    void at(qint32 number) { ASSERT_TRUE(labels->findKey(TaggedValue(number))); }

    QTemporaryDir dir;
    std::unique_ptr<DataSet> labels;
};

TEST_F(RecordGenerationTest, NewRecordsSkipTakenNumbersAndSayHowMany) {
    add(10, 99.5, QStringLiteral("Chléb"));
    add(20);
    at(10);
    GenerationSettings s;
    s.step = 5;
    s.count = 3;
    s.dragged = {DraggedField::Nazev1};
    const GenerationResult r = generateRecords(*labels, readDragBuffer(*labels), s);
    EXPECT_EQ(r.written, 2);
    EXPECT_EQ(r.duplicates, 1);
    EXPECT_EQ(r.error, QStringLiteral("Nebylo zapsáno 1 vět - Duplicita klíče"));
    EXPECT_EQ(records(), QStringList({"10:Chléb:99.5", "15:Chléb:0", "20::0", "25:Chléb:0"}));
}

TEST_F(RecordGenerationTest, ACancelledRunKeepsWhatItWrote) {
    add(1);
    at(1);
    // Cancels once two records are written.
    struct CancelAfterTwo : Progress {
        int steps = 0;
        void step(int done, int, const QString&) override { steps = done; }
        bool cancelled() override { return steps >= 2; }
    } progress;
    GenerationSettings s;
    s.count = 1000;
    const GenerationResult r = generateRecords(*labels, readDragBuffer(*labels), s, &progress);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.written, 2);
    EXPECT_EQ(records(), QStringList({"1::0", "2::0", "3::0"}));
}

TEST_F(RecordGenerationTest, StepsDownAndANumberOnlyRecord) {
    add(3, 1, QStringLiteral("x"));
    at(3);
    GenerationSettings s;
    s.step = -1;
    s.count = 3;
    GenerationResult r = generateRecords(*labels, readDragBuffer(*labels), s);
    EXPECT_EQ(r.written, 3);
    EXPECT_TRUE(r.error.isEmpty());
    EXPECT_EQ(records(), QStringList({"0::0", "1::0", "2::0", "3:x:1"}));
}

TEST_F(RecordGenerationTest, FollowingRecordsGetTheSteppedValue) {
    for (qint32 n : {1, 2, 3}) add(n, n == 1 ? 10 : 0, QStringLiteral("r%1").arg(n));
    for (const bool alsoDragged : {false, true}) {
        at(1);
        GenerationSettings s;
        s.generateNew = false;
        s.increment = IncrementField::Cena;
        s.step = 2;
        s.count = 2;
        if (alsoDragged) s.dragged = {DraggedField::Cena};
        const GenerationResult r = generateRecords(*labels, readDragBuffer(*labels), s);
        EXPECT_EQ(r.written, 2);
        EXPECT_EQ(records(), QStringList({"1:r1:10", "2:r2:12", "3:r3:14"})) << alsoDragged;
    }
    // Past the end the last record is modified again.
    at(2);
    GenerationSettings s;
    s.generateNew = false;
    s.increment = IncrementField::Cena;
    s.step = 1;
    s.count = 3;
    generateRecords(*labels, readDragBuffer(*labels), s);
    EXPECT_EQ(records().last(), QStringLiteral("3:r3:15"));
}

TEST(RecordGeneration, StepSkipsZero) {
    EXPECT_EQ(steppedIncrement(1, 0), -1);
    EXPECT_EQ(steppedIncrement(-1, 0), 1);
    EXPECT_EQ(steppedIncrement(5, 0), 0);
    EXPECT_EQ(steppedIncrement(1, 2), 2);
    EXPECT_EQ(draggedFieldCaption(DraggedField::Cislo1), QStringLiteral("Číslo1"));
}

}  // namespace
