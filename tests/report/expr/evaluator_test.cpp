#include "report/expr/evaluator.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <stdexcept>

#include "fake_value_source.h"
#include "report/expr/format/date_time_format.h"
#include "report/expr/format/format_settings.h"

using namespace dorvana;
using dorvana::test::FakeValueSource;

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
TaggedValue D(int y, int m, int d) {
    return TaggedValue::dateTime(daysOf(QDate(y, m, d)));
}

std::string show(const TaggedValue& v) {
    return std::string(TaggedValue::kindName(v.kind())) + " " +
           (v.isText() ? v.asText().toStdString()
                       : QString::number(v.isInteger()   ? double(v.asInteger())
                                         : v.isBoolean() ? double(v.asBoolean())
                                         : v.isReal()    ? v.asReal()
                                                         : v.asDateTime(),
                                         'g', 17)
                             .toStdString());
}

class EvaluatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        setFormatLocale(QLocale(QLocale::Czech, QLocale::Czechia));
        source.fields = {{"CISLO", I(10)},   {"Cena", R(150.5)},  {"NAZEV", T("")},
                         {"Množství", I(3)}, {"PLATNY", B(true)}, {"DATUM", D(2026, 12, 10)}};
        source.parameters = {"abc", "12,5"};
        source.functions = {{"Funkce", R(2.5)}, {"DPH", R(1.21)}};
        source.variables = {D(2026, 12, 10), I(7)};
    }
    void TearDown() override { resetFormatLocale(); }

    EvaluationResult eval(const char* text) {
        return evaluateExpression(QString::fromUtf8(text), &source);
    }

    FakeValueSource source;
};

struct ValueCase {
    const char* text;
    TaggedValue expected;
};

