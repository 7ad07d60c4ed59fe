#include "render_helpers.h"

#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "report/render/barcode/draw_barcode.h"

namespace dorvana::test {

ElementImage renderBarcodeElement(const QString& format, const QString& data, QSize units, int dpi,
                                  int rotation, int borderUnits, int fontPoints) {
    const auto px = [dpi](int u) { return int(qint64(u) * dpi / 100); };
    ElementImage out;
    out.element = QRect(px(borderUnits), px(borderUnits), px(units.width()), px(units.height()));
    out.image = QImage(out.element.width() + 2 * out.element.left(),
                       out.element.height() + 2 * out.element.top(), QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    out.image.setDotsPerMeterX(dotsPerMeter);
    out.image.setDotsPerMeterY(dotsPerMeter);
    out.image.fill(Qt::white);
    QPainter p(&out.image);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(fontPoints);
    p.setFont(font);
    p.setPen(Qt::black);
    out.drawn = DrawBarcode(p, out.element, data, rotation, 0, 1.0, format);
    return out;
}

bool zbarAvailable() {
    return !QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty();
}

std::string zbarDecode(const QImage& image) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("code.png"));
    if (!image.save(path)) return "<cannot save>";
    QProcess zbar;
    zbar.start(
        QStringLiteral("zbarimg"),
        {QStringLiteral("-q"), QStringLiteral("-Sean2.enable"), QStringLiteral("-Sean5.enable"),
         QStringLiteral("-Supca.enable"), QStringLiteral("-Supce.enable"),
         QStringLiteral("-Si25.min-length=2"), QStringLiteral("-Scodabar.min-length=1"),
         QStringLiteral("-Scode39.min-length=1"), QStringLiteral("-Scode93.min-length=1"),
         QStringLiteral("-Scode128.min-length=1"), path});
    if (!zbar.waitForFinished(30000)) return "<zbarimg timed out>";
    const QString output = QString::fromUtf8(zbar.readAllStandardOutput());
    QStringList lines = output.split(u'\n', Qt::SkipEmptyParts);
    lines.sort();
    return lines.join(QStringLiteral(" | ")).toStdString();
}

}  // namespace dorvana::test
