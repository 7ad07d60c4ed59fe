#include "report/layout/pages/corrections_file.h"

#include <QFileInfo>
#include <optional>

#include "base/text_file.h"
#include "report/model/colour_table.h"
#include "report/model/template_tokens.h"

namespace dorvana {

namespace {

const QString kMemoMark = QStringLiteral("@Memo@");
constexpr int kShortTextLength = 32;  // screen font and barcode format

// A whole token as an integer, or none when it is not one.
std::optional<int> strictInteger(const QString& token) {
    const QString t = token.trimmed();
    const int a = parseIntegerToken(t, 0);
    if (a != parseIntegerToken(t, 1)) return std::nullopt;
    return a;
}

// Reads one record line. On a malformed line returns false with the reason.
class RecordReader {
public:
    RecordReader(const QString& line, int defaultCharset)
        : tokens_(line), defaultCharset_(defaultCharset) {}

    bool read(TPolEdit* r, int* memoCount, QString* reason) {
        *memoCount = -1;
        if (!required(&r->page, u"číslo strany") || !required(&r->element, u"číslo prvku") ||
            !required(&r->X, u"souřadnice X") || !required(&r->Y, u"souřadnice Y") ||
            !required(&r->W, u"šířka") || !required(&r->H, u"výška")) {
            *reason = reason_;
            return false;
        }
        if (r->page < 0 || r->element < 0) {
            *reason = QStringLiteral("záporné číslo strany nebo prvku");
            return false;
        }
        const QString text = tokens_.text();
        if (text.startsWith(kMemoMark)) {
            const auto n = strictInteger(text.mid(kMemoMark.size()));
            if (!n || *n < 0) {
                *reason = QStringLiteral("chybný počet řádků víceřádkového textu");
                return false;
            }
            *memoCount = *n;
            r->memo = true;
            r->lines.clear();
            r->text.clear();
        } else {
            r->memo = false;
            r->text = text;
        }
        int colour = 0;
        if (!optional(&r->alignment, 0, u"zarovnání")) return fail(reason);
        r->font.name = tokens_.text();
        if (!optional(&r->font.size, 0, u"velikost písma") ||
            !optional(&colour, 0, u"barva písma") || !optional(&r->font.style, 0, u"řez písma") ||
            !optional(&r->font.charset, defaultCharset_, u"znaková sada"))
            return fail(reason);
        if (!isColourIndex(colour)) {
            *reason = QStringLiteral("barva %1 mimo rozsah 0 až 15").arg(colour);
            return false;
        }
        r->font.colour = colourOfIndex(colour);
        r->screenFont = tokens_.text().left(kShortTextLength);
        r->barcodeFormat = tokens_.text().left(kShortTextLength);
        if (!optional(&r->rotation, 0, u"otočení")) return fail(reason);
        if (r->rotation < 0 || r->rotation > 3) {
            *reason = QStringLiteral("otočení %1 mimo rozsah 0 až 3").arg(r->rotation);
            return false;
        }
        return true;
    }

private:
    bool fail(QString* reason) {
        *reason = reason_;
        return false;
    }
    // A token that must be an integer.
    bool required(int* out, QStringView what) {
        const auto v = strictInteger(tokens_.text());
        if (!v) {
            reason_ = QStringLiteral("chybí nebo je chybná hodnota: %1").arg(what);
            return false;
        }
        *out = *v;
        return true;
    }
    // A token that may be missing (def), but when present must be an integer.
    bool optional(int* out, int def, QStringView what) {
        const QString token = tokens_.text();
        if (token.trimmed().isEmpty()) {
            *out = def;
            return true;
        }
        const auto v = strictInteger(token);
        if (!v) {
            reason_ = QStringLiteral("chybná hodnota: %1").arg(what);
            return false;
        }
        *out = *v;
        return true;
    }

    TemplateTokenizer tokens_;
    int defaultCharset_;
    QString reason_;
};

QString lineWarning(int lineNo, const QString& reason) {
    return QStringLiteral(
               "Soubor oprav je chybný na řádku %1 (%2); opravy od tohoto řádku "
               "nebyly načteny.")
        .arg(lineNo)
        .arg(reason);
}

// The lines a memo line stands for in the file (a line holding line breaks
// would otherwise throw the count off).
void appendMemoLines(const QString& line, QStringList* out) {
    if (!line.contains(u'\r') && !line.contains(u'\n')) {
        out->append(line);
        return;
    }
    QString rest = line;
    rest.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    rest.replace(u'\r', u'\n');
    out->append(rest.split(u'\n'));
}

}  // namespace

QString readCorrections(const QStringList& lines, TListEdit* list, int defaultCharset) {
    TPolEdit pending;
    int pendingCount = 0;  // memo lines still to come for `pending`
    for (int i = 0; i < lines.size(); ++i) {
        if (pendingCount > 0) {
            pending.lines.append(lines[i]);
            if (--pendingCount == 0) list->add(std::move(pending));
            continue;
        }
        // A blank line carries no record (an editor may leave one behind).
        if (lines[i].trimmed().isEmpty()) continue;
        TPolEdit r;
        int memoCount = -1;
        QString reason;
        if (!RecordReader(lines[i], defaultCharset).read(&r, &memoCount, &reason))
            return lineWarning(i + 1, reason);
        if (memoCount > 0) {
            pending = std::move(r);
            pendingCount = memoCount;
        } else {
            list->add(std::move(r));
        }
    }
    if (pendingCount > 0) {
        // Keep what the memo has; the file was cut short.
        const int had = int(pending.lines.size());
        list->add(std::move(pending));
        return QStringLiteral(
                   "Soubor oprav končí uprostřed víceřádkového textu (načteno %1 "
                   "řádků, chybí %2).")
            .arg(had)
            .arg(pendingCount);
    }
    return {};
}

QString loadCorrections(const QString& path, TListEdit* list, int defaultCharset) {
    if (!QFileInfo::exists(path)) return {};
    QStringList lines;
    QString error;
    if (!readTextLines(path, &lines, &error)) return error;
    const QString warning = readCorrections(lines, list, defaultCharset);
    return warning.isEmpty() ? warning
                             : QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), warning);
}

QStringList correctionLines(const TListEdit& list) {
    QStringList out;
    for (const TPolEdit& r : list.records()) {
        QStringList memoLines;
        if (r.memo)
            for (const QString& l : r.lines) appendMemoLines(l, &memoLines);
        QString text = r.memo ? kMemoMark + QString::number(memoLines.size()) : r.text;
        // A single-line text that looks like the memo mark would read back as
        // a memo and take the following records for its lines.
        if (!r.memo && text.startsWith(kMemoMark)) text[kMemoMark.size() - 1] = u' ';
        const auto n = [](int v) { return QString::number(v); };
        const QChar c = u',';
        out.append(n(r.page) + c + n(r.element) + c + n(r.X) + c + n(r.Y) + c + n(r.W) + c +
                   n(r.H) + c + quotedToken(text) + c + n(r.alignment) + c +
                   quotedToken(r.font.name) + c + n(r.font.size) + c +
                   n(indexOfColour(r.font.colour)) + c + n(r.font.style) + c + n(r.font.charset) +
                   c + quotedToken(r.screenFont.left(kShortTextLength)) + c +
                   quotedToken(r.barcodeFormat.left(kShortTextLength)) + c + n(r.rotation));
        out.append(memoLines);
    }
    return out;
}

bool saveCorrections(const QString& path, const TListEdit& list, QString* error) {
    if (list.isEmpty()) return true;
    return writeTextLines(path, correctionLines(list), error);
}

}  // namespace dorvana
