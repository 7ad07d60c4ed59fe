#pragma once
// TRadekPromenna (report variable) and TListPromenna (variable list): the
// counters and time stamps the layout engine keeps (date, time, line and page
// numbers, page totals, group numbers, group change), read with "$".

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "report/expr/tagged_value.h"

namespace dorvana {

// Kinds (and indexes) of the report-wide variables.
enum ReportVariableKind : int {
    kVarDate = 0,            // "Datum"
    kVarTime = 1,            // "Čas"
    kVarLineNumber = 2,      // "Číslo řádku"
    kVarPageNumber = 3,      // "Číslo strany"
    kVarPageTotal = 4,       // "Celkem stran"
    kVarPlanLineNumber = 5,  // "Čís. řád. plánu"
    kVarPlanPageNumber = 6,  // "Čís. str. plánu"
    kVarPlanPageTotal = 7,   // "Cel. str. plánu"
    kVarFirstGroup = 8,      // then four per group g: 8 + 4g + k
};

// The four variables of a group, k in 8 + 4g + k.
enum GroupVariable : int {
    kGroupLineNumber = 0,  // "Čís. řád. sk." + (g + 1)
    kGroupOrdinal = 1,     // "Poř. čís. sk." + (g + 1)
    kGroupPageNumber = 2,  // "Čís. str. sk." + (g + 1)
    kGroupChange = 3,      // "Změna skup." + (g + 1)
};

inline constexpr int kReportWideVariables = 8;
inline constexpr int kVariablesPerGroup = 4;

// Index (and kind) of variable k of group g.
inline int groupVariableIndex(int group, int k) {
    return kVarFirstGroup + kVariablesPerGroup * group + k;
}

class TRadekPromenna {
public:
    // Name "Proměnná", value the integer 0, counter 0, time stamp now,
    // group -1, kind 0.
    TRadekPromenna();
    TRadekPromenna(const QString& name, int kind, int group);

    // Starts again: with scope >= 0 only when the variable belongs to that
    // group; with -1 always; with -2 (or lower) only the plan and group
    // variables (kind 5 and above).
    void Reset(int scope);
    // As Reset, with `now` (days) as the moment of the reset.
    void Reset(int scope, double now);
    // Date and time: the value again becomes the time stamp; group change:
    // true with the counter 0; every other kind: counter + 1, which becomes
    // the value.
    void Step();

    const QString& name() const { return name_; }
    int kind() const { return kind_; }
    int group() const { return group_; }
    const TaggedValue& value() const { return value_; }
    qint32 counter() const { return counter_; }
    // Days of the last reset (date and time variables).
    double timeStamp() const { return timeStamp_; }
    // k (0..3) of a group variable, -1 for a report-wide one.
    int groupVariable() const;

private:
    QString name_;
    int kind_ = 0;
    int group_ = -1;
    TaggedValue value_ = TaggedValue::integer(0);
    qint32 counter_ = 0;
    double timeStamp_ = 0.0;
};

class TListPromenna {
public:
    // The eight report-wide variables, reset.
    TListPromenna();
    TListPromenna(const TListPromenna&) = delete;
    TListPromenna& operator=(const TListPromenna&) = delete;

    int count() const { return static_cast<int>(rows_.size()); }
    // Variable i, or nullptr when there is none.
    TRadekPromenna* item(int i);
    const TRadekPromenna* item(int i) const;
    QStringList names() const;

    // Adds the four variables of the next group (g = groupCount()) and resets
    // them; gives g.
    int addGroup();
    int groupCount() const { return (count() - kReportWideVariables) / kVariablesPerGroup; }

    // Reset(scope) on every variable in list order.
    void ResetAll(int scope);

    // The value of variable i, as "$" references read it; the integer 0 when
    // there is no variable i.
    TaggedValue value(int i) const;

private:
    std::vector<std::unique_ptr<TRadekPromenna>> rows_;
};

}  // namespace dorvana
