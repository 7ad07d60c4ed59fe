#pragma once
// A template element as a printed element: the style every printed copy of
// it shares and what it shows (text, memo lines, picture). The layout engine
// places the copies on pages; the designer draws each element once, where it
// stands in its section, through the same drawing rules.

#include <memory>

#include "report/layout/pages/printed_element.h"

namespace dorvana {

class TSesPrvek;

// The style of the element's printed copies: kind, font, alignment (with a
// memo's flags), frame lines, lines and fill, screen font, barcode format,
// rotation, picture options.
std::shared_ptr<const PrintedStyle> printedStyleOf(const TSesPrvek& element,
                                                   bool barcodeByPrinter = true);

// A printed copy of the element with the style at the element's own
// position (relative to its section) and size, showing what the element
// holds now: its caption, a memo's lines, a picture field's or a picture
// element's picture.
TPrevPrvek printedCopyOf(const TSesPrvek& element, std::shared_ptr<const PrintedStyle> style);

}  // namespace dorvana
