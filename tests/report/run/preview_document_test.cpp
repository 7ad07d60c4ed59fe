#include <gtest/gtest.h>

#include <memory>

#include "report/layout/pages/corrections_file.h"
#include "report/run/preview_document.h"
#include "report/run/preview_geometry.h"

using namespace dorvana;

namespace {

TPrevPrvek element(int kind, int x, int y, int w, int h, const QString& text = {}) {
    auto style = std::make_shared<PrintedStyle>();
    style->kind = kind;
    style->font = {QStringLiteral("Arial"), 12, 0xFF000000, 1, 238};
    style->alignment = 0x30;  // memo flags in the upper bits
    TPrevPrvek e(style);
    e.X = x;
    e.Y = y;
    e.W = w;
    e.H = h;
    e.text = text;
    return e;
}

// Three pages on a sheet with margins 50/70; page 1 holds overlapping texts,
// a line, a memo and a picture element.
class PreviewDocumentTest : public testing::Test {
protected:
    void SetUp() override {
        pages.paper = PagePaper{826, 1169, 0, 50, 50, 70, 70};
        pages.addElement(0, element(1, 0, 0, 100, 20, "a"));
        pages.addElement(1, element(1, 100, 100, 200, 40, "spodní"));
        pages.addElement(1, element(1, 150, 110, 100, 20, "horní"));
        pages.addElement(1, element(7, 100, 100, 300, 100));  // line: never selected
        TPrevPrvek memo = element(2, 400, 300, 150, 60);
        memo.memo = true;
        memo.lines = {"1", "2"};
        pages.addElement(1, memo);
        TPrevPrvek picture = element(3, 0, 500, 100, 100);
        picture.picture = QImage(4, 4, QImage::Format_RGB32);
        pages.addElement(1, picture);
        pages.ensurePages(3);
        doc = std::make_unique<PreviewDocument>(pages, corrections);
    }
    // The pixel at the middle of a page point (0.01 in in the printable area).
    QPoint pixel(int x, int y) const {
        return QPoint(int((pages.paper.leftMargin + x) * doc->zoom()),
                      int((pages.paper.topMargin + y) * doc->zoom()));
    }

