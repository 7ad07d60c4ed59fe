#include "report/model/page_container.h"

#include <QSet>
#include <cassert>

#include "base/rounding.h"
#include "report/model/text_elements.h"

namespace dorvana {

namespace {

const char16_t* const kPlanCaptions[PlanSection::Count] = {
    u"Začátek sestavy", u"Hlava stránky", u"Tělo sestavy", u"Konec sestavy",
    u"Pata stránky",    u"Převedeno",     u"Převádí se"};
const char16_t* const kGroupCaptions[GroupSection::Count] = {
    u"Začátek skupiny ", u"Konec skupiny ", u"Převedeno skupiny ", u"Převadí se skupiny "};

}  // namespace

TPapir::TPapir() {
    for (int i = 0; i < PlanSection::Count; ++i)
        sections_.push_back(std::make_unique<TOddil>(i, sectionCaption(i, 0)));
}

QString TPapir::sectionCaption(int i, int m) {
    if (i < 0) return {};
    if (i < PlanSection::Count) return QString::fromUtf16(kPlanCaptions[i]);
    if (i < 7 + 7 * m)
        return QString::fromUtf16(kPlanCaptions[i % 7]) + u' ' + QString::number(i / 7);
    const int g = (i - 7 - 7 * m) / 4;
    return QString::fromUtf16(kGroupCaptions[(i - 7 - 7 * m) % 4]) + QString::number(g + 1);
}

TOddil* TPapir::section(int indexOdd) const {
    return indexOdd >= 0 && indexOdd < sectionCount() ? sections_[size_t(indexOdd)].get() : nullptr;
}

TOddil* TPapir::planSection(int p, int offset) const {
    if (p < 0 || p > plans_ || offset < 0 || offset >= PlanSection::Count) return nullptr;
    return section(planSectionIndex(p, offset));
}

TOddil* TPapir::groupSection(int g, int offset) const {
    if (g < 0 || g >= groups_ || offset < 0 || offset >= GroupSection::Count) return nullptr;
    return section(groupSectionIndex(plans_, g, offset));
}

QList<TSesPrvek*>* TPapir::typedList(int type) {
    switch (type) {
        case ElementType::FieldValue:
            return &fieldValues_;
        case ElementType::Variable:
            return &variables_;
        case ElementType::Function:
            return &functions_;
        default:
            return nullptr;
    }
}

TSesPrvek* TPapir::registerElement(TOddil* s, std::unique_ptr<TSesPrvek> element, int position) {
    if (!s || !element) return nullptr;
    assert(section(s->IndexOdd) == s);  // a section of this container
    TSesPrvek* e = element.get();
    e->sectionIndex = s->IndexOdd;
    auto& list = s->elements_;
    if (position < 0 || position > int(list.size())) position = int(list.size());
    list.insert(list.begin() + position, std::move(element));
    all_.append(e);
    if (auto* typed = typedList(e->type())) typed->append(e);
    return e;
}

void TPapir::forget(TSesPrvek* e) {
    all_.removeOne(e);
    if (auto* typed = typedList(e->type())) typed->removeOne(e);
    for (const auto& s : sections_)
        s->growing_.removeIf([e](TDBSesText* t) { return static_cast<TSesPrvek*>(t) == e; });
}

std::unique_ptr<TSesPrvek> TPapir::unregisterElement(TSesPrvek* element) {
    TOddil* s = sectionOf(element);
    if (!s) return nullptr;
    forget(element);
    auto& list = s->elements_;
    const int i = s->indexOf(element);
    std::unique_ptr<TSesPrvek> out = std::move(list[size_t(i)]);
    list.erase(list.begin() + i);
    return out;
}

void TPapir::clearSection(TOddil* s) {
    if (!s || s->elements_.empty()) return;
    QSet<const TSesPrvek*> gone;
    for (const auto& e : s->elements_) gone.insert(e.get());
    auto isGone = [&gone](TSesPrvek* e) { return gone.contains(e); };
    all_.removeIf(isGone);
    fieldValues_.removeIf(isGone);
    variables_.removeIf(isGone);
    functions_.removeIf(isGone);
    s->elements_.clear();
    s->growing_.clear();
}

TOddil* TPapir::sectionOf(const TSesPrvek* element) const {
    if (!element) return nullptr;
    // The element's own IndexOdd answers at once; a search covers the rest.
    if (TOddil* s = section(element->sectionIndex); s && s->indexOf(element) >= 0) return s;
    for (const auto& s : sections_)
        if (s->indexOf(element) >= 0) return s.get();
    return nullptr;
}

void TPapir::renumber(int from) {
    for (int i = from; i < sectionCount(); ++i) {
        TOddil* s = sections_[size_t(i)].get();
        s->IndexOdd = i;
        s->caption = sectionCaption(i, plans_);
        for (const auto& e : s->elements_) e->sectionIndex = i;
    }
    checkNumbering();
}

void TPapir::checkNumbering() const {
#ifndef NDEBUG
    // Sections stand at their IndexOdd, elements know their section, and the
    // list of all elements holds exactly the sections' elements.
    assert(sectionCount() == 7 + 7 * plans_ + 4 * groups_);
    qsizetype elements = 0;
    for (int i = 0; i < sectionCount(); ++i) {
        const TOddil* s = sections_[size_t(i)].get();
        assert(s->IndexOdd == i);
        for (const auto& e : s->elements_) assert(e->sectionIndex == i);
        elements += s->elementCount();
    }
    assert(elements == all_.size());
#endif
}

void TPapir::addGroupSections() {
    for (int k = 0; k < GroupSection::Count; ++k) {
        const int i = sectionCount();
        sections_.push_back(std::make_unique<TOddil>(i, sectionCaption(i, plans_)));
    }
    ++groups_;
}

void TPapir::removeGroupSections(int g) {
    if (g < 0 || g >= groups_) return;
    const int first = groupSectionIndex(plans_, g, 0);
    for (int k = 0; k < GroupSection::Count; ++k) clearSection(section(first + k));
    sections_.erase(sections_.begin() + first, sections_.begin() + first + GroupSection::Count);
    --groups_;
    renumber(first);
}

void TPapir::addPlanSections() {
    const int first = 7 + 7 * plans_;
    for (int k = 0; k < PlanSection::Count; ++k) {
        sections_.insert(sections_.begin() + first + k, std::make_unique<TOddil>(0, QString()));
    }
    ++plans_;
    renumber(first);
}

void TPapir::removePlanSections(int p) {
    if (p < 1 || p > plans_) return;
    const int first = planSectionIndex(p, 0);
    for (int k = 0; k < PlanSection::Count; ++k) clearSection(section(first + k));
    sections_.erase(sections_.begin() + first, sections_.begin() + first + PlanSection::Count);
    --plans_;
    renumber(first);
}

QList<TOddil*> TPapir::displayOrder() const {
    QList<TOddil*> order;
    auto allPlans = [&](int offset) {
        for (int p = 0; p <= plans_; ++p) order.append(planSection(p, offset));
    };
    allPlans(PlanSection::ReportStart);
    allPlans(PlanSection::PageHeader);
    allPlans(PlanSection::CarriedOver);
    for (int g = 0; g < groups_; ++g) {
        order.append(groupSection(g, GroupSection::Start));
        order.append(groupSection(g, GroupSection::CarriedOver));
    }
    allPlans(PlanSection::Body);
    for (int g = groups_ - 1; g >= 0; --g) {
        order.append(groupSection(g, GroupSection::CarriedForward));
        order.append(groupSection(g, GroupSection::End));
    }
    allPlans(PlanSection::CarriedForward);
    allPlans(PlanSection::ReportEnd);
    allPlans(PlanSection::PageFooter);
    return order;
}

}  // namespace dorvana
