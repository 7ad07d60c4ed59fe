#pragma once
// TSesPrvek: the base of all report elements (a piece of text or a graphic
// placed in a section). Elements are plain data; the designer shows them
// through its own view objects and the layout engine reads them.

#include <QRect>
#include <QRgb>
#include <QString>
#include <memory>

namespace dorvana {

struct CaptionSources;

// Element types as templates number them.
namespace ElementType {
inline constexpr int Label = 1;       // static text "Text"
inline constexpr int FieldValue = 2;  // "Položka tabulky"
inline constexpr int FieldLabel = 3;  // "Popis položky"
inline constexpr int Parameter = 4;   // "Parametr"
inline constexpr int Variable = 5;    // "Proměnná"
inline constexpr int Function = 6;    // "Funkce"
inline constexpr int Line = 7;        // "Úsečka"
inline constexpr int Rectangle = 8;   // "Rámeček"
inline constexpr int RoundRect = 9;   // "Zaoblený rámeček"
inline constexpr int Ellipse = 10;    // "Elipsa"
inline constexpr int Picture = 11;    // "Obrázek"
inline bool isText(int type) {
    return type >= Label && type <= Function;
}
inline bool isGraphic(int type) {
    return type >= Line && type <= Picture;
}
inline bool isValid(int type) {
    return type >= Label && type <= Picture;
}
}  // namespace ElementType

// Font style bits.
namespace FontStyle {
inline constexpr int Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8;
}

inline constexpr int kMaxNameLength = 32;  // font, screen font, barcode and reference names
// The text cut to the 32 characters names may have.
QString cutName(const QString& text);

enum class Alignment { Left = 0, Right = 1, Center = 2 };

// The element's font apart from its name and size.
struct ElementFont {
    QRgb colour = 0xFF000000;
    int style = 0;      // FontStyle bits
    int charset = 238;  // character set; 238 Central European
    bool operator==(const ElementFont&) const = default;
};

class TSesPrvek {
public:
    virtual ~TSesPrvek() = default;

    int type() const { return type_; }
    bool isText() const { return ElementType::isText(type_); }
    bool isGraphic() const { return ElementType::isGraphic(type_); }
    // "Text", "Položka tabulky", ... "Neznámý" for any other type.
    static QString typeName(int type);
    QString typeName() const { return typeName(type_); }

    // A copy of the element (the designer's clipboard and undo use it).
    virtual std::unique_ptr<TSesPrvek> clone() const = 0;

    // Recomputes Caption from the sources (text elements; others do nothing).
    virtual void refreshCaption(const CaptionSources&) {}

    int sectionIndex = 0;            // IndexOdd of the owning section
    int reference = 0;               // field, parameter, variable or function index
    int X = 0, Y = 0, W = 0, H = 0;  // 0.01 in, relative to the section

    const QString& fontName() const { return fontName_; }
    void setFontName(const QString& name) { fontName_ = cutName(name); }
    int fontSize = 0;  // points
    Alignment alignment = Alignment::Left;
    QString Caption;  // the text the element shows
    ElementFont font;

protected:
    explicit TSesPrvek(int type) : type_(type) {}
    TSesPrvek(const TSesPrvek&) = default;
    TSesPrvek& operator=(const TSesPrvek&) = default;

private:
    int type_;
    QString fontName_;
};

// Creates an element of a template type (1..11); null for any other type.
std::unique_ptr<TSesPrvek> createElement(int type);

}  // namespace dorvana
