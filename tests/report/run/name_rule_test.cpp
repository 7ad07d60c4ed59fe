// Every lookup of a field or function by name follows the one name rule: the
// letters A-Z without regard to case, every other character exactly. The same
// cases run through each layer's lookup.
#include <gtest/gtest.h>

#include "base/names.h"
#include "data/data_set.h"
#include "data/memory_store.h"
#include "report/expr/evaluator.h"
#include "report/expr/functions/function_list.h"
#include "report/layout/data_set_fields.h"
#include "report/layout/report_run.h"
#include "report/model/report_model.h"
#include "report/model/template_writer.h"

using namespace dorvana;

namespace {

struct NameCase {
    const char16_t* stored;
    const char16_t* asked;
    bool same;
};

const NameCase kCases[] = {
    {u"cena", u"CENA", true},
    {u"Nazev1", u"nAZEV1", true},
    {u"_pocet", u"_POCET", true},
    {u"Množství", u"množství", true},
    {u"Množství", u"MNOŽSTVÍ", false},  // letters with diacritics keep their case
    {u"cena", u"céna", false},
    {u"cena", u"cena1", false},
    {u"cena", u"cen", false},
};

QString s(const char16_t* text) {
    return QString::fromUtf16(text);
}

std::unique_ptr<DataSet> tableWithField(const QString& name) {
    FieldDefs defs{{QStringLiteral("cislo"), FieldType::Integer, 0, false},
                   {name, FieldType::Integer, 0, false}};
    return std::make_unique<DataSet>(
        std::make_unique<MemoryStore>(defs, QList<RawRecord>{RawRecord{1, 42}}));
}

TEST(NameRule, EveryLookupAnswersAlike) {
    for (const NameCase& c : kCases) {
        const QString stored = s(c.stored), asked = s(c.asked);
        const int field = c.same ? 1 : -1;
        SCOPED_TRACE(stored.toStdString() + " / " + asked.toStdString());

        EXPECT_EQ(sameName(stored, asked), c.same);

        auto table = tableWithField(stored);
        EXPECT_EQ(table->fieldIndex(asked), field);
        EXPECT_EQ(DataSetFields(table.get()).fieldIndex(asked), field);
        QString error;
        ASSERT_TRUE(table->setFilter(asked + QStringLiteral(" = 42"), &error));
        EXPECT_EQ(table->setFiltered(true, &error), c.same) << error.toStdString();

        ReportRun run;
        run.setDataSet(table.get());
        EXPECT_EQ(run.fieldIndex(asked), field);
        const EvaluationResult r = evaluateExpression(QStringLiteral("#") + asked, &run);
        if (c.same)
            EXPECT_EQ(r.value, TaggedValue(qint32(42)));
        else
            EXPECT_EQ(r.errorCode, 1);

        FunctionDefinition f;
        f.name = stored;
        ReportModel model;
        model.functions << FunctionDefinition{} << f;
        EXPECT_EQ(model.functionIndex(asked), c.same ? 1 : -1);
        TListFunkci functions;
        functions.add({});
        functions.add(f);
        EXPECT_EQ(functions.indexOf(asked), c.same ? 1 : -1);

        // The list of used fields holds a name once, by the same rule.
        FunctionDefinition uses;
        uses.expression = QStringLiteral("#") + stored + QStringLiteral("+#") + asked;
        ReportModel writer;
        writer.functions << uses;
        EXPECT_EQ(usedFieldNames(writer).size(), c.same ? 1 : 2);
    }
}

TEST(NameRule, ReferencedNamesAreWhatTheEvaluatorResolves) {
    // The writer's list of names an expression uses and the evaluator's
    // reading of the same expression agree, names with diacritics included.
    const QString expression = QStringLiteral("#Množství*#cena+LENGTH('#nic')+#2+#_x1");
    EXPECT_EQ(referencedNames(expression, u'#'),
              QStringList({QStringLiteral("Množství"), QStringLiteral("cena"), QStringLiteral("_x1")}));
    EXPECT_EQ(referencedNames(QStringLiteral("@Součet+#") + QString(40, QChar(u'a')), u'@'),
              QStringList{QStringLiteral("Součet")});
    EXPECT_EQ(referencedNames(QStringLiteral("#") + QString(40, QChar(u'a')), u'#'), QStringList{QString(32, u'a')});

    FieldDefs defs{{QStringLiteral("Množství"), FieldType::Integer, 0, false},
                   {QStringLiteral("cena"), FieldType::Integer, 0, false},
                   {QStringLiteral("_x1"), FieldType::Integer, 0, false}};
    DataSet table(std::make_unique<MemoryStore>(defs, QList<RawRecord>{RawRecord{3, 5, 1}}));
    ReportRun run;
    run.setDataSet(&table);
    const EvaluationResult r = evaluateExpression(expression, &run);
    ASSERT_EQ(r.errorCode, 0);
    // 3*5 + 4 + field 2 (cena, by number) + 1
    EXPECT_EQ(r.value, TaggedValue(qint32(3 * 5 + 4 + 5 + 1)));
}

}  // namespace
