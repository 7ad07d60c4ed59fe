#pragma once
// The designer's edits as undo commands. Each holds only what its edit
// changed — boxes, a section height, an element's place in its section, the
// elements inserted or removed, an element's properties before and after, the
// user functions, or (for the settings dialog) the whole other model — and
// does and undoes exactly that, without reading the template text again.
// Commands refer to elements by pointer: an element a command takes out of
// the page stays alive in the command, so every element a later command
// names exists again when that command runs.

#include <QList>
#include <QUndoCommand>
#include <memory>
#include <vector>

#include "report/designer/document/change_kind.h"
#include "report/designer/document/designer_document.h"

namespace dorvana {

class DocumentCommand : public QUndoCommand {
public:
    DocumentCommand(DesignerDocument& doc, ChangeKind kind);

protected:
    ReportModel& model() { return *doc_.model_; }
    std::unique_ptr<ReportModel>& modelHolder() { return doc_.model_; }
    void done(int effects) { doc_.afterCommand(effects); }
    static constexpr int kElements = DesignerDocument::Elements;
    static constexpr int kStructure = DesignerDocument::Structure;
    static constexpr int kFunctions = DesignerDocument::Functions;
    DesignerDocument& doc_;
};

// Moving and resizing: each element's box before and after. Key presses on
// the same elements merge into one step.
class GeometryCommand : public DocumentCommand {
public:
    static constexpr int kNudgeId = 1;
    GeometryCommand(DesignerDocument& doc, QList<TSesPrvek*> elements, QList<ElementBox> before,
                    QList<ElementBox> after, int nudgeSeries = -1);
    void redo() override { apply(after_); }
    void undo() override { apply(before_); }
    int id() const override { return series_ < 0 ? -1 : kNudgeId; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    void apply(const QList<ElementBox>& boxes);
    QList<TSesPrvek*> elements_;
    QList<ElementBox> before_, after_;
    int series_;
};

class SectionHeightCommand : public DocumentCommand {
public:
    SectionHeightCommand(DesignerDocument& doc, int indexOdd, int before, int after);
    void redo() override { apply(after_); }
    void undo() override { apply(before_); }

private:
    void apply(int height);
    int indexOdd_, before_, after_;
};

// An element's place in its section's list (drawing and file order).
class ElementOrderCommand : public DocumentCommand {
public:
    ElementOrderCommand(DesignerDocument& doc, TSesPrvek* element, int from, int to);
    void redo() override { apply(to_); }
    void undo() override { apply(from_); }

private:
    void apply(int position);
    TSesPrvek* element_;
    int from_, to_;
};

// Elements put on the page (insert, paste) or taken off it (delete, cut).
class ElementsCommand : public DocumentCommand {
public:
    struct Item {
        TSesPrvek* element = nullptr;
        int indexOdd = 0;
        int position = -1;  // in the section's list; -1: at the end
        std::unique_ptr<TSesPrvek> owned;  // while off the page
    };
    // Inserting: the elements are owned and go to the end of their sections.
    static std::unique_ptr<ElementsCommand> inserting(DesignerDocument& doc, ChangeKind kind,
                                                      int indexOdd,
                                                      std::vector<std::unique_ptr<TSesPrvek>> elements);
    // Removing elements now on the page.
    static std::unique_ptr<ElementsCommand> removing(DesignerDocument& doc, ChangeKind kind,
                                                     const QList<TSesPrvek*>& elements);
    void redo() override { inserting_ ? place() : take(); }
    void undo() override { inserting_ ? take() : place(); }
    QList<TSesPrvek*> elements() const;

private:
    ElementsCommand(DesignerDocument& doc, ChangeKind kind, bool inserting);
    void place();
    void take();
    bool inserting_;
    std::vector<Item> items_;  // in section and list order
};

// Properties of elements: each element's state before and after.
class ElementStateCommand : public DocumentCommand {
public:
    struct Item {
        TSesPrvek* element;
        std::unique_ptr<TSesPrvek> before, after;
    };
    ElementStateCommand(DesignerDocument& doc, ChangeKind kind, std::vector<Item> items);
    void redo() override { apply(false); }
    void undo() override { apply(true); }

private:
    void apply(bool before);
    std::vector<Item> items_;
};

// The user functions and the section conditions that name them.
class FunctionsCommand : public DocumentCommand {
public:
    FunctionsCommand(DesignerDocument& doc, ChangeKind kind, QList<FunctionDefinition> after,
                     QList<int> conditionsAfter);
    void redo() override { apply(after_, conditionsAfter_); }
    void undo() override { apply(before_, conditionsBefore_); }

private:
    void apply(const QList<FunctionDefinition>& functions, const QList<int>& conditions);
    QList<FunctionDefinition> before_, after_;
    QList<int> conditionsBefore_, conditionsAfter_;
};

// The settings dialog's result: its edited copy of the model and the model
// before change places.
class ModelCommand : public DocumentCommand {
public:
    ModelCommand(DesignerDocument& doc, ChangeKind kind, std::unique_ptr<ReportModel> other);
    void redo() override { swap(); }
    void undo() override { swap(); }

private:
    void swap();
    std::unique_ptr<ReportModel> other_;
};

// Sets every property of `to` from `from`, an element of the same class
// (the element keeps its identity).
void assignElement(TSesPrvek& to, const TSesPrvek& from);
// The section conditions of the model in section order.
QList<int> sectionConditions(const ReportModel& model);

}  // namespace dorvana
