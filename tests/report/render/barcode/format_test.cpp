#include <gtest/gtest.h>

#include "report/expr/format/format_settings.h"
#include "report/render/barcode/barcode_format.h"

using namespace dorvana;

TEST(BarcodeFormat, InitialValuesBuildTheDialogDefault) {
    EXPECT_EQ(BarcodeFormat{}.toText(u','), QStringLiteral("031010000120010015#0"));
    EXPECT_EQ(BarcodeFormat{}.toText(u'.'), QStringLiteral("031010000120010015#0"));
    EXPECT_EQ(BarcodeFormat::readForDialog(QString()), BarcodeFormat{});
}

TEST(BarcodeFormat, RatioIsWrittenWithAtMostOneDecimalInThreeCharacters) {
    struct Case {
        double ratio;
        QChar separator;
        const char* field;
    };
    const Case cases[] = {
        {1.0, u',', "001"},  {2.5, u',', "2,5"},  {2.5, u'.', "2.5"},
        {0.1, u',', "0,1"},  {5.0, u',', "005"},  {1.25, u',', "1,2"},  // halves to even
        {1.35, u',', "1,4"}, {0.01, u',', "0,1"},  // a read ratio of .01 stays readable
    };
    for (const Case& c : cases) {
        BarcodeFormat f;
        f.ratio = c.ratio;
        EXPECT_EQ(f.toText(c.separator).mid(11, 3), QString::fromLatin1(c.field)) << c.ratio;
    }
}

TEST(BarcodeFormat, WritesEveryFieldAtItsPosition) {
    BarcodeFormat f;
    f.symbology = Symbology::Code128;
    f.showText = false;
    f.showStartStop = true;
    f.tallGuardBars = false;
    f.bearerBars = true;
    f.checkCharacter = true;
    f.code128Set = 2;
    f.narrowWidth = 7;
    f.ratio = 2.5;
    f.barColour = 12;
    f.backgroundColour = 11;
    f.addOnSeparator = u'|';
    f.ean128 = true;
    const QString text = f.toText(u',');
    EXPECT_EQ(text, QStringLiteral("090101120072,51211|1"));
    EXPECT_EQ(BarcodeFormat::read(text), f);
    EXPECT_EQ(BarcodeFormat::readForDialog(text), f);
}

TEST(BarcodeFormat, ReaderTakesEveryCharacterButZeroAsYesAndBothSeparators) {
    const auto f = BarcodeFormat::read(QStringLiteral("04xNy0a10120.50315;Z trailing"));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->symbology, Symbology::Interleaved2of5);
    EXPECT_TRUE(f->showText);
    EXPECT_TRUE(f->showStartStop);
    EXPECT_TRUE(f->tallGuardBars);
    EXPECT_FALSE(f->bearerBars);
    EXPECT_TRUE(f->checkCharacter);
    EXPECT_EQ(f->code128Set, 1);
    EXPECT_EQ(f->narrowWidth, 12);
    EXPECT_DOUBLE_EQ(f->ratio, 0.5);
    EXPECT_EQ(f->barColour, 3);
    EXPECT_EQ(f->backgroundColour, 15);
    EXPECT_EQ(f->addOnSeparator, u';');
    EXPECT_TRUE(f->ean128);
    EXPECT_DOUBLE_EQ(BarcodeFormat::read(QStringLiteral("031010000122,50015#0"))->ratio, 2.5);
}

TEST(BarcodeFormat, UnreadableFormats) {
    // (text, readable for drawing, loadable into the dialog)
    struct Case {
        const char* text;
        bool readable;
        bool loadable;
    };
    const Case cases[] = {
        {"031010000120010015#0", true, true},
        {"", false, true},                       // the dialog shows its initial values
        {"031010000120010015#", false, false},   // 19 characters
        {"031010000120010015#01", true, false},  // 21 characters
        {"0A1010000120010015#0", false, false},  // symbology not a number
        {"101010000120010015#0", false, false},  // no symbology 10
        {"03101000x120010015#0", false, false},  // width not a number
        {"031010000000010015#0", true, false},   // width 0: drawable, not a dialog value
        {"031010000120000015#0", false, false},  // ratio 0
        {"03101000012,,.0015#0", false, false},  // two separators
        {"031010000120090015#0", true, false},   // ratio 9 beyond the dialog's 5.0
        {"031010000120011615#0", false, false},  // bar colour 16
        {"03101000012001001x#0", false, false},  // background not a number
        {"031010030120010015#0", true, false},   // Code 128 set "3"
    };
    for (const Case& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(BarcodeFormat::read(text).has_value(), c.readable) << c.text;
        EXPECT_EQ(BarcodeFormat::readForDialog(text).has_value(), c.loadable) << c.text;
    }
}

TEST(BarcodeFormat, DialogSampleTakesItsAddOnFromTheElementText) {
    const struct {
        const char* text;
        const char* sample;
    } cases[] = {
        {"5901234123457", "123456789012"},       {"5901234123457#", "123456789012#12"},
        {"5901234123457#05", "123456789012#12"}, {"5901234123457#052", "123456789012#12345"},
        {"#12345678", "123456789012#12345"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(barcodeDialogSample(QString::fromLatin1(c.text), u'#'),
                  QString::fromLatin1(c.sample))
            << c.text;
}

TEST(BarcodeFormat, ColourTable) {
    EXPECT_EQ(colourTableNames().size(), 16);
    EXPECT_EQ(colourTableNames()[15], QStringLiteral("bílá"));
    EXPECT_EQ(colourTableEntry(4), QColor(0, 0, 128));
    EXPECT_EQ(colourTableEntry(8), QColor(192, 192, 192));
    EXPECT_EQ(symbologyNames()[5], QStringLiteral("Codabar "));
}

TEST(BarcodeFormat, WritesTheRatioWithTheDecimalSeparatorInForce) {
    BarcodeFormat f;
    f.ratio = 1.5;
    setFormatLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(f.toText().mid(11, 3), QStringLiteral("1.5"));
    setFormatLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    EXPECT_EQ(f.toText().mid(11, 3), QStringLiteral("1,5"));
    resetFormatLocale();
}
