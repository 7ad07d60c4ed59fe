#include "report/model/memo_lines.h"

#include "report/model/model_sources.h"

#include <algorithm>

namespace dorvana {

namespace {

constexpr qsizetype kChunk = 255;
constexpr qsizetype kKeepBeforeBlank = 6;  // a wrap blank must lie after the sixth character

double measure(const TextMeasurer* m, const MemoFont& font, const QString& text) {
    return m ? m->textWidth(text, font.name, font.pointSize, font.style) : 0.0;
}

// Widens the blanks after words, one per word per pass, while the line stays
// within width.
QString justify(QString line, int width, const MemoFont& font, const TextMeasurer* m) {
    if (!m) return line;
    bool inserted = true;
    while (inserted && measure(m, font, line) < width) {
        inserted = false;
        for (qsizetype i = 1; i < line.size(); ++i) {
            // A word ends here: a non-blank followed by a blank.
            if (line[i] != u' ' || line[i - 1] == u' ') continue;
            QString wider = line;
            wider.insert(i, u' ');
            if (measure(m, font, wider) > width) return line;
            line = wider;
            inserted = true;
            ++i;  // past the blank just inserted; the next word gets the next one
            while (i < line.size() && line[i] == u' ') ++i;
        }
    }
    return line;
}

}  // namespace

QStringList breakMemoLines(const QString& text, int width, int flags, const MemoFont& font,
                           const TextMeasurer* measurer, int maxLines) {
    QStringList lines;
    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos < n && (maxLines < 0 || lines.size() < maxLines)) {
        const qsizetype end = qMin(n, pos + kChunk);
        qsizetype lineEnd = end;  // end of the line's text
        qsizetype next = end;     // where the next line starts
        for (qsizetype i = pos; i < end; ++i) {
            const QChar c = text[i];
            if (c == u'\r') {
                lineEnd = i;
                next = i + 1 < n && text[i + 1] == u'\n' ? i + 2 : i + 1;
                break;
            }
            if (c == u'\n') {
                lineEnd = i;
                next = i + 1;
                break;
            }
        }
        // The first character that does not fit: widths grow with the text,
        // so halving the range finds it without measuring every prefix.
        bool byWidth = false;
        if (measurer && lineEnd > pos &&
            measure(measurer, font, text.mid(pos, lineEnd - pos)) > width) {
            qsizetype fits = pos, over = lineEnd;  // prefix [pos, fits) fits, [pos, over) not
            while (over - fits > 1) {
                const qsizetype mid = fits + (over - fits) / 2;
                if (measure(measurer, font, text.mid(pos, mid - pos)) <= width)
                    fits = mid;
                else
                    over = mid;
            }
            const qsizetype i = over - 1;  // the character that does not fit
            byWidth = true;
            lineEnd = next = i;
            if (flags & MemoFlag::WordWrap) {
                for (qsizetype b = i; b > pos + kKeepBeforeBlank - 1; --b) {
                    if (text[b] == u' ' && b - pos >= kKeepBeforeBlank) {
                        lineEnd = b;
                        next = b + 1;
                        break;
                    }
                }
            }
            if (next == pos) lineEnd = next = pos + 1;  // a line holds at least one character
        }
        QString line = text.mid(pos, lineEnd - pos);
        if (byWidth && (flags & MemoFlag::Justify)) line = justify(line, width, font, measurer);
        lines.append(line);
        pos = next;
    }
    return lines;
}

int memoLineLimit(int height, int fontSize, int flags, int heightLimit) {
    // The drawing scales the font size and rounds it: at a small scale the
    // pitch may come out up to a third below 1.5 x fontSize, so lines are
    // counted at a pitch of fontSize, plus one cut by the box and one spare.
    const int pitch = std::max(1, fontSize);
    if (flags & MemoFlag::Grow) {
        if (heightLimit <= 0) return -1;
        // Twice the page and the box itself: a growth that large puts the
        // section on a page of its own whatever the rest of the memo holds.
        return int((2 * qint64(heightLimit) + std::max(0, height)) / pitch + 2);
    }
    return std::max(0, height) / pitch + 2;
}

}  // namespace dorvana