TEST_F(EvaluatorTest, Values) {
    const ValueCase cases[] = {
        // Precedence and associativity.
        {"2+3*4", R(14)},
        {"(2+3)*4", R(20)},
        {"2^3^2", R(64)},
        {"8/4/2", R(1)},
        {"-(2^2)", R(-4)},
        {"2*(-3)", R(-6)},
        {"-2+3", R(1)},
        {"1=1=1", B(false)},       // (1=1)=1: true counts as -1
        {"1 = 3 AND 1", B(true)},  // 1 = (3 AND 1)
        {"NOT 1 = 1", B(false)},   // (NOT 1) = 1
        {"  2  +  3  ", R(5)},
        {"", I(0)},
        // Literals.
        {"1.5e10", R(1.5e10)},
        {"1.5E-2", R(0.015)},
        {"12", R(12)},
        {"'a'+'b'", T("ab")},
        {"''", T("")},
        {"'žluť #@'", T("žluť #@")},
        // Mixing kinds.
        {"'5'+1", R(6)},
        {"'2,5'*2", R(5)},
        {"'10'-'4'", R(6)},
        {"LENGTH('abc')*LENGTH('ab')", I(6)},
        {"LENGTH('abc')-LENGTH('abcd')", I(-1)},
        {"LENGTH('ab')/LENGTH('ab')", R(1)},
        {"(1=1)+LENGTH('a')", I(0)},
        {"(1=1)+1", R(0)},
        {"LENGTH('ab')+0.5", R(2.5)},
        {"STRTOINT('2000000000')+STRTOINT('2000000000')", R(4e9)},
        // Integer and logical operators.
        {"7 DIV 2", I(3)},
        {"-7 DIV 2", I(-3)},
        {"-7 MOD 2", I(-1)},
        {"7 mod (-2)", I(1)},
        {"2.5 DIV 1", I(2)},
        {"3.5 DIV 1", I(4)},
        {"1 SHL 4", I(16)},
        {"(-1) SHR 28", I(15)},
        {"6 AND 3", I(2)},
        {"6 OR 3", I(7)},
        {"6 XOR 3", I(5)},
        {"(1<2) AND (2<1)", B(false)},
        {"(1<2) OR (2<1)", B(true)},
        {"(1<2) XOR (1<2)", B(false)},
        {"NOT 0", I(-1)},
        {"NOT (1<2)", B(false)},
        // Comparisons.
        {"1<2", B(true)},
        {"2<=2", B(true)},
        {"3>=4", B(false)},
        {"1<>1", B(false)},
        {"'abc'<'abd'", B(true)},
        {"'a'<'B'", B(true)},  // the locale's order, not code points
        {"'a'='A'", B(false)},
        {"'10'>9", B(true)},
        {"(1=1)=(-1)", B(true)},
        // Built-in functions.
        {"sin(0)", R(0)},
        {"SIN(0)", R(0)},
        {"Cos(0)", R(1)},
        {"TAN(0)", R(0)},
        {"EXP(0)", R(1)},
        {"LN(1)", R(0)},
        {"ASIN(1)", R(M_PI / 2)},
        {"ASIN(-1)", R(-M_PI / 2)},
        {"ASIN(0.5)", R(std::atan(0.5 / std::sqrt(0.75)))},
        {"ACOS(-1)", R(M_PI)},
        {"ATAN(1)", R(M_PI / 4)},
        {"ACOTG(0)", R(M_PI / 2)},
        {"ABS(-2.5)", R(2.5)},
        {"INT(-2.7)", R(-2)},
        {"SGN(-5)", I(-1)},
        {"SGN(0)", I(0)},
        {"SGN(0.1)", I(1)},
        {"MAX(MIN(1,2),3)", R(3)},
        {"MAX('a','b')", T("b")},
        {"MIN(LENGTH('a'),2)", I(1)},
        {"MAX(2,LENGTH('ab'))", R(2)},  // equal values give the first
        {"IF(1<2,'a','b')", T("a")},
        {"IF(0,'a','b')", T("b")},
        {"IF('True',1,2)", R(1)},
        {"SKUP(2)", T("NHIM")},
        {"SKUP('5')", T("DHM")},
        {"SKUP(6)", T("")},
        {"TYPHOM('P')", T("Provozní")},
        {"TYPHOM('N')", T("Neprovozní")},
        {"TYPHOM('X')", T("")},
        {"COPY('abcdef',2,3)", T("bcd")},
        {"COPY('abcdef',0,2)", T("ab")},
        {"COPY('abcdef',5,10)", T("ef")},
        {"COPY('abcdef',7,1)", T("")},
        {"COPY('abcdef',2,0)", T("")},
        {"LENGTH('')", I(0)},
        {"LENGTH('kůň')", I(3)},
        {"POS('b','abc')", I(2)},
        {"POS('x','abc')", I(0)},
        {"POS('','abc')", I(0)},
        {"ROUNP(2.004)", R(2)},
        {"ROUNP(2.01)", R(3)},
        {"ROUNP(2.005)", R(3)},
        {"ROUNP(-2.5)", R(-2)},
        {"UPPERCASE('žluťoučký kůň')", T("ŽLUŤOUČKÝ KŮŇ")},
        {"LOWERCASE('ŠÍLENĚ Čau')", T("šíleně čau")},
        {"INTTOSTR(2.5)", T("2")},
        {"INTTOSTR(-17)", T("-17")},
        {"STRTOINT(' 42 ')", I(42)},
        {"STRTOINT('-7')", I(-7)},
        {"STRTODATE('10.12.2026')", D(2026, 12, 10)},
        {"STRTODATIM('10.12.2026 06:00')",
         TaggedValue::dateTime(daysOf(QDate(2026, 12, 10)) + 0.25)},
        {"FDATETIME('yyyy-mm-dd',STRTODATE('10.12.2026'))", T("2026-12-10")},
        {"FDATETIME('d. mmmm yyyy',STRTODATE('1.5.2026'))", T("1. května 2026")},
        // Date-time arithmetic.
        {"STRTODATE('10.12.2026')+1", D(2026, 12, 11)},
        {"STRTODATE('10.12.2026')-1", D(2026, 12, 9)},
        {"STRTODATE('11.12.2026')-STRTODATE('10.12.2026')", R(1)},
        {"STRTODATE('10.12.2026')*1", R(daysOf(QDate(2026, 12, 10)))},
        {"STRTODATE('1.1.2000')<STRTODATE('2.1.2000')", B(true)},
        {"STRTODATE('1.1.2000')='1.1.2000'", B(true)},
        {"STRTODATE('1.1.2000')+'1.1.2000'", TaggedValue::dateTime(2 * daysOf(QDate(2000, 1, 1)))},
        // References.
        {"#1", I(10)},
        {"#2*1.21+@1", R(150.5 * 1.21 + 2.5)},
        {"#cena*@DPH", R(150.5 * 1.21)},
        {"#CISLO", I(10)},
        {"#Množství", I(3)},
        {"#mNOžSTVí", I(3)},  // only A-Z ignore case
        {"#3", T("")},        // a string field without a value
        {"#5", B(true)},
        {"#6+1", D(2026, 12, 11)},
        {"&1", T("abc")},
        {"&2+1", R(13.5)},
        {"@2", R(1.21)},
        {"$2", I(7)},
        {"#0", I(0)},
        {"#99", I(0)},
        {"&3", I(0)},
        {"@0", I(0)},
        {"$300", I(0)},
        {"IF(#2>100,'drahé','levné')", T("drahé")},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.text);
        const EvaluationResult r = eval(c.text);
        ASSERT_TRUE(r.ok()) << "error " << r.errorCode << " at " << r.errorPosition << " "
                            << r.failureMessage.toStdString();
        if (c.expected.isReal() && r.value.isReal()) {
            EXPECT_NEAR(r.value.asReal(), c.expected.asReal(),
                        1e-12 * std::max(1.0, std::fabs(c.expected.asReal())));
        } else {
            EXPECT_EQ(r.value, c.expected) << show(r.value) << " != " << show(c.expected);
        }
    }
}

