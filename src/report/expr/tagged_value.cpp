#include "report/expr/tagged_value.h"

#include <limits>

#include "report/expr/format/date_time_format.h"

namespace dorvana {

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

TaggedValue TaggedValue::dateTime(const QDateTime& when) {
    return dateTime(daysFromDateTime(when));
}

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
    QDate date;
    QTime time;
    if (!splitDays(days, &date, &time)) return {};
    return QDateTime(date, time);
}

double daysFromDateTime(const QDateTime& when) {
    if (!when.isValid()) return 0.0;
    return daysOf(when.date(), when.time());
}

}  // namespace dorvana
