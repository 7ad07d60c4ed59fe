#include "render_fixture.h"

#include <QColor>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "report/render/page_canvas.h"

namespace dorvana::test {

TPrevPrvek makeElement(int kind, int x, int y, int w, int h) {
    auto style = std::make_shared<PrintedStyle>();
    style->kind = kind;
    style->font.name = QStringLiteral("Arial");
    style->font.size = 10;
    TPrevPrvek e(style);
    e.X = x;
    e.Y = y;
    e.W = w;
    e.H = h;
    return e;
}

TPrevPrvek makeText(int x, int y, int w, int h, const QString& text, int points, int alignment,
                    int rotation) {
    TPrevPrvek e = makeElement(1, x, y, w, h);
    e.text = text;
    PrintedStyle& s = e.editStyle();
    s.font.size = points;
    s.alignment = alignment;
    s.rotation = rotation;
    return e;
}

DrawContext unitContext() {
    return DrawContext::forDevice(1.0, 1.0, 100, 0, 0);
}

QImage drawn(const TPrevPrvek& element, QSize size, const DrawContext& context) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PageCanvas canvas(painter, context);
    canvas.drawElement(element);
    return image;
}

bool dark(const QImage& image, int x, int y) {
    if (!image.valid(x, y)) return false;
    return qGray(image.pixel(x, y)) < 128;
}

QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (dark(image, x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return a.width() * a.height() + b.width() * b.height();
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 64) ++n;
    return n;
}

namespace {
QByteArray runTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return p.readAllStandardOutput();
}
}  // namespace

bool popplerAvailable() {
    for (const char* tool : {"pdftotext", "pdftoppm", "pdfinfo"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) return false;
    return true;
}

QString pdfText(const QString& pdfPath) {
    return QString::fromUtf8(runTool(QStringLiteral("pdftotext"), {pdfPath, QStringLiteral("-")}));
}

QString pdfInfo(const QString& pdfPath) {
    const QStringList lines = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdfPath}))
                                  .split(u'\n');
    QStringList kept;
    for (const QString& l : lines)
        if (l.startsWith(u"Pages:") || l.startsWith(u"Page size:")) kept << l.simplified();
    return kept.join(u'\n');
}

QImage pdfPage(const QString& pdfPath, int page, int dpi) {
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QString::number(page),
             QStringLiteral("-l"), QString::number(page), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), pdfPath, base});
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

}  // namespace dorvana::test