struct ErrorCase {
    const char* text;
    int code;
    int position;
};

TEST_F(EvaluatorTest, ErrorCodesAndPositions) {
    const ErrorCase cases[] = {
        // 1: unknown identifiers and references that cannot be resolved.
        {"ABC", 1, 1},
        {"1+ABC", 1, 3},
        {"AND#1", 1, 1},
        {"#", 1, 1},
        {"1+# 1", 1, 3},
        {"&abc", 1, 1},
        {"$abc", 1, 1},
        {"#NEZNAMY", 1, 1},
        {"@Cena", 1, 1},
        {"#MNOŽSTVÍ", 1, 1},
        // 2: tokens out of place, characters that start no token.
        {"2*-3", 2, 3},
        {"1 AND NOT 1", 2, 7},
        {"1 2", 2, 3},
        {"1 (2)", 2, 3},
        {"'a' 'b'", 2, 5},
        {"()", 2, 2},
        {"MAX(1,)", 2, 7},
        {"(,1)", 2, 2},
        {"1+", 2, 2},
        {"1*(", 2, 3},
        {"MAX(1,", 2, 6},
        {"   ", 2, 1},
        {"*1", 2, 1},
        {"1 NOT", 2, 3},
        {"SIN 0", 2, 5},
        {"SIN", 2, 1},
        {"1.5.3", 2, 4},
        {".5", 2, 1},
        {"1\t+1", 2, 2},
        {"\"a\"", 2, 1},
        {"žluť", 2, 1},
        {"1 ! 2", 2, 3},
        // 4, 5: parentheses (3, the full stack, in StackLimits).
        {"1)", 4, 2},
        {"(1))", 4, 4},
        {"(1", 5, 3},
        {"MAX(1,2", 5, 8},
        {"((1)", 5, 5},
        {"1+(2", 5, 5},
        // 6: numeric errors.
        {"1/0", 6, 3},
        {"1/(1-1)", 6, 7},
        {"1/0+1", 6, 4},
        {"0^2", 6, 3},
        {"-2^2", 6, 4},
        {"(-1)^0.5", 6, 6},
        {"ASIN(2)", 6, 7},
        {"ACOS(-1.5)", 6, 10},
        {"COTG(0)", 6, 7},
        // 7: malformed numbers.
        {"1e100", 7, 1},
        {"12a+1", 7, 1},
        {"12a", 7, 1},
        {"1+12a", 7, 3},
        {"1e", 7, 1},
        {"1e+", 7, 1},
        // 10, 11: commas.
        {"MAX(1)", 10, 6},
        {"IF(1,2)", 10, 7},
        {"MAX(1,2,3)", 11, 8},
        {"IF(1,2,3,4)", 11, 9},
        {"(1,2)", 11, 3},
        {"1,2", 11, 2},
        {"SIN(1,2)", 11, 6},
        // 13: type errors, at the token that made the operator apply.
        {"'x'+1", 13, 5},
        {"'x'+1-2", 13, 6},
        {"TAN('a')+1", 13, 9},
        {"(TAN('a'))", 13, 10},
        {"1='abc'", 13, 3},
        {"MAX('a',1)", 13, 10},
        {"SKUP('abc')", 13, 11},
        {"TYPHOM(1)", 13, 9},
        {"'x' DIV 2", 13, 9},
        {"#3+1", 13, 4},  // a string field without a value is the empty text
        {"IF('ano',1,2)", 13, 13},
        // 14: unclosed text.
        {"'abc", 14, 1},
        {"1+'abc", 14, 3},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.text);
        const EvaluationResult r = eval(c.text);
        EXPECT_FALSE(r.failed) << r.failureMessage.toStdString();
        EXPECT_EQ(r.errorCode, c.code);
        EXPECT_EQ(r.errorPosition, c.position);
        EXPECT_TRUE(r.value.isEmpty());
    }
}

