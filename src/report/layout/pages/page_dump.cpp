#include "report/layout/pages/page_dump.h"

#include <QBuffer>

#include "base/safe_file.h"
#include "report/model/colour_table.h"

namespace dorvana {

namespace {

// JSON text written in chunks to a device, so that a dump of a large build
// never sits in memory whole.
class JsonText {
public:
    explicit JsonText(QIODevice& device) : device_(device) {}
    // Writes what is buffered; false when the device refused it.
    bool flush() {
        if (!failed_ && !out_.isEmpty() && device_.write(out_) != out_.size()) failed_ = true;
        out_.clear();
        return !failed_;
    }
    // Flushes once the buffer has grown.
    void spill() {
        if (out_.size() >= kChunk) flush();
    }
    void raw(const char* s) { out_.append(s); }
    void key(const char* name) {
        separate();
        out_.append('"').append(name).append("\":");
        first_ = true;  // the value follows without a comma
        valuePending_ = true;
    }
    void number(int v) {
        separate();
        out_.append(QByteArray::number(v));
    }
    void boolean(bool v) {
        separate();
        out_.append(v ? "true" : "false");
    }
    void string(const QString& s) {
        separate();
        QString escaped;
        escaped.reserve(s.size() + 2);
        escaped += u'"';
        for (const QChar c : s) {
            switch (c.unicode()) {
                case u'"':
                    escaped += QStringLiteral("\\\"");
                    break;
                case u'\\':
                    escaped += QStringLiteral("\\\\");
                    break;
                case u'\n':
                    escaped += QStringLiteral("\\n");
                    break;
                case u'\r':
                    escaped += QStringLiteral("\\r");
                    break;
                case u'\t':
                    escaped += QStringLiteral("\\t");
                    break;
                default:
                    if (c.unicode() < 0x20)
                        escaped +=
                            QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QChar(u'0'));
                    else
                        escaped += c;
            }
        }
        escaped += u'"';
        out_.append(escaped.toUtf8());
    }
    void open(char bracket) {
        separate();
        out_.append(bracket);
        first_ = true;
    }
    void close(char bracket) {
        out_.append(bracket);
        first_ = false;
    }
    // Starts the next item of an array on a line of its own.
    void newline() {
        if (!first_) out_.append(',');
        out_.append('\n');
        first_ = true;
    }

private:
    static constexpr qsizetype kChunk = 1 << 16;
    void separate() {
        if (valuePending_) {
            valuePending_ = false;
        } else if (!first_) {
            out_.append(',');
        }
        first_ = false;
    }
    QIODevice& device_;
    QByteArray out_;
    bool failed_ = false;
    bool first_ = true;
    bool valuePending_ = false;
};

void writeElement(JsonText& j, const TPrevPrvek& e) {
    const PrintedStyle& s = e.style();
    j.open('{');
    j.key("kind"), j.number(s.kind);
    j.key("x"), j.number(e.X);
    j.key("y"), j.number(e.Y);
    j.key("w"), j.number(e.W);
    j.key("h"), j.number(e.H);
    j.key("text"), j.string(e.text);
    j.key("memo"), j.boolean(e.memo);
    j.key("lines"), j.open('[');
    for (const QString& l : e.lines) j.string(l);
    j.close(']');
    j.key("font"), j.open('{');
    j.key("name"), j.string(s.font.name);
    j.key("size"), j.number(s.font.size);
    j.key("colour"), j.number(indexOfColour(s.font.colour));
    j.key("style"), j.number(s.font.style);
    j.key("charset"), j.number(s.font.charset);
    j.close('}');
    j.key("align"), j.number(s.alignment);
    j.key("frame"), j.open('[');
    for (int bit : {1, 2, 4, 8}) j.boolean((s.frame & bit) != 0);
    j.close(']');
    j.key("screenFont"), j.string(s.screenFont);
    j.key("barcode"), j.string(s.barcodeFormat);
    j.key("rotation"), j.number(s.rotation);
    j.key("hasPicture"), j.boolean(e.hasPicture());
    j.key("lineColour"), j.number(indexOfColour(s.lineColour));
    j.key("lineStyle"), j.number(s.lineStyle);
    j.key("lineWidth"), j.number(s.lineWidth);
    j.key("fillColour"), j.number(indexOfColour(s.fillColour));
    j.key("fillStyle"), j.number(s.fillStyle);
    j.key("diagonals"), j.open('[');
    j.boolean(s.diagonalLsPh);
    j.boolean(s.diagonalLhPs);
    j.close(']');
    j.close('}');
}

}  // namespace

bool writePageDump(const PageStore& pages, bool cancelled, QIODevice& device) {
    JsonText j(device);
    j.open('{');
    j.key("pageCount"), j.number(pages.pageCount());
    j.key("cancelled"), j.boolean(cancelled);
    const PagePaper& p = pages.paper;
    j.key("paper"), j.open('{');
    j.key("width"), j.number(p.width);
    j.key("height"), j.number(p.height);
    j.key("orientation"), j.number(p.orientation);
    j.key("left"), j.number(p.leftMargin);
    j.key("right"), j.number(p.rightMargin);
    j.key("top"), j.number(p.topMargin);
    j.key("bottom"), j.number(p.bottomMargin);
    j.close('}');
    j.key("pages"), j.open('[');
    for (int n = 0; n < pages.pageCount(); ++n) {
        j.newline();
        j.open('{');
        j.key("elements"), j.open('[');
        const TStranaPrvku& page = pages.page(n);
        for (int i = 0; i < page.count(); ++i) {
            j.newline();
            writeElement(j, page.element(i));
            j.spill();
        }
        j.close(']');
        j.close('}');
    }
    j.close(']');
    j.close('}');
    j.raw("\n");
    return j.flush();
}

QByteArray writePageDump(const PageStore& pages, bool cancelled) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    writePageDump(pages, cancelled, buffer);
    return bytes;
}

bool writePageDumpFile(const PageStore& pages, const QString& path, bool cancelled,
                       QString* error) {
    SafeFile file(path);
    if (!file.open(error)) return false;
    writePageDump(pages, cancelled, *file.device());  // a failed write is reported by commit
    return file.commit(error);
}

}  // namespace dorvana
