#pragma once
// What drawing the pages of one output learns once and reuses on every
// page: the fonts with their metrics, and for each text in a font its width,
// the length of it that fits a given width and, from its second drawing on,
// its shaped glyphs. Drawing with the cache gives the same pixels as
// drawing without it. Fonts measure and shape by the resolution of the
// paint device: on a device of another resolution the cache starts afresh.

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QList>
#include <QPainter>
#include <QString>
#include <memory>
#include <unordered_map>
#include <vector>

namespace dorvana {

// The longest start of line that is at most avail wide (the line's width
// given). Dropping the last character while the line is too wide gives the
// same: without kerning the width of a start never shrinks as it grows.
// Never ends inside a surrogate pair.
int fittingTextLength(const QFontMetrics& fm, QStringView line, int width, int avail);

class DrawCache {
public:
    struct Font {
        Font(const QFont& f, const QPaintDevice* device) : font(f), metrics(f, device) {}
        QFont font;  // as made for templates, before the painter resolves it
        QFontMetrics metrics;
        int id = 0;
    };

    struct Text {
        int width = 0;                     // the whole text's advance
        int fitAvail = -1, fitLength = 0;  // the last fit asked for
        int draws = 0;
        bool shaped = false;  // runs made, or found unusable (then empty)
        QList<QGlyphRun> runs;
    };

    // The font of the name (compared ignoring case), pixel size and style
    // bits on the device.
    const Font& font(const QPaintDevice* device, const QString& name, int pixelSize, int style);

    // The entry of text in font, its width measured on first use. The
    // reference stays valid until endPage().
    Text& text(const Font& font, const QString& text);

    // The longest start of the entry's text at most avail wide.
    int fittedLength(const Font& font, Text& entry, const QString& text, int avail);

    // From the entry's second drawing on, draws its shaped glyphs with the
    // left end of the baseline at point, as QPainter::drawText(point, text)
    // does with the painter's font set to the entry's font (which it must
    // be). False when the text is to be drawn with drawText.
    bool drawShaped(QPainter& painter, Text& entry, const QString& text, QPoint point);

    // Between pages: forgets the texts once there are too many to keep.
    void endPage();

private:
    struct TextKey {
        int font;
        QString text;
        bool operator==(const TextKey&) const = default;
    };
    struct TextKeyHash {
        size_t operator()(const TextKey& k) const noexcept;
    };
    struct FontKey {
        QString name;  // case-folded
        int pixelSize;
        int style;
        bool operator==(const FontKey&) const = default;
    };
    struct FontKeyHash {
        size_t operator()(const FontKey& k) const noexcept;
    };

    void useDevice(const QPaintDevice* device);

    int dpiX_ = 0, dpiY_ = 0;
    std::vector<std::unique_ptr<Font>> fonts_;
    std::unordered_map<FontKey, int, FontKeyHash> fontIndex_;  // index in fonts_
    std::unordered_map<TextKey, Text, TextKeyHash> texts_;
};

}  // namespace dorvana
