// Evaluations per second of typical user-function expressions against a value
// source (one core).
#include <benchmark/benchmark.h>

#include <QLocale>

#include "base/names.h"
#include "report/expr/evaluator.h"
#include "report/expr/format/format_settings.h"
#include "report/expr/value_source.h"

using namespace dorvana;

namespace {

class Source : public ValueSource {
public:
    TaggedValue fieldValue(int i) override {
        switch (i) {
            case 0:
                return TaggedValue(qint32(12));
            case 1:
                return TaggedValue(180.0);
            case 2:
                return TaggedValue(99.9);
            case 3:
                return TaggedValue(QStringLiteral("Mléko polotučné 1 l"));
            default:
                return TaggedValue(qint32(0));
        }
    }
    TaggedValue parameterValue(int) override { return TaggedValue(qint32(0)); }
    TaggedValue functionValue(int i) override {
        return i == 0 ? TaggedValue(2.5) : TaggedValue(qint32(0));
    }
    TaggedValue variableValue(int i) override { return TaggedValue(qint32(i)); }
    int fieldIndex(const QString& name) override {
        return sameName(name, QStringLiteral("CENA")) ? 2 : -1;
    }
    int functionIndex(const QString&) override { return -1; }
};

void evaluate(benchmark::State& state, const char* text) {
    setFormatLocale(QLocale(QLocale::Czech, QLocale::Czechia));
    Source source;
    const QString expression = QString::fromUtf8(text);
    for (auto _ : state) {
        EvaluationResult r = evaluateExpression(expression, &source);
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK_CAPTURE(evaluate, price_with_vat, "#3*1.21+@1");
BENCHMARK_CAPTURE(evaluate, if_text, "IF(#2>100,'drahé','levné')");
BENCHMARK_CAPTURE(evaluate, field_by_name, "#CENA*1.21");
BENCHMARK_CAPTURE(evaluate, text_functions, "COPY(#4,1,5)+INTTOSTR($3)");
BENCHMARK_CAPTURE(evaluate, nested, "MAX(MIN(#1,10),ROUNP(#3/3))*(1+@1)");
