// Page breaks: filling the rest of a page or a group with body rows, the
// footers and carried-forward sections that close a page, and the new page
// with its headers and carried-over sections.

#include "base/progress.h"
#include "report/expr/functions/function_list.h"
#include "report/expr/functions/report_variable.h"
#include "report/layout/layout_engine.h"
#include "report/layout/pages/page_store.h"
#include "report/model/report_model.h"

namespace dorvana {

void LayoutEngine::pageFilling(bool atEnd) {
    while (!cancelled_ && anyPageFill_ && fillRowFits(atEnd, false)) {
        const int yBefore = y_;
        bool output = false;
        for (int p = 0; p < planCount_; ++p) {
            const TPolPlan* plan = in_.model->plan(p);
            if (plan->fillPage)
                output |= outputIf(plan->sections[PlanSection::Body], Test::A, true);
        }
        if (!output) break;
        // A completed row that took no height would never fill the page.
        if (y_ <= yBefore && columnNumber_ == 1) break;
    }
}

void LayoutEngine::groupFilling(bool atEnd) {
    if (groupCount_ == 0) return;
    while (!cancelled_ && anyGroupFill_ && fillRowFits(atEnd, true)) {
        const int yBefore = y_;
        bool output = false;
        for (int p = 0; p < planCount_; ++p) {
            const TPolPlan* plan = in_.model->plan(p);
            if (!plan->fillGroup || !outputIf(plan->sections[PlanSection::Body], Test::B, true))
                continue;
            output = true;
            stepVariable(groupVariableIndex(groupCount_ - 1, kGroupLineNumber));
            for (int i = 0; i < in_.functions->count(); ++i)
                in_.functions->item(i)->RefreshCurrent(in_.functions->valueSource());
        }
        if (!output) break;
        if (y_ <= yBefore && columnNumber_ == 1) break;
    }
}

void LayoutEngine::pageEnd() {
    y_ = pageHeight_;
    for (int p = 0; p < planCount_; ++p)
        y_ -= heightIf(planSection(p, PlanSection::PageFooter), Test::A);
    // At a page break the main page footer comes first, then the plans'.
    for (int p = 0; p < planCount_; ++p) outputIf(planSection(p, PlanSection::PageFooter), Test::A);
    if (lastPageReached()) stopped_ = true;
}

bool LayoutEngine::lastPageReached() const {
    return in_.settings.EndPage > 0 && pageIndex_ + 1 >= in_.settings.EndPage;
}

void LayoutEngine::newPage() {
    ++pageIndex_;
    pages_.ensurePages(pageIndex_ + 1);
    y_ = 0;
    // A body row never continues on the next page.
    columnNumber_ = 1;
    columnOffset_ = 0;
    rowGrowth_ = 0;
    progress_.step(pageIndex_ + 1, -1, pageProgressText(pageIndex_ + 1));

    in_.functions->ResetAll(1);
    for (int v :
         {int(kVarPageNumber), int(kVarPageTotal), int(kVarPlanPageNumber), int(kVarPlanPageTotal)})
        stepVariable(v);
    showVariable(kVarPageNumber);
    showVariable(kVarPlanPageNumber);
    for (int g = 0; g < groupCount_; ++g) {
        TPolSkup* group = in_.model->group(g);
        const int pageInGroup = groupVariableIndex(g, kGroupPageNumber);
        if (group->changed) {
            writePlaceholders(groupPlaceholders_[size_t(g)], group->pageCount);
            resetVariable(pageInGroup, g);
            group->pageCount = 1;
            // The headers of the page show the group it opens with.
            showVariable(groupVariableIndex(g, kGroupOrdinal));
        } else {
            stepVariable(pageInGroup);
            ++group->pageCount;
        }
        showVariable(pageInGroup);
    }
    in_.functions->PageStartAll();
    for (int p = 0; p < planCount_; ++p) outputIf(planSection(p, PlanSection::PageHeader), Test::B);
}

void LayoutEngine::pageBreak() {
    pageFilling(false);
    finishRow();
    for (int g = groupCount_ - 1; g >= 0; --g) {
        const TPolSkup* group = in_.model->group(g);
        if (group->changed && group->newPage) outputIf(group->sections[GroupSection::End], Test::A);
    }
    for (int g = groupCount_ - 1; g >= 0; --g) {
        const TPolSkup* group = in_.model->group(g);
        if (!group->changed) outputIf(group->sections[GroupSection::CarriedForward], Test::A);
    }
    for (int p = 0; p < planCount_; ++p)
        outputIf(planSection(p, PlanSection::CarriedForward), Test::A);
    pageEnd();
    // A group that ended at this record without asking for a new page has
    // already started counting again, but the page just closed is its last.
    for (int g = 0; g < groupCount_; ++g) {
        int& ended = endedPageCount_[size_t(g)];
        if (ended < 0) continue;
        writePlaceholders(groupPlaceholders_[size_t(g)], ended);
        ended = -1;
    }
    refreshFieldElements();
    if (stopped_ || cancelled_) return;
    newPage();
    for (int p = 0; p < planCount_; ++p)
        outputIf(planSection(p, PlanSection::CarriedOver), Test::A);
    // Outer groups first, as their starts were printed.
    for (int g = 0; g < groupCount_; ++g) {
        const TPolSkup* group = in_.model->group(g);
        if (!group->changed) outputIf(group->sections[GroupSection::CarriedOver], Test::A);
    }
}

}  // namespace dorvana
