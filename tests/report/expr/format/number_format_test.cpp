#include <QLocale>
#include <cmath>
#include <limits>

#include "format_test_locale.h"
#include "report/expr/format/number_format.h"

using namespace dorvana;
using dorvana::test::kNbsp;

namespace {

class NumberFormatTest : public dorvana::test::FormatLocaleTest {};

// "_" in an expected text stands for the locale's non-breaking thousands separator.
QString expected(const char* text) {
    return QString::fromUtf8(text).replace(u'_', kNbsp);
}

TEST_F(NumberFormatTest, CLocaleMeansCzech) {
    const FormatSettings s = FormatSettings::fromLocale(QLocale::c());
    EXPECT_EQ(s.locale.language(), QLocale::Czech);
    EXPECT_EQ(s.decimalSeparator, QLatin1Char(','));
    EXPECT_EQ(s.thousandsSeparator, kNbsp);
    EXPECT_EQ(s.currencyPositive, QString::fromUtf8("%1\u00a0Kč"));
    EXPECT_EQ(s.currencyNegative, QString::fromUtf8("-%1\u00a0Kč"));
    EXPECT_EQ(s.shortDatePattern, QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(s.longTimePattern, QStringLiteral("h:nn:ss"));
    EXPECT_EQ(s.dateSeparator, QLatin1Char('.'));
    EXPECT_EQ(s.timeSeparator, QLatin1Char(':'));
}

TEST_F(NumberFormatTest, FormatsZeroToFour) {
    struct Case {
        double value;
        NumberFormat format;
        int precision;
        int digits;
        const char* text;
    };
    const NumberFormat G = NumberFormat::General, E = NumberFormat::Exponential,
                       F = NumberFormat::Fixed, N = NumberFormat::Number,
                       C = NumberFormat::Currency;
    const Case cases[] = {
        {1234.5, G, 15, 0, "1234,5"},
        {0.1, G, 15, 0, "0,1"},
        {-2.5, G, 15, 0, "-2,5"},
        {0.0, G, 15, 2, "0"},
        {1e20, G, 15, 0, "1E20"},
        {100000.0, G, 3, 2, "1E05"},
        {123456789012345678.0, G, 15, 0, "1,23456789012346E17"},
        {0.00001, G, 15, 0, "0,00001"},
        {0.0000015, G, 15, 0, "1,5E-6"},
        {2.0 / 3.0, G, 4, 0, "0,6667"},
        {1234.5, E, 4, 2, "1,235E+03"},
        {-0.00012, E, 3, 0, "-1,20E-4"},
        {0.0, E, 3, 2, "0,00E+00"},
        {1e100, E, 2, 1, "1,0E+100"},
        {2.5, F, 15, 0, "3"},
        {-2.5, F, 15, 0, "-3"},
        {0.125, F, 15, 2, "0,13"},
        {1.005, F, 15, 2, "1,00"},  // 1.005 is a little below 1.005 in binary
        {-0.001, F, 15, 2, "0,00"},
        {1234567.891, F, 15, 2, "1234567,89"},
        {0.5, F, 15, 3, "0,500"},
        {123456.789, F, 5, 2, "1,2346E05"},
        {1234567.891, N, 15, 2, "1_234_567,89"},
        {-1234.5, N, 15, 0, "-1_235"},
        {999.999, N, 15, 2, "1_000,00"},
        {12.0, N, 15, 2, "12,00"},
        {1234.5, C, 15, 2, "1_234,50_Kč"},
        {-1234.5, C, 15, 2, "-1_234,50_Kč"},
        {0.004, C, 15, 2, "0,00_Kč"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(formatFloat(c.value, c.format, c.precision, c.digits), expected(c.text));
    }
}

TEST_F(NumberFormatTest, OutOfRangeArgumentsAreClampedAndSpecialValuesNamed) {
    EXPECT_EQ(formatFloat(1.5, NumberFormat::Fixed, 0, -3), QStringLiteral("2"));
    EXPECT_EQ(formatFloat(1.5, NumberFormat::Fixed, 99, 99).size(), 2 + 18);
    EXPECT_EQ(formatFloat(std::nan(""), NumberFormat::Number, 15, 2), QStringLiteral("NAN"));
    EXPECT_EQ(formatFloat(-INFINITY, NumberFormat::General, 15, 2), QStringLiteral("-INF"));
    EXPECT_EQ(formatMask(INFINITY, u"0.00"), QStringLiteral("INF"));
}

TEST_F(NumberFormatTest, CurrencyAndSeparatorsFollowTheLocale) {
    useEnglish();
    EXPECT_EQ(formatFloat(-1234.5, NumberFormat::Currency, 15, 2), QStringLiteral("($1,234.50)"));
    EXPECT_EQ(formatFloat(1234.5, NumberFormat::Currency, 15, 2), QStringLiteral("$1,234.50"));
    EXPECT_EQ(formatFloat(1234.5, NumberFormat::Number, 15, 1), QStringLiteral("1,234.5"));
    EXPECT_EQ(realText(0.25), QStringLiteral("0.25"));
    useGerman();
    EXPECT_EQ(formatFloat(1234.5, NumberFormat::Number, 15, 2), QStringLiteral("1.234,50"));
}

TEST_F(NumberFormatTest, PictureMask) {
    struct Case {
        double value;
        const char* mask;
        const char* text;
    };
    const Case cases[] = {
        {1234.5, "#,##0.00", "1_234,50"},
        {0.0, "#,##0.00", "0,00"},
        {-1234.5, "#,##0.00", "-1_234,50"},
        {1234567.0, "#,#", "1_234_567"},
        {1.0, "0.##", "1"},
        {1.5, "0.##", "1,5"},
        {1.257, "0.##", "1,26"},
        {0.5, "#.00", ",50"},
        {12.5, ".00", "12,50"},
        {5.0, "000", "005"},
        {5.0, "#0#", "05"},
        {0.0, "#", ""},
        {12345.0, "0", "12345"},
        {1234.0, "00-00", "12-34"},
        {123456.0, "00-00", "1234-56"},
        {2.5, "0", "3"},
        {1234.5, "0.00E+00", "1,23E+03"},
        {0.00012, "0.0e-0", "1,2e-4"},
        {1234.0, "00.0E+0", "12,3E+2"},
        {1234.0, "0E-00", "1E03"},
        {0.0, "0.0E+00", "0,0E+00"},
        {-5.0, "0.00;(0.00);'nula'", "(5,00)"},
        {0.0, "0.00;(0.00);'nula'", "nula"},
        {0.001, "0.00;(0.00);'nula'", "nula"},
        {-0.001, "0.00;(0.00)", "(0,00)"},
        {-0.001, "0.00", "0,00"},
        {-5.0, "#,##0;", "-5"},
        {0.0, "0.0;;", "0,0"},
        {5.0, "\"Kč \"0", "Kč 5"},
        {5.0, "\"a;b\"0", "a;b5"},
        {5.0, "0 ks", "5 ks"},
        {5.0, "abc", "abc"},
        {1234.5, "", "1234,5"},
        {1234.5, ";;", "1234,5"},
        {-7.0, ";0", "7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        SCOPED_TRACE(c.value);
        EXPECT_EQ(formatMask(c.value, QString::fromUtf8(c.mask)), expected(c.text));
    }
}

TEST_F(NumberFormatTest, ReadsReals) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"1,5", true, 1.5},    {"1.5", true, 1.5},     {" -2 ", true, -2.0}, {"+3", true, 3.0},
        {"1e3", true, 1000.0}, {"2,5E-1", true, 0.25}, {",5", true, 0.5},    {"5,", true, 5.0},
        {"abc", false, 0},     {"", false, 0},         {"  ", false, 0},     {"1,5x", false, 0},
        {"1 000", false, 0},   {"1e", false, 0},       {"1e400", false, 0},  {"-", false, 0},
        {",", false, 0},       {"1,5,5", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double v = -99;
        EXPECT_EQ(parseReal(QString::fromUtf8(c.text), &v), c.ok);
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value);
        }
    }
    useEnglish();
    double v = 0;
    EXPECT_FALSE(parseReal(u"1,5", &v));
    EXPECT_TRUE(parseReal(u"1.5", &v));
    useGerman();  // "." groups thousands here, so it is no decimal point
    EXPECT_FALSE(parseReal(u"1.5", &v));
    EXPECT_TRUE(parseReal(u"1,5", &v));
    EXPECT_DOUBLE_EQ(v, 1.5);
}

TEST_F(NumberFormatTest, RealTextReadsBack) {
    for (double v : {0.1, -1234.5678, 1e-7, 6.02214076e23, 1.0 / 3.0}) {
        double back = 0;
        ASSERT_TRUE(parseReal(realText(v), &back)) << realText(v).toStdString();
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-14);
    }
}

TEST_F(NumberFormatTest, ReadsIntegers) {
    struct Case {
        const char* text;
        bool ok;
        qint32 value;
    };
    const Case cases[] = {
        {"42", true, 42},
        {" -7 ", true, -7},
        {"+3", true, 3},
        {"2147483647", true, std::numeric_limits<qint32>::max()},
        {"-2147483648", true, std::numeric_limits<qint32>::min()},
        {"2147483648", false, 0},
        {"99999999999999999999", false, 0},
        {"1.0", false, 0},
        {"1,0", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"12a", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        qint32 v = -99;
        EXPECT_EQ(parseInteger(QString::fromUtf8(c.text), &v), c.ok);
        if (c.ok) {
            EXPECT_EQ(v, c.value);
        }
    }
}

}  // namespace
