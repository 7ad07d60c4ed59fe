#pragma once
// The navigator's button glyphs, drawn (the disabled look comes from the icon).

#include <QIcon>

namespace dorvana {

// The glyph of navigator button index; the six moving buttons have a
// vertical variant with the arrows pointing up and down.
QIcon navigatorGlyph(int index, bool vertical);

}  // namespace dorvana
