#include "report/layout/pages/font_preset.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <algorithm>

#include "report/layout/pages/printed_fonts.h"

namespace dorvana {

QFont fontDialogPreset(const QString& name, int points, int styleBits) {
    QFont font = dialogFont(name, std::max(1, points), styleBits);
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

}  // namespace dorvana