TEST_F(EvaluatorTest, FailuresAreNotErrorCodes) {
    const char* cases[] = {
        "STRTOINT('x')",
        "STRTOINT('99999999999')",
        "STRTODATE('abc')",
        "STRTODATIM('x')",
        "5 DIV 0",
        "5 MOD 0",
        "LN(0)",
        "LN(-1)",
        "EXP(1000)",
        "1E99*1E99*1E99*1E99",
        "INTTOSTR(1E20)",
        "1E20 AND 1",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        const EvaluationResult r = eval(text);
        EXPECT_EQ(r.errorCode, 0);
        EXPECT_TRUE(r.failed);
        EXPECT_FALSE(r.failureMessage.isEmpty());
        EXPECT_FALSE(r.ok());
    }
    EXPECT_EQ(eval("STRTOINT('x')").failureMessage, QStringLiteral("„x“ není platné celé číslo"));
    EXPECT_EQ(eval("1 DIV 0").failureMessage, QStringLiteral("Dělení nulou"));
}

TEST_F(EvaluatorTest, FirstErrorStopsEvaluation) {
    // The failing reference is never asked for: the error comes first.
    source.questions = 0;
    const EvaluationResult r = eval("1/0+#1");
    EXPECT_EQ(r.errorCode, 6);
    EXPECT_EQ(r.errorPosition, 4);
    EXPECT_EQ(source.questions, 0);
    // Both alternatives of IF are evaluated, so an error in the other one counts.
    EXPECT_EQ(eval("IF(1,1,1/0)").errorCode, 6);
}

