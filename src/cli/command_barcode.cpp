// dorvana-cli barcode: one barcode element drawn into a PNG.
#include <QFont>
#include <QImage>
#include <QPainter>

#include "base/rounding.h"
#include "base/safe_file.h"
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "report/render/barcode/barcode_format.h"
#include "report/render/barcode/draw_barcode.h"

namespace dorvana::cli {

int runBarcode(const QStringList& args) {
    CliArgs a;
    QString error;
    const QStringList withValue = {"format", "data",     "out",  "width",    "height",
                                   "dpi",    "rotation", "font", "font-size"};
    if (!parseArgs(args, withValue, {"help"}, &a, &error)) return fail(error);
    if (a.has("help")) return usage(QStringLiteral("barcode"));
    if (!a.positional.isEmpty())
        return fail(QStringLiteral("Nečekaný argument „%1“").arg(a.positional.first()));
    for (const char* required : {"format", "data", "out"})
        if (!a.values.contains(QLatin1String(required)))
            return fail(QStringLiteral("Chybí volba --%1").arg(QLatin1String(required)));
    int width, height, dpi, rotation, fontSize;
    if (!a.intValue("width", 200, &width, &error) || !a.intValue("height", 100, &height, &error) ||
        !a.intValue("dpi", 300, &dpi, &error) || !a.intValue("rotation", 0, &rotation, &error) ||
        !a.intValue("font-size", 10, &fontSize, &error))
        return fail(error);
    if (width < 1 || height < 1 || width > 10000 || height > 10000)
        return fail(QStringLiteral("Rozměry prvku musí být 1 až 10000 setin palce"));
    if (dpi < 1 || dpi > 2400) return fail(QStringLiteral("Rozlišení musí být 1 až 2400 dpi"));
    if (rotation < 0 || rotation > 3) return fail(QStringLiteral("Otočení musí být 0 až 3"));
    if (fontSize < 1 || fontSize > 500)
        return fail(QStringLiteral("Velikost písma musí být 1 až 500 bodů"));
    if (!BarcodeFormat::read(a.value("format")))
        return fail(QStringLiteral("Chybný formát čárového kódu „%1“ (20 znaků: typ, volby, "
                                   "šířka, poměr, barvy; např. 031010000120010015#0)")
                        .arg(a.value("format")));
    const QString out = a.value("out");
    if (!out.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        return fail(QStringLiteral("Výstup musí být soubor .png"));

    const int w = roundHalfEven(width * dpi / 100.0);
    const int h = roundHalfEven(height * dpi / 100.0);
    if (qint64(w) * h > 200'000'000) return fail(QStringLiteral("Obrázek by byl příliš velký"));
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull()) return fail(QStringLiteral("Nedostatek paměti pro obrázek"));
    const int dotsPerMeter = roundHalfEven(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    bool drawn;
    {
        QPainter p(&image);
        QFont font(a.value("font", QStringLiteral("Arial")));
        font.setPointSize(fontSize);
        p.setFont(font);
        p.setPen(Qt::black);
        drawn = DrawBarcode(p, image.rect(), a.value("data"), rotation, 0, 1.0, a.value("format"));
    }
    SafeFile file(out);
    if (!file.open(&error)) return fail(error);
    if (!image.save(file.device(), "PNG")) {
        QString reason;
        return fail(file.finish(&reason) ? QStringLiteral("Nelze zapsat soubor „%1“").arg(out) : reason);
    }
    if (!file.commit(&error)) return fail(error);
    if (!drawn) return fail(barcodeErrorText());
    return 0;
}

}  // namespace dorvana::cli
