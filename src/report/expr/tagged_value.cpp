#include "report/expr/tagged_value.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace dorvana {

namespace {

const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
// QDate holds far more, but beyond this range days lose their millisecond part.
constexpr double kMaxDays = 1.0e8;

}  // namespace

TaggedValue TaggedValue::fromInteger64(qint64 v) {
    if (v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max())
        return TaggedValue(static_cast<qint32>(v));
    return TaggedValue(static_cast<double>(v));
}

TaggedValue TaggedValue::dateTime(double days) {
    TaggedValue v;
    v.kind_ = Kind::DateTime;
    v.num_.d = days;
    return v;
}

TaggedValue TaggedValue::dateTime(const QDateTime& when) { return dateTime(daysFromDateTime(when)); }

bool TaggedValue::operator==(const TaggedValue& other) const {
    if (kind_ != other.kind_) return false;
    switch (kind_) {
        case Kind::Empty:
            return true;
        case Kind::Integer:
            return num_.i == other.num_.i;
        case Kind::Boolean:
            return num_.b == other.num_.b;
        case Kind::Real:
        case Kind::DateTime:
            return num_.d == other.num_.d;
        case Kind::Text:
            return text_ == other.text_;
    }
    return false;
}

const char* TaggedValue::kindName(Kind kind) {
    switch (kind) {
        case Kind::Empty:
            return "empty";
        case Kind::Integer:
            return "integer";
        case Kind::Real:
            return "real";
        case Kind::Boolean:
            return "boolean";
        case Kind::Text:
            return "text";
        case Kind::DateTime:
            return "datetime";
    }
    return "empty";
}

QDateTime dateTimeFromDays(double days) {
    if (!std::isfinite(days) || std::fabs(days) > kMaxDays) return {};
    double whole = std::trunc(days);
    qint64 ms = std::llround(std::fabs(days - whole) * kMsPerDay);
    qint64 dayNumber = static_cast<qint64>(whole);
    if (ms >= static_cast<qint64>(kMsPerDay)) {
        // The fraction rounded up to the next midnight.
        ms = 0;
        ++dayNumber;
    }
    const QDate date = kEpoch.addDays(dayNumber);
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

double daysFromDateTime(const QDateTime& when) {
    if (!when.isValid()) return 0.0;
    const double day = static_cast<double>(kEpoch.daysTo(when.date()));
    const double fraction = when.time().msecsSinceStartOfDay() / kMsPerDay;
    // Before the epoch the fraction still counts from midnight of that day.
    return day < 0 ? day - fraction : day + fraction;
}

}  // namespace dorvana
