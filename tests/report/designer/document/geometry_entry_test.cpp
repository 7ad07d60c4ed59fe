// Enter in the object bar's "L:", "H:", "Š:", "V:" sets exactly the number
// typed; a number that would put an element outside its section is refused
// with a message, never changed into another.
#include "document_fixture.h"
#include "report/model/section.h"

namespace dorvana::test {
namespace {

using GeometryEntries = DocumentTest;

TEST_F(GeometryEntries, TypedValuesAreSetExactlyOrRefusedWithAWord) {
    // Body of cenik.pts: 726 wide, 18 high; nazev1 at 90, 0, 300 x 18 and
    // nazev2 at 400, 0, 200 x 18.
    struct Case {
        const char* what;
        GeometryField field;
        int value;
        bool both;  // nazev1 and nazev2 selected
        GeometryEntry expected;
        ElementBox result;  // nazev1's box afterwards
    };
    const ElementBox start{90, 0, 300, 18};
    const Case cases[] = {
        {"left", GeometryField::Left, 400, false, GeometryEntry::Set, {400, 0, 300, 18}},
        {"left to the edge", GeometryField::Left, 426, false, GeometryEntry::Set, {426, 0, 300, 18}},
        {"left past the edge", GeometryField::Left, 427, false, GeometryEntry::Outside, start},
        {"negative left", GeometryField::Left, -1, false, GeometryEntry::Outside, start},
        {"top", GeometryField::Top, 1, false, GeometryEntry::Outside, start},
        {"width", GeometryField::Width, 636, false, GeometryEntry::Set, {90, 0, 636, 18}},
        {"width past the edge", GeometryField::Width, 637, false, GeometryEntry::Outside, start},
        {"too narrow", GeometryField::Width, 2, false, GeometryEntry::Invalid, start},
        {"height", GeometryField::Height, 10, false, GeometryEntry::Set, {90, 0, 300, 10}},
        {"too high", GeometryField::Height, 19, false, GeometryEntry::Outside, start},
        {"the same", GeometryField::Left, 90, false, GeometryEntry::Unchanged, start},
        {"both", GeometryField::Left, 420, true, GeometryEntry::Set, {420, 0, 300, 18}},
        // nazev2 would fit at 500, nazev1 not: neither moves.
        {"one of both past the edge", GeometryField::Left, 500, true, GeometryEntry::Outside, start},
        // The same value on a selection still sets it on every element.
        {"both the same", GeometryField::Left, 90, true, GeometryEntry::Set, start},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        openSample(QStringLiteral("cenik.pts"));
        TSesPrvek* nazev1 = doc->section(PlanSection::Body)->element(1);
        TSesPrvek* nazev2 = doc->section(PlanSection::Body)->element(2);
        ASSERT_EQ(DesignerDocument::box(nazev1), start);
        doc->select(nazev1);
        if (c.both) doc->addToSelection(nazev2);
        const QStringList before = doc->templateLines();
        messages.shown.clear();
        EXPECT_EQ(doc->setGeometryValue(c.field, c.value), c.expected);
        EXPECT_EQ(DesignerDocument::box(nazev1), c.result);
        const bool refused = c.expected == GeometryEntry::Outside || c.expected == GeometryEntry::Invalid;
        if (refused) {
            EXPECT_EQ(messages.shown,
                      QStringList{QStringLiteral("error: ") + DesignerDocument::geometryRefusal(c.expected)});
            EXPECT_EQ(doc->templateLines(), before);
        } else {
            EXPECT_TRUE(messages.shown.isEmpty());
        }
        const bool changed = DesignerDocument::box(nazev1) != start ||
                             (c.both && c.expected == GeometryEntry::Set &&
                              DesignerDocument::box(nazev2) != ElementBox{400, 0, 200, 18});
        EXPECT_EQ(doc->canUndo(), changed);
        if (c.both && c.expected == GeometryEntry::Set && c.field == GeometryField::Left) {
            EXPECT_EQ(nazev2->X, c.value);
        }
    }
    EXPECT_FALSE(DesignerDocument::geometryRefusal(GeometryEntry::Outside).isEmpty());
}

}  // namespace
}  // namespace dorvana::test
