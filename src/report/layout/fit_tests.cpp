// Whether the next record, or one more fill row, still fits on the page.
// Only sections that would print count: a visible section that fails its
// pass or its condition takes no room.

#include <algorithm>

#include "report/layout/layout_engine.h"
#include "report/model/report_model.h"

namespace dorvana {

namespace {
bool hasFillFlag(const TPolPlan* plan) {
    return plan->fillPage || plan->fillGroup;
}
}  // namespace

int LayoutEngine::bodyGrowthAtRecord(Test t) const {
    int growth = 0;
    for (int p = 0; p < planCount_; ++p) {
        const TPolPlan* plan = in_.model->plan(p);
        const TOddil* body = plan->sections[PlanSection::Body];
        if (!hasFillFlag(plan) && passes(body, t)) growth += sectionGrowthAtRecord(body);
    }
    // In an unfinished column row the row already reaches below its tallest memo.
    return std::max(growth, rowGrowth_);
}

bool LayoutEngine::nextRecordFits(bool hasNext) const {
    int needed = bodyGrowthAtRecord(Test::B);
    for (int p = 0; p < planCount_; ++p) {
        const TPolPlan* plan = in_.model->plan(p);
        if (!hasFillFlag(plan)) needed += heightIf(plan->sections[PlanSection::Body], Test::B);
    }
    int reserved = 0;
    for (int g = 0; g < groupCount_; ++g) {
        const TPolSkup* group = in_.model->group(g);
        if (group->changed) needed += heightIf(group->sections[GroupSection::Start], Test::B);
        if (!hasNext || group->changesNext)
            needed += heightIf(group->sections[GroupSection::End], Test::B);
        else
            reserved += heightIf(group->sections[GroupSection::CarriedForward], Test::B);
    }
    for (int p = 0; p < planCount_; ++p) {
        const TPolPlan* plan = in_.model->plan(p);
        // Carried-forward sections print only at a page break, which the
        // last record never causes once its end sections fit.
        if (hasNext) reserved += heightIf(plan->sections[PlanSection::CarriedForward], Test::B);
        reserved += heightIf(plan->sections[PlanSection::PageFooter], Test::B);
        if (!hasNext) reserved += heightIf(plan->sections[PlanSection::ReportEnd], Test::B);
    }
    return pageHeight_ - reserved - y_ >= needed;
}

bool LayoutEngine::fillRowFits(bool atEnd, bool groupFill) const {
    int needed = bodyGrowthAtRecord(Test::A);
    int reserved = 0;
    for (int g = 0; g < groupCount_; ++g) {
        const TPolSkup* group = in_.model->group(g);
        // The group ends that print after the fill rows.
        if (atEnd || (group->changed && (groupFill || group->newPage)))
            needed += heightIf(group->sections[GroupSection::End], Test::A);
        if (!atEnd && !group->changed)
            reserved += heightIf(group->sections[GroupSection::CarriedForward], Test::A);
    }
    for (int p = 0; p < planCount_; ++p) {
        const TPolPlan* plan = in_.model->plan(p);
        // Only the bodies that a fill row outputs.
        if (groupFill ? plan->fillGroup : plan->fillPage)
            needed += heightIf(plan->sections[PlanSection::Body], Test::A);
        if (!atEnd) reserved += heightIf(plan->sections[PlanSection::CarriedForward], Test::A);
        reserved += heightIf(plan->sections[PlanSection::PageFooter], Test::A);
        if (atEnd) reserved += heightIf(plan->sections[PlanSection::ReportEnd], Test::A);
    }
    return pageHeight_ - reserved - y_ >= needed;
}

}  // namespace dorvana
