#pragma once
// The definition of one user function (the attributes an F line of a template
// carries), without its run state. The function row of the expression engine
// holds one of these plus the values it accumulates.

#include <QString>

namespace dorvana {

struct FunctionDefinition {
    // Result types.
    enum ResultType { Number = 0, Text = 1, DateTime = 2, Boolean = 3 };
    // Number formats: general, exponential, fixed, number, currency, picture mask.
    static constexpr int kDefaultNumberFormat = 3;
    static constexpr int kMaxNumberFormat = 5;

    // In the order of the template line.
    QString name = QStringLiteral("Funkce");
    QString description = QStringLiteral("Popis");
    int resultType = Number;  // 0 number, 1 text, 2 date/time, 3 Boolean
    QString initialValue = QStringLiteral("0");
    int resetScope = 0;  // 0 report, 1 page, 2 + g group g
    QString expression;
    int processing = 0;                       // "Další zpracování"
    int precision = 15;                       // total significant digits (line: width)
    int digits = 2;                           // decimal places (line: decimals)
    int numberFormat = kDefaultNumberFormat;  // always 0..5, see setNumberFormat
    QString formatMask = QStringLiteral("#,##0.00");

    // The number format kept is 0..5; any other value becomes 3.
    static int normalizedNumberFormat(int format) {
        return format < 0 || format > kMaxNumberFormat ? kDefaultNumberFormat : format;
    }
    void setNumberFormat(int format) { numberFormat = normalizedNumberFormat(format); }

    bool operator==(const FunctionDefinition&) const = default;
};

}  // namespace dorvana
