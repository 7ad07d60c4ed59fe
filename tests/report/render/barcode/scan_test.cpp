// Every symbology zbar reads, drawn at 300 dpi in all four rotations and
// read back.
#include <gtest/gtest.h>

#include "render_helpers.h"

using namespace dorvana;
using namespace dorvana::test;

namespace {

struct ScanCase {
    const char* name;
    const char* format;
    const char* data;
    const char* expected;  // zbarimg's lines, sorted, joined by " | "
    QSize units = QSize(300, 120);
};

// Formats: symbology, text, start/stop text, tall guards, bearer, check, set,
// width, ratio, colours, separator, EAN 128.
const ScanCase kCases[] = {
    {"ean13_computed", "031010000120010015#0", "590123412345", "EAN-13:5901234123457"},
    {"ean13_kept", "031010000120010015#0", "5901234123457", "EAN-13:5901234123457"},
    {"ean8", "021010000120010015#0", "9638507", "EAN-8:96385074"},
    {"upca", "001010000120010015#0", "03600029145", "UPC-A:036000291452"},
    {"upce", "011010000120010015#0", "123456", "UPC-E:01234565"},
    {"upce_3", "011010000120010015#0", "123453", "UPC-E:01234531"},
    {"upce_4", "011010000120010015#0", "123454", "UPC-E:01234543"},
    {"upce_7", "011010000120010015#0", "123457", "UPC-E:01234572"},
    {"ean13_addon2", "031010000120010015#0", "9771234567003#05", "EAN-13:9771234567003 | EAN-2:05"},
    {"ean13_addon5", "031010000120010015#0", "9781234567897#90000",
     "EAN-13:9781234567897 | EAN-5:90000"},
    {"i25_check", "041010100120010015#0", "1234", "I2/5:012348"},
    {"i25_plain", "041010000120010015#0", "123", "I2/5:0123"},
    {"i25_bearer", "041011000120010015#0", "5678901234", "I2/5:5678901234"},
    {"codabar", "051010000120010015#0", "a40156b", "Codabar:A40156B"},
    {"codabar_plain", "051010000120010015#0", "31117013206375", "Codabar:A31117013206375A"},
    {"code39", "071010000120010015#0", "abc-1", "CODE-39:ABC-1"},
    {"code39_all", "071010000100010015#0", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%",
     "CODE-39:0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", QSize(700, 120)},
    {"code93", "081010000120010015#0", "CODE 93-$/+%.", "CODE-93:CODE 93-$/+%."},
    {"code93_shifts", "081010000120010015#0", "a!b@Z{~}:;[`_", "CODE-93:a!b@Z{~}:;[`_",
     QSize(500, 120)},
    {"code128_a", "091010000120010015#0", "ABC-123 %", "CODE-128:ABC-123 %"},
    {"code128_b", "091010010120010015#0", "Hello, world! {~}", "CODE-128:Hello, world! {~}",
     QSize(400, 120)},
    {"code128_c", "091010020120010015#0", "0123456789", "CODE-128:0123456789"},
    {"code128_ean128", "091010020120010015#1", "0112345678901231", "CODE-128:0112345678901231"},
    {"code128_check_on", "091011010120010015#0", "Dorvana", "CODE-128:Dorvana"},
};

class BarcodeScan : public testing::TestWithParam<ScanCase> {};

TEST_P(BarcodeScan, ReadsBackInEveryRotation) {
    if (!zbarAvailable()) GTEST_SKIP() << "zbarimg is not installed";
    const ScanCase& c = GetParam();
    for (int rotation = 0; rotation < 4; ++rotation) {
        const QSize units = rotation % 2 ? c.units.transposed() : c.units;
        const ElementImage e = renderBarcodeElement(
            QString::fromLatin1(c.format), QString::fromLatin1(c.data), units, 300, rotation);
        ASSERT_TRUE(e.drawn) << c.name;
        EXPECT_EQ(zbarDecode(e.image), c.expected) << c.name << " rotation " << rotation;
        if (qEnvironmentVariableIsSet("DORVANA_KEEP_BARCODES"))
            e.image.save(
                QStringLiteral("/tmp/bc-%1-%2.png").arg(QLatin1String(c.name)).arg(rotation));
    }
}

INSTANTIATE_TEST_SUITE_P(AllSymbologies, BarcodeScan, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ScanCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
