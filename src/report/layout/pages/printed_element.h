#pragma once
// TPrevPrvek: one element of a printed page, as the layout engine made it and
// the preview's corrections changed it. Coordinates are hundredths of an inch
// relative to the top left corner of the printable area.
//
// Everything a printed element copies unchanged from the template element it
// came from (kind, font, alignment, frame, lines and fill, screen font,
// barcode format, rotation) sits in a PrintedStyle that all printed copies of
// that template element share; only position, size, text, lines and picture
// are the element's own. Changing a shared part makes the element its own
// copy first, so a correction never touches the element's siblings.

#include <QImage>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <memory>

namespace dorvana {

struct PrintedFont {
    QString name;
    int size = 0;                // points
    QRgb colour = 0xFF000000;    // one of the 16 template colours
    int style = 0;               // FontStyle bits
    int charset = 238;
    bool operator==(const PrintedFont&) const = default;
};

struct PrintedStyle {
    int kind = 1;  // template element type 1..11; elements added in the preview are 1
    PrintedFont font;
    // Bits 0-1: 0 left, 1 right, 2 centre; for memos bits 4-7 carry the MemoFlag bits.
    int alignment = 0;
    int frame = 0;      // frame lines of text kinds: left 1, top 2, right 4, bottom 8
    bool diagonalLsPh = false;  // line kind: bottom left to top right; pictures: stretch
    bool diagonalLhPs = false;  // line kind: top left to bottom right; pictures: keep proportions
    QRgb lineColour = 0xFF000000;
    int lineStyle = 0;
    int lineWidth = 0;
    QRgb fillColour = 0xFF000000;
    int fillStyle = 0;
    QString screenFont;     // at most 32 characters
    QString barcodeFormat;  // at most 32 characters; non-empty = the text is a barcode
    int rotation = 0;       // 0..3 quarter turns counter-clockwise
    bool barcodeByPrinter = true;
    bool operator==(const PrintedStyle&) const = default;
};

class TPrevPrvek {
public:
    TPrevPrvek();
    explicit TPrevPrvek(std::shared_ptr<const PrintedStyle> style);

    int X = 0, Y = 0, W = 0, H = 0;
    QString text;
    bool memo = false;  // shows `lines` instead of `text`
    QStringList lines;
    QImage picture;  // shared with the template element (QImage is implicitly shared)
    bool hasPicture() const { return !picture.isNull(); }

    const PrintedStyle& style() const { return *style_; }
    const std::shared_ptr<const PrintedStyle>& sharedStyle() const { return style_; }
    // The element's own copy of the style to change (made on first use).
    PrintedStyle& editStyle();

    int kind() const { return style_->kind; }
    const PrintedFont& font() const { return style_->font; }
    int alignment() const { return style_->alignment; }

private:
    std::shared_ptr<const PrintedStyle> style_;
    PrintedStyle* own_ = nullptr;  // style_ when this element made it, else null
};

}  // namespace dorvana
