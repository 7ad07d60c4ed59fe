#include "document_fixture.h"
#include "report/model/section.h"

namespace dorvana::test {
namespace {

using Clipboard = DocumentTest;

TEST_F(Clipboard, PastingSeveralElementsSelectsThemAndKeepsTheCurrentOne) {
    openSample(QStringLiteral("cenik.pts"));
    TOddil* body = doc->section(PlanSection::Body);
    ASSERT_GE(body->elementCount(), 3);
    TSesPrvek* a = body->element(0);
    TSesPrvek* b = body->element(1);
    TSesPrvek* c = body->element(2);
    doc->select(b);
    doc->addToSelection(a);
    doc->addToSelection(c);
    EXPECT_EQ(doc->selectionCount(), 3);
    doc->copy();
    ASSERT_TRUE(doc->canPaste());

    TOddil* footer = doc->section(PlanSection::ReportEnd);
    const int before = footer->elementCount();
    ASSERT_TRUE(doc->paste(PlanSection::ReportEnd, {b->X + 5, 4}));
    ASSERT_EQ(footer->elementCount(), before + 3);
    TSesPrvek* pa = footer->element(before);
    TSesPrvek* pb = footer->element(before + 1);
    EXPECT_EQ(doc->current(), pb);
    EXPECT_EQ(doc->selectionCount(), 3);
    EXPECT_TRUE(doc->isSelected(pa));
    EXPECT_EQ(pb->X, b->X + 5);
    EXPECT_EQ(pb->Y, 4);
    EXPECT_EQ(pa->X, a->X + 5);
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit vložení z úschovy"));
    EXPECT_EQ(lineOf(pb).mid(1), QString(lineOf(b)).mid(1).replace(
                                      QStringLiteral(",%1,0,").arg(b->X),
                                      QStringLiteral(",%1,4,").arg(b->X + 5)));

    // The clipboard stays for further pastes; a locked section takes nothing.
    footer->locked = true;
    EXPECT_FALSE(doc->paste(PlanSection::ReportEnd, {0, 0}));
    EXPECT_TRUE(doc->paste(PlanSection::ReportStart, {0, 0}));
}

TEST_F(Clipboard, CutRemovesTheCopiedElementsAndPasteBringsThemBack) {
    openSample(QStringLiteral("cenik.pts"));
    TOddil* body = doc->section(PlanSection::Body);
    const int count = body->elementCount();
    const QString line = lineOf(body->element(1));
    doc->select(body->element(1));
    doc->cut();
    EXPECT_EQ(body->elementCount(), count - 1);
    EXPECT_EQ(doc->current(), nullptr);
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit vystřižení do úschovy"));
    ASSERT_TRUE(doc->paste(PlanSection::Body, {90, 0}));
    EXPECT_EQ(lineOf(doc->current()), line);
}

using Delete = DocumentTest;

TEST_F(Delete, OneElementGoesWithoutAskingByDefault) {
    openSample(QStringLiteral("cenik.pts"));
    TOddil* body = doc->section(PlanSection::Body);
    const int count = body->elementCount();
    doc->select(body->element(0));
    doc->deleteSelection();
    EXPECT_EQ(body->elementCount(), count - 1);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(doc->current(), nullptr);
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit zrušení prvku"));
}

TEST_F(Delete, SeveralElementsAskFirst) {
    openSample(QStringLiteral("cenik.pts"));
    TOddil* body = doc->section(PlanSection::Body);
    const int count = body->elementCount();
    doc->select(body->element(0));
    doc->addToSelection(body->element(1));
    messages.answers = {Messages::Answer::No};
    doc->deleteSelection();
    EXPECT_EQ(body->elementCount(), count);
    EXPECT_FALSE(doc->isModified());
    doc->deleteSelection();  // Yes
    EXPECT_EQ(body->elementCount(), count - 2);
    EXPECT_EQ(messages.shown, QStringList(2, QStringLiteral("confirm: Smazat všechny vybrané prvky?")));
}

TEST_F(Delete, ALockedSectionKeepsItsElement) {
    openSample(QStringLiteral("cenik.pts"));
    TOddil* body = doc->section(PlanSection::Body);
    doc->select(body->element(0));
    body->locked = true;
    const int count = body->elementCount();
    doc->deleteSelection();
    doc->cut();
    EXPECT_FALSE(doc->moveSelectionBy(8, 0));
    EXPECT_EQ(body->elementCount(), count);
}

}  // namespace
}  // namespace dorvana::test
