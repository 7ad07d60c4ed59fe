#include "report/layout/pages/font_preset.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <algorithm>

namespace dorvana {

QFont fontDialogPreset(const QString& name, int points, int styleBits) {
    QFont font(name);
    font.setPointSize(std::max(1, points));
    font.setBold(styleBits & 1);
    font.setItalic(styleBits & 2);
    font.setUnderline(styleBits & 4);
    font.setStrikeOut(styleBits & 8);
    // A name the font database does not list would leave the dialog on its
    // first family: open it on the family the name resolves to.
    if (!QFontDatabase::hasFamily(name)) {
        const QString installed = QFontInfo(font).family();
        if (!installed.isEmpty()) font.setFamilies(QStringList{installed});
    }
    return font;
}

QString chosenFontName(const QString& name, const QFont& preset, const QFont& chosen) {
    return chosen.family() == preset.family() ? name : chosen.family();
}

int fontStyleBits(const QFont& font) {
    return (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0) |
           (font.strikeOut() ? 8 : 0);
}

}  // namespace dorvana
