// Building the report: every pass over the records, the record loop, the
// sections that close a pass, and the numbers written in at the end.

#include "base/progress.h"
#include "data/data_set.h"
#include "report/expr/functions/function_list.h"
#include "report/expr/functions/report_variable.h"
#include "report/expr/value_rules.h"
#include "report/layout/layout_engine.h"
#include "report/layout/pages/page_store.h"
#include "report/model/integer_format.h"
#include "report/model/report_model.h"
#include "report/model/text_elements.h"

namespace dorvana {

namespace {
const QString kUnknownNumber = QStringLiteral("???");
}

QString pageProgressText(int page) {
    return QStringLiteral("Připravuji tisk stránky číslo: %1").arg(page);
}

LayoutEngine::LayoutEngine(const LayoutInput& input, PageStore& pages, Progress& progress)
    : in_(input), pages_(pages), progress_(progress), functionValues_(input.captions.functions) {}

LayoutEngine::~LayoutEngine() = default;

void LayoutEngine::stepVariable(int index) {
    if (TRadekPromenna* v = in_.variables->item(index)) v->Step();
}

void LayoutEngine::resetVariable(int index, int scope) {
    if (TRadekPromenna* v = in_.variables->item(index)) v->Reset(scope);
}

void LayoutEngine::showVariable(int index) {
    if (index < 0 || index >= int(variableElements_.size())) return;
    const TRadekPromenna* v = in_.variables->item(index);
    if (!v) return;
    for (TSesPromenna* e : variableElements_[size_t(index)]) {
        if (index == kVarDate || index == kVarTime) {
            e->setDateTime(dateTimeFromDays(v->timeStamp()));
        } else if (v->value().isBoolean()) {
            e->setValue(v->value().asBoolean() ? 1 : 0);
        } else {
            qint32 n = 0;
            toInt32(v->value(), &n);
            e->setValue(n);
        }
    }
}

void LayoutEngine::writePlaceholders(QList<Placeholder>& list, int value) {
    for (const Placeholder& p : list) {
        if (cancelled_) {
            p.printed->text = kUnknownNumber;
        } else if (p.source->Format().isEmpty()) {
            p.printed->text = QString::number(value);
        } else {
            p.printed->text =
                formatWithInteger(p.source->Format(), value).value_or(QStringLiteral("????"));
        }
    }
    list.clear();
}

LayoutResult LayoutEngine::build() {
    ReportModel& model = *in_.model;
    cancelled_ = false;
    stopped_ = false;
    progress_.step(1, -1, pageProgressText(1));

    groupCount_ = model.groupCount();
    planCount_ = model.planCount();
    totalPlaceholders_.clear();
    passPlaceholders_.clear();
    groupPlaceholders_.assign(size_t(groupCount_), {});
    endedPageCount_.assign(size_t(groupCount_), -1);
    for (int g = 0; g < groupCount_; ++g) model.group(g)->pageCount = 0;
    variableElements_.assign(size_t(in_.variables->count()), {});
    for (TSesPrvek* e : model.page().variableElements()) {
        if (e->reference >= 0 && e->reference < int(variableElements_.size()))
            variableElements_[size_t(e->reference)].push_back(static_cast<TSesPromenna*>(e));
    }
    styles_.clear();
    pictureProblems_.clear();
    pages_.clear();
    pages_.paper =
        PagePaper{model.paper.pageWidth(), model.paper.pageHeight(), model.paper.orientation,
                  model.paper.leftMargin,  model.paper.rightMargin,  model.paper.topMargin,
                  model.paper.bottomMargin};
    pages_.ensurePages(1);
    pageIndex_ = 0;
    pageHeight_ = model.paper.printableHeight();
    printableWidth_ = model.paper.printableWidth();
    columns_ = std::max(1, model.columns());
    gap_ = model.columnGap();

    in_.variables->ResetAll(-1);
    anyPageFill_ = anyGroupFill_ = false;
    for (int p = 0; p < planCount_; ++p) {
        anyPageFill_ |= model.plan(p)->fillPage;
        anyGroupFill_ |= model.plan(p)->fillGroup;
    }

    const int passCount = std::max(1, model.passes);
    for (pass_ = 1; pass_ <= passCount && !cancelled_ && !stopped_; ++pass_) {
        // Every pass after the first starts a page of its own, which the
        // page limit may not allow.
        if (pass_ > 1 && lastPageReached()) {
            stopped_ = true;
            break;
        }
        runPass();
    }

    writePlaceholders(totalPlaceholders_, pageIndex_ + 1);
    LayoutResult result{pageIndex_ + 1, cancelled_, stopped_, {}};
    for (const auto& [field, problem] : pictureProblems_)
        result.warnings << QStringLiteral("Obrázek pole „%1“ nelze vykreslit, na jeho místě je "
                                          "křížek (záznam %2, celkem %3×): %4")
                               .arg(field)
                               .arg(problem.firstRecord)
                               .arg(problem.count)
                               .arg(problem.reason);
    pages_.ensurePages(result.pageCount);

    // The elements show the first record again.
    if (!in_.settings.TiskJedenZaznam && in_.dataSet) {
        in_.dataSet->first();
        refreshFieldElements();
        for (int g = 0; g < groupCount_; ++g) model.group(g)->previousText = groupText(g);
    }
    return result;
}

void LayoutEngine::runPass() {
    ReportModel& model = *in_.model;
    if (pass_ > 1) {
        ++pageIndex_;
        pages_.ensurePages(pageIndex_ + 1);
        progress_.step(pageIndex_ + 1, -1, pageProgressText(pageIndex_ + 1));
        stepVariable(kVarPageNumber);
        stepVariable(kVarPageTotal);
    }
    y_ = 0;
    columnOffset_ = 0;
    columnNumber_ = 1;
    rowGrowth_ = 0;
    DataSet* data = in_.dataSet;
    if (data && !in_.settings.TiskJedenZaznam) data->first();
    empty_ = !data || !data->isOpen() || data->isEmpty();

    in_.variables->ResetAll(-2);
    in_.functions->ResetAll(-1);
    for (int g = 0; g < groupCount_; ++g) stepVariable(groupVariableIndex(g, kGroupChange));

    refreshFieldElements();
    for (int g = 0; g < groupCount_; ++g) {
        TPolSkup* group = model.group(g);
        group->previousText = groupText(g);
        group->changed = group->changesNext = false;
        endedPageCount_[size_t(g)] = -1;
    }
    if (!empty_) {
        stepVariable(kVarLineNumber);
        stepVariable(kVarPlanLineNumber);
        for (int g = 0; g < groupCount_; ++g) stepVariable(groupVariableIndex(g, kGroupLineNumber));
        in_.functions->AccumulateAll();
    }
    refreshFunctionElements(empty_);
    for (int v = 0; v < kReportWideVariables; ++v) showVariable(v);
    for (int g = 0; g < groupCount_; ++g) {
        showVariable(groupVariableIndex(g, kGroupLineNumber));
        showVariable(groupVariableIndex(g, kGroupOrdinal));
        showVariable(groupVariableIndex(g, kGroupPageNumber));
        // Until its page count is known a group's count shows 1.
        const size_t change = size_t(groupVariableIndex(g, kGroupChange));
        if (change < variableElements_.size())
            for (TSesPromenna* e : variableElements_[change]) e->setValue(1);
        model.group(g)->pageCount = 1;
    }

    for (int p = 0; p < planCount_; ++p)
        outputIf(planSection(p, PlanSection::ReportStart), Test::A);
    for (int p = 0; p < planCount_; ++p) outputIf(planSection(p, PlanSection::PageHeader), Test::A);
    for (int g = 0; g < groupCount_; ++g) outputIf(groupSection(g, GroupSection::Start), Test::A);

    // The record loop. An empty data set prints no body rows.
    const int maxRecords = in_.settings.MaxRecords;
    for (int printed = 1; !empty_; ++printed) {
        for (int p = 0; p < planCount_; ++p) {
            const TPolPlan* plan = model.plan(p);
            if (!plan->fillPage && !plan->fillGroup)
                outputIf(plan->sections[PlanSection::Body], Test::A, true);
        }
        if (stopped_ || cancelled_) break;
        // MaxRecords + 1 records print; the loop leaves before it moves to
        // (and counts) a record it would not print.
        if (maxRecords > 0 && printed > maxRecords) break;
        if (in_.settings.TiskJedenZaznam || !advanceToNextRecord()) break;
        if (poll()) break;
    }

    // The last group fills as every other group does: its row in group
    // counts the filler rows, so a condition on it ends the filling.
    groupFilling(true);
    pageFilling(true);
    finishRow();
    for (int g = groupCount_ - 1; g >= 0; --g)
        outputIf(groupSection(g, GroupSection::End), Test::A);
    for (int p = 0; p < planCount_; ++p) outputIf(planSection(p, PlanSection::ReportEnd), Test::A);

    y_ = pageHeight_;
    for (int p = 0; p < planCount_; ++p)
        y_ -= heightIf(planSection(p, PlanSection::PageFooter), Test::A);
    // At the end of a pass the plans' page footers come before the main one.
    for (int p = 1; p < planCount_; ++p) outputIf(planSection(p, PlanSection::PageFooter), Test::A);
    outputIf(planSection(0, PlanSection::PageFooter), Test::A);

    for (int g = 0; g < groupCount_; ++g)
        writePlaceholders(groupPlaceholders_[size_t(g)], model.group(g)->pageCount);
    const TRadekPromenna* passPages = in_.variables->item(kVarPlanPageTotal);
    writePlaceholders(passPlaceholders_, passPages ? passPages->counter() : 0);
}

}  // namespace dorvana
