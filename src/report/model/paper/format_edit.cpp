#include "report/model/paper/format_edit.h"

#include <optional>

#include "base/units.h"

namespace dorvana {
namespace {

std::optional<int> integerText(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return v;
}

}  // namespace

QString formatSizeMmText(const QString& widthText, const QString& heightText) {
    const int w = unitsToWholeMm(integerText(widthText).value_or(0));
    const int h = unitsToWholeMm(integerText(heightText).value_or(0));
    return QStringLiteral("%1 x %2").arg(w).arg(h);
}

void applyFormatEdit(TFormatPapiru& format, const QString& name, const QString& widthText,
                     const QString& heightText) {
    format.name = name.left(kFormatNameLength);
    if (const auto w = integerText(widthText)) format.width = *w;
    if (const auto h = integerText(heightText)) format.height = *h;
}

}  // namespace dorvana
