#include "report/expr/value_rules.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <limits>

#include "report/expr/format/date_time_format.h"
#include "report/expr/format/format_settings.h"

using namespace dorvana;

namespace {

TaggedValue I(qint32 v) {
    return TaggedValue(v);
}
TaggedValue R(double v) {
    return TaggedValue(v);
}
TaggedValue B(bool v) {
    return TaggedValue(v);
}
TaggedValue T(const char* v) {
    return TaggedValue(QString::fromUtf8(v));
}
TaggedValue D(double days) {
    return TaggedValue::dateTime(days);
}

class ValueRulesTest : public ::testing::Test {
protected:
    void SetUp() override { setFormatLocale(QLocale(QLocale::Czech, QLocale::Czechia)); }
    void TearDown() override { resetFormatLocale(); }
    const double dec10 = daysOf(QDate(2026, 12, 10));
};

TEST_F(ValueRulesTest, TextForms) {
    const struct {
        TaggedValue value;
        const char* text;
    } cases[] = {
        {TaggedValue(), ""},
        {I(-5), "-5"},
        {R(2.5), "2,5"},
        {R(6), "6"},
        {R(1.0 / 3), "0,333333333333333"},
        {B(true), "True"},
        {B(false), "False"},
        {T("žluť"), "žluť"},
        {D(dec10), "10.12.2026"},
        {D(dec10 + 0.5), "10.12.2026 12:00:00"},
    };
    for (const auto& c : cases) EXPECT_EQ(toText(c.value), QString::fromUtf8(c.text)) << c.text;
}

TEST_F(ValueRulesTest, ReadingAsNumbers) {
    const struct {
        TaggedValue value;
        bool ok;
        double real;
    } cases[] = {
        {T("12,5"), true, 12.5}, {T(" 12.5 "), true, 12.5}, {T("-1e3"), true, -1000},
        {T("abc"), false, 0},    {T(""), false, 0},         {T("1,2,3"), false, 0},
        {B(true), true, -1},     {B(false), true, 0},       {I(7), true, 7},
        {D(2.25), true, 2.25},   {TaggedValue(), true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(toText(c.value).toStdString());
        double d = -99;
        ValueFault f;
        EXPECT_EQ(toReal(c.value, &d, &f), c.ok);
        if (c.ok) {
            EXPECT_EQ(d, c.real);
        } else {
            EXPECT_EQ(f.kind, ValueFault::Kind::Type);
        }
    }
}

TEST_F(ValueRulesTest, ReadingAsIntegersRoundsHalvesToEven) {
    const struct {
        TaggedValue value;
        qint32 expected;
    } cases[] = {{R(2.5), 2},    {R(3.5), 4},   {R(-2.5), -2},
                 {R(2.4999), 2}, {T("7,5"), 8}, {B(true), -1}};
    for (const auto& c : cases) {
        qint32 n = 0;
        EXPECT_TRUE(toInt32(c.value, &n));
        EXPECT_EQ(n, c.expected) << toText(c.value).toStdString();
    }
    qint32 n;
    ValueFault f;
    EXPECT_FALSE(toInt32(R(3e9), &n, &f));
    EXPECT_EQ(f.kind, ValueFault::Kind::Failure);
    EXPECT_FALSE(toInt32(T("x"), &n, &f));
    EXPECT_EQ(f.kind, ValueFault::Kind::Type);
}

TEST_F(ValueRulesTest, ReadingAsBooleansAndDates) {
    const struct {
        TaggedValue value;
        bool ok;
        bool expected;
    } booleans[] = {{T("true"), true, true}, {T(" FALSE "), true, false}, {T("0"), true, false},
                    {T("-1"), true, true},   {T("ano"), false, false},    {R(0.1), true, true},
                    {I(0), true, false},     {TaggedValue(), true, false}};
    for (const auto& c : booleans) {
        bool b = !c.expected;
        EXPECT_EQ(toBoolean(c.value, &b), c.ok) << toText(c.value).toStdString();
        if (c.ok) {
            EXPECT_EQ(b, c.expected) << toText(c.value).toStdString();
        }
    }
    double days = 0;
    EXPECT_TRUE(toDateTime(T("10.12.2026"), &days));
    EXPECT_EQ(days, dec10);
    EXPECT_TRUE(toDateTime(T("45000"), &days));
    EXPECT_EQ(days, 45000);
    EXPECT_FALSE(toDateTime(T("zítra"), &days));
}

TEST_F(ValueRulesTest, IntegerResultsBeyond32BitsBecomeReals) {
    const qint32 kMin = std::numeric_limits<qint32>::min();
    TaggedValue out;
    ValueFault f;
    ASSERT_TRUE(applyBinary(BinaryOp::Multiply, I(100000), I(100000), &out, &f));
    EXPECT_EQ(out, R(1e10));
    ASSERT_TRUE(applyBinary(BinaryOp::Add, I(2), I(3), &out, &f));
    EXPECT_EQ(out, I(5));
    ASSERT_TRUE(applyNegate(I(kMin), &out, &f));
    EXPECT_EQ(out, R(2147483648.0));
    ASSERT_TRUE(applyBinary(BinaryOp::IntDiv, I(kMin), I(-1), &out, &f));
    EXPECT_EQ(out, R(2147483648.0));
    ASSERT_TRUE(applyBinary(BinaryOp::Mod, I(kMin), I(-1), &out, &f));
    EXPECT_EQ(out, I(0));
    EXPECT_EQ(TaggedValue::fromInteger64(qint64(1) << 31), R(2147483648.0));
    EXPECT_EQ(TaggedValue::fromInteger64(-5), I(-5));
}

TEST_F(ValueRulesTest, EmptyValues) {
    TaggedValue out;
    ValueFault f;
    ASSERT_TRUE(applyBinary(BinaryOp::Add, TaggedValue(), T("a"), &out, &f));
    EXPECT_EQ(out, T("a"));
    ASSERT_TRUE(applyBinary(BinaryOp::Add, TaggedValue(), I(1), &out, &f));
    EXPECT_EQ(out, I(1));
    int order = 9;
    ASSERT_TRUE(compareValues(TaggedValue(), TaggedValue(), &order, &f));
    EXPECT_EQ(order, 0);
    ASSERT_TRUE(compareValues(T("a"), TaggedValue(), &order, &f));
    EXPECT_EQ(order, 1);
}

TEST(DateTimeDays, RoundTrip) {
    const struct {
        double days;
        QDateTime when;
    } cases[] = {
        {0, QDateTime(QDate(1899, 12, 30), QTime(0, 0))},
        {-1.25, QDateTime(QDate(1899, 12, 29), QTime(6, 0))},
        {46000.5, QDateTime(QDate(2025, 12, 9), QTime(12, 0))},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dateTimeFromDays(c.days), c.when) << c.days;
        EXPECT_EQ(daysFromDateTime(c.when), c.days) << c.days;
    }
    EXPECT_FALSE(dateTimeFromDays(1e12).isValid());
    EXPECT_FALSE(dateTimeFromDays(std::numeric_limits<double>::quiet_NaN()).isValid());
    EXPECT_EQ(TaggedValue::dateTime(QDateTime(QDate(1899, 12, 31), QTime(18, 0))), D(1.75));
}

}  // namespace
