#include "report/layout/pages/preview_edits.h"

#include <memory>

namespace dorvana {

TPrevPrvek makeInsertedElement(bool multiLine, QPoint at, const TPrevPrvek* selected,
                               const InsertDefaults& defaults, bool barcodeByPrinter) {
    auto style = std::make_shared<PrintedStyle>();
    style->kind = 1;
    style->barcodeByPrinter = barcodeByPrinter;
    int w = defaults.width, h = multiLine ? 3 * defaults.height : defaults.height;
    if (selected) {
        const PrintedStyle& from = selected->style();
        style->alignment = from.alignment;
        style->font = from.font;
        style->screenFont = from.screenFont;
        style->barcodeFormat = from.barcodeFormat;
        style->rotation = from.rotation;
        w = selected->W;
        if (multiLine)
            h = selected->memo ? selected->H : 3 * selected->H;
        else
            h = selected->memo ? defaults.height : selected->H;
    } else {
        style->font = defaults.font;
        style->screenFont = defaults.screenFont;
    }
    TPrevPrvek out(std::move(style));
    out.X = at.x();
    out.Y = at.y();
    out.W = w;
    out.H = h;
    out.memo = multiLine;
    if (multiLine)
        out.lines = {QStringLiteral("Nový víceřádkový text")};
    else
        out.text = QStringLiteral("Nový text");
    return out;
}

}  // namespace dorvana
