#include "report/expr/functions/report_variable.h"

#include <QDateTime>

#include "report/expr/format/date_time_format.h"

namespace dorvana {

namespace {

double now() {
    const QDateTime t = QDateTime::currentDateTime();
    return daysOf(t.date(), t.time());
}

// The value a reset gives a counting variable of the kind (0 or 1).
int startCount(int kind) {
    if (kind >= kVarFirstGroup) {
        const int k = (kind - kVarFirstGroup) % kVariablesPerGroup;
        return k == kGroupOrdinal || k == kGroupPageNumber ? 1 : 0;
    }
    switch (kind) {
        case kVarPageNumber:
        case kVarPageTotal:
        case kVarPlanPageNumber:
        case kVarPlanPageTotal:
            return 1;
        default:
            return 0;
    }
}

}  // namespace

TRadekPromenna::TRadekPromenna() : name_(QStringLiteral("Proměnná")), timeStamp_(now()) {}

TRadekPromenna::TRadekPromenna(const QString& name, int kind, int group)
    : name_(name), kind_(kind), group_(group), timeStamp_(now()) {}

int TRadekPromenna::groupVariable() const {
    if (kind_ < kVarFirstGroup) return -1;
    return (kind_ - kVarFirstGroup) % kVariablesPerGroup;
}

void TRadekPromenna::Reset(int scope) {
    Reset(scope, now());
}

void TRadekPromenna::Reset(int scope, double moment) {
    if (scope >= 0 && scope != group_) return;
    if (scope <= -2 && kind_ < kVarPlanLineNumber) return;
    if (kind_ == kVarDate || kind_ == kVarTime) {
        timeStamp_ = moment;
        counter_ = 0;
        value_ = TaggedValue::dateTime(timeStamp_);
    } else if (groupVariable() == kGroupChange) {
        counter_ = 0;
        value_ = TaggedValue::boolean(false);
    } else {
        counter_ = startCount(kind_);
        value_ = TaggedValue::integer(counter_);
    }
}

void TRadekPromenna::Step() {
    if (kind_ == kVarDate || kind_ == kVarTime) {
        value_ = TaggedValue::dateTime(timeStamp_);
    } else if (groupVariable() == kGroupChange) {
        counter_ = 0;
        value_ = TaggedValue::boolean(true);
    } else {
        ++counter_;
        value_ = TaggedValue::integer(counter_);
    }
}

TListPromenna::TListPromenna() {
    static const char* const kNames[kReportWideVariables] = {"Datum",           "Čas",
                                                             "Číslo řádku",     "Číslo strany",
                                                             "Celkem stran",    "Čís. řád. plánu",
                                                             "Čís. str. plánu", "Cel. str. plánu"};
    for (int kind = 0; kind < kReportWideVariables; ++kind)
        rows_.push_back(
            std::make_unique<TRadekPromenna>(QString::fromUtf8(kNames[kind]), kind, -1));
    ResetAll(-1);
}

TRadekPromenna* TListPromenna::item(int i) {
    return i >= 0 && i < count() ? rows_[static_cast<size_t>(i)].get() : nullptr;
}

const TRadekPromenna* TListPromenna::item(int i) const {
    return i >= 0 && i < count() ? rows_[static_cast<size_t>(i)].get() : nullptr;
}

QStringList TListPromenna::names() const {
    QStringList list;
    for (const auto& row : rows_) list.append(row->name());
    return list;
}

int TListPromenna::addGroup() {
    static const char* const kNames[kVariablesPerGroup] = {"Čís. řád. sk.", "Poř. čís. sk.",
                                                           "Čís. str. sk.", "Změna skup."};
    const int g = groupCount();
    for (int k = 0; k < kVariablesPerGroup; ++k)
        rows_.push_back(std::make_unique<TRadekPromenna>(
            QString::fromUtf8(kNames[k]) + QString::number(g + 1), groupVariableIndex(g, k), g));
    ResetAll(g);
    return g;
}

void TListPromenna::ResetAll(int scope) {
    // The date and the time variable hold the same moment.
    const double moment = now();
    for (auto& row : rows_) row->Reset(scope, moment);
}

TaggedValue TListPromenna::value(int i) const {
    const TRadekPromenna* row = item(i);
    return row ? row->value() : TaggedValue::integer(0);
}

}  // namespace dorvana
