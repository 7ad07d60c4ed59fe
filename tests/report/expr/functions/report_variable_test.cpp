#include <QDateTime>
#include <cmath>

#include "function_test_source.h"
#include "report/expr/format/date_time_format.h"

using namespace dorvana;

namespace {

class ReportVariableTest : public dorvana::test::FunctionTest {
protected:
    static double nowDays() {
        const QDateTime t = QDateTime::currentDateTime();
        return daysOf(t.date(), t.time());
    }
};

TEST_F(ReportVariableTest, NewVariable) {
    const TRadekPromenna v;
    EXPECT_EQ(v.name(), QStringLiteral("Proměnná"));
    EXPECT_EQ(v.value(), TaggedValue::integer(0));
    EXPECT_EQ(v.counter(), 0);
    EXPECT_EQ(v.group(), -1);
    EXPECT_EQ(v.kind(), 0);
    EXPECT_NEAR(v.timeStamp(), nowDays(), 1.0 / 1440);
}

TEST_F(ReportVariableTest, ReportWideVariablesAfterCreation) {
    EXPECT_EQ(variables.names(),
              QStringList({"Datum", "Čas", "Číslo řádku", "Číslo strany", "Celkem stran",
                           "Čís. řád. plánu", "Čís. str. plánu", "Cel. str. plánu"}));
    const TaggedValue expected[] = {TaggedValue(),           TaggedValue(),
                                    TaggedValue::integer(0), TaggedValue::integer(1),
                                    TaggedValue::integer(1), TaggedValue::integer(0),
                                    TaggedValue::integer(1), TaggedValue::integer(1)};
    for (int i = 0; i < kReportWideVariables; ++i) {
        SCOPED_TRACE(i);
        const TRadekPromenna* v = variables.item(i);
        EXPECT_EQ(v->kind(), i);
        EXPECT_EQ(v->group(), -1);
        if (i <= kVarTime) {
            EXPECT_EQ(v->value(), TaggedValue::dateTime(v->timeStamp()));
            EXPECT_NEAR(v->timeStamp(), nowDays(), 1.0 / 1440);
        } else {
            EXPECT_EQ(v->value(), expected[i]);
            EXPECT_EQ(v->counter(), expected[i].asInteger());
        }
    }
    EXPECT_EQ(variables.item(kVarDate)->timeStamp(), variables.item(kVarTime)->timeStamp());
    EXPECT_EQ(variables.item(8), nullptr);
    EXPECT_EQ(variables.value(8), TaggedValue::integer(0));
}

TEST_F(ReportVariableTest, StepsCount) {
    TRadekPromenna* page = variables.item(kVarPageNumber);
    page->Step();
    EXPECT_EQ(page->value(), TaggedValue::integer(2));
    TRadekPromenna* line = variables.item(kVarLineNumber);
    line->Step();
    line->Step();
    EXPECT_EQ(variables.value(kVarLineNumber), TaggedValue::integer(2));
    line->Reset(-1);
    EXPECT_EQ(line->value(), TaggedValue::integer(0));

    TRadekPromenna* date = variables.item(kVarDate);
    const double stamp = date->timeStamp();
    date->Step();
    EXPECT_EQ(date->value(), TaggedValue::dateTime(stamp));
}

TEST_F(ReportVariableTest, GroupVariables) {
    EXPECT_EQ(variables.addGroup(), 0);
    EXPECT_EQ(variables.addGroup(), 1);
    EXPECT_EQ(variables.groupCount(), 2);
    EXPECT_EQ(variables.count(), 16);
    EXPECT_EQ(variables.names().mid(8),
              QStringList({"Čís. řád. sk.1", "Poř. čís. sk.1", "Čís. str. sk.1", "Změna skup.1",
                           "Čís. řád. sk.2", "Poř. čís. sk.2", "Čís. str. sk.2", "Změna skup.2"}));
    for (int g = 0; g < 2; ++g) {
        for (int k = 0; k < 4; ++k) {
            const TRadekPromenna* v = variables.item(groupVariableIndex(g, k));
            EXPECT_EQ(v->kind(), 8 + 4 * g + k);
            EXPECT_EQ(v->group(), g);
            EXPECT_EQ(v->groupVariable(), k);
        }
    }
    const int change = groupVariableIndex(0, kGroupChange);
    const int ordinal = groupVariableIndex(1, kGroupOrdinal);
    EXPECT_EQ(variables.value(change), TaggedValue::boolean(false));
    EXPECT_EQ(variables.value(ordinal), TaggedValue::integer(1));
    EXPECT_EQ(variables.value(groupVariableIndex(0, kGroupLineNumber)), TaggedValue::integer(0));
    EXPECT_EQ(variables.value(groupVariableIndex(0, kGroupPageNumber)), TaggedValue::integer(1));

    variables.item(change)->Step();
    EXPECT_EQ(variables.value(change), TaggedValue::boolean(true));
    EXPECT_EQ(variables.item(change)->counter(), 0);
    variables.item(ordinal)->Step();

    variables.ResetAll(1);  // the second group only
    EXPECT_EQ(variables.value(change), TaggedValue::boolean(true));
    EXPECT_EQ(variables.value(ordinal), TaggedValue::integer(1));
    variables.ResetAll(0);
    EXPECT_EQ(variables.value(change), TaggedValue::boolean(false));
}

TEST_F(ReportVariableTest, ResetOfAPassKeepsDatesAndPages) {
    variables.addGroup();
    for (int i = 0; i < variables.count(); ++i) {
        variables.item(i)->Step();
        variables.item(i)->Step();
    }
    const double stamp = variables.item(kVarDate)->timeStamp();
    variables.ResetAll(-2);
    EXPECT_EQ(variables.item(kVarDate)->timeStamp(), stamp);
    EXPECT_EQ(variables.value(kVarLineNumber), TaggedValue::integer(2));
    EXPECT_EQ(variables.value(kVarPageNumber), TaggedValue::integer(3));
    EXPECT_EQ(variables.value(kVarPageTotal), TaggedValue::integer(3));
    EXPECT_EQ(variables.value(kVarPlanLineNumber), TaggedValue::integer(0));
    EXPECT_EQ(variables.value(kVarPlanPageNumber), TaggedValue::integer(1));
    EXPECT_EQ(variables.value(kVarPlanPageTotal), TaggedValue::integer(1));
    EXPECT_EQ(variables.value(groupVariableIndex(0, kGroupOrdinal)), TaggedValue::integer(1));
    EXPECT_EQ(variables.value(groupVariableIndex(0, kGroupChange)), TaggedValue::boolean(false));
}

TEST_F(ReportVariableTest, DollarReferencesReadValues) {
    variables.item(kVarPageNumber)->Step();
    functions.add(dorvana::test::numberFunction(kProcessNone, "$4 * 10"));
    functions.ResetAll(-1);
    functions.AccumulateAll();
    EXPECT_EQ(functions.item(0)->printedValue(), TaggedValue::real(20));
}

}  // namespace
