// Fuzzes the barcode element: (format, rotation, scale, data) -> encode and
// draw into a small image. Input layout: 20 bytes of format (Latin-1), one
// byte of rotation and scale, then the data as UTF-8.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

#include "report/render/barcode/barcode_encoder.h"
#include "report/render/barcode/draw_barcode.h"
#include "quiet_log.h"

using namespace dorvana;

namespace {

// The encoder's promises: elements alternate, begin and end with a bar, and
// the texts point at existing elements.
void checkSymbol(const BarcodeSymbol& s) {
    if (s.elements.isEmpty() || !s.elements.first().bar || !s.elements.last().bar) abort();
    for (qsizetype i = 0; i < s.elements.size(); ++i) {
        if (s.elements[i].units < 1 || s.elements[i].units > 7) abort();
        if (i > 0 && s.elements[i].bar == s.elements[i - 1].bar) abort();
    }
    for (const BarcodeText& t : s.texts)
        if (t.first < 0 || t.last >= s.elements.size() || t.first > t.last) abort();
}

}  // namespace

// Fontconfig keeps its caches until the process ends; they are not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size < 21) return 0;
    const QString format = QString::fromLatin1(reinterpret_cast<const char*>(bytes), 20);
    const int rotation = bytes[20] & 3;
    const double scale = 0.25 * (1 + ((bytes[20] >> 2) & 15));
    const QString data =
        QString::fromUtf8(reinterpret_cast<const char*>(bytes + 21), qsizetype(size - 21));

    if (const auto f = BarcodeFormat::read(format)) {
        if (const auto symbol = encodeBarcode(*f, data)) checkSymbol(*symbol);
        // What the dialog writes it reads back.
        if (!BarcodeFormat::read(f->toText(u','))) abort();
    }
    BarcodeFormat::readForDialog(format);

    static QImage image(160, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(6);
    p.setFont(font);
    DrawBarcode(
        p, QRect(4, 2, rotation % 2 ? 56 : 150, rotation % 2 ? 150 : 56).intersected(image.rect()),
        data, rotation, 0, scale, format);
    return 0;
}
