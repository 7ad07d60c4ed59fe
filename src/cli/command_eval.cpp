// dorvana-cli eval EXPR [--table PATH] [--record N] [--param TEXT]...
// Evaluates one expression, with the fields of record N (1-based, default
// the first) of the table and the given report parameters, and prints
// "<kind>\t<value>" (exit 0), "error\t<code>\t<position>\t<message>" or
// "failure\t<message>" (exit 1).
#include <QFileInfo>
#include <QTextStream>
#include <memory>

#include "base/names.h"
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "data/data_set.h"
#include "data/table_open.h"
#include "report/expr/evaluator.h"
#include "report/expr/value_source.h"
#include "report/layout/report_field_value.h"

namespace dorvana::cli {

namespace {

// The report parameters given with --param and the fields of the current
// record of --table; no user functions and no report variables, so those
// references yield 0.
class EvalSource : public ValueSource {
public:
    EvalSource(QStringList parameters, DataSet* table)
        : parameters_(std::move(parameters)), table_(table) {}

    TaggedValue fieldValue(int i) override {
        if (!table_ || i < 0 || i >= table_->fieldCount()) return TaggedValue(qint32(0));
        return reportFieldValue(table_->field(i));
    }
    TaggedValue parameterValue(int i) override {
        return i >= 0 && i < parameters_.size() ? TaggedValue(parameters_[i])
                                                : TaggedValue(qint32(0));
    }
    TaggedValue functionValue(int) override { return TaggedValue(qint32(0)); }
    TaggedValue variableValue(int) override { return TaggedValue(qint32(0)); }
    int fieldIndex(const QString& name) override {
        if (!table_) return -1;
        for (int i = 0; i < table_->fieldCount(); ++i) {
            const Field* field = table_->field(i);
            if (field && sameName(field->name(), name)) return i;
        }
        return -1;
    }
    int functionIndex(const QString&) override { return -1; }

private:
    QStringList parameters_;
    DataSet* table_;
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
    if (!parseArgs(args,
                   {QStringLiteral("table"), QStringLiteral("record"), QStringLiteral("param")},
                   {QStringLiteral("help")}, &a, &error))
        return fail(error);
    if (a.has(QStringLiteral("help"))) return usage(QStringLiteral("eval"));
    if (a.positional.size() != 1)
        return fail(
            QStringLiteral("příkaz eval čeká právě jeden výraz (výraz začínající „-“ "
                           "zapište za „--“)"));
    std::unique_ptr<DataSet> table;
    if (a.has(QStringLiteral("table"))) {
        const QString path = a.value(QStringLiteral("table"));
        if (QFileInfo(path).isDir())
            return fail(QStringLiteral("%1 je složka, ne soubor").arg(path));
        if (!QFileInfo(path).isFile())
            return fail(QStringLiteral("tabulka „%1“ neexistuje").arg(path));
        table = openAnyTable(path, &error);
        if (!table)
            return fail(error.isEmpty() ? QStringLiteral("tabulku „%1“ nelze otevřít").arg(path)
                                        : error);
        int record = 1;
        if (!a.intValue(QStringLiteral("record"), 1, &record, &error)) return fail(error);
        if (a.has(QStringLiteral("record")) && !table->setRecNo(record))
            return fail(QStringLiteral("záznam %1 v tabulce není (počet záznamů: %2)")
                            .arg(record)
                            .arg(table->recordCount()));
        if (!a.has(QStringLiteral("record"))) table->first();
    } else if (a.has(QStringLiteral("record"))) {
        return fail(QStringLiteral("volba --record patří k volbě --table"));
    }

    EvalSource source(a.all(QStringLiteral("param")), table.get());
    const EvaluationResult r = evaluateExpression(a.positional[0], &source);
    QTextStream out(stdout);
    if (r.errorCode != kNoError) {
        out << "error\t" << r.errorCode << '\t' << r.errorPosition << '\t'
            << evaluatorErrorMessage(r.errorCode) << '\n';
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
