// dorvana-cli barcode, run as a process.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "render_helpers.h"
#include "support/test_support.h"

using namespace dorvana::test;

namespace {

CliRun runBarcode(const QStringList& args) {
    return runCli(QStringLiteral("barcode"), args);
}

}  // namespace

TEST(BarcodeCli, DrawsTheElementIntoAPng) {
    ASSERT_TRUE(cliBuilt()) << "dorvana-cli is not built";
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("ean.png"));
    // Options before and after each other, default size 200 x 100 at 300 dpi.
    const CliRun run =
        runBarcode({QStringLiteral("--data"), QStringLiteral("590123412345"),
                QStringLiteral("--format=031010000120010015#0"), QStringLiteral("--out"), out});
    ASSERT_EQ(run.exitCode, 0) << run.error.toStdString();
    const QImage image(out);
    EXPECT_EQ(image.size(), QSize(600, 300));
    if (zbarAvailable()) {
        // The element has no quiet zone of its own: add one.
        QImage framed(800, 500, QImage::Format_RGB32);
        framed.fill(Qt::white);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                framed.setPixel(x + 100, y + 100, image.pixel(x, y));
        EXPECT_EQ(zbarDecode(framed), "EAN-13:5901234123457");
    }

    const QString turned = dir.filePath(QStringLiteral("turned.png"));
    ASSERT_EQ(runBarcode({QStringLiteral("--format"), QStringLiteral("071010000120010015#0"),
                      QStringLiteral("--data"), QStringLiteral("abc"), QStringLiteral("--out"),
                      turned, QStringLiteral("--width"), QStringLiteral("80"),
                      QStringLiteral("--height"), QStringLiteral("250"), QStringLiteral("--dpi"),
                      QStringLiteral("96"), QStringLiteral("--rotation"), QStringLiteral("3"),
                      QStringLiteral("--font"), QStringLiteral("Times New Roman"),
                      QStringLiteral("--font-size"), QStringLiteral("8")})
                  .exitCode,
              0);
    EXPECT_EQ(QImage(turned).size(), QSize(77, 240));
}

TEST(BarcodeCli, Failures) {
    ASSERT_TRUE(cliBuilt()) << "dorvana-cli is not built";
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("x.png"));
    const QString format = QStringLiteral("031010000120010015#0");
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{"--format", format, "--data", "ABC", "--out", out},
         "Chybná vstupní data pro čárový kód !"},
        {{"--data", "1", "--out", out}, "Chybí volba --format"},
        {{"--format", format, "--data", "1", "--out", out, "--rotation", "4"},
         "Otočení musí být 0 až 3"},
        {{"--format", format, "--data", "1", "--out", out, "--dpi", "x"},
         "Volba --dpi čeká celé číslo"},
        {{"--format", format, "--data", "1", "--out", dir.filePath("x.pdf")},
         "Výstup musí být soubor .png"},
    };
    for (const auto& c : cases) {
        const CliRun run = runBarcode(c.args);
        EXPECT_EQ(run.exitCode, 1) << c.message;
        EXPECT_TRUE(run.error.contains(QString::fromUtf8(c.message))) << run.error.toStdString();
    }
    // The error text is still drawn into the file, as the element would print.
    EXPECT_TRUE(QFileInfo::exists(out));
}
