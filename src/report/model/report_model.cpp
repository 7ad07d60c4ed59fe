#include "report/model/report_model.h"

#include "base/names.h"

namespace dorvana {

QString TPolPlan::name() const {
    return isMain() ? QStringLiteral("Hlavní plán ")
                    : QStringLiteral("Plán sestavy %1").arg(number + 1);
}

ReportModel::ReportModel() {
    plans_.push_back(std::make_unique<TPolPlan>());
    relinkSections();
}

void ReportModel::linkPlan(int p) {
    plans_[size_t(p)]->number = p - 1;
    for (int k = 0; k < PlanSection::Count; ++k)
        plans_[size_t(p)]->sections[size_t(k)] = page_.planSection(p, k);
}

void ReportModel::linkGroup(int g) {
    groups_[size_t(g)]->number = g;
    for (int k = 0; k < GroupSection::Count; ++k)
        groups_[size_t(g)]->sections[size_t(k)] = page_.groupSection(g, k);
}

void ReportModel::relinkSections() {
    for (int p = 0; p < planCount(); ++p) linkPlan(p);
    for (int g = 0; g < groupCount(); ++g) linkGroup(g);
}

int ReportModel::columns() const {
    return page_.section(PlanSection::Body)->columns;
}
int ReportModel::columnGap() const {
    return page_.section(PlanSection::Body)->gap;
}

void ReportModel::setColumns(int columns, int gap) {
    for (const auto& s : page_.sections()) {
        s->columns = columns;
        s->gap = gap;
    }
}

TPolSkup* ReportModel::group(int g) const {
    return g >= 0 && g < groupCount() ? groups_[size_t(g)].get() : nullptr;
}

TPolSkup* ReportModel::addGroup() {
    const int columns = this->columns(), gap = columnGap();
    page_.addGroupSections();
    groups_.push_back(std::make_unique<TPolSkup>());
    linkGroup(groupCount() - 1);
    for (TOddil* s : groups_.back()->sections) {
        s->columns = columns;
        s->gap = gap;
    }
    return groups_.back().get();
}

void ReportModel::removeGroup(int g) {
    if (!group(g)) return;
    page_.removeGroupSections(g);
    groups_.erase(groups_.begin() + g);
    relinkSections();
}

TPolPlan* ReportModel::plan(int p) const {
    return p >= 0 && p < planCount() ? plans_[size_t(p)].get() : nullptr;
}

TPolPlan* ReportModel::addPlan() {
    const int columns = this->columns(), gap = columnGap();
    page_.addPlanSections();
    plans_.push_back(std::make_unique<TPolPlan>());
    linkPlan(planCount() - 1);
    for (TOddil* s : plans_.back()->sections) {
        s->columns = columns;
        s->gap = gap;
    }
    return plans_.back().get();
}

void ReportModel::removePlan(int p) {
    if (p < 1 || p >= planCount()) return;
    page_.removePlanSections(p);
    plans_.erase(plans_.begin() + p);
    relinkSections();
}

void ReportModel::clear() {
    functions.clear();
    printers.clear();
    printersChosen = false;
    usedFieldNames.clear();
    while (groupCount() > 0) removeGroup(groupCount() - 1);
    while (planCount() > 1) removePlan(planCount() - 1);
    for (int i = 0; i < PlanSection::Count; ++i) page_.clearSection(page_.section(i));
    mainPlan()->fillPage = mainPlan()->fillGroup = false;
}

int ReportModel::functionIndex(const QString& name) const {
    for (int i = 0; i < functions.size(); ++i)
        if (sameName(functions[i].name, name)) return i;
    return -1;
}

int ReportModel::highestPass() const {
    int highest = 1;
    for (const auto& s : page_.sections()) highest = qMax(highest, s->pass);
    return highest;
}

}  // namespace dorvana
