#include "report/layout/pages/element_printing.h"

#include "report/model/graphic_elements.h"
#include "report/model/memo_lines.h"
#include "report/model/text_elements.h"

namespace dorvana {

std::shared_ptr<const PrintedStyle> printedStyleOf(const TSesPrvek& e, bool barcodeByPrinter) {
    auto style = std::make_shared<PrintedStyle>();
    style->kind = e.type();
    style->font = PrintedFont{e.fontName(), e.fontSize, e.font.colour, e.font.style, e.font.charset};
    style->alignment = int(e.alignment);
    style->barcodeByPrinter = barcodeByPrinter;
    if (e.isText()) {
        const auto& t = static_cast<const TSesText&>(e);
        style->frame = t.borders();
        style->screenFont = t.screenFont();
        style->barcodeFormat = t.BcFormat();
        style->rotation = t.Otoc();
        if (e.type() == ElementType::FieldValue) {
            const auto& f = static_cast<const TDBSesText&>(e);
            if (f.isMemo()) style->alignment |= f.memoFlags & 0xF0;
            if (f.isPicture()) {
                style->diagonalLsPh = f.memoFlags & MemoFlag::Stretch;
                style->diagonalLhPs = f.memoFlags & MemoFlag::KeepProportions;
            }
        }
    } else if (e.isGraphic()) {
        const auto& g = static_cast<const TSesGrafPrvek&>(e);
        style->frame = g.lines() & (LineBit::Left | LineBit::Top | LineBit::Right | LineBit::Bottom);
        style->diagonalLsPh = g.LsPh;
        style->diagonalLhPs = g.LhPs;
        style->lineColour = g.BarvaCary;
        style->lineStyle = g.StylCary;
        style->lineWidth = g.SirkaCary;
        style->fillColour = g.BarvaVypl;
        style->fillStyle = g.StylVypl;
    }
    return style;
}

TPrevPrvek printedCopyOf(const TSesPrvek& e, std::shared_ptr<const PrintedStyle> style) {
    TPrevPrvek p(std::move(style));
    p.X = e.X;
    p.Y = e.Y;
    p.W = e.W;
    p.H = e.H;
    switch (e.type()) {
        case ElementType::FieldValue: {
            const auto& f = static_cast<const TDBSesText&>(e);
            if (f.isMemo()) {
                p.memo = true;
                p.lines = f.lines;
            } else {
                p.text = e.Caption;
                if (f.isPicture()) p.picture = f.picture;
            }
            break;
        }
        case ElementType::Picture:
            p.picture = static_cast<const TSesObraz&>(e).Picture;
            break;
        default:
            if (e.isText()) p.text = e.Caption;
            break;
    }
    return p;
}

}  // namespace dorvana
