#include "document_fixture.h"
#include "report/model/section.h"

namespace dorvana::test {
namespace {

using Insert = DocumentTest;

TEST_F(Insert, EachPaletteCodeWritesItsElementLine) {
    openSample(QStringLiteral("cenik.pts"));
    struct Case {
        int code;
        const char* line;
    };
    const Case cases[] = {
        {1, "T,1,0,16,8,200,20,Arial,10,0,0,0,0,1,238,\"\",\"\",\"\",0"},
        {2000, "T,2,cislo,16,8,82,20,Arial,10,0,0,1,0,1,238,\"\",\"\",0"},  // 11 x 3 x 10 / 4, right
        {4000 + 1, "T,3,nazev1,16,8,363,20,Arial,10,0,0,0,0,1,238,\"\",\"\",0"},  // half of 726
        {2000 + 99, "T,2,99,16,8,40,20,Arial,10,0,0,0,0,1,238,\"\",\"\",0"},
        {6000 + 1, "T,4,1,16,8,200,20,Arial,10,0,0,0,0,1,238,\"\",\"\",0"},
        {8000 + 3, "T,5,3,16,8,200,20,Arial,10,0,0,0,0,1,238,\"\",\"\",\"\",0"},
        {10000 + 1, "T,6,Celkem,16,8,200,20,Arial,10,0,0,0,0,1,238,\"\",\"\",0"},
        {2, "T,7,0,16,8,200,20,,1,0,0,15,0,1,0"},
        {3, "T,8,0,16,8,200,20,,1,0,0,15,0,1,0"},
        {4, "T,9,0,16,8,200,20,,1,0,0,15,0,1,0"},
        {5, "T,10,0,16,8,200,20,,1,0,0,15,0,1,0"},
        {6, "T,11,0,16,8,200,20,,0,0,0,0,0,0,0,\"\""},
    };
    for (const Case& c : cases) {
        TSesPrvek* e = doc->insertElement(PlanSection::Body, c.code, {16, 8});
        ASSERT_TRUE(e) << c.code;
        EXPECT_EQ(doc->current(), e);
        EXPECT_EQ(lineOf(e).toStdString(), std::string(c.line)) << c.code;
        doc->undo();
    }
}

TEST_F(Insert, FieldWidthIsCappedAtHalfTheSection) {
    EditorOptions options;
    options.ImplVyskaFontu = 200;  // display width x 3 x 200 / 4 exceeds any section
    openSample(QStringLiteral("cenik.pts"), options);
    TSesPrvek* e = doc->insertElement(PlanSection::Body, 2001, {0, 0});
    ASSERT_TRUE(e);
    EXPECT_EQ(e->W, doc->sectionWidth() / 2);
}

TEST_F(Insert, NothingIsInsertedIntoALockedSection) {
    openSample(QStringLiteral("cenik.pts"));
    editModel([](ReportModel& m) { m.page().section(PlanSection::Body)->locked = true; });
    const int steps = doc->history().count();
    EXPECT_EQ(doc->insertElement(PlanSection::Body, 1, {0, 0}), nullptr);
    EXPECT_EQ(doc->history().count(), steps);
}

TEST_F(Insert, PaletteHintsNameFieldsVariablesAndFunctions) {
    openSample(QStringLiteral("cenik.pts"));
    EXPECT_EQ(doc->paletteHint(2001), QStringLiteral("Položka nazev1"));
    EXPECT_EQ(doc->paletteHint(4000), QStringLiteral("Popis položky cislo"));
    EXPECT_EQ(doc->paletteHint(6002), QStringLiteral("Parametr 3"));
    EXPECT_EQ(doc->paletteHint(8004), QStringLiteral("Celkový počet stran"));
    EXPECT_EQ(doc->paletteHint(8009), QStringLiteral("Pořadové číslo skupiny 1"));
    EXPECT_EQ(doc->paletteHint(8015), QStringLiteral("Celkový počet stran ve skupině 2"));
    EXPECT_EQ(doc->paletteHint(10000),
              QStringLiteral("Funkce SoucetSkupiny [Součet cen skupiny]"));
    EXPECT_EQ(doc->paletteHint(5), QStringLiteral("Elipsa"));
}

}  // namespace
}  // namespace dorvana::test