    PageStore pages;
    TListEdit corrections;
    std::unique_ptr<PreviewDocument> doc;
};

TEST(PreviewGeometry, ZoomKeepsTheMiddleOfTheViewAndCentresSmallPages) {
    struct Case {
        int oldPos, view, oldSize, newSize, expected;
    } cases[] = {
        {0, 400, 826, 1652, 200},   // 100 -> 200 %: the middle 200 goes to 400
        {100, 400, 826, 413, 0},    // (100 + 200) / 2 - 200 < 0: stays at 0
        {500, 300, 1169, 2338, 1150},
        {0, 400, 0, 826, 0},        // no page before
    };
    for (const Case& c : cases)
        EXPECT_EQ(scrollAfterZoom(c.oldPos, c.view, c.oldSize, c.newSize), c.expected)
            << c.oldPos << " " << c.oldSize << "->" << c.newSize;
    EXPECT_EQ(centredOrigin({400, 1200}, {800, 600}), QPoint(200, 0));
    EXPECT_EQ(centredOrigin({900, 300}, {800, 600}), QPoint(0, 150));
    // Sizes round halves to even: 826 x 0.75 = 619.5 -> 620, 1169 x 0.5 = 584.5 -> 584.
    EXPECT_EQ(previewPageSize(PagePaper{826, 1169}, 0.75), QSize(620, 877));
    EXPECT_EQ(previewPageSize(PagePaper{826, 1169}, 0.5), QSize(413, 584));
}

TEST(PreviewGeometry, PointerPositionsAreRelativeToThePrintableArea) {
    const PagePaper paper{826, 1169, 0, 50, 40, 70, 30};
    EXPECT_EQ(pointerToPage({100, 140}, 1.0, paper), QPoint(50, 70));
    EXPECT_EQ(pointerToPage({300, 300}, 2.0, paper), QPoint(100, 80));
    EXPECT_TRUE(insidePrintableArea({50, 70}, 1.0, paper));
    EXPECT_FALSE(insidePrintableArea({49, 70}, 1.0, paper));
    EXPECT_FALSE(insidePrintableArea({100, 1169 - 29}, 1.0, paper));
    EXPECT_TRUE(insidePrintableArea({2 * 786, 2 * 1139}, 2.0, paper));
}

TEST_F(PreviewDocumentTest, PagesMoveOnlyWhereThereIsAPageAndDeselect) {
    int changed = 0;
    QObject::connect(doc.get(), &PreviewDocument::pageChanged, [&] { ++changed; });
    EXPECT_FALSE(doc->previousPage());
    EXPECT_FALSE(doc->firstPage());
    EXPECT_TRUE(doc->nextPage());
    doc->setEditMode(true);
    doc->select(1);
    EXPECT_TRUE(doc->lastPage());
    EXPECT_EQ(doc->currentPage(), 2);
    EXPECT_EQ(doc->selected(), -1);
    EXPECT_FALSE(doc->nextPage());
    EXPECT_FALSE(doc->lastPage());
    EXPECT_TRUE(doc->firstPage());
    EXPECT_EQ(changed, 3);
}

TEST_F(PreviewDocumentTest, ZoomStepsGiveTheTableFactorsAndPageSizes) {
    EXPECT_EQ(doc->zoomStep(), 6);
    EXPECT_DOUBLE_EQ(doc->zoom(), 1.0);
    doc->setZoomStep(11);
    EXPECT_DOUBLE_EQ(pages.zoom, 2.0);
    EXPECT_EQ(doc->pageSize(), QSize(1652, 2338));
    doc->setZoomStep(99);
    EXPECT_EQ(doc->zoomStep(), 15);
    EXPECT_DOUBLE_EQ(doc->zoom(), 3.0);
    doc->setZoomStep(0);
    EXPECT_DOUBLE_EQ(doc->zoom(), 0.32);
}

TEST_F(PreviewDocumentTest, AClickSelectsTheLastHitTextAndAgainDeselects) {
    doc->nextPage();
    doc->setEditMode(true);
    for (int step : {6, 11, 3}) {
        doc->setZoomStep(step);
        // Both texts lie under (160, 115): the later one in page order wins;
        // the line over both is never selected.
        EXPECT_EQ(doc->hitTest(pixel(160, 115)), 1) << step;
        EXPECT_EQ(doc->hitTest(pixel(110, 135)), 0) << step;
        EXPECT_EQ(doc->hitTest(pixel(50, 550)), -1) << "picture, step " << step;
        EXPECT_EQ(doc->hitTest(pixel(700, 700)), -1);
    }
    doc->setZoomStep(6);
    // The right and bottom edges are outside the box.
    EXPECT_EQ(doc->hitTest(pixel(299, 139)), 0);
    EXPECT_EQ(doc->hitTest(pixel(300, 120)), -1);

    doc->clickAt(pixel(160, 115));
    EXPECT_EQ(doc->selected(), 1);
    doc->clickAt(pixel(110, 135));
    EXPECT_EQ(doc->selected(), 0);
    doc->clickAt(pixel(110, 135));  // the same again: deselected
    EXPECT_EQ(doc->selected(), -1);
    doc->clickAt(pixel(160, 115));
    doc->clickAt(pixel(700, 700));  // nothing hit: deselected
    EXPECT_EQ(doc->selected(), -1);
}

TEST_F(PreviewDocumentTest, KeysMoveAndResizeByTheRasterAndRecordEachChange) {
    doc->nextPage();
    doc->setEditMode(true);
    doc->setEditOptions(PreviewEditOptions{5, 4, {}});
    EXPECT_FALSE(doc->moveSelected(1, 0));  // nothing selected
    doc->select(1);
    EXPECT_TRUE(doc->moveSelected(-1, 0));
    EXPECT_TRUE(doc->moveSelected(0, 2));
    EXPECT_TRUE(doc->resizeSelected(1, -1));
    const TPrevPrvek& e = pages.page(1).element(1);
    EXPECT_EQ(QRect(e.X, e.Y, e.W, e.H), QRect(145, 118, 105, 16));
    ASSERT_EQ(corrections.count(), 1);
    const TPolEdit& r = corrections.at(0);
    EXPECT_EQ(r.key(), "1:1");
    EXPECT_EQ(QRect(r.X, r.Y, r.W, r.H), QRect(145, 118, 105, 16));
    EXPECT_EQ(r.text, "horní");
    // Never smaller than 1.
    doc->resizeSelected(-100, -100);
    EXPECT_EQ(QSize(e.W, e.H), QSize(1, 1));
}

TEST_F(PreviewDocumentTest, FieldsApplyOnlyWhenEveryGeometryFieldIsAnInteger) {
    doc->nextPage();
    doc->setEditMode(true);
    doc->select(0);
    PreviewDocument::Field bad = PreviewDocument::FieldX;
    QString error;
    EXPECT_FALSE(doc->applyFields({"10", "20", "3x", "40", "nový", {}}, &bad, &error));
    EXPECT_EQ(bad, PreviewDocument::FieldW);
    EXPECT_EQ(error, "\"3x\" není platné celé číslo.");
    EXPECT_EQ(pages.page(1).element(0).X, 100);  // nothing applied
    EXPECT_TRUE(corrections.isEmpty());

    EXPECT_TRUE(doc->applyFields({" 10", "20 ", "30", "-4", "nový", {}}, &bad, &error));
    const TPrevPrvek& e = pages.page(1).element(0);
    EXPECT_EQ(QRect(e.X, e.Y, e.W, e.H), QRect(10, 20, 30, -4));
    EXPECT_EQ(e.text, "nový");

    // A memo takes the lines, not the text.
    doc->select(3);
    EXPECT_TRUE(doc->applyFields({"400", "300", "150", "60", "ignored", {"x", "y", "z"}}));
    EXPECT_EQ(pages.page(1).element(3).lines, QStringList({"x", "y", "z"}));
    ASSERT_EQ(corrections.count(), 2);
    EXPECT_TRUE(corrections.at(1).memo);
    EXPECT_EQ(correctionLines(corrections).size(), 2 + 3);  // a 3-line memo is 4 file lines
    EXPECT_TRUE(correctionLines(corrections)[1].contains(",\"@Memo@3\","));
}

TEST_F(PreviewDocumentTest, AlignmentKeepsTheMemoFlagsAndFontTakesItsScreenSubstitute) {
    doc->nextPage();
    doc->setEditMode(true);
    doc->screenSubstitute = [](const PrintedFont& f) {
        return f.name == "Apollo 1" ? QStringLiteral("Courier New") : QString();
    };
    doc->select(1);
    EXPECT_TRUE(doc->setSelectedAlignment(2));
    EXPECT_EQ(pages.page(1).element(1).alignment(), 0x32);
    EXPECT_EQ(pages.page(1).element(0).alignment(), 0x30);  // its sibling keeps its own
    EXPECT_FALSE(doc->setSelectedAlignment(3));
    PrintedFont f{"Apollo 1", 14, 0xFF000000, 2, 238};
    EXPECT_TRUE(doc->setSelectedFont(f));
    EXPECT_EQ(pages.page(1).element(1).font(), f);
    EXPECT_EQ(pages.page(1).element(1).style().screenFont, "Courier New");
    EXPECT_EQ(corrections.at(0).font, f);
    EXPECT_EQ(corrections.at(0).alignment, 0x32);
}

TEST_F(PreviewDocumentTest, DeletingBlanksTheElementAndKeepsTheNumbering) {
    doc->nextPage();
    doc->setEditMode(true);
    doc->select(1);
    EXPECT_TRUE(doc->deleteSelected());
    EXPECT_EQ(doc->selected(), -1);
    ASSERT_EQ(pages.page(1).count(), 5);
    const TPrevPrvek& e = pages.page(1).element(1);
    EXPECT_EQ(QRect(e.X, e.Y, e.W, e.H), QRect());
    EXPECT_TRUE(e.text.isEmpty());
    // Deleted stays deleted after a rebuild.
    PageStore rebuilt;
    rebuilt.addElement(1, element(1, 0, 0, 5, 5, "x"));
    rebuilt.addElement(1, element(1, 150, 110, 100, 20, "horní"));
    applyCorrections(corrections, rebuilt);
    EXPECT_EQ(rebuilt.page(1).element(1).W, 0);
    EXPECT_TRUE(rebuilt.page(1).element(1).text.isEmpty());
    // A deleted element is not hit any more.
    EXPECT_EQ(doc->hitTest(pixel(160, 115)), 0);
}

TEST_F(PreviewDocumentTest, InsertingTakesDefaultsOrTheSelectionAndEndsInsertMode) {
    doc->nextPage();
    doc->setEditMode(true);
    doc->setZoomStep(11);  // 200 %
    doc->setTool(PreviewDocument::Tool::InsertText);
    // Outside the printable area nothing is inserted.
    EXPECT_EQ(doc->insertAt(QPoint(10, 10)), -1);
    const int first = doc->insertAt(pixel(20, 30));
    EXPECT_EQ(first, 5);
    EXPECT_EQ(doc->tool(), PreviewDocument::Tool::Select);
    EXPECT_EQ(doc->selected(), 5);
    const TPrevPrvek& a = pages.page(1).element(5);
    EXPECT_EQ(QRect(a.X, a.Y, a.W, a.H), QRect(20, 30, 200, 20));
    EXPECT_EQ(a.text, "Nový text");
    EXPECT_EQ(a.font().name, "Arial");

    // A memo made from a selected single-line element: its width and font,
    // three times its height.
    doc->select(1);
    doc->setTool(PreviewDocument::Tool::InsertMemo);
    EXPECT_EQ(doc->selected(), 1);
    EXPECT_EQ(doc->insertAt(pixel(300, 400)), 6);
    const TPrevPrvek& b = pages.page(1).element(6);
    EXPECT_TRUE(b.memo);
    EXPECT_EQ(b.lines, QStringList({"Nový víceřádkový text"}));
    EXPECT_EQ(QSize(b.W, b.H), QSize(100, 60));
    EXPECT_EQ(b.font().size, 12);

    // The two new elements come back in order after a rebuild of the page.
    ASSERT_EQ(corrections.count(), 2);
    EXPECT_EQ(corrections.at(0).key(), "1:5");
    EXPECT_EQ(corrections.at(1).key(), "1:6");
    TListEdit reread;
    EXPECT_TRUE(readCorrections(correctionLines(corrections), &reread).isEmpty());
    PageStore rebuilt;
    for (int i = 0; i < 5; ++i) rebuilt.addElement(1, element(1, i, i, 10, 10, "z"));
    applyCorrections(reread, rebuilt);
    ASSERT_EQ(rebuilt.page(1).count(), 7);
    EXPECT_EQ(rebuilt.page(1).element(5).text, "Nový text");
    EXPECT_TRUE(rebuilt.page(1).element(6).memo);
}

TEST_F(PreviewDocumentTest, EditModeNeedsPermissionAndTogglingDeselects) {
    doc->editAllowed = false;
    doc->setEditMode(true);
    EXPECT_FALSE(doc->editMode());
    doc->setTool(PreviewDocument::Tool::InsertText);
    EXPECT_EQ(doc->tool(), PreviewDocument::Tool::Select);
    doc->editAllowed = true;
    doc->setEditMode(true);
    doc->select(0);
    doc->setEditMode(false);
    EXPECT_EQ(doc->selected(), -1);
}

TEST_F(PreviewDocumentTest, ReplacedPagesKeepTheCurrentPageWhenTheyStillHaveIt) {
    doc->lastPage();
    pages.clear();
    pages.ensurePages(2);
    pages.currentPage = 2;
    doc->pagesReplaced();
    EXPECT_EQ(doc->currentPage(), 1);
}

}  // namespace
