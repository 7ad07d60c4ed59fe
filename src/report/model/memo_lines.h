#pragma once
// Breaking a memo field's text into the lines a field value element prints.

#include <QString>
#include <QStringList>

namespace dorvana {

class TextMeasurer;

// Memo and picture options of a field value element (bits 4-7 of its align token).
namespace MemoFlag {
inline constexpr int WordWrap = 16;  // memo: break at the last blank; picture: stretch
inline constexpr int Justify = 32;   // memo: widen blanks; picture: keep proportions
inline constexpr int Grow = 64;      // memo: the section grows by the extra height
inline constexpr int Stretch = WordWrap, KeepProportions = Justify;
}  // namespace MemoFlag

struct MemoFont {
    QString name;
    int pointSize = 0;
    int style = 0;
};

// Breaks text into lines no wider than width (0.01 in): CR LF, CR or LF end a
// line; a line too wide ends before the character that does not fit, or with
// WordWrap at the last blank after its sixth character; with Justify a line
// ended by width gets extra blanks after its words while they fit. A line
// holds at most 255 characters and at least one. Without a measurer only line
// ends and the 255-character limit break lines. With maxLines >= 0 only the
// first maxLines lines are broken (the rest of the text is never measured).
QStringList breakMemoLines(const QString& text, int width, int flags, const MemoFont& font,
                           const TextMeasurer* measurer, int maxLines = -1);

// How many lines of a memo element matter: those its box of height (0.01 in)
// can show at any scale it is drawn at, or for a growing memo (Grow) those
// that make it grow beyond twice heightLimit (the printable page height):
// a section that tall stands alone on its page and what lies beyond the page
// is never seen. -1: all of them (a growing memo without a page height).
int memoLineLimit(int height, int fontSize, int flags, int heightLimit);

}  // namespace dorvana
