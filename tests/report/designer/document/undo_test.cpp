#include "document_fixture.h"

namespace dorvana::test {
namespace {

using Undo = DocumentTest;

TEST_F(Undo, OneChangeUndoneRestoresTheLoadedTextAndRedoReappliesIt) {
    openSample(QStringLiteral("cenik.pts"));
    const QStringList loaded = doc->templateLines();
    EXPECT_FALSE(doc->canUndo());
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit změny"));
    EXPECT_EQ(doc->redoHint(), QStringLiteral("Znovu změny"));
    EXPECT_FALSE(doc->isModified());

    ASSERT_TRUE(doc->insertElement(2, 1, {100, 0}));
    const QStringList changed = doc->templateLines();
    EXPECT_NE(changed, loaded);
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit vložení prvku"));

    doc->undo();
    EXPECT_EQ(doc->templateLines(), loaded);
    EXPECT_FALSE(doc->isModified());  // back at the loaded state
    EXPECT_FALSE(doc->canUndo());
    EXPECT_EQ(doc->redoHint(), QStringLiteral("Znovu vložení prvku"));
    EXPECT_EQ(doc->current(), nullptr);

    doc->redo();
    EXPECT_EQ(doc->templateLines(), changed);
    EXPECT_FALSE(doc->canRedo());
}

TEST_F(Undo, ANewChangeAfterUndoDropsTheRedoEntries) {
    openSample(QStringLiteral("cenik.pts"));
    doc->insertElement(2, 1, {100, 0});
    doc->insertElement(2, 2, {200, 0});
    doc->undo();
    ASSERT_TRUE(doc->canRedo());
    doc->setSectionHeight(2, 40);
    EXPECT_FALSE(doc->canRedo());
    EXPECT_EQ(doc->redoHint(), QStringLiteral("Znovu změny"));
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit změna výšky oddílu"));
    doc->undo();
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit vložení prvku"));
}

TEST_F(Undo, CapacityCountsTheCurrentState) {
    struct Case {
        int capacity, changes, undoable;
    };
    for (const Case c : {Case{1, 3, 0}, Case{10, 12, 9}, Case{10, 4, 4}}) {
        EditorOptions options;
        options.PocetUndo = c.capacity;
        openSample(QStringLiteral("cenik.pts"), options);
        for (int i = 0; i < c.changes; ++i) doc->setSectionHeight(2, 20 + i);
        int undone = 0;
        while (doc->canUndo()) {
            doc->undo();
            ++undone;
        }
        EXPECT_EQ(undone, c.undoable) << "capacity " << c.capacity;
        const int loaded = 18;
        EXPECT_EQ(doc->section(2)->height,
                  c.undoable == c.changes ? loaded : 20 + c.changes - 1 - c.undoable);
    }
}

TEST_F(Undo, ShrinkingTheCapacityKeepsTheNewestSteps) {
    openSample(QStringLiteral("cenik.pts"));
    for (int i = 0; i < 5; ++i) doc->setSectionHeight(2, 30 + i);
    EditorOptions options = doc->options();
    options.PocetUndo = 2;
    doc->setOptions(options);
    ASSERT_TRUE(doc->canUndo());
    doc->undo();
    EXPECT_EQ(doc->section(2)->height, 33);
    EXPECT_FALSE(doc->canUndo());
}

}  // namespace
}  // namespace dorvana::test
