#pragma once
// The page a template lays its elements out on: the sheet held upright, its
// orientation and the margins of the printed page. Template units (0.01 in).

namespace dorvana {

struct PageGeometry {
    int paperWidth = 826;  // sheet held upright
    int paperHeight = 1169;
    int orientation = 0;   // 0 portrait, 1 landscape
    int leftMargin = 50;   // margins belong to the printed page, after the
    int rightMargin = 50;  // orientation swap
    int topMargin = 70;
    int bottomMargin = 70;

    int pageWidth() const { return orientation == 1 ? paperHeight : paperWidth; }
    int pageHeight() const { return orientation == 1 ? paperWidth : paperHeight; }
    int printableWidth() const { return pageWidth() - leftMargin - rightMargin; }
    int printableHeight() const { return pageHeight() - topMargin - bottomMargin; }

    bool operator==(const PageGeometry&) const = default;
};

// The one page geometry of the program, shared by every report window, the
// layout engine, the preview, the designer and the printer layer. A template
// being loaded or the settings dialog confirmed replaces its values.
PageGeometry& programPageGeometry();

}  // namespace dorvana
