#pragma once
// TOddil: a section of the report (report start, page header, body, ... or a
// group's or additional plan's section). It owns its elements in drawing order.

#include <QList>
#include <QString>
#include <memory>
#include <vector>

#include "report/model/model_sources.h"
#include "report/model/report_element.h"

namespace dorvana {

class TDBSesText;

// Offsets of the seven sections of a plan (the main plan's IndexOdd 0..6).
namespace PlanSection {
inline constexpr int ReportStart = 0, PageHeader = 1, Body = 2, ReportEnd = 3, PageFooter = 4,
                     CarriedOver = 5, CarriedForward = 6;
inline constexpr int Count = 7;
}  // namespace PlanSection

// Offsets of the four sections of a group.
namespace GroupSection {
inline constexpr int Start = 0, End = 1, CarriedOver = 2, CarriedForward = 3;
inline constexpr int Count = 4;
}  // namespace GroupSection

// The settings a template line stores for one section.
struct SectionSettings {
    bool visible = false;
    bool locked = false;
    int height = 0;     // 0.01 in
    int pass = 0;       // 0 = every pass
    int condition = 0;  // 1-based user function; 0 = none
    bool operator==(const SectionSettings&) const = default;
};

class TOddil {
public:
    TOddil(int indexOdd, QString caption) : IndexOdd(indexOdd), caption(std::move(caption)) {}

    int IndexOdd;
    QString caption;
    bool visible = false;
    bool locked = false;  // the designer refuses to insert, paste or cut elements here
    int height = 0;
    int pass = 0;       // 0..255, 0 = every pass
    int condition = 0;  // 1-based number of the condition function; 0 = none
    int columns = 1, gap = 0;

    SectionSettings settings() const { return {visible, locked, height, pass, condition}; }
    void setSettings(const SectionSettings& s);

    // The height when visible, else 0.
    int effectiveHeight() const { return visible ? height : 0; }
    // The printable width with one column, else (printable width + gap) div columns.
    int columnWidth(int printableWidth) const;
    // Whether the section prints in pass x; the condition function's printed or
    // current value decides when the section has a condition and functions exist.
    bool printsInPass(int x, const FunctionValueSource* functions = nullptr,
                      ConditionValue which = ConditionValue::Printed) const;

    // Elements in drawing order; the section owns them.
    const std::vector<std::unique_ptr<TSesPrvek>>& elements() const { return elements_; }
    int elementCount() const { return int(elements_.size()); }
    TSesPrvek* element(int i) const { return elements_[size_t(i)].get(); }
    int indexOf(const TSesPrvek* e) const;

    // Field value elements bound to memo or picture fields of the data set.
    const QList<TDBSesText*>& growingCandidates() const { return growing_; }
    void updateGrowingCandidates(const ReportFieldSource* fields);

private:
    friend class TPapir;
    std::vector<std::unique_ptr<TSesPrvek>> elements_;
    QList<TDBSesText*> growing_;
};

}  // namespace dorvana
