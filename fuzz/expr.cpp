// Fuzz target: arbitrary text through the expression evaluator, against a
// value source with a few fields, parameters, functions and variables. The
// evaluator must never crash or hang, and its answer must be one of a value,
// an error code with a position inside the text, or a failure.
#include <QDate>
#include <QLocale>
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "base/names.h"
#include "report/expr/evaluator.h"
#include "report/expr/format/date_time_format.h"
#include "report/expr/format/format_settings.h"
#include "report/expr/value_source.h"
#include "quiet_log.h"

using namespace dorvana;

namespace {

class Source : public ValueSource {
public:
    TaggedValue fieldValue(int i) override {
        switch (i) {
            case 0:
                return TaggedValue(qint32(10));
            case 1:
                return TaggedValue(150.5);
            case 2:
                return TaggedValue(QStringLiteral("Žluťoučký kůň"));
            case 3:
                return TaggedValue(true);
            case 4:
                return TaggedValue::dateTime(daysOf(QDate(2026, 12, 10)));
            case 5:
                return TaggedValue(QString());
            default:
                return TaggedValue(qint32(0));
        }
    }
    TaggedValue parameterValue(int i) override {
        return i == 0 ? TaggedValue(QStringLiteral("12,5")) : TaggedValue(qint32(0));
    }
    TaggedValue functionValue(int i) override {
        return i == 0 ? TaggedValue(2.5) : TaggedValue(qint32(0));
    }
    TaggedValue variableValue(int i) override {
        return i == 0 ? TaggedValue(qint32(7)) : TaggedValue(qint32(0));
    }
    int fieldIndex(const QString& name) override {
        static const char* const kNames[] = {"CISLO", "CENA", "NAZEV", "PLATNY", "DATUM", "POZN"};
        for (int i = 0; i < 6; ++i)
            if (sameName(name, QString::fromLatin1(kNames[i]))) return i;
        return -1;
    }
    int functionIndex(const QString& name) override {
        return sameName(name, QStringLiteral("FUNKCE")) ? 0 : -1;
    }
};

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool initialised = [] {
        setFormatLocale(QLocale(QLocale::Czech, QLocale::Czechia));
        return true;
    }();
    (void)initialised;
    static Source source;
    if (size > 4096) return 0;
    // The first byte chooses how the rest is read: as UTF-8 or as Latin-1
    // (every byte a character, control characters included).
    if (size == 0) return 0;
    const char* bytes = reinterpret_cast<const char*>(data) + 1;
    const qsizetype n = qsizetype(size - 1);
    const QString text =
        (data[0] & 1) ? QString::fromLatin1(bytes, n) : QString::fromUtf8(bytes, n);

    const EvaluationResult r = evaluateExpression(text, &source);
    if (r.errorCode != 0) {
        check(!r.failed);
        check(r.errorCode >= 1 && r.errorCode <= 14);
        check(r.errorCode != 8 && r.errorCode != 9 && r.errorCode != 12);
        check(r.errorPosition >= 1 && r.errorPosition <= text.size() + 1);
        check(r.value.isEmpty());
    } else if (r.failed) {
        check(!r.failureMessage.isEmpty());
    } else {
        check(!r.value.isEmpty());
    }
    return 0;
}
