#pragma once
// The graphic elements (types 7 to 11): line box, rectangle, rounded
// rectangle, ellipse and picture.

#include <QImage>

#include "report/model/report_element.h"

namespace dorvana {

// Bits of a graphic element's lines token.
namespace LineBit {
inline constexpr int Left = 1, Top = 2, Right = 4, Bottom = 8;
inline constexpr int LsPh = 16;  // diagonal from bottom left to top right; pictures: Stretch
inline constexpr int LhPs = 32;  // diagonal from top left to bottom right; pictures: PomerStran
}  // namespace LineBit

// Pen styles ("plná", "čárkovaná", "tečkovaná", "čerchovaná") and brush styles.
inline constexpr int kPenStyleCount = 4;
inline constexpr int kBrushStyleCount = 8;

// TSesGrafPrvek: edges, diagonals, line and fill of a graphic element.
class TSesGrafPrvek : public TSesPrvek {
public:
    bool Leva = false, Horni = false, Prava = false, Spodni = false;
    bool LsPh = false, LhPs = false;
    QRgb BarvaCary = 0xFF000000;  // line colour
    int StylCary = 0;             // pen style 0..3
    int SirkaCary = 0;            // line width, 0.01 in
    QRgb BarvaVypl = 0xFF000000;  // fill colour
    int StylVypl = 0;             // brush style 0..7

    // The lines token: LineBit bits.
    int lines() const;
    void setLines(int bits);

protected:
    using TSesPrvek::TSesPrvek;
    TSesGrafPrvek(const TSesGrafPrvek&) = default;
};

// Type 7: a box whose chosen edges and diagonals are drawn.
class TSesCara : public TSesGrafPrvek {
public:
    TSesCara() : TSesGrafPrvek(ElementType::Line) {}
    std::unique_ptr<TSesPrvek> clone() const override { return std::make_unique<TSesCara>(*this); }
};

// Types 8, 9, 10: rectangle, rounded rectangle, ellipse.
class TSesRam : public TSesGrafPrvek {
public:
    explicit TSesRam(int type = ElementType::Rectangle) : TSesGrafPrvek(type) {}
    std::unique_ptr<TSesPrvek> clone() const override { return std::make_unique<TSesRam>(*this); }
    QRgb Color = 0xFFFFFFFF;
    bool Transparent = false;
};

// Type 11: a picture loaded from a file beside the template.
class TSesObraz : public TSesGrafPrvek {
public:
    TSesObraz() : TSesGrafPrvek(ElementType::Picture) {}
    std::unique_ptr<TSesPrvek> clone() const override { return std::make_unique<TSesObraz>(*this); }

    // Stretch and keep proportions share the diagonals' storage.
    bool Stretch() const { return LsPh; }
    void setStretch(bool on) { LsPh = on; }
    bool PomerStran() const { return LhPs; }
    void setPomerStran(bool on) { LhPs = on; }

    // The file name as the template stores it (without directory).
    const QString& FileName() const { return fileName_; }
    // Sets the file name and loads the picture from directory/name (only the
    // name's last part counts); an empty name or directory, or a file that
    // cannot be read, leaves no picture.
    void setFileName(const QString& name, const QString& directory = QString());
    QImage Picture;

private:
    QString fileName_;
};

}  // namespace dorvana
