#pragma once
// Choosing a template font in a font dialog: the dialog opens on the font the
// element prints with — its family as installed (fontconfig's match for a
// Windows name such as "Arial"), its size and style — and a choice that keeps
// that family keeps the element's own font name, so that changing only the
// size does not rename the font.

#include <QFont>
#include <QString>

namespace dorvana {

// The font a font dialog opens on for a template font (name, size in points,
// style bits bold 1, italic 2, underline 4, strikeout 8).
QFont fontDialogPreset(const QString& name, int points, int styleBits);

// The font name to store after the dialog: the template's own name while the
// family chosen is the one the dialog opened on, else the chosen family.
QString chosenFontName(const QString& name, const QFont& preset, const QFont& chosen);

}  // namespace dorvana
