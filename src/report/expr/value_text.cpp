#include "report/expr/value_text.h"

#include "report/expr/format/date_time_format.h"
#include "report/expr/format/format_settings.h"
#include "report/expr/format/number_format.h"
#include "report/expr/format/text_case.h"
#include "report/expr/format/text_compare.h"

namespace dorvana::value_text {

QString fromReal(double v) {
    return realText(v);
}

bool toReal(const QString& text, double* out) {
    return parseReal(text, out);
}

QString fromDays(double days) {
    bool ok = true;
    QString text = dateTimeText(days, &ok);
    // A date beyond what the calendar holds still has a text: its days.
    return ok ? text : realText(days);
}

bool toDays(const QString& text, double* days) {
    return parseDateTime(text, days);
}

bool dateToDays(const QString& text, double* days) {
    return parseDate(text, days);
}

bool dateTimeToDays(const QString& text, double* days) {
    return parseDateTime(text, days);
}

bool formatDays(const QString& pattern, double days, QString* out) {
    bool ok = true;
    *out = formatDateTime(pattern, days, &ok);
    return ok;
}

QString upper(const QString& text) {
    return upperText(text);
}

QString lower(const QString& text) {
    return lowerText(text);
}

int compare(const QString& a, const QString& b) {
    if (a == b) return 0;
    const int order = compareText(a, b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

bool toInteger(const QString& text, qint32* out) {
    return parseInteger(text, out);
}

}  // namespace dorvana::value_text
