#include "document_fixture.h"
#include "report/model/section.h"

namespace dorvana::test {
namespace {

using Selection = DocumentTest;

TEST_F(Selection, ShiftClickingTheOnlySelectedElementLeavesNothingCurrent) {
    openSample(QStringLiteral("cenik.pts"));
    TSesPrvek* e = doc->section(PlanSection::Body)->element(0);
    doc->select(e);
    doc->toggleSelection(e);
    EXPECT_EQ(doc->current(), nullptr);
    EXPECT_EQ(doc->selectionCount(), 0);
}

TEST_F(Selection, TogglingThreeOfWhichOneIsSelectedSwapsThem) {
    openSample(QStringLiteral("cenik.pts"));
    TOddil* body = doc->section(PlanSection::Body);
    TSesPrvek *a = body->element(0), *b = body->element(1), *c = body->element(2);
    doc->select(a);
    doc->addToSelection(b);  // a and b selected
    for (TSesPrvek* e : {b, c, body->element(3)}) doc->toggleSelection(e);
    EXPECT_FALSE(doc->isSelected(b));
    EXPECT_TRUE(doc->isSelected(c));
    EXPECT_TRUE(doc->isSelected(a));
    EXPECT_EQ(doc->selectionCount(), 3);
    EXPECT_EQ(doc->current(), a);
}

TEST_F(Selection, RemovingTheCurrentOfTwoLeavesTheOtherAloneAndCurrent) {
    openSample(QStringLiteral("cenik.pts"));
    TOddil* body = doc->section(PlanSection::Body);
    doc->select(body->element(1));
    doc->addToSelection(body->element(0));
    doc->removeFromSelection(body->element(1));
    EXPECT_EQ(doc->current(), body->element(0));
    EXPECT_FALSE(doc->isSelected(body->element(0)));
    EXPECT_EQ(doc->selectionCount(), 1);
}

TEST_F(Selection, KeysMoveAndResizeEverySelectedElementInsideTheSection) {
    openSample(QStringLiteral("cenik.pts"));
    TOddil* body = doc->section(PlanSection::Body);
    TSesPrvek *a = body->element(0), *d = body->element(3);  // d ends on the right edge
    doc->select(a);
    doc->addToSelection(d);
    const int dRight = d->X + d->W;
    ASSERT_EQ(dRight, doc->sectionWidth());
    EXPECT_TRUE(doc->moveSelectionBy(8, 0));
    EXPECT_EQ(a->X, 8);
    EXPECT_EQ(d->X + d->W, dRight);  // already on the edge
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit posun prvku"));
    EXPECT_FALSE(doc->resizeSelectionBy(0, 1));  // the body is 18 high: no room below
    EXPECT_TRUE(doc->resizeSelectionBy(0, -1));
    EXPECT_EQ(a->H, 17);
    EXPECT_EQ(d->H, 17);
    EXPECT_TRUE(doc->resizeSelectionBy(-100, 0));
    EXPECT_EQ(a->W, 3);
}

TEST_F(Selection, AbsurdFieldValuesStayInsideTheSection) {
    openSample(QStringLiteral("cenik.pts"));
    TSesPrvek* e = doc->section(PlanSection::PageHeader)->element(2);  // nazev1 at 90, 300 wide
    doc->select(e);
    // Refused with a message, never changed into another number.
    EXPECT_EQ(doc->setGeometryValue(GeometryField::Width, 9999), GeometryEntry::Outside);
    EXPECT_LE(e->X + e->W, doc->sectionWidth());
    EXPECT_EQ(e->W, 300);
    EXPECT_EQ(doc->setGeometryValue(GeometryField::Left, -50), GeometryEntry::Outside);
    EXPECT_EQ(e->X, 90);
    EXPECT_EQ(doc->setGeometryValue(GeometryField::Left, 90), GeometryEntry::Unchanged);
    EXPECT_EQ(messages.shown.size(), 2);
    EXPECT_FALSE(doc->canUndo());
}

TEST_F(Selection, RotatingByAnOddNumberOfQuarterTurnsSwapsTheSize) {
    openSample(QStringLiteral("cenik.pts"));
    TSesPrvek* e = doc->insertElement(PlanSection::ReportStart, 1, {0, 0});
    doc->setRotation(1);
    EXPECT_EQ(e->W, 20);
    EXPECT_EQ(e->H, 200);
    doc->setRotation(3);
    EXPECT_EQ(e->W, 20);
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit změna zarovnávání"));
}

TEST_F(Selection, RemovingTheLastFunctionClearsConditionsOnIt) {
    openSample(QStringLiteral("cenik.pts"));
    editModel([](ReportModel& m) {
        m.page().section(PlanSection::ReportEnd)->condition = 2;
        m.page().section(PlanSection::Body)->condition = 1;
    });
    EXPECT_TRUE(doc->removeLastFunction());
    EXPECT_EQ(doc->model().functions.size(), 1);
    EXPECT_EQ(doc->section(PlanSection::ReportEnd)->condition, 0);
    EXPECT_EQ(doc->section(PlanSection::Body)->condition, 1);
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit zrušení funkce"));
}

}  // namespace
}  // namespace dorvana::test
