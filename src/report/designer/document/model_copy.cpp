#include "report/designer/document/model_copy.h"

#include "report/model/report_model.h"

namespace dorvana {

std::unique_ptr<ReportModel> copyReportModel(const ReportModel& from, const ReportFieldSource* fields) {
    auto to = std::make_unique<ReportModel>();
    to->title = from.title;
    to->majorVersion = from.majorVersion;
    to->minorVersion = from.minorVersion;
    to->passes = from.passes;
    to->paper = from.paper;
    to->rasterX = from.rasterX;
    to->rasterY = from.rasterY;
    to->lineSpacing = from.lineSpacing;
    to->charPitch = from.charPitch;
    to->dataSource = from.dataSource;
    to->groupFieldsByName = from.groupFieldsByName;
    to->usedFieldNames = from.usedFieldNames;
    to->functions = from.functions;
    to->printersChosen = from.printersChosen;
    to->printers = from.printers;

    // Plans before groups: the sections then have the same IndexOdd.
    for (int p = 1; p < from.planCount(); ++p) to->addPlan();
    for (int p = 0; p < from.planCount(); ++p) {
        to->plan(p)->fillPage = from.plan(p)->fillPage;
        to->plan(p)->fillGroup = from.plan(p)->fillGroup;
    }
    for (int g = 0; g < from.groupCount(); ++g) {
        TPolSkup* group = to->addGroup();
        const TPolSkup* source = from.group(g);
        group->field = source->field;
        group->fieldName = source->fieldName;
        group->newPage = source->newPage;
    }
    const TPapir& page = from.page();
    for (int i = 0; i < page.sectionCount(); ++i) {
        const TOddil* s = page.section(i);
        TOddil* t = to->page().section(i);
        t->caption = s->caption;
        t->visible = s->visible;
        t->locked = s->locked;
        t->height = s->height;
        t->pass = s->pass;
        t->condition = s->condition;
        t->columns = s->columns;
        t->gap = s->gap;
        for (const auto& e : s->elements()) to->page().registerElement(t, e->clone());
        if (fields) t->updateGrowingCandidates(fields);
    }
    return to;
}

}  // namespace dorvana
