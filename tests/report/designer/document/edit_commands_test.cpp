// Every edit of the document is one undo command that undoes and redoes
// exactly, keeps the elements themselves (no reading of the template text
// again) and marks the template modified.
#include <QImage>
#include <functional>

#include "document_fixture.h"
#include "report/designer/document/edit_history.h"
#include "report/model/graphic_elements.h"
#include "report/model/section.h"
#include "report/model/text_elements.h"

namespace dorvana::test {
namespace {

using EditCommands = DocumentTest;

TSesPrvek* bodyElement(DesignerDocument& doc, int i) {
    return doc.section(PlanSection::Body)->element(i);
}
TSesPrvek* endElement(DesignerDocument& doc, int i) {
    return doc.section(PlanSection::ReportEnd)->element(i);
}

TEST_F(EditCommands, EachEditIsOneStepThatUndoesAndRedoesExactly) {
    struct Case {
        const char* what;
        const char* step;  // the name the hints show
        std::function<void(DesignerDocument&)> edit;
    };
    const Case cases[] = {
        {"drag", "posun prvku",
         [](DesignerDocument& d) {
             TSesPrvek* e = bodyElement(d, 1);
             d.select(e);
             d.dragTo(e, {130, 0, 300, 18});
             d.dragTo(e, {150, 0, 300, 18});
             d.endDrag();
         }},
        {"drag of a selection", "posun prvku",
         [](DesignerDocument& d) {
             d.select(bodyElement(d, 0));
             d.addToSelection(bodyElement(d, 2));
             d.dragTo(bodyElement(d, 0), {8, 0, 80, 18});
             d.endDrag();
         }},
        {"keys", "posun prvku",
         [](DesignerDocument& d) {
             d.select(bodyElement(d, 1));
             d.moveSelectionBy(8, 0);
         }},
        {"size keys", "posun prvku",
         [](DesignerDocument& d) {
             d.select(bodyElement(d, 1));
             d.resizeSelectionBy(0, -2);
         }},
        {"field", "posun prvku",
         [](DesignerDocument& d) {
             d.select(bodyElement(d, 1));
             d.setGeometryValue(GeometryField::Width, 250);
         }},
        {"raster", "posun prvku",
         [](DesignerDocument& d) {
             d.select(bodyElement(d, 1));
             d.alignToRaster();
         }},
        {"section height", "změna výšky oddílu",
         [](DesignerDocument& d) { d.setSectionHeight(PlanSection::Body, 40); }},
        {"to front", "nastavení prvku",
         [](DesignerDocument& d) {
             d.select(bodyElement(d, 0));
             d.bringToFront();
         }},
        {"to back", "nastavení prvku",
         [](DesignerDocument& d) {
             d.select(endElement(d, 2));
             d.sendToBack();
         }},
        {"font", "změna písma",
         [](DesignerDocument& d) {
             d.select(bodyElement(d, 1));
             d.setFont(QStringLiteral("Courier New"), 12, FontStyle::Bold);
         }},
        {"alignment", "změna zarovnávání",
         [](DesignerDocument& d) {
             d.select(bodyElement(d, 1));
             d.setAlignment(2);
         }},
        {"rotation", "změna zarovnávání",
         [](DesignerDocument& d) {
             d.select(bodyElement(d, 1));
             d.setRotation(1);
         }},
        {"text", "změna textu",
         [](DesignerDocument& d) {
             d.select(endElement(d, 1));
             d.setText(QStringLiteral("Celk"));
             d.setText(QStringLiteral("Celkem za ceník:"));
             d.commitText();
         }},
        {"borders", "nastavení prvku",
         [](DesignerDocument& d) {
             d.select(bodyElement(d, 1));
             d.setBorders(5);
         }},
        {"barcode", "nastavení prvku",
         [](DesignerDocument& d) {
             d.select(bodyElement(d, 1));
             d.setBarcodeFormat(QStringLiteral("031010000120010015#0"));
         }},
        {"line", "nastavení prvku",
         [](DesignerDocument& d) {
             d.select(endElement(d, 0));
             d.setLineWidth(3);
         }},
        {"element dialog", "nastavení prvku",
         [](DesignerDocument& d) {
             d.changeElement(
                 bodyElement(d, 1), [](TSesPrvek& e) { e.fontSize = 14; }, ChangeKind::ElementSettings);
         }},
        {"insert", "vložení prvku",
         [](DesignerDocument& d) { d.insertElement(PlanSection::Body, 3, {100, 2}); }},
        {"delete", "zrušení prvku",
         [](DesignerDocument& d) {
             d.select(bodyElement(d, 1));
             d.deleteSelection();
         }},
        {"delete of a selection", "zrušení prvku",
         [](DesignerDocument& d) {
             d.select(bodyElement(d, 0));
             d.addToSelection(bodyElement(d, 2));
             d.deleteSelection();
         }},
        {"cut", "vystřižení do úschovy",
         [](DesignerDocument& d) {
             d.select(endElement(d, 1));
             d.addToSelection(endElement(d, 2));
             d.cut();
         }},
        {"paste", "vložení z úschovy",
         [](DesignerDocument& d) {
             d.select(bodyElement(d, 0));
             d.addToSelection(bodyElement(d, 3));
             d.copy();
             d.paste(PlanSection::ReportStart, {10, 10});
         }},
        {"settings", "nastavení oddílů a skupin",
         [](DesignerDocument& d) {
             std::unique_ptr<ReportModel> copy = d.modelCopy();
             copy->addGroup();
             copy->setColumns(3, 10);
             copy->title = QStringLiteral("Jiný titul");
             d.replaceModel(std::move(copy), ChangeKind::Settings);
         }},
        {"add function", "přidání funkce",
         [](DesignerDocument& d) {
             FunctionDefinition f;
             f.name = QStringLiteral("Nova");
             f.expression = QStringLiteral("1+1");
             d.addFunction(f);
         }},
        {"edit function", "oprava funkce",
         [](DesignerDocument& d) {
             FunctionDefinition f = d.model().functions[0];
             f.expression = QStringLiteral("#cena*2");
             d.replaceFunction(0, f);
         }},
        {"remove function", "zrušení funkce",
         [](DesignerDocument& d) {
             std::unique_ptr<ReportModel> copy = d.modelCopy();
             copy->page().section(PlanSection::ReportEnd)->condition = 2;
             d.replaceModel(std::move(copy), ChangeKind::Settings);
             d.removeLastFunction();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        openSample(QStringLiteral("cenik.pts"));
        const QList<TSesPrvek*> elements = doc->model().page().allElements();
        const int stepsBefore = doc->history().count();
        const QStringList before = doc->templateLines();
        c.edit(*doc);
        const QStringList after = doc->templateLines();
        ASSERT_NE(after, before);
        EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit ") + QString::fromUtf8(c.step));
        EXPECT_TRUE(doc->isModified());
        // One step (the function removal's setup is one of its own).
        EXPECT_EQ(doc->history().count(), stepsBefore + 1 + (QByteArray(c.what) == "remove function"));

        doc->undo();
        if (QByteArray(c.what) == "remove function") doc->undo();
        EXPECT_EQ(doc->templateLines(), before);
        EXPECT_FALSE(doc->isModified());
        EXPECT_FALSE(doc->canUndo());
        // The elements are the very ones loaded, in their order.
        QList<TSesPrvek*> now = doc->model().page().allElements();
        std::sort(now.begin(), now.end());
        QList<TSesPrvek*> loaded = elements;
        std::sort(loaded.begin(), loaded.end());
        EXPECT_EQ(now, loaded);

        while (doc->canRedo()) doc->redo();
        EXPECT_EQ(doc->templateLines(), after);
        EXPECT_TRUE(doc->isModified());
        doc->undo();
        if (QByteArray(c.what) == "remove function") doc->undo();
        EXPECT_EQ(doc->templateLines(), before);
    }
}

TEST_F(EditCommands, OrderAndRasterAreStepsThatCloseAsks) {
    // Bring to front, send to back and align to raster used to record nothing.
    for (int which = 0; which < 3; ++which) {
        SCOPED_TRACE(which);
        openSample(QStringLiteral("cenik.pts"));
        TSesPrvek* e = bodyElement(*doc, 1);
        doc->select(e);
        doc->setGeometryValue(GeometryField::Left, 93);
        ASSERT_TRUE(doc->save());
        ASSERT_FALSE(doc->isModified());
        const QStringList saved = doc->templateLines();
        if (which == 0) doc->bringToFront();
        if (which == 1) doc->sendToBack();
        if (which == 2) doc->alignToRaster();
        EXPECT_TRUE(doc->isModified());
        EXPECT_TRUE(doc->canUndo());
        EXPECT_EQ(doc->history().count(), 1);
        EXPECT_NE(doc->templateLines(), saved);
        // The next edit is a step of its own.
        doc->setSectionHeight(PlanSection::Body, 30);
        EXPECT_EQ(doc->history().count(), 2);
        doc->undo();
        doc->undo();
        EXPECT_EQ(doc->templateLines(), saved);
        EXPECT_FALSE(doc->isModified());
    }
    // Nothing to move: nothing recorded.
    openSample(QStringLiteral("cenik.pts"));
    doc->select(bodyElement(*doc, 0));  // at 0, 0
    doc->sendToBack();  // already first
    doc->alignToRaster();  // 0, 0 is on the raster
    EXPECT_FALSE(doc->canUndo());
    EXPECT_FALSE(doc->isModified());
}

TEST_F(EditCommands, KeyPressesOnOneSelectionMakeOneStep) {
    openSample(QStringLiteral("cenik.pts"));
    TSesPrvek* e = bodyElement(*doc, 1);
    doc->select(e);
    for (int i = 0; i < 10; ++i) doc->moveSelectionBy(1, 0);
    EXPECT_EQ(e->X, 100);
    EXPECT_EQ(doc->history().count(), 1);
    // A resize is a step of its own; so are moves after another selection.
    doc->resizeSelectionBy(5, 0);
    doc->resizeSelectionBy(5, 0);
    EXPECT_EQ(doc->history().count(), 2);
    doc->select(bodyElement(*doc, 2));
    doc->select(e);
    doc->moveSelectionBy(-1, 0);
    EXPECT_EQ(doc->history().count(), 3);
    doc->undo();
    EXPECT_EQ(e->X, 100);
    doc->undo();
    EXPECT_EQ(e->W, 300);
    doc->undo();
    EXPECT_EQ(e->X, 90);
    EXPECT_FALSE(doc->isModified());

    // Moving back to where the keys began leaves no step.
    doc->select(e);
    doc->moveSelectionBy(1, 0);
    doc->moveSelectionBy(-1, 0);
    EXPECT_FALSE(doc->canUndo());
    EXPECT_FALSE(doc->isModified());

    // Presses after a save start a new step: undo goes back to the saved state.
    doc->moveSelectionBy(1, 0);
    ASSERT_TRUE(doc->save());
    doc->moveSelectionBy(1, 0);
    EXPECT_TRUE(doc->isModified());
    doc->undo();
    EXPECT_FALSE(doc->isModified());
    EXPECT_EQ(e->X, 91);
}

TEST_F(EditCommands, TheHistoryKeepsAsManyStepsAsTheOptionsSay) {
    struct Case {
        int PocetUndo, undoable;
    };
    for (const Case c : {Case{3, 2}, Case{1, 0}, Case{0, 0}, Case{2000000, kMaxUndoCapacity - 1}}) {
        SCOPED_TRACE(c.PocetUndo);
        EditorOptions options;
        options.PocetUndo = c.PocetUndo;
        options.UndoSave = true;
        openSample(QStringLiteral("cenik.pts"), options);
        for (int i = 0; i < 1005; ++i) doc->setSectionHeight(PlanSection::Body, 20 + i);
        EXPECT_EQ(doc->history().count(), c.undoable);
        EXPECT_TRUE(doc->isModified());  // the loaded state is out of reach
        // A save is clean even where no step is kept.
        ASSERT_TRUE(doc->save());
        EXPECT_FALSE(doc->isModified());
        doc->setSectionHeight(PlanSection::Body, 10);
        EXPECT_TRUE(doc->isModified());
    }
}

TEST_F(EditCommands, UndoDoesNotReadThePictureAgain) {
    openSample(QStringLiteral("cenik.pts"));
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("logo.bmp"))));
    TSesPrvek* e = doc->insertElement(PlanSection::ReportStart, 6, {0, 0});
    ASSERT_TRUE(e);
    doc->setPictureFile(QStringLiteral("logo.bmp"));
    ASSERT_FALSE(static_cast<TSesObraz*>(e)->Picture.isNull());
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("logo.bmp"))));
    doc->setPictureStretch(true);
    doc->undo();
    doc->undo();  // no file name: no picture
    EXPECT_TRUE(static_cast<TSesObraz*>(e)->Picture.isNull());
    doc->redo();
    doc->redo();
    EXPECT_EQ(doc->section(PlanSection::ReportStart)->element(doc->section(PlanSection::ReportStart)->elementCount() - 1), e);
    EXPECT_FALSE(static_cast<TSesObraz*>(e)->Picture.isNull());  // the file is gone
}

TEST(EditHistory, ALimitThatShrinksDropsTheOldestThenTheNewest) {
    struct Step : QUndoCommand {
        Step(int& value, int to) : value(value), from(value), to(to) {}
        void redo() override { value = to; }
        void undo() override { value = from; }
        int& value;
        int from, to;
    };
    int value = 0;
    EditHistory history;
    history.setUndoLimit(10);
    for (int i = 1; i <= 6; ++i) history.push(std::make_unique<Step>(value, i));
    history.undo();
    history.undo();  // value 4, two steps to redo
    history.setClean();
    // The oldest go first, as long as a done step remains to drop.
    history.setUndoLimit(3);
    EXPECT_EQ(history.index(), 1);
    EXPECT_EQ(history.count(), 3);  // 4 done, 5 and 6 to redo
    EXPECT_TRUE(history.isClean());
    history.undo();
    EXPECT_EQ(value, 3);
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.isClean());
    // Then the newest.
    history.setUndoLimit(1);
    EXPECT_EQ(history.count(), 1);
    history.redo();
    EXPECT_EQ(value, 4);
    EXPECT_TRUE(history.isClean());
    EXPECT_FALSE(history.canRedo());
}

}  // namespace
}  // namespace dorvana::test