TEST_F(EvaluatorTest, StackLimits) {
    // 39 open parentheses fit the operator stack, 40 do not.
    const QString ok = QString(39, u'(') + u'1' + QString(39, u')');
    const EvaluationResult a = evaluateExpression(ok, &source);
    ASSERT_TRUE(a.ok());
    EXPECT_EQ(a.value, R(1));
    const QString deep = QString(40, u'(') + u'1' + QString(40, u')');
    const EvaluationResult b = evaluateExpression(deep, &source);
    EXPECT_EQ(b.errorCode, 3);
    EXPECT_EQ(b.errorPosition, 40);
    // Pending operators count too: 1+(1+(1+ ... each level takes two entries.
    QString chain;
    for (int i = 0; i < 20; ++i) chain += QStringLiteral("1+(");
    chain += u'1' + QString(20, u')');
    EXPECT_EQ(evaluateExpression(chain, &source).errorCode, 3);
    // A long flat expression never fills the stack, whatever its length.
    QString sum = QStringLiteral("1");
    for (int i = 0; i < 400; ++i) sum += QStringLiteral("+1");
    const EvaluationResult c = evaluateExpression(sum, &source);
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(c.value, R(401));
    // Nested calls: each takes the function and its parenthesis.
    QString calls;
    for (int i = 0; i < 19; ++i) calls += QStringLiteral("ABS(");
    calls += u'1' + QString(19, u')');
    EXPECT_TRUE(evaluateExpression(calls, &source).ok());
    EXPECT_EQ(evaluateExpression(QStringLiteral("ABS(") + calls + u')', &source).errorCode, 3);
}

TEST_F(EvaluatorTest, ReferencesWithoutSourceYieldZero) {
    for (const char* text : {"#1", "&1", "@1", "$1", "#0"}) {
        const EvaluationResult r = evaluateExpression(QString::fromUtf8(text), nullptr);
        ASSERT_TRUE(r.ok()) << text;
        EXPECT_EQ(r.value, I(0)) << text;
    }
    // Name lookups fail without a source.
    const EvaluationResult r = evaluateExpression(u"#CENA", nullptr);
    EXPECT_EQ(r.errorCode, 1);
}

TEST_F(EvaluatorTest, EachEvaluationReadsTheSourceItIsGiven) {
    FakeValueSource other;
    other.fields = {{"X", I(42)}};
    EXPECT_EQ(evaluateExpression(u"#1", &other).value, I(42));
    EXPECT_EQ(evaluateExpression(u"#x", &other).value, I(42));
    EXPECT_EQ(evaluateExpression(u"#1", &source).value, I(10));
    EXPECT_EQ(evaluateExpression(u"#1", nullptr).value, I(0));
}

TEST_F(EvaluatorTest, ReferenceNumbersBeyond255AreAsked) {
    while (source.fields.size() < 300)
        source.fields.append({QString(), I(int(source.fields.size()) + 1)});
    EXPECT_EQ(eval("#300").value, I(300));
    EXPECT_EQ(eval("#301").value, I(0));
    EXPECT_EQ(eval("#99999999999999999999").value, I(0));
}

TEST_F(EvaluatorTest, FailingSourceAnswersZero) {
    struct Throwing : FakeValueSource {
        TaggedValue fieldValue(int) override { throw std::runtime_error("pole nelze číst"); }
        int functionIndex(const QString&) override { throw std::runtime_error("seznam chybí"); }
    } throwing;
    const EvaluationResult r = evaluateExpression(u"#1+1", &throwing);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value, R(1));
    // A name lookup that fails finds nothing.
    EXPECT_EQ(evaluateExpression(u"@Funkce", &throwing).errorCode, 1);
}

TEST_F(EvaluatorTest, NameUsesFirst32Characters) {
    source.fields.append({QString(32, u'A'), I(5)});
    EXPECT_EQ(eval(("#" + std::string(40, 'a')).c_str()).value, I(5));
    EXPECT_EQ(eval(("#" + std::string(31, 'a')).c_str()).errorCode, 1);
}

TEST(EvaluatorErrorMessages, Texts) {
    EXPECT_EQ(evaluatorErrorMessage(1), QStringLiteral("Neznamý identifikátor"));
    EXPECT_EQ(evaluatorErrorMessage(9), QStringLiteral("Chybnný název proměnné"));
    EXPECT_EQ(evaluatorErrorMessage(13), QStringLiteral("Chybný typ operandu"));
    EXPECT_EQ(evaluatorErrorMessage(14), QStringLiteral("Očekávám apostrof"));
    EXPECT_TRUE(evaluatorErrorMessage(15).isEmpty());
}

}  // namespace
