#include <cmath>

#include "function_test_source.h"

using namespace dorvana;
using dorvana::test::numberFunction;

namespace {

class FunctionRowTest : public dorvana::test::FunctionTest {
protected:
    // Resets the row, then accumulates each value as the record's first field.
    void accumulateOver(TRadekFunkce& row, const QList<double>& values) {
        row.Reset(-1);
        for (double v : values) {
            record(TaggedValue::real(v));
            row.Accumulate(&source);
        }
    }
    static double realOf(const TaggedValue& v) {
        if (v.isInteger()) return v.asInteger();
        EXPECT_TRUE(v.isReal()) << TaggedValue::kindName(v.kind());
        return v.asReal();
    }
};

TEST_F(FunctionRowTest, NumberProcessing) {
    struct Case {
        const char* name;
        int processing;
        QList<double> values;
        double result;
        const char* initial = "0";
    };
    const Case cases[] = {
        {"none keeps the last value", kProcessNone, {1, 2, 3}, 3},
        {"sum", kProcessSum, {1, 2, 3}, 6},
        {"average", kProcessAverage, {1, 2, 3}, 2},
        {"count", kProcessCount, {1, 2, 3}, 3},
        {"minimum", kProcessMinimum, {5, 3, 4}, 3},
        {"minimum takes the first value over the initial one", kProcessMinimum, {5}, 5, "1"},
        {"minimum of negatives", kProcessMinimum, {-1, -7, 2}, -7},
        {"maximum", kProcessMaximum, {1, 7, 2}, 7},
        {"deviation", kProcessDeviation, {2, 4, 4, 4, 5, 5, 7, 9}, std::sqrt(32.0 / 7.0)},
        {"deviation of one value", kProcessDeviation, {5}, 0},
        {"deviation of equal values", kProcessDeviation, {0.1, 0.1, 0.1}, 0},
        {"relative deviation", kProcessRelDeviation, {2, 4}, std::sqrt(2.0) * 2 / 6},
        {"relative deviation with sum 0", kProcessRelDeviation, {-1, 1}, 0},
        {"relative deviation of one value", kProcessRelDeviation, {3}, 0},
        {"unknown processing is none", 9, {1, 2}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TRadekFunkce row(numberFunction(c.processing, "#1", c.initial));
        accumulateOver(row, c.values);
        EXPECT_NEAR(realOf(row.printedValue()), c.result, 1e-12);
        EXPECT_EQ(row.currentValue(), row.printedValue());
        EXPECT_EQ(row.count(), c.values.size());
    }
}

TEST_F(FunctionRowTest, CountNeedsNoValidExpression) {
    TRadekFunkce row(numberFunction(kProcessCount, "1+"));
    accumulateOver(row, {1, 2, 3});
    EXPECT_EQ(row.printedValue(), TaggedValue::integer(3));
}

TEST_F(FunctionRowTest, FailingExpressionGivesZero) {
    for (const char* expression : {"1/0", "1+", "STRTOINT('x')", "1 DIV 0", "ABC"}) {
        SCOPED_TRACE(expression);
        TRadekFunkce row(numberFunction(kProcessNone, expression));
        row.Reset(-1);
        row.Accumulate(&source);
        EXPECT_EQ(row.printedValue(), TaggedValue::integer(0));
        EXPECT_EQ(row.FormatPrinted(), QStringLiteral("0,00"));
    }
}

TEST_F(FunctionRowTest, TypeErrorZeroesTheResultButKeepsTheSums) {
    TRadekFunkce row(numberFunction(kProcessAverage));
    row.Reset(-1);
    record(TaggedValue::real(4));
    row.Accumulate(&source);
    record(TaggedValue::text(QStringLiteral("abc")));
    row.Accumulate(&source);
    EXPECT_EQ(row.printedValue(), TaggedValue::integer(0));
    EXPECT_EQ(row.sum(), 4.0);
    record(TaggedValue::text(QStringLiteral("2,5")));  // a text that reads as a number adds
    row.Accumulate(&source);
    EXPECT_EQ(row.count(), 3);
    EXPECT_EQ(row.printedValue(), TaggedValue::real(6.5 / 3));
}

TEST_F(FunctionRowTest, MinimumOfTextsComparesTexts) {
    TRadekFunkce row(numberFunction(kProcessMinimum));
    row.Reset(-1);
    for (const char* t : {"hrad", "chata", "dům"}) {
        record(TaggedValue::text(QString::fromUtf8(t)));
        row.Accumulate(&source);
    }
    EXPECT_EQ(row.printedValue(), TaggedValue::text(QStringLiteral("dům")));
}

TEST_F(FunctionRowTest, BooleanProcessing) {
    struct Case {
        const char* name;
        int processing;
        const char* initial;
        QList<bool> values;
        TaggedValue result;
    };
    const TaggedValue T = TaggedValue::boolean(true), F = TaggedValue::boolean(false);
    const Case cases[] = {
        {"none", kBoolNone, "0", {false, true}, T},
        {"value", kBoolValue, "0", {true}, TaggedValue::text(QStringLiteral("True"))},
        {"value false", kBoolValue, "-1", {false}, TaggedValue::text(QStringLiteral("False"))},
        {"and", kBoolAnd, "-1", {true, true, false}, F},
        {"and all true", kBoolAnd, "-1", {true, true}, T},
        {"and from false", kBoolAnd, "0", {true}, F},
        {"or", kBoolOr, "0", {false, true, false}, T},
        {"xor", kBoolXor, "0", {true, true, true}, T},
        {"not", kBoolNot, "0", {true}, F},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FunctionDefinition d = numberFunction(c.processing, "#1", c.initial);
        d.resultType = FunctionDefinition::Boolean;
        TRadekFunkce row(d);
        row.Reset(-1);
        for (bool v : c.values) {
            record(TaggedValue::boolean(v));
            row.Accumulate(&source);
        }
        EXPECT_EQ(row.printedValue(), c.result);
    }
}

TEST_F(FunctionRowTest, InitialValues) {
    struct Case {
        int resultType;
        const char* initial;
        TaggedValue printed;
    };
    const Case cases[] = {
        {FunctionDefinition::Boolean, "-1", TaggedValue::boolean(true)},
        {FunctionDefinition::Boolean, "0", TaggedValue::boolean(false)},
        {FunctionDefinition::Boolean, "nepravda", TaggedValue::boolean(true)},
        {FunctionDefinition::Number, "100", TaggedValue::real(100)},
        {FunctionDefinition::Number, "2,5", TaggedValue::real(2.5)},
        {FunctionDefinition::Number, "abc", TaggedValue::integer(0)},
        {FunctionDefinition::Number, "", TaggedValue::integer(0)},
        {FunctionDefinition::Text, "7", TaggedValue::real(7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.initial);
        FunctionDefinition d = numberFunction(kBoolAnd, "#1", c.initial);
        d.resultType = c.resultType;
        TRadekFunkce row(d);
        row.Reset(-1);
        EXPECT_EQ(row.printedValue(), c.printed);
        if (c.resultType == FunctionDefinition::Boolean) {
            EXPECT_EQ(row.logicalAccumulator(), c.printed.asBoolean());
        }
    }
}

TEST_F(FunctionRowTest, NewRowAndDefinition) {
    TRadekFunkce fresh;
    EXPECT_EQ(fresh.definition(), FunctionDefinition());
    EXPECT_EQ(fresh.printedValue(), TaggedValue::integer(0));
    EXPECT_TRUE(fresh.currentValue().isEmpty());

    FunctionDefinition d;
    d.numberFormat = 6;
    EXPECT_EQ(TRadekFunkce(d).definition().numberFormat, 3);
    TRadekFunkce row;
    row.setDefinition("Cena", "Popis ceny", "0.0", 7, 1, 10, kProcessSum, 2, "5", 0, "#1*2");
    const FunctionDefinition& got = row.definition();
    EXPECT_EQ(got.name, QStringLiteral("Cena"));
    EXPECT_EQ(got.description, QStringLiteral("Popis ceny"));
    EXPECT_EQ(got.formatMask, QStringLiteral("0.0"));
    EXPECT_EQ(got.numberFormat, 3);
    EXPECT_EQ(got.digits, 1);
    EXPECT_EQ(got.precision, 10);
    EXPECT_EQ(got.processing, kProcessSum);
    EXPECT_EQ(got.resetScope, 2);
    EXPECT_EQ(got.initialValue, QStringLiteral("5"));
    EXPECT_EQ(got.expression, QStringLiteral("#1*2"));
}

TEST_F(FunctionRowTest, ResetScopes) {
    TRadekFunkce report(numberFunction(kProcessSum, "#1", "0"));
    FunctionDefinition pageDef = numberFunction(kProcessSum, "#1", "0");
    pageDef.resetScope = 1;
    TRadekFunkce page(pageDef);
    FunctionDefinition groupDef = numberFunction(kProcessSum, "#1", "0");
    groupDef.resetScope = 3;  // second group
    TRadekFunkce group(groupDef);
    TRadekFunkce* rows[] = {&report, &page, &group};
    auto accumulateAll = [&] {
        record(TaggedValue::real(5));
        for (TRadekFunkce* r : rows) r->Accumulate(&source);
    };
    for (TRadekFunkce* r : rows) r->Reset(-1);
    accumulateAll();

    report.Reset(1);
    page.Reset(1);
    group.Reset(1);
    EXPECT_EQ(report.printedValue(), TaggedValue::real(5));
    EXPECT_EQ(report.count(), 1);
    EXPECT_EQ(page.printedValue(), TaggedValue::real(0));
    EXPECT_EQ(page.count(), 0);
    EXPECT_EQ(page.currentValue(), TaggedValue::real(5));  // the current value survives
    EXPECT_EQ(group.printedValue(), TaggedValue::real(5));

    group.Reset(2);
    EXPECT_EQ(group.count(), 1);
    group.Reset(3);
    EXPECT_EQ(group.count(), 0);
    report.Reset(-1);
    EXPECT_EQ(report.count(), 0);
    EXPECT_EQ(report.sum(), 0.0);
}

TEST_F(FunctionRowTest, CurrentAndPrintedValues) {
    TRadekFunkce row(numberFunction(kProcessSum));
    row.Reset(-1);
    record(TaggedValue::real(1));
    row.Accumulate(&source);
    record(TaggedValue::real(2));
    row.AccumulateCurrent(&source);
    EXPECT_EQ(row.printedValue(), TaggedValue::real(1));
    EXPECT_EQ(row.currentValue(), TaggedValue::real(3));
    EXPECT_EQ(row.FormatPrinted(), QStringLiteral("1,00"));
    row.CommitCurrent();
    EXPECT_EQ(row.printedValue(), TaggedValue::real(3));

    // Refreshing reads the record but adds nothing.
    record(TaggedValue::real(10));
    row.RefreshCurrent(&source);
    EXPECT_EQ(row.currentValue(), TaggedValue::real(3));
    EXPECT_EQ(row.count(), 2);
}

TEST_F(FunctionRowTest, RefreshCurrent) {
    struct Case {
        const char* name;
        int resultType;
        int processing;
        QList<double> accumulated;
        double refreshWith;
        TaggedValue current;
    };
    const int N = FunctionDefinition::Number, B = FunctionDefinition::Boolean,
              X = FunctionDefinition::Text;
    const Case cases[] = {
        {"none", N, kProcessNone, {1}, 9, TaggedValue::real(9)},
        {"count", N, kProcessCount, {1, 1}, 9, TaggedValue::integer(2)},
        {"sum", N, kProcessSum, {1, 2}, 9, TaggedValue::real(3)},
        {"average", N, kProcessAverage, {1, 2}, 9, TaggedValue::real(1.5)},
        {"average of nothing", N, kProcessAverage, {}, 9, TaggedValue::real(0)},
        {"minimum keeps the smaller", N, kProcessMinimum, {1, 2}, 9, TaggedValue::real(1)},
        {"minimum takes a smaller record", N, kProcessMinimum, {1, 2}, -4, TaggedValue::real(-4)},
        {"minimum of one value is the record", N, kProcessMinimum, {1}, 9, TaggedValue::real(9)},
        {"maximum", N, kProcessMaximum, {1, 2}, 9, TaggedValue::real(9)},
        {"deviation", N, kProcessDeviation, {1, 3}, 100, TaggedValue::real(std::sqrt(2.0))},
        {"relative deviation",
         N,
         kProcessRelDeviation,
         {1, 3},
         100,
         TaggedValue::real(std::sqrt(2.0) * 2 / 4)},
        {"boolean and gives the accumulator", B, kBoolAnd, {1, 0}, 1, TaggedValue::boolean(false)},
        {"boolean not", B, kBoolNot, {}, 1, TaggedValue::boolean(false)},
        {"boolean value", B, kBoolValue, {}, 0, TaggedValue::text(QStringLiteral("False"))},
        {"text", X, kProcessSum, {1}, 9, TaggedValue::real(9)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FunctionDefinition d = numberFunction(c.processing, "#1", "-1");
        d.resultType = c.resultType;
        TRadekFunkce row(d);
        row.Reset(-1);
        for (double v : c.accumulated) {
            record(c.resultType == B ? TaggedValue::boolean(v != 0) : TaggedValue::real(v));
            row.Accumulate(&source);
        }
        const int count = row.count();
        const double sum = row.sum();
        const bool logical = row.logicalAccumulator();
        record(c.resultType == B ? TaggedValue::boolean(c.refreshWith != 0)
                                 : TaggedValue::real(c.refreshWith));
        row.RefreshCurrent(&source);
        EXPECT_EQ(row.currentValue(), c.current);
        EXPECT_EQ(row.count(), count);
        EXPECT_EQ(row.sum(), sum);
        EXPECT_EQ(row.logicalAccumulator(), logical);
    }
}

TEST_F(FunctionRowTest, PageStartAccumulatesOnlyPageFunctions) {
    FunctionDefinition pageDef = numberFunction(kProcessSum);
    pageDef.resetScope = 1;
    TRadekFunkce page(pageDef);
    TRadekFunkce report(numberFunction(kProcessSum));
    for (TRadekFunkce* r : {&page, &report}) {
        r->Reset(-1);
        record(TaggedValue::real(2));
        r->Accumulate(&source);
        r->Reset(1);
        record(TaggedValue::real(5));
        r->PageStart(&source);
    }
    EXPECT_EQ(page.currentValue(), TaggedValue::real(5));
    EXPECT_EQ(page.count(), 1);
    EXPECT_EQ(report.currentValue(), TaggedValue::real(2));
    EXPECT_EQ(report.count(), 1);
}

TEST_F(FunctionRowTest, TextAndDateTimeTakeTheValue) {
    for (int type : {int(FunctionDefinition::Text), int(FunctionDefinition::DateTime)}) {
        FunctionDefinition d = numberFunction(kProcessSum);
        d.resultType = type;
        TRadekFunkce row(d);
        row.Reset(-1);
        record(TaggedValue::text(QStringLiteral("a")));
        row.Accumulate(&source);
        record(TaggedValue::text(QStringLiteral("b")));
        row.Accumulate(&source);
        EXPECT_EQ(row.printedValue(), TaggedValue::text(QStringLiteral("b")));
        EXPECT_EQ(row.count(), 2);
    }
}

TEST_F(FunctionRowTest, FormatPrinted) {
    struct Case {
        const char* name;
        int resultType;
        int numberFormat;
        const char* mask;
        TaggedValue printed;
        const char* text;
    };
    const int N = FunctionDefinition::Number, X = FunctionDefinition::Text,
              D = FunctionDefinition::DateTime, B = FunctionDefinition::Boolean;
    const double day = 46366.5;  // 10.12.2026 12:00
    const Case cases[] = {
        {"general", N, 0, "", TaggedValue::real(1234.5), "1234,5"},
        {"exponential", N, 1, "", TaggedValue::real(1234.5), "1,2345E+03"},
        {"fixed", N, 2, "", TaggedValue::real(1234.5), "1234,50"},
        {"number", N, 3, "", TaggedValue::real(1234.5), "1\u00a0234,50"},
        {"currency", N, 4, "", TaggedValue::real(-1234.5), "-1\u00a0234,50\u00a0Kč"},
        {"mask", N, 5, "0.0 \"ks\"", TaggedValue::real(3.25), "3,3 ks"},
        {"integer", N, 3, "", TaggedValue::integer(7), "7,00"},
        {"boolean counts -1", N, 3, "", TaggedValue::boolean(true), "-1,00"},
        {"text that reads as a number", N, 2, "", TaggedValue::text("12,5"), "12,50"},
        {"text that is no number", N, 3, "", TaggedValue::text("abc"), "abc"},
        {"empty", N, 3, "", TaggedValue(), ""},
        {"text", X, 3, "", TaggedValue::real(2.5), "2,5"},
        {"boolean", B, 3, "", TaggedValue::boolean(true), "True"},
        {"boolean false", B, 3, "", TaggedValue::boolean(false), "False"},
        {"date-time", D, 3, "d.m.yyyy hh:nn", TaggedValue::dateTime(day), "10.12.2026 12:00"},
        {"date-time from a number", D, 3, "dd.mm.yy", TaggedValue::real(day), "10.12.26"},
        {"date-time without a pattern", D, 3, "", TaggedValue::dateTime(day),
         "10.12.2026 12:00:00"},
        {"date-time out of range", D, 3, "d.m.yyyy", TaggedValue::real(1e9), "1000000000"},
        {"date-time of no date", D, 3, "d.m.yyyy", TaggedValue::text("zítra"), "zítra"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FunctionDefinition d = numberFunction(kProcessNone, "#1");
        d.resultType = c.resultType;
        d.numberFormat = c.numberFormat;
        d.precision = 5;
        d.formatMask = QString::fromUtf8(c.mask);
        TRadekFunkce row(d);
        record(c.printed);
        row.Accumulate(&source);
        EXPECT_EQ(row.FormatPrinted(), QString::fromUtf8(c.text));
    }
}

TEST_F(FunctionRowTest, ReadsItsOwnCurrentValueFromBeforeTheRecord) {
    TRadekFunkce& row = functions.add(numberFunction(kProcessNone, "@1 + 1"));
    record(TaggedValue::real(0));
    row.Reset(-1);
    row.Accumulate(&source);
    const TaggedValue first = row.currentValue();
    ASSERT_TRUE(first.isReal() || first.isInteger()) << TaggedValue::kindName(first.kind());
    row.Accumulate(&source);
    row.Accumulate(&source);
    EXPECT_EQ(realOf(row.currentValue()), realOf(first) + 2);
}

}  // namespace
