#include "report/expr/builtin_functions.h"

#include <cmath>
#include <numbers>

#include "base/names.h"
#include "report/expr/value_text.h"

namespace dorvana {

namespace {

struct Builtin {
    const char* name;
    int arguments;
};

// In code order: code n is kBuiltins[n - 1].
constexpr Builtin kBuiltins[kBuiltinFunctionCount] = {
    {"SIN", 1},       {"COS", 1},        {"TAN", 1},       {"COTG", 1},     {"EXP", 1},
    {"LN", 1},        {"ASIN", 1},       {"ACOS", 1},      {"ATAN", 1},     {"ACOTG", 1},
    {"ABS", 1},       {"INT", 1},        {"SGN", 1},       {"MAX", 2},      {"MIN", 2},
    {"IF", 3},        {"SKUP", 1},       {"COPY", 3},      {"LENGTH", 1},   {"POS", 2},
    {"TYPHOM", 1},    {"UPPERCASE", 1},  {"LOWERCASE", 1}, {"ROUNP", 1},    {"FDATETIME", 2},
    {"STRTODATE", 1}, {"STRTODATIM", 1}, {"INTTOSTR", 1},  {"STRTOINT", 1},
};

enum Code {
    kSin = 1,
    kCos,
    kTan,
    kCotg,
    kExp,
    kLn,
    kAsin,
    kAcos,
    kAtan,
    kAcotg,
    kAbs,
    kInt,
    kSgn,
    kMax,
    kMin,
    kIf,
    kSkup,
    kCopy,
    kLength,
    kPos,
    kTyphom,
    kUppercase,
    kLowercase,
    kRounp,
    kFdatetime,
    kStrtodate,
    kStrtodatim,
    kInttostr,
    kStrtoint,
};

bool numericError(ValueFault* fault) {
    if (fault) *fault = ValueFault::numeric();
    return false;
}

bool failWith(ValueFault* fault, const QString& message) {
    if (fault) *fault = ValueFault::failure(message);
    return false;
}

bool real(double v, TaggedValue* out, ValueFault* fault) {
    if (std::isnan(v)) return failWith(fault, invalidOperationMessage());
    if (std::isinf(v)) return failWith(fault, overflowMessage());
    *out = TaggedValue(v);
    return true;
}

bool equalTo(const TaggedValue& v, const TaggedValue& what, bool* equal, ValueFault* fault) {
    int order;
    if (!compareValues(v, what, &order, fault)) return false;
    *equal = order == 0;
    return true;
}

QString quoted(const QString& text) {
    return QStringLiteral("„%1“").arg(text);
}

}  // namespace

const char* builtinFunctionName(int code) {
    return code >= 1 && code <= kBuiltinFunctionCount ? kBuiltins[code - 1].name : "";
}

int builtinArgumentCount(int code) {
    return code >= 1 && code <= kBuiltinFunctionCount ? kBuiltins[code - 1].arguments : 0;
}

int findBuiltinFunction(QStringView word) {
    const qsizetype n = word.size();
    if (n == 0 || n > kBuiltinNameLength) return 0;
    for (int code = 1; code <= kBuiltinFunctionCount; ++code)
        if (sameName(word, QLatin1String(kBuiltins[code - 1].name))) return code;
    return 0;
}

bool applyBuiltinFunction(int code, const TaggedValue* a, TaggedValue* out, ValueFault* fault) {
    double x = 0;
    // The functions of one real argument.
    if (code <= kInt || code == kRounp || code == kSgn) {
        if (!toReal(a[0], &x, fault)) return false;
    }
    switch (code) {
        case kSin:
            return real(std::sin(x), out, fault);
        case kCos:
            return real(std::cos(x), out, fault);
        case kTan: {
            const double c = std::cos(x);
            if (c == 0) return numericError(fault);
            return real(std::sin(x) / c, out, fault);
        }
        case kCotg: {
            const double s = std::sin(x);
            if (s == 0) return numericError(fault);
            return real(std::cos(x) / s, out, fault);
        }
        case kExp:
            return real(std::exp(x), out, fault);
        case kLn:
            if (x <= 0) return failWith(fault, invalidOperationMessage());
            return real(std::log(x), out, fault);
        case kAsin:
            if (x > 1 || x < -1) return numericError(fault);
            if (x == 1 || x == -1) return real(x * std::numbers::pi / 2, out, fault);
            return real(std::atan(x / std::sqrt(1 - x * x)), out, fault);
        case kAcos:
            if (x > 1 || x < -1) return numericError(fault);
            return real(std::acos(x), out, fault);
        case kAtan:
            return real(std::atan(x), out, fault);
        case kAcotg:
            return real(std::numbers::pi / 2 - std::atan(x), out, fault);
        case kAbs:
            return real(std::fabs(x), out, fault);
        case kInt:
            return real(std::trunc(x), out, fault);
        case kSgn:
            *out = TaggedValue(qint32(x > 0 ? 1 : (x < 0 ? -1 : 0)));
            return true;
        case kRounp: {
            // The fraction is judged with a little slack, so that 2.005 (held
            // as 2.00499999...) rounds up as it is written.
            const double whole = std::trunc(x);
            const double fraction = x - whole;
            return real(fraction + 1e-9 >= 0.005 ? whole + 1 : whole, out, fault);
        }
        case kMax:
        case kMin: {
            int order;
            if (!compareValues(a[1], a[0], &order, fault)) return false;
            *out = (code == kMax ? order > 0 : order < 0) ? a[1] : a[0];
            return true;
        }
        case kIf: {
            bool c;
            if (!toBoolean(a[0], &c, fault)) return false;
            *out = c ? a[1] : a[2];
            return true;
        }
        case kSkup: {
            static const char* const kGroups[] = {"HIM", "NHIM", "DHIM", "LEAS", "DHM"};
            for (qint32 k = 1; k <= 5; ++k) {
                bool equal;
                if (!equalTo(a[0], TaggedValue(k), &equal, fault)) return false;
                if (equal) {
                    *out = TaggedValue(QString::fromLatin1(kGroups[k - 1]));
                    return true;
                }
            }
            *out = TaggedValue(QString());
            return true;
        }
        case kTyphom: {
            bool equal;
            if (!equalTo(a[0], TaggedValue(QStringLiteral("P")), &equal, fault)) return false;
            if (equal) {
                *out = TaggedValue(QStringLiteral("Provozní"));
                return true;
            }
            if (!equalTo(a[0], TaggedValue(QStringLiteral("N")), &equal, fault)) return false;
            *out = TaggedValue(equal ? QStringLiteral("Neprovozní") : QString());
            return true;
        }
        case kCopy: {
            const QString s = toText(a[0]);
            qint32 start, count;
            if (!toInt32(a[1], &start, fault) || !toInt32(a[2], &count, fault)) return false;
            if (start < 1) start = 1;
            if (start > s.size() || count <= 0) {
                *out = TaggedValue(QString());
                return true;
            }
            *out = TaggedValue(s.mid(start - 1, count));
            return true;
        }
        case kLength:
            *out = TaggedValue(static_cast<qint32>(toText(a[0]).size()));
            return true;
        case kPos: {
            const QString sub = toText(a[0]);
            *out =
                TaggedValue(sub.isEmpty() ? 0 : static_cast<qint32>(toText(a[1]).indexOf(sub) + 1));
            return true;
        }
        case kUppercase:
            *out = TaggedValue(value_text::upper(toText(a[0])));
            return true;
        case kLowercase:
            *out = TaggedValue(value_text::lower(toText(a[0])));
            return true;
        case kFdatetime: {
            double days;
            if (!toDateTime(a[1], &days, fault)) return false;
            QString text;
            if (!value_text::formatDays(toText(a[0]), days, &text))
                return failWith(fault, QStringLiteral("Neplatné datum"));
            *out = TaggedValue(std::move(text));
            return true;
        }
        case kStrtodate:
        case kStrtodatim: {
            const QString s = toText(a[0]);
            double days;
            const bool read = code == kStrtodate ? value_text::dateToDays(s, &days)
                                                 : value_text::dateTimeToDays(s, &days);
            if (!read)
                return failWith(fault,
                                code == kStrtodate
                                    ? QStringLiteral("%1 není platné datum").arg(quoted(s))
                                    : QStringLiteral("%1 není platné datum a čas").arg(quoted(s)));
            *out = TaggedValue::dateTime(days);
            return true;
        }
        case kInttostr: {
            qint32 n;
            if (!toInt32(a[0], &n, fault)) return false;
            *out = TaggedValue(QString::number(n));
            return true;
        }
        case kStrtoint: {
            const QString s = toText(a[0]);
            qint32 n = 0;
            if (!value_text::toInteger(s, &n))
                return failWith(fault, QStringLiteral("%1 není platné celé číslo").arg(quoted(s)));
            *out = TaggedValue(n);
            return true;
        }
    }
    if (fault) *fault = ValueFault::type();
    return false;
}

}  // namespace dorvana
