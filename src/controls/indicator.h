#pragma once
// The indicator column of the marking grid: which of its seven glyphs a row
// shows and where the glyph sits in the cell.
//   0 current record, 1 current record being edited, 2 current record being
//   inserted, 3 check mark, 4 check mark with the current-record arrow,
//   5 check mark with the edit sign, 6 check mark with the insert sign.

#include <QPixmap>
#include <QRect>

namespace dorvana {

enum class RowState { Browse, Edit, Insert };

// The glyph of a row, -1 for none.
int indicatorGlyph(bool current, RowState state, bool marked, bool checkedSignum);

// The cell after the grid lines are taken off, and the glyph's place in it:
// right-aligned 1 pixel from the right edge when both column and row lines
// are drawn (the cell then shrinks by 1 on each side), 2 pixels otherwise;
// centred vertically.
QRect indicatorFillRect(const QRect& cell, bool bothLines);
QRect indicatorGlyphRect(const QRect& cell, const QSize& glyph, bool bothLines);

// The seven glyphs, drawn once (white is their background).
const QPixmap& indicatorGlyphPixmap(int index);

}  // namespace dorvana
