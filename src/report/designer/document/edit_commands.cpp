#include "report/designer/document/edit_commands.h"

#include <algorithm>
#include <utility>

#include "report/model/graphic_elements.h"
#include "report/model/text_elements.h"

namespace dorvana {

namespace {

template <typename T>
bool assignAs(TSesPrvek& to, const TSesPrvek& from) {
    auto* target = dynamic_cast<T*>(&to);
    if (!target) return false;
    *target = static_cast<const T&>(from);
    return true;
}

}  // namespace

void assignElement(TSesPrvek& to, const TSesPrvek& from) {
    Q_ASSERT(typeid(to) == typeid(from));
    // Most derived classes first.
    assignAs<TDBSesText>(to, from) || assignAs<TDBSesLabel>(to, from) ||
        assignAs<TSesLabel>(to, from) || assignAs<TSesParametr>(to, from) ||
        assignAs<TSesPromenna>(to, from) || assignAs<TSesFunkce>(to, from) ||
        assignAs<TSesCara>(to, from) || assignAs<TSesRam>(to, from) ||
        assignAs<TSesObraz>(to, from);
}

QList<int> sectionConditions(const ReportModel& model) {
    QList<int> out;
    for (const auto& s : model.page().sections()) out << s->condition;
    return out;
}

DocumentCommand::DocumentCommand(DesignerDocument& doc, ChangeKind kind) : doc_(doc) {
    setText(changeName(kind));
}

// ---------------------------------------------------------------- geometry

GeometryCommand::GeometryCommand(DesignerDocument& doc, QList<TSesPrvek*> elements,
                                 QList<ElementBox> before, QList<ElementBox> after, int nudgeSeries)
    : DocumentCommand(doc, ChangeKind::MoveElement),
      elements_(std::move(elements)),
      before_(std::move(before)),
      after_(std::move(after)),
      series_(nudgeSeries) {}

void GeometryCommand::apply(const QList<ElementBox>& boxes) {
    for (qsizetype i = 0; i < elements_.size(); ++i) {
        TSesPrvek* e = elements_[i];
        const ElementBox& b = boxes[i];
        e->X = b.left;
        e->Y = b.top;
        e->W = b.width;
        e->H = b.height;
    }
    done(kElements);
}

bool GeometryCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const GeometryCommand*>(other);
    if (!next || next->series_ != series_ || next->elements_ != elements_) return false;
    after_ = next->after_;
    setObsolete(after_ == before_);
    return true;
}

SectionHeightCommand::SectionHeightCommand(DesignerDocument& doc, int indexOdd, int before, int after)
    : DocumentCommand(doc, ChangeKind::SectionHeight), indexOdd_(indexOdd), before_(before), after_(after) {}

void SectionHeightCommand::apply(int height) {
    if (TOddil* s = model().page().section(indexOdd_)) s->height = height;
    done(kStructure);
}

// ---------------------------------------------------------------- order

ElementOrderCommand::ElementOrderCommand(DesignerDocument& doc, TSesPrvek* element, int from, int to)
    : DocumentCommand(doc, ChangeKind::ElementSettings), element_(element), from_(from), to_(to) {}

void ElementOrderCommand::apply(int position) {
    TPapir& page = model().page();
    TOddil* s = page.sectionOf(element_);
    Q_ASSERT(s);
    page.registerElement(s, page.unregisterElement(element_), position);
    done(kElements);
}

// ---------------------------------------------------------------- insert, remove

ElementsCommand::ElementsCommand(DesignerDocument& doc, ChangeKind kind, bool inserting)
    : DocumentCommand(doc, kind), inserting_(inserting) {}

std::unique_ptr<ElementsCommand> ElementsCommand::inserting(
    DesignerDocument& doc, ChangeKind kind, int indexOdd,
    std::vector<std::unique_ptr<TSesPrvek>> elements) {
    std::unique_ptr<ElementsCommand> c(new ElementsCommand(doc, kind, true));
    for (auto& e : elements) {
        Item item;
        item.element = e.get();
        item.indexOdd = indexOdd;
        item.owned = std::move(e);
        c->items_.push_back(std::move(item));
    }
    return c;
}

std::unique_ptr<ElementsCommand> ElementsCommand::removing(DesignerDocument& doc, ChangeKind kind,
                                                           const QList<TSesPrvek*>& elements) {
    std::unique_ptr<ElementsCommand> c(new ElementsCommand(doc, kind, false));
    const TPapir& page = doc.model().page();
    for (TSesPrvek* e : elements) {
        const TOddil* s = page.sectionOf(e);
        if (!s) continue;
        Item item;
        item.element = e;
        item.indexOdd = s->IndexOdd;
        item.position = s->indexOf(e);
        c->items_.push_back(std::move(item));
    }
    std::sort(c->items_.begin(), c->items_.end(), [](const Item& a, const Item& b) {
        return std::pair(a.indexOdd, a.position) < std::pair(b.indexOdd, b.position);
    });
    return c;
}

QList<TSesPrvek*> ElementsCommand::elements() const {
    QList<TSesPrvek*> out;
    for (const Item& item : items_) out << item.element;
    return out;
}

void ElementsCommand::place() {
    TPapir& page = model().page();
    // In ascending order every element lands where it stood.
    for (Item& item : items_) {
        TOddil* s = page.section(item.indexOdd);
        Q_ASSERT(s && item.owned);
        page.registerElement(s, std::move(item.owned), item.position);
        item.position = s->indexOf(item.element);
    }
    done(kElements);
}

void ElementsCommand::take() {
    TPapir& page = model().page();
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        it->owned = page.unregisterElement(it->element);
        Q_ASSERT(it->owned);
    }
    done(kElements);
}

// ---------------------------------------------------------------- properties

ElementStateCommand::ElementStateCommand(DesignerDocument& doc, ChangeKind kind, std::vector<Item> items)
    : DocumentCommand(doc, kind), items_(std::move(items)) {}

void ElementStateCommand::apply(bool before) {
    for (Item& item : items_) {
        const int section = item.element->sectionIndex;
        assignElement(*item.element, before ? *item.before : *item.after);
        item.element->sectionIndex = section;
    }
    done(kElements);
}

// ---------------------------------------------------------------- functions

FunctionsCommand::FunctionsCommand(DesignerDocument& doc, ChangeKind kind,
                                   QList<FunctionDefinition> after, QList<int> conditionsAfter)
    : DocumentCommand(doc, kind),
      before_(doc.model().functions),
      after_(std::move(after)),
      conditionsBefore_(sectionConditions(doc.model())),
      conditionsAfter_(std::move(conditionsAfter)) {}

void FunctionsCommand::apply(const QList<FunctionDefinition>& functions, const QList<int>& conditions) {
    ReportModel& m = model();
    m.functions = functions;
    const auto& sections = m.page().sections();
    for (size_t i = 0; i < sections.size() && qsizetype(i) < conditions.size(); ++i)
        sections[i]->condition = conditions[qsizetype(i)];
    done(kFunctions | kElements);
}

// ---------------------------------------------------------------- the whole model

ModelCommand::ModelCommand(DesignerDocument& doc, ChangeKind kind, std::unique_ptr<ReportModel> other)
    : DocumentCommand(doc, kind), other_(std::move(other)) {}

void ModelCommand::swap() {
    std::swap(modelHolder(), other_);
    done(kStructure | kFunctions | kElements);
}

}  // namespace dorvana
