// Output of one section: its elements become printed elements on the page
// being filled, a growing memo pushes what lies below it, and the position
// advances by the section (or by one column of a body row).

#include <algorithm>

#include "base/progress.h"
#include "data/data_set.h"
#include "report/expr/functions/report_variable.h"
#include "report/layout/layout_engine.h"
#include "report/layout/pages/element_printing.h"
#include "report/layout/pages/page_store.h"
#include "report/model/memo_lines.h"
#include "report/model/report_model.h"
#include "report/model/text_elements.h"

namespace dorvana {

namespace {

// The extra height of a memo of `lines` lines at a line pitch of one and a
// half times the font size (points taken as 0.01 in), beyond the element's height.
int memoGrowth(qsizetype lines, int fontSize, int height) {
    const qint64 needed = qint64(lines) * fontSize * 3 / 2;
    return int(std::clamp<qint64>(needed - height, 0, 1 << 30));
}

bool growsWithMemo(const TDBSesText* t) {
    return t->isMemo() && (t->memoFlags & MemoFlag::Grow);
}

}  // namespace

bool LayoutEngine::poll() {
    if (!cancelled_ && progress_.cancelled())
        cancelled_ = true;
    return cancelled_;
}

bool LayoutEngine::passes(const TOddil* s, Test t) const {
    return s && s->printsInPass(pass_, functionValues_,
                                t == Test::A ? ConditionValue::Printed : ConditionValue::Current);
}

int LayoutEngine::heightIf(const TOddil* s, Test t) const {
    return passes(s, t) ? s->effectiveHeight() : 0;
}

TOddil* LayoutEngine::planSection(int p, int offset) const {
    const TPolPlan* plan = in_.model->plan(p);
    return plan ? plan->sections[size_t(offset)] : nullptr;
}

TOddil* LayoutEngine::groupSection(int g, int offset) const {
    const TPolSkup* group = in_.model->group(g);
    return group ? group->sections[size_t(offset)] : nullptr;
}

bool LayoutEngine::outputIf(TOddil* s, Test t, bool bodyRow) {
    if (stopped_ || cancelled_ || !passes(s, t)) return false;
    if (poll()) return false;
    outputSection(s, bodyRow);
    return true;
}

int LayoutEngine::sectionGrowthAtRecord(const TOddil* s) const {
    const auto& candidates = s->growingCandidates();
    const ReportFieldSource* fields = in_.captions.fields;
    for (qsizetype i = candidates.size() - 1; i >= 0; --i) {
        const TDBSesText* t = candidates[i];
        if (!growsWithMemo(t)) continue;
        if (!t->boundTo(fields)) return 0;
        const QStringList lines = breakMemoLines(
            fields->displayText(t->reference), t->W, t->memoFlags,
            MemoFont{t->fontName(), t->fontSize, t->font.style}, in_.captions.measurer,
            memoLineLimit(t->H, t->fontSize, t->memoFlags, in_.captions.memoHeightLimit));
        return memoGrowth(lines.size(), t->fontSize, t->H);
    }
    return 0;
}

void LayoutEngine::outputSection(TOddil* s, bool bodyRow) {
    // Growth pre-pass: the last memo that may grow decides; everything that
    // does not lie above its bottom edge moves down by the growth.
    int growth = 0, growthBottom = 0;
    const auto& candidates = s->growingCandidates();
    for (qsizetype i = candidates.size() - 1; i >= 0; --i) {
        const TDBSesText* t = candidates[i];
        if (growsWithMemo(t)) {
            growth = memoGrowth(t->lines.size(), t->fontSize, t->H);
            growthBottom = t->Y + t->H;
            break;
        }
    }
    const auto& styles = stylesOf(s);
    const auto& elements = s->elements();
    for (size_t i = 0; i < elements.size(); ++i)
        emitElement(elements[i].get(), styles[i], growth, growthBottom);

    if (bodyRow && columns_ >= 2) {
        // A memo that grows in any column of the row pushes the next row down.
        rowGrowth_ = std::max(rowGrowth_, growth);
        if (columnNumber_ < columns_) {
            ++columnNumber_;
            columnOffset_ += (printableWidth_ + gap_) / columns_;
            return;
        }
        columnNumber_ = 1;
        columnOffset_ = 0;
        growth = rowGrowth_;
        rowGrowth_ = 0;
    }
    y_ += s->effectiveHeight() + growth;
}

void LayoutEngine::finishRow() {
    if (columns_ >= 2 && columnNumber_ > 1) {
        columnNumber_ = 1;
        columnOffset_ = 0;
        y_ += in_.model->mainPlan()->sections[PlanSection::Body]->effectiveHeight() + rowGrowth_;
    }
    rowGrowth_ = 0;
}

const std::vector<std::shared_ptr<const PrintedStyle>>& LayoutEngine::stylesOf(const TOddil* s) {
    auto& styles = styles_[s];
    if (styles.size() != s->elements().size()) {
        styles.clear();
        for (const auto& e : s->elements())
            styles.push_back(printedStyleOf(*e, in_.barcodeByPrinter));
    }
    return styles;
}

void LayoutEngine::emitElement(TSesPrvek* e, const std::shared_ptr<const PrintedStyle>& style,
                               int growth, int growthBottom) {
    TPrevPrvek p = printedCopyOf(*e, style);
    p.X += columnOffset_;
    p.Y += y_;
    if (growth > 0 && e->Y >= growthBottom) p.Y += growth;
    QList<Placeholder>* list = nullptr;
    if (e->type() == ElementType::FieldValue) {
        const auto* f = static_cast<const TDBSesText*>(e);
        if (f->isMemo() && (f->memoFlags & MemoFlag::Grow))
            p.H += memoGrowth(f->lines.size(), f->fontSize, f->H);
        if (!f->isMemo() && f->isPicture() && !f->pictureFailure.isEmpty()) {
            const ReportFieldSource* fields = in_.captions.fields;
            const QString name = fields ? fields->fieldName(f->reference) : f->fieldName();
            PictureProblem& problem = pictureProblems_[name];
            if (problem.count++ == 0) {
                problem.firstRecord = in_.dataSet ? in_.dataSet->recNo() : 0;
                problem.reason = f->pictureFailure;
            }
        }
    } else if (e->type() == ElementType::Variable) {
        const int v = e->reference;
        // Total pages, pages of the pass and pages of a group are known
        // only later; their elements are filled in then.
        if (v == kVarPageTotal) {
            list = &totalPlaceholders_;
        } else if (v == kVarPlanPageTotal) {
            list = &passPlaceholders_;
        } else if (v >= kVarFirstGroup &&
                   (v - kVarFirstGroup) % kVariablesPerGroup == kGroupChange) {
            const int g = (v - kVarFirstGroup) / kVariablesPerGroup;
            if (g < groupCount_) list = &groupPlaceholders_[size_t(g)];
        }
    }
    TPrevPrvek& stored = pages_.addElement(pageIndex_, std::move(p));
    if (list) list->append({&stored, static_cast<const TSesPromenna*>(e)});
}

}  // namespace dorvana
