// dorvana-cli eval EXPR [--table PATH] [--record N] [--param TEXT]...
// Evaluates one expression and prints "<kind>\t<value>" (exit 0),
// "error\t<code>\t<position>" or "failure\t<message>" (exit 1).
#include <QTextStream>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "report/expr/evaluator.h"
#include "report/expr/value_source.h"

namespace dorvana::cli {

namespace {

// The report parameters given with --param; no data set, no user functions
// and no report variables, so those references yield 0.
class ParameterSource : public ValueSource {
public:
    explicit ParameterSource(QStringList parameters) : parameters_(std::move(parameters)) {}

    TaggedValue fieldValue(int) override { return TaggedValue(qint32(0)); }
    TaggedValue parameterValue(int i) override {
        return i >= 0 && i < parameters_.size() ? TaggedValue(parameters_[i]) : TaggedValue(qint32(0));
    }
    TaggedValue functionValue(int) override { return TaggedValue(qint32(0)); }
    TaggedValue variableValue(int) override { return TaggedValue(qint32(0)); }
    int fieldIndex(const QString&) override { return -1; }
    int functionIndex(const QString&) override { return -1; }

private:
    QStringList parameters_;
};

// The machine-readable text of a value: reals with "." and up to 15
// significant digits, booleans True/False, date-times as ISO 8601.
QString plainText(const TaggedValue& v) {
    switch (v.kind()) {
        case TaggedValue::Kind::Empty:
            return {};
        case TaggedValue::Kind::Integer:
            return QString::number(v.asInteger());
        case TaggedValue::Kind::Real:
            return QString::number(v.asReal(), 'g', 15);
        case TaggedValue::Kind::Boolean:
            return v.asBoolean() ? QStringLiteral("True") : QStringLiteral("False");
        case TaggedValue::Kind::Text:
            return v.asText();
        case TaggedValue::Kind::DateTime: {
            const QDateTime when = dateTimeFromDays(v.asDateTime());
            // A date beyond the calendar still prints: as its number of days.
            return when.isValid() ? when.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))
                                  : QString::number(v.asDateTime(), 'g', 15);
        }
    }
    return {};
}

}  // namespace

int runEval(const QStringList& args) {
    CliArgs a;
    QString error;
    if (!parseArgs(args, {QStringLiteral("table"), QStringLiteral("record"), QStringLiteral("param")},
                   {}, &a, &error))
        return fail(error);
    if (a.positional.size() != 1)
        return fail(QStringLiteral("příkaz eval čeká právě jeden výraz (výraz začínající „-“ "
                                   "zapište za „--“)"));
    if (a.has(QStringLiteral("table")) || a.has(QStringLiteral("record")))
        return fail(QStringLiteral("volby --table a --record zatím nejsou k dispozici "
                                   "(chybí tabulkový stroj)"));

    ParameterSource source(a.all(QStringLiteral("param")));
    const EvaluationResult r = evaluateExpression(a.positional[0], &source);
    QTextStream out(stdout);
    if (r.errorCode != kNoError) {
        out << "error\t" << r.errorCode << '\t' << r.errorPosition << '\n';
        return 1;
    }
    if (r.failed) {
        out << "failure\t" << r.failureMessage << '\n';
        return 1;
    }
    out << TaggedValue::kindName(r.value.kind()) << '\t' << plainText(r.value) << '\n';
    return 0;
}

}  // namespace dorvana::cli
