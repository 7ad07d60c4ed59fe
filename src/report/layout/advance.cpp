// Advancing to the next record: group changes and their look-ahead, group
// ends and starts, the functions' accumulation, and the page break when the
// record no longer fits.

#include "data/data_set.h"
#include "report/expr/functions/function_list.h"
#include "report/expr/functions/report_variable.h"
#include "report/layout/layout_engine.h"
#include "report/model/report_model.h"
#include "report/model/text_elements.h"

namespace dorvana {

QString LayoutEngine::groupText(int g) const {
    const ReportFieldSource* fields = in_.captions.fields;
    const TPolSkup* group = in_.model->group(g);
    if (!fields || !group || group->field < 0 || group->field >= fields->fieldCount()) return {};
    return fields->displayText(group->field);
}

void LayoutEngine::refreshFieldElements() {
    for (TSesPrvek* e : in_.model->page().fieldValueElements()) e->refreshCaption(in_.captions);
}

void LayoutEngine::refreshFunctionElements(bool empty) {
    for (TSesPrvek* e : in_.model->page().functionElements()) {
        if (empty)
            e->Caption.clear();
        else
            e->refreshCaption(in_.captions);
    }
}

bool LayoutEngine::advanceToNextRecord() {
    DataSet* data = in_.dataSet;
    if (!data) return false;
    data->next();
    if (data->atEnd()) return false;

    // The first group whose text differs changes, and every later group with it.
    bool changing = false;
    for (int g = 0; g < groupCount_; ++g) {
        TPolSkup* group = in_.model->group(g);
        if (!changing && group->previousText != groupText(g)) changing = true;
        group->changed = changing;
    }
    stepVariable(kVarLineNumber);
    stepVariable(kVarPlanLineNumber);

    if (groupCount_ > 0 && in_.model->group(groupCount_ - 1)->changed) groupFilling(false);

    for (int g = 0; g < groupCount_; ++g) in_.model->group(g)->lookAheadText = groupText(g);

    // Look ahead: which groups change after this record. At the last record
    // every group ends.
    bool hasNext;
    if (groupCount_ == 0) {
        // Without groups only the position matters; the data set need not move.
        hasNext = data->recNo() < data->recordCount();
    } else {
        data->next();
        hasNext = !data->atEnd();
    }
    bool changesNext = false;
    for (int g = 0; g < groupCount_; ++g) {
        TPolSkup* group = in_.model->group(g);
        const int change = groupVariableIndex(g, kGroupChange);
        resetVariable(change, g);
        if (!changesNext && hasNext && group->lookAheadText != groupText(g)) changesNext = true;
        group->changesNext = changesNext || !hasNext;
        if (group->changesNext) stepVariable(change);
    }
    if (hasNext && groupCount_ > 0) data->prior();

    bool needNewPage = false;
    for (int g = groupCount_ - 1; g >= 0; --g) {
        TPolSkup* group = in_.model->group(g);
        if (group->changed) {
            in_.functions->ResetAll(g + 2);
            resetVariable(groupVariableIndex(g, kGroupLineNumber), g);
            stepVariable(groupVariableIndex(g, kGroupOrdinal));
            // A group whose visible sections all print in other passes does
            // not break the page in this pass.
            bool anyVisible = false, anyInPass = false;
            for (const TOddil* s : group->sections) {
                if (!s) continue;
                anyVisible |= s->visible;
                anyInPass |= s->printsInPass(pass_);
            }
            if (!group->newPage || (!anyInPass && anyVisible)) {
                finishRow();
                outputIf(group->sections[GroupSection::End], Test::A);
                endedPageCount_[size_t(g)] = group->pageCount;
                writePlaceholders(groupPlaceholders_[size_t(g)], group->pageCount);
                resetVariable(groupVariableIndex(g, kGroupPageNumber), g);
                group->pageCount = 1;
            } else {
                needNewPage = true;
            }
        }
        stepVariable(groupVariableIndex(g, kGroupLineNumber));
    }
    in_.functions->AccumulateCurrentAll();

    if (needNewPage || !nextRecordFits(hasNext)) pageBreak();

    refreshFieldElements();
    for (int g = 0; g < groupCount_; ++g) in_.model->group(g)->previousText = groupText(g);
    showVariable(kVarLineNumber);
    showVariable(kVarPlanLineNumber);
    for (int g = 0; g < groupCount_; ++g) showVariable(groupVariableIndex(g, kGroupLineNumber));
    in_.functions->CommitCurrentAll();
    refreshFunctionElements();

    // Outer groups start first.
    for (int g = 0; g < groupCount_; ++g) {
        TPolSkup* group = in_.model->group(g);
        if (!group->changed) continue;
        showVariable(groupVariableIndex(g, kGroupLineNumber));
        showVariable(groupVariableIndex(g, kGroupOrdinal));
        showVariable(groupVariableIndex(g, kGroupPageNumber));
        group->changed = false;
        endedPageCount_[size_t(g)] = -1;
        outputIf(group->sections[GroupSection::Start], Test::A);
    }
    return true;
}

}  // namespace dorvana
