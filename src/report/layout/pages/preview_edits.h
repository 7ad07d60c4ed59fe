#pragma once
// The edits the preview makes to printed elements, without the window:
// inserting a new text and deleting an element. Each edit is recorded as a
// correction by the caller (TListEdit::record).

#include <QPoint>
#include <QString>

#include "report/layout/pages/printed_element.h"

namespace dorvana {

// The editor options' defaults for inserted elements.
struct InsertDefaults {
    int width = 0;   // 0.01 in
    int height = 0;  // 0.01 in
    PrintedFont font;
    QString screenFont;  // the screen substitute of font (empty: none)
};

// A new kind-1 element at `at` (0.01 in in the printable area): a
// single-line text "Nový text", or (multiLine) a memo with the one line
// "Nový víceřádkový text". Without a selected element it takes the default
// size and font (a memo three times the default height); with one it takes
// that element's width, alignment, font, screen font, barcode format and
// rotation and its height, except that a memo made from a single-line
// element is three times as high and a single-line element made from a memo
// has the default height.
TPrevPrvek makeInsertedElement(bool multiLine, QPoint at, const TPrevPrvek* selected,
                               const InsertDefaults& defaults, bool barcodeByPrinter = true);

}  // namespace dorvana
