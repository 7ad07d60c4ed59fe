#include "report/designer/document/designer_document.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <utility>

#include "base/messages.h"
#include "base/text_file.h"
#include "data/data_set.h"
#include "report/designer/document/edit_commands.h"
#include "report/designer/document/model_copy.h"
#include "report/designer/document/template_saving.h"
#include "report/layout/data_set_fields.h"
#include "report/model/colour_table.h"
#include "report/model/graphic_elements.h"
#include "report/model/palette_codes.h"
#include "report/model/template_reader.h"
#include "report/model/template_writer.h"
#include "report/model/text_elements.h"

namespace dorvana {

namespace {

const char* const kVariableHints[] = {
    "Datum tisku",          "Čas tisku",         "Číslo řádku v sestavě",
    "Číslo strany",         "Celkový počet stran", "Číslo řádku plánu",
    "Číslo strany plánu",   "Celkový počet stran plánu"};
const char* const kGroupVariableHints[] = {"Číslo řádku ve skupině ", "Pořadové číslo skupiny ",
                                           "Číslo strany ve skupině ",
                                           "Celkový počet stran ve skupině "};

bool isFrame(const TSesPrvek* e) {
    return e->type() >= ElementType::Rectangle && e->type() <= ElementType::Ellipse;
}

}  // namespace

DesignerDocument::DesignerDocument(Messages& messages, const EditorOptions& options,
                                   QObject* parent)
    : QObject(parent),
      messages_(messages),
      options_(options),
      fields_(std::make_unique<DataSetFields>()),
      model_(std::make_unique<ReportModel>()) {
    applyUndoLimit();
    model_->rasterX = std::max(1, options_.RastrX);
    model_->rasterY = std::max(1, options_.RastrY);
}

DesignerDocument::~DesignerDocument() = default;

// ---------------------------------------------------------------- data set

void DesignerDocument::setDataSet(DataSet* dataSet) {
    dataSet_ = dataSet;
    fields_->setDataSet(dataSet);
    refreshFieldValues();
}

QStringList DesignerDocument::fieldNames() const {
    QStringList names;
    for (int i = 0; i < fields_->fieldCount(); ++i) names << fields_->fieldName(i);
    return names;
}

const ReportFieldSource* DesignerDocument::fieldSource() const {
    return fields_.get();
}

void DesignerDocument::setSortEnabled(bool on) {
    sortEnabled_ = on;
    if (on) model_->dataSource.sortEnabled = true;
}

void DesignerDocument::setOptions(const EditorOptions& options) {
    options_ = options;
    applyUndoLimit();
    emit historyChanged();
    emit changed();
}

void DesignerDocument::applyUndoLimit() {
    // The capacity counts the state shown: capacity n keeps n - 1 steps.
    const bool wasClean = history_.isClean();
    history_.setUndoLimit(options_.undoCapacity() - 1);
    if (wasClean && !history_.isClean()) modifiedBeyondHistory_ = true;
}

// ---------------------------------------------------------------- loading

bool DesignerDocument::open(const QString& path) {
    QStringList lines;
    if (!QFileInfo(path).isFile() || !readTextLines(path, &lines)) {
        const QString quoted = QStringLiteral("\"%1\"").arg(path);
        if (!messages_.confirm(QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy ") +
                               quoted + QStringLiteral(". Založit nový?")))
            return false;
        if (!writeFileAtomically(path, QByteArray())) {
            messages_.error(QStringLiteral("Soubor s předlohou se nepodařilo vytvořit. ") + quoted);
            return false;
        }
        lines.clear();
    }
    loadLines(lines, path);
    return true;
}

void DesignerDocument::loadLines(const QStringList& lines, const QString& path) {
    path_ = path;
    loadedEmpty_ = lines.isEmpty();
    history_.clear(true);
    modifiedBeyondHistory_ = false;
    resetFromLines(lines);
    emit historyChanged();
}

void DesignerDocument::resetFromLines(const QStringList& lines) {
    current_ = nullptr;
    selected_.clear();
    selectionCount_ = 0;
    dragged_.clear();
    dragStart_.clear();
    textBefore_.reset();
    textElement_ = nullptr;
    TemplateReadOptions read = TemplateReadOptions::forFields(fields_.get());
    read.defaultRasterX = std::max(1, options_.RastrX);
    read.defaultRasterY = std::max(1, options_.RastrY);
    read.defaultCharset = options_.ImplCharSet;
    if (!path_.isEmpty()) read.templateDirectory = QFileInfo(path_).absolutePath();
    // A new model: the history's commands may still hold the old one's elements.
    model_ = std::make_unique<ReportModel>();
    model_->rasterX = std::max(1, options_.RastrX);
    model_->rasterY = std::max(1, options_.RastrY);
    const TemplateReadResult result = readTemplate(lines, model_.get(), read);
    // A template that has a sort list or SQL keeps it even where the component does not sort.
    if (sortEnabled_) model_->dataSource.sortEnabled = true;
    if (!result.complete)
        messages_.warning(
            QStringLiteral("Předlohu se nepodařilo načíst celou: řádek %1 (%2). Části předlohy za ním "
                           "se uložením ztratí.")
                .arg(result.failedLine + 1)
                .arg(result.failure));
    afterReset();
}

void DesignerDocument::afterReset() {
    refreshFieldValues();
    emit modelReset();
    emit functionsChanged();
    emit selectionChanged();
}

CaptionSources DesignerDocument::captionSources() const {
    CaptionSources sources;
    sources.fields = fields_.get();
    sources.parameters = &parameters_;
    return sources;
}

void DesignerDocument::refreshFieldValues() {
    const CaptionSources sources = captionSources();
    for (TSesPrvek* e : model_->page().allElements())
        if (e->type() == ElementType::FieldValue || e->type() == ElementType::FieldLabel ||
            e->type() == ElementType::Parameter)
            e->refreshCaption(sources);
    emit changed();
}

bool DesignerDocument::hasElements() const {
    return !model_->page().allElements().isEmpty();
}

bool DesignerDocument::changeElement(TSesPrvek* element,
                                     const std::function<void(TSesPrvek&)>& edit, ChangeKind kind) {
    if (!element || !sectionOf(element)) return false;
    clearSelection();
    select(element);
    return changeElements({element}, edit, kind);
}

std::unique_ptr<ReportModel> DesignerDocument::modelCopy() const {
    return copyReportModel(*model_, fields_.get());
}

bool DesignerDocument::replaceModel(std::unique_ptr<ReportModel> edited, ChangeKind kind, bool always) {
    if (!edited) return false;
    edited->passes = edited->highestPass();
    if (!always && linesOf(*edited) == templateLines()) return false;
    commitPendingText();
    clearSelection();
    push(std::make_unique<ModelCommand>(*this, kind, std::move(edited)));
    return true;
}

void DesignerDocument::setTitle(const QString& title) {
    if (title == model_->title) return;
    std::unique_ptr<ReportModel> edited = modelCopy();
    edited->title = title;
    replaceModel(std::move(edited), ChangeKind::Settings);
}

// ---------------------------------------------------------------- records

void DesignerDocument::moveRecord(RecordMove how) {
    if (!dataSet_ || !dataSet_->isOpen()) return;
    switch (how) {
        case RecordMove::First: dataSet_->first(); break;
        case RecordMove::Prior: dataSet_->prior(); break;
        case RecordMove::Next: dataSet_->next(); break;
        case RecordMove::Last: dataSet_->last(); break;
    }
    refreshFieldValues();
}

bool DesignerDocument::canMoveBack() const {
    return dataSet_ && dataSet_->isOpen() && !dataSet_->isEmpty() && dataSet_->recNo() > 1;
}

bool DesignerDocument::canMoveForward() const {
    return dataSet_ && dataSet_->isOpen() && !dataSet_->isEmpty() &&
           dataSet_->recNo() < dataSet_->recordCount();
}

// ---------------------------------------------------------------- a new template

void DesignerDocument::startNewTemplate() {
    commitPendingText();
    clearSelection();
    // The page as it is becomes the start of a new history (the file, when
    // it had changes not saved, still differs from it).
    const bool modified = isModified();
    history_.clear(true);
    modifiedBeyondHistory_ = modified;
    model_->clear();
    model_->minorVersion = 5;
    model_->passes = 1;
    model_->setColumns(1, 0);
    model_->dataSource.sqlLines.clear();
    model_->groupFieldsByName = options_.SledPodle;
    afterReset();
    emit historyChanged();
}

void DesignerDocument::takeNewTemplateLines(const QStringList& lines) {
    const QString title = model_->title;
    const DataSourceSettings dataSource = model_->dataSource;
    const bool printersChosen = model_->printersChosen;
    const QList<TPolTisk> printers = model_->printers;
    const bool byName = model_->groupFieldsByName;
    const int major = model_->majorVersion, minor = model_->minorVersion;
    // The paper and print columns chosen before the wizard ran: its lines
    // were laid out for them and carry none of their own.
    const PageGeometry paper = model_->paper;
    const int columns = model_->columns(), gap = model_->columnGap();
    history_.clear(true);
    resetFromLines(lines);
    model_->paper = paper;
    model_->setColumns(columns, gap);
    model_->title = title;
    model_->dataSource = dataSource;
    model_->printersChosen = printersChosen;
    model_->printers = printers;
    model_->groupFieldsByName = byName;
    model_->majorVersion = major;
    model_->minorVersion = minor;
    model_->passes = model_->highestPass();
    modifiedBeyondHistory_ = true;
    emit modelReset();
    emit historyChanged();
}

// ---------------------------------------------------------------- saving

QStringList DesignerDocument::linesOf(const ReportModel& model) const {
    TemplateWriteOptions write;
    write.fieldNames = fieldNames();
    return writeTemplate(model, write);
}

QStringList DesignerDocument::templateLines() const {
    return linesOf(*model_);
}

bool DesignerDocument::save() {
    commitPendingText();
    const QStringList lines = templateLines();
    QString reason;
    if (path_.isEmpty() || !saveTemplateWithBackup(path_, lines, &reason)) {
        messages_.error(QStringLiteral("Soubor s předlohou se nepodařilo uložit."));
        return false;
    }
    saved();
    return true;
}

QStringList DesignerDocument::saveInMemory() {
    commitPendingText();
    const QStringList lines = templateLines();
    saved();
    return lines;
}

void DesignerDocument::saved() {
    modifiedBeyondHistory_ = false;
    if (options_.UndoSave)
        history_.setClean();
    else
        history_.clear(true);  // the history ends at the save
    emit historyChanged();
}

bool DesignerDocument::saveAs(const QString& path) {
    const QString previous = path_;
    path_ = path;
    if (save()) return true;
    path_ = previous;
    return false;
}

// ---------------------------------------------------------------- model

void DesignerDocument::push(std::unique_ptr<DocumentCommand> command) {
    if (textElement_ && command) commitPendingText();
    history_.push(std::move(command));
    emit historyChanged();
}

void DesignerDocument::afterCommand(int effects) {
    forgetGone();
    if (effects & Structure) {
        emit modelReset();
        emit selectionChanged();
    }
    if (effects & Functions) emit functionsChanged();
    emit changed();
}

// Elements no longer on the page leave the selection (an undone insert, a
// redone delete, the other model of the settings).
void DesignerDocument::forgetGone() {
    const TPapir& page = model_->page();
    bool lost = false;
    if (current_ && !page.sectionOf(current_)) {
        current_ = nullptr;
        lost = true;
    }
    const qsizetype before = selected_.size();
    selected_.removeIf([&page](TSesPrvek* e) { return !page.sectionOf(e); });
    lost |= selected_.size() != before;
    if (!lost) return;
    if (!current_ && !selected_.isEmpty()) current_ = selectedElements().value(0);
    if (selected_.size() == 1) selected_.clear();
    selectionCount_ = current_ ? std::max<int>(1, int(selected_.size())) : 0;
    if (textElement_ && !page.sectionOf(textElement_)) {
        textElement_ = nullptr;
        textBefore_.reset();
    }
    selectionMoved();
    emit selectionChanged();
}

int DesignerDocument::sectionWidth() const {
    return model_->paper.printableWidth();
}

TOddil* DesignerDocument::section(int indexOdd) const {
    return model_->page().section(indexOdd);
}

TOddil* DesignerDocument::sectionOf(const TSesPrvek* element) const {
    return model_->page().sectionOf(element);
}

bool DesignerDocument::isLocked(const TSesPrvek* element) const {
    const TOddil* s = sectionOf(element);
    return !s || s->locked;
}

QString DesignerDocument::displayText(const TSesPrvek* e) const {
    switch (e->type()) {
        case ElementType::Label:
        case ElementType::FieldValue:
        case ElementType::FieldLabel:
            if (!e->Caption.isEmpty() || e->type() == ElementType::Label) return e->Caption;
            return elementHint(e);
        case ElementType::Parameter:
            return e->Caption.isEmpty() ? elementHint(e) : e->Caption;
        case ElementType::Variable: {
            const QString& format = static_cast<const TSesPromenna*>(e)->Format();
            return format.isEmpty() ? elementHint(e) : format;
        }
        case ElementType::Function:
            return e->reference >= 0 && e->reference < model_->functions.size()
                       ? model_->functions[e->reference].name
                       : static_cast<const TSesFunkce*>(e)->functionName();
        case ElementType::Picture:
            return static_cast<const TSesObraz*>(e)->FileName();
        default:
            return QString();
    }
}

// ---------------------------------------------------------------- palette

QString DesignerDocument::paletteHint(int code) const {
    switch (code) {
        case 1: return QStringLiteral("Grafický text");
        case 2: return QStringLiteral("Úsečky");
        case 3: return QStringLiteral("Hranatý rámeček");
        case 4: return QStringLiteral("Zaoblený rámeček");
        case 5: return QStringLiteral("Elipsa");
        case 6: return QStringLiteral("Obrázek");
        default: break;
    }
    const std::optional<PaletteElement> pe = elementOfPaletteCode(code);
    if (!pe) return QString();
    const int i = pe->reference;
    const QStringList names = fieldNames();
    const QString field = i >= 0 && i < names.size() ? names[i] : QString();
    switch (pe->type) {
        case ElementType::FieldValue: return QStringLiteral("Položka ") + field;
        case ElementType::FieldLabel: return QStringLiteral("Popis položky ") + field;
        case ElementType::Parameter: return QStringLiteral("Parametr %1").arg(i + 1);
        case ElementType::Variable:
            if (i < 8) return QString::fromUtf8(kVariableHints[i]);
            return QString::fromUtf8(kGroupVariableHints[(i - 8) % 4]) +
                   QString::number((i - 8) / 4 + 1);
        case ElementType::Function:
            if (i >= 0 && i < model_->functions.size())
                return QStringLiteral("Funkce %1 [%2]")
                    .arg(model_->functions[i].name, model_->functions[i].description);
            return QStringLiteral("Funkce");
        default: return QString();
    }
}

QString DesignerDocument::elementHint(const TSesPrvek* e) const {
    const std::optional<int> code = paletteCodeOf({e->type(), e->reference});
    return code ? paletteHint(*code) : e->typeName();
}

TSesPrvek* DesignerDocument::insertElement(int indexOdd, int paletteCode, QPoint at) {
    TOddil* s = section(indexOdd);
    const std::optional<PaletteElement> pe = elementOfPaletteCode(paletteCode);
    if (!s || s->locked || !pe) return nullptr;
    std::unique_ptr<TSesPrvek> element = createElement(pe->type);
    if (!element) return nullptr;
    TSesPrvek& e = *element;
    e.reference = pe->reference;
    e.X = at.x();
    e.Y = at.y();
    e.W = options_.ImplSirka;
    e.H = options_.ImplVyska;
    e.alignment = Alignment(qBound(0, options_.ImplZarovnani, 2));
    e.setFontName(options_.ImplNazevFontu);
    e.fontSize = options_.ImplVyskaFontu;
    e.font.colour = colourOfIndex(isColourIndex(options_.ImplBarvaFontu) ? options_.ImplBarvaFontu : 0);
    e.font.style = options_.ImplStylFontu;
    e.font.charset = options_.ImplCharSet;

    const int type = pe->type;
    if (type == ElementType::FieldValue || type == ElementType::FieldLabel) {
        const Field* field = dataSet_ && e.reference < dataSet_->fieldCount()
                                 ? dataSet_->field(e.reference)
                                 : nullptr;
        if (field) {
            e.W = std::min(field->displayWidth() * 3 * options_.ImplVyskaFontu / 4, sectionWidth() / 2);
            e.alignment = Alignment(qBound(0, field->alignment(), 2));
            if (options_.SledPodle) static_cast<TDBSesLabel&>(e).setFieldName(field->name());
        } else {
            e.W = 40;
            e.alignment = Alignment::Left;
        }
    } else if (type == ElementType::Function) {
        if (options_.SledPodle && e.reference < model_->functions.size())
            static_cast<TSesFunkce&>(e).setFunctionName(model_->functions[e.reference].name);
    } else if (type >= ElementType::Line && type <= ElementType::Ellipse) {
        auto& g = static_cast<TSesGrafPrvek&>(e);
        g.SirkaCary = 1;
        g.setLines(LineBit::Left | LineBit::Top | LineBit::Right | LineBit::Bottom);
        g.StylVypl = 1;  // no fill
    } else if (type == ElementType::Picture) {
        e.alignment = Alignment::Left;
    }
    TSesPrvek* inserted = element.get();
    inserted->sectionIndex = s->IndexOdd;
    if (type == ElementType::FieldValue || type == ElementType::FieldLabel ||
        type == ElementType::Parameter)
        inserted->refreshCaption(captionSources());
    clearSelection();
    std::vector<std::unique_ptr<TSesPrvek>> elements;
    elements.push_back(std::move(element));
    push(ElementsCommand::inserting(*this, ChangeKind::InsertElement, s->IndexOdd, std::move(elements)));
    select(inserted);
    return inserted;
}

// ---------------------------------------------------------------- undo

QString DesignerDocument::undoHint() const {
    return canUndo() ? QStringLiteral("Zrušit ") + history_.undoText() : QStringLiteral("Zrušit změny");
}

QString DesignerDocument::redoHint() const {
    return canRedo() ? QStringLiteral("Znovu ") + history_.redoText() : QStringLiteral("Znovu změny");
}

void DesignerDocument::undo() {
    commitPendingText();
    if (!canUndo()) return;
    history_.undo();
    emit historyChanged();
}

void DesignerDocument::redo() {
    commitPendingText();
    if (!canRedo()) return;
    history_.redo();
    emit historyChanged();
}

// ---------------------------------------------------------------- selection

bool DesignerDocument::isSelected(const TSesPrvek* element) const {
    return selected_.contains(const_cast<TSesPrvek*>(element));
}

QList<TSesPrvek*> DesignerDocument::selectedElements() const {
    QList<TSesPrvek*> out;
    for (TSesPrvek* e : model_->page().allElements())
        if (e == current_ || selected_.contains(e)) out << e;
    return out;
}

void DesignerDocument::select(TSesPrvek* e) {
    if (!e || e == current_) return;
    commitPendingText();
    selectionMoved();
    if (selectionCount_ > 1 && !isSelected(e)) {
        current_ = nullptr;
        selected_.clear();
        selectionCount_ = 0;
    }
    if (current_) {
        if (!isSelected(e)) selected_.removeAll(current_);
        current_ = nullptr;
        selectionCount_ = std::max(0, selectionCount_ - 1);
    }
    current_ = e;
    ++selectionCount_;
    emit selectionChanged();
}

void DesignerDocument::addToSelection(TSesPrvek* e) {
    if (!e || e == current_) return;
    commitPendingText();
    selectionMoved();
    if (!current_) {
        select(e);
        return;  // a single element: nothing to mark yet
    }
    if (isSelected(e)) return;
    ++selectionCount_;
    selected_ << e;
    if (!selected_.contains(current_)) selected_ << current_;
    emit selectionChanged();
}

void DesignerDocument::removeFromSelection(TSesPrvek* e) {
    if (!e || (e != current_ && !isSelected(e))) return;
    commitPendingText();
    selectionMoved();
    selectionCount_ = std::max(0, selectionCount_ - 1);
    if (e == current_) current_ = nullptr;
    selected_.removeAll(e);
    if (!current_ && !selected_.isEmpty())
        for (TSesPrvek* other : model_->page().allElements())
            if (selected_.contains(other)) {
                current_ = other;
                break;
            }
    if (selected_.size() == 1) selected_.clear();  // back to a single selection
    emit selectionChanged();
}

void DesignerDocument::toggleSelection(TSesPrvek* e) {
    if (e == current_ || isSelected(e))
        removeFromSelection(e);
    else
        addToSelection(e);
}

void DesignerDocument::clearSelection() {
    if (!current_ && selected_.isEmpty() && selectionCount_ == 0) return;
    commitPendingText();
    selectionMoved();
    current_ = nullptr;
    selected_.clear();
    selectionCount_ = 0;
    emit selectionChanged();
}

void DesignerDocument::selectionMoved() {
    ++nudgeSeries_;
}

// ---------------------------------------------------------------- geometry

ElementBox DesignerDocument::box(const TSesPrvek* e) {
    return {e->X, e->Y, e->W, e->H};
}

bool DesignerDocument::moveElementsTo(const QList<TSesPrvek*>& elements,
                                      const QList<ElementBox>& boxes, Nudge nudge) {
    QList<TSesPrvek*> moved;
    QList<ElementBox> before, after;
    for (qsizetype i = 0; i < elements.size(); ++i) {
        if (boxes[i] == box(elements[i])) continue;
        moved << elements[i];
        before << box(elements[i]);
        after << boxes[i];
    }
    if (moved.isEmpty()) return false;
    // Key presses of one kind on one selection merge: moves with moves, resizes with resizes.
    const int series = nudge == Nudge::None ? -1 : 2 * nudgeSeries_ + (nudge == Nudge::Resize);
    push(std::make_unique<GeometryCommand>(*this, moved, before, after, series));
    return true;
}

void DesignerDocument::dragTo(TSesPrvek* element, const ElementBox& b) {
    if (!element || isLocked(element)) return;
    if (dragged_.isEmpty()) {
        commitPendingText();
        dragged_ << element;
        if (isSelected(element))
            for (TSesPrvek* e : selectedElements())
                if (e != element && !isLocked(e)) dragged_ << e;
        for (TSesPrvek* e : dragged_) dragStart_ << box(e);
    }
    const ElementBox before = box(element);
    element->X = b.left;
    element->Y = b.top;
    element->W = b.width;
    element->H = b.height;
    const int dx = b.left - before.left, dy = b.top - before.top;
    if ((dx || dy) && isSelected(element))
        for (TSesPrvek* e : dragged_) {
            if (e == element) continue;
            const ElementBox m = movedBox(box(e), dx, dy, sectionWidth(), sectionOf(e)->height);
            e->X = m.left;
            e->Y = m.top;
        }
    emit changed();
}

void DesignerDocument::endDrag() {
    if (dragged_.isEmpty()) return;
    const QList<TSesPrvek*> elements = std::exchange(dragged_, {});
    const QList<ElementBox> start = std::exchange(dragStart_, {});
    QList<ElementBox> now;
    for (TSesPrvek* e : elements) now << box(e);
    // Back to where the drag began, so that the step does the move.
    for (qsizetype i = 0; i < elements.size(); ++i) {
        TSesPrvek* e = elements[i];
        e->X = start[i].left;
        e->Y = start[i].top;
        e->W = start[i].width;
        e->H = start[i].height;
    }
    if (!moveElementsTo(elements, now, Nudge::None)) emit changed();
}

bool DesignerDocument::moveSelectionBy(int dx, int dy) {
    if (!current_) return false;
    QList<TSesPrvek*> elements;
    QList<ElementBox> boxes;
    for (TSesPrvek* e : selectedElements()) {
        if (isLocked(e)) continue;
        elements << e;
        boxes << movedBox(box(e), dx, dy, sectionWidth(), sectionOf(e)->height);
    }
    return moveElementsTo(elements, boxes, Nudge::Move);
}

bool DesignerDocument::resizeSelectionBy(int dx, int dy) {
    if (!current_) return false;
    QList<TSesPrvek*> elements;
    QList<ElementBox> boxes;
    for (TSesPrvek* e : selectedElements()) {
        if (isLocked(e)) continue;
        elements << e;
        boxes << resizedBox(box(e), dx, dy, sectionWidth(), sectionOf(e)->height);
    }
    return moveElementsTo(elements, boxes, Nudge::Resize);
}

namespace {

ElementBox withValue(ElementBox b, GeometryField field, int value) {
    switch (field) {
        case GeometryField::Left: b.left = value; break;
        case GeometryField::Top: b.top = value; break;
        case GeometryField::Width: b.width = value; break;
        case GeometryField::Height: b.height = value; break;
    }
    return b;
}

}  // namespace

GeometryEntry DesignerDocument::checkGeometryValue(GeometryField field, int value) const {
    if (!current_) return GeometryEntry::Unchanged;
    const bool size = field == GeometryField::Width || field == GeometryField::Height;
    if (size && value < kMinimumElementSize) return GeometryEntry::Invalid;
    const QList<TSesPrvek*> elements =
        selectionCount_ < 2 ? QList<TSesPrvek*>{current_} : selectedElements();
    bool differs = selectionCount_ > 1;
    bool any = false;
    for (const TSesPrvek* e : elements) {
        if (isLocked(e)) continue;
        any = true;
        const ElementBox b = withValue(box(e), field, value);
        differs |= b != box(e);
        if (b.left < 0 || b.top < 0 || b.left + b.width > sectionWidth() ||
            b.top + b.height > sectionOf(e)->height)
            return GeometryEntry::Outside;
    }
    return any && differs ? GeometryEntry::Set : GeometryEntry::Unchanged;
}

QString DesignerDocument::geometryRefusal(GeometryEntry entry) {
    switch (entry) {
        case GeometryEntry::Outside:
            return QStringLiteral("S touto hodnotou by prvek přesahoval svůj oddíl. Hodnota nebyla "
                                  "změněna.");
        case GeometryEntry::Invalid:
            return QStringLiteral("Šířka a výška prvku musí být alespoň %1. Hodnota nebyla změněna.")
                .arg(kMinimumElementSize);
        default:
            return QString();
    }
}

GeometryEntry DesignerDocument::setGeometryValue(GeometryField field, int value) {
    const GeometryEntry entry = checkGeometryValue(field, value);
    if (entry == GeometryEntry::Outside || entry == GeometryEntry::Invalid) {
        messages_.error(geometryRefusal(entry));
        return entry;
    }
    if (entry != GeometryEntry::Set) return entry;
    const QList<TSesPrvek*> all =
        selectionCount_ < 2 ? QList<TSesPrvek*>{current_} : selectedElements();
    QList<TSesPrvek*> elements;
    QList<ElementBox> boxes;
    for (TSesPrvek* e : all) {
        if (isLocked(e)) continue;
        elements << e;
        boxes << withValue(box(e), field, value);
    }
    moveElementsTo(elements, boxes, Nudge::None);
    return entry;
}

bool DesignerDocument::setSectionHeight(int indexOdd, int height) {
    TOddil* s = section(indexOdd);
    if (!s || s->locked) return false;
    height = std::max(2, height);
    if (s->height == height) return false;
    push(std::make_unique<SectionHeightCommand>(*this, indexOdd, s->height, height));
    return true;
}

bool DesignerDocument::reorderCurrent(int position) {
    TOddil* s = current_ ? sectionOf(current_) : nullptr;
    if (!s || s->locked) return false;
    const int from = s->indexOf(current_);
    const int to = position < 0 ? s->elementCount() - 1 : position;
    if (from == to) return false;
    push(std::make_unique<ElementOrderCommand>(*this, current_, from, to));
    return true;
}

void DesignerDocument::bringToFront() {
    reorderCurrent(-1);
}

void DesignerDocument::sendToBack() {
    reorderCurrent(0);
}

void DesignerDocument::alignToRaster() {
    QList<TSesPrvek*> elements;
    QList<ElementBox> boxes;
    for (TSesPrvek* e : selectedElements()) {
        if (isLocked(e)) continue;
        const ElementBox b = box(e);
        const int dx = snapToRaster(e->X, model_->rasterX) - b.left;
        const int dy = snapToRaster(e->Y, model_->rasterY) - b.top;
        elements << e;
        boxes << movedBox(b, dx, dy, sectionWidth(), sectionOf(e)->height);
    }
    moveElementsTo(elements, boxes, Nudge::None);
}

// ---------------------------------------------------------------- object bar

QList<TSesPrvek*> DesignerDocument::targets(bool textOnly) const {
    QList<TSesPrvek*> out;
    if (!current_) return out;
    const QList<TSesPrvek*> all =
        selected_.isEmpty() ? QList<TSesPrvek*>{current_} : selectedElements();
    for (TSesPrvek* e : all)
        if (!textOnly || e->isText()) out << e;
    return out;
}

bool DesignerDocument::changeElements(const QList<TSesPrvek*>& elements,
                                      const std::function<void(TSesPrvek&)>& edit, ChangeKind kind) {
    if (elements.isEmpty()) return false;
    commitPendingText();
    std::vector<ElementStateCommand::Item> items;
    for (TSesPrvek* e : elements) {
        ElementStateCommand::Item item{e, e->clone(), e->clone()};
        edit(*item.after);
        if (item.after->type() == ElementType::FieldValue || item.after->type() == ElementType::FieldLabel)
            item.after->refreshCaption(captionSources());
        items.push_back(std::move(item));
    }
    push(std::make_unique<ElementStateCommand>(*this, kind, std::move(items)));
    return true;
}

template <typename Apply>
bool DesignerDocument::applyToTargets(Apply apply, bool textOnly, ChangeKind kind) {
    return changeElements(targets(textOnly), [&](TSesPrvek& e) { apply(&e); }, kind);
}

void DesignerDocument::setFont(const QString& name, int size, int style) {
    applyToTargets(
        [&](TSesPrvek* e) {
            e->setFontName(name);
            e->fontSize = qBound(1, size, 999);
            e->font.style = style & 15;
            static_cast<TSesText*>(e)->setScreenFont(QString());
        },
        true, ChangeKind::Font);
}

void DesignerDocument::setAlignment(int alignment) {
    applyToTargets([&](TSesPrvek* e) { e->alignment = Alignment(qBound(0, alignment, 2)); }, true,
                   ChangeKind::Alignment);
}

void DesignerDocument::setRotation(int rotation) {
    rotation = qBound(0, rotation, 3);
    applyToTargets(
        [&](TSesPrvek* e) {
            auto* t = static_cast<TSesText*>(e);
            if ((t->Otoc() - rotation) % 2 != 0) std::swap(t->W, t->H);
            t->setOtoc(rotation);
        },
        true, ChangeKind::Alignment);
}

void DesignerDocument::setText(const QString& text) {
    if (!current_) return;
    if (current_->type() != ElementType::Label && current_->type() != ElementType::Variable) return;
    if (textElement_ != current_) {
        commitPendingText();
        textBefore_ = current_->clone();
        textElement_ = current_;
    }
    const QString cut = text.left(132);
    if (current_->type() == ElementType::Label)
        current_->Caption = cut;
    else
        static_cast<TSesPromenna*>(current_)->setFormat(cut);
    emit changed();
}

void DesignerDocument::commitText() {
    commitPendingText();
}

void DesignerDocument::commitPendingText() {
    if (!textElement_) return;
    TSesPrvek* e = std::exchange(textElement_, nullptr);
    std::unique_ptr<TSesPrvek> before = std::move(textBefore_);
    const auto textOf = [](const TSesPrvek& x) {
        return x.type() == ElementType::Variable ? static_cast<const TSesPromenna&>(x).Format()
                                                 : x.Caption;
    };
    if (!before || !sectionOf(e) || textOf(*before) == textOf(*e)) return;
    std::vector<ElementStateCommand::Item> items;
    items.push_back({e, std::move(before), e->clone()});
    push(std::make_unique<ElementStateCommand>(*this, ChangeKind::Text, std::move(items)));
}

void DesignerDocument::setBorders(int bits) {
    applyToTargets([&](TSesPrvek* e) { static_cast<TSesText*>(e)->setBorders(bits & 15); }, true,
                   ChangeKind::ElementSettings);
}

void DesignerDocument::setBarcodeFormat(const QString& format) {
    applyToTargets([&](TSesPrvek* e) { static_cast<TSesText*>(e)->setBcFormat(format); }, true,
                   ChangeKind::ElementSettings);
}

namespace {
template <typename F>
auto onLines(F f) {
    return [f](TSesPrvek* e) {
        if (e->type() == ElementType::Line) f(static_cast<TSesGrafPrvek*>(e));
    };
}
template <typename F>
auto onFrames(F f) {
    return [f](TSesPrvek* e) {
        if (isFrame(e)) f(static_cast<TSesGrafPrvek*>(e));
    };
}
}  // namespace

void DesignerDocument::setLineColour(int index) {
    if (!isColourIndex(index)) return;
    applyToTargets(onLines([&](TSesGrafPrvek* g) { g->BarvaCary = colourOfIndex(index); }), false,
                   ChangeKind::ElementSettings);
}

void DesignerDocument::setLineStyle(int style) {
    applyToTargets(onLines([&](TSesGrafPrvek* g) { g->StylCary = qBound(0, style, 3); }), false,
                   ChangeKind::ElementSettings);
}

void DesignerDocument::setLineWidth(int width) {
    applyToTargets(onLines([&](TSesGrafPrvek* g) {
                       g->SirkaCary = qBound(1, width, 16);
                       if (g->SirkaCary > 1) g->StylCary = 0;
                   }),
                   false, ChangeKind::ElementSettings);
}

void DesignerDocument::setLineEdges(int bits) {
    applyToTargets(onLines([&](TSesGrafPrvek* g) { g->setLines(bits & 63); }), false,
                   ChangeKind::ElementSettings);
}

void DesignerDocument::setFillColour(int index) {
    if (!isColourIndex(index)) return;
    applyToTargets(onFrames([&](TSesGrafPrvek* g) { g->BarvaVypl = colourOfIndex(index); }), false,
                   ChangeKind::ElementSettings);
}

void DesignerDocument::setOutlineColour(int index) {
    if (!isColourIndex(index)) return;
    applyToTargets(onFrames([&](TSesGrafPrvek* g) { g->BarvaCary = colourOfIndex(index); }), false,
                   ChangeKind::ElementSettings);
}

void DesignerDocument::setFillStyle(int style) {
    if (!current_ || !selected_.isEmpty() || !isFrame(current_)) return;
    changeElements({current_},
                   [&](TSesPrvek& e) {
                       static_cast<TSesGrafPrvek&>(e).StylVypl = qBound(0, style, kBrushStyleCount - 1);
                   },
                   ChangeKind::ElementSettings);
}

void DesignerDocument::setOutlineWidth(int width) {
    if (!current_ || !selected_.isEmpty() || !isFrame(current_)) return;
    changeElements({current_},
                   [&](TSesPrvek& e) { static_cast<TSesGrafPrvek&>(e).SirkaCary = qBound(0, width, 8); },
                   ChangeKind::ElementSettings);
}

void DesignerDocument::setPictureFile(const QString& name) {
    if (!current_ || !selected_.isEmpty() || current_->type() != ElementType::Picture) return;
    const QString dir = path_.isEmpty() ? QString() : QFileInfo(path_).absolutePath();
    changeElements({current_}, [&](TSesPrvek& e) { static_cast<TSesObraz&>(e).setFileName(name, dir); },
                   ChangeKind::ElementSettings);
}

void DesignerDocument::setPictureStretch(bool on) {
    if (!current_ || !selected_.isEmpty() || current_->type() != ElementType::Picture) return;
    changeElements({current_}, [&](TSesPrvek& e) { static_cast<TSesObraz&>(e).setStretch(on); },
                   ChangeKind::ElementSettings);
}

void DesignerDocument::setPictureKeepRatio(bool on) {
    if (!current_ || !selected_.isEmpty() || current_->type() != ElementType::Picture) return;
    if (!static_cast<TSesObraz*>(current_)->Stretch()) return;  // only while stretching
    changeElements({current_}, [&](TSesPrvek& e) { static_cast<TSesObraz&>(e).setPomerStran(on); },
                   ChangeKind::ElementSettings);
}

// ---------------------------------------------------------------- clipboard

void DesignerDocument::copy() {
    if (!current_) return;
    const TOddil* s = sectionOf(current_);
    if (!s) return;
    commitPendingText();
    clipboard_.clear();
    clipboardAnchor_ = {current_->X, current_->Y};
    clipboardCurrent_ = 0;
    for (const auto& e : s->elements()) {
        if (e.get() != current_ && !isSelected(e.get())) continue;
        if (e.get() == current_) clipboardCurrent_ = int(clipboard_.size());
        clipboard_.push_back(e->clone());
    }
}

void DesignerDocument::removeElements(const QList<TSesPrvek*>& elements, ChangeKind kind) {
    clearSelection();
    push(ElementsCommand::removing(*this, kind, elements));
}

void DesignerDocument::cut() {
    if (!current_ || isLocked(current_)) return;
    copy();
    const TOddil* s = sectionOf(current_);
    QList<TSesPrvek*> gone;
    for (const auto& e : s->elements())
        if (e.get() == current_ || isSelected(e.get())) gone << e.get();
    removeElements(gone, ChangeKind::Cut);
}

bool DesignerDocument::paste(int indexOdd, QPoint at) {
    TOddil* s = section(indexOdd);
    if (!s || s->locked || clipboard_.empty()) return false;
    clearSelection();
    const QPoint offset = at - clipboardAnchor_;
    std::vector<std::unique_ptr<TSesPrvek>> elements;
    QList<TSesPrvek*> pasted;
    for (const auto& copied : clipboard_) {
        std::unique_ptr<TSesPrvek> e = copied->clone();
        e->X += offset.x();
        e->Y += offset.y();
        e->sectionIndex = s->IndexOdd;
        pasted << e.get();
        elements.push_back(std::move(e));
    }
    push(ElementsCommand::inserting(*this, ChangeKind::Paste, indexOdd, std::move(elements)));
    current_ = pasted[clipboardCurrent_];
    selectionCount_ = int(pasted.size());
    if (pasted.size() > 1) selected_ = pasted;
    selectionMoved();
    emit selectionChanged();
    return true;
}

void DesignerDocument::deleteSelection() {
    if (!current_) return;
    QList<TSesPrvek*> gone;
    if (!selected_.isEmpty()) {
        if (options_.MazaniVice &&
            !messages_.confirm(QStringLiteral("Smazat všechny vybrané prvky?")))
            return;
        for (TSesPrvek* e : selectedElements())
            if (!isLocked(e)) gone << e;
    } else {
        if (isLocked(current_)) return;
        if (options_.MazaniJedne &&
            !messages_.confirm(QStringLiteral("Smazat vybraný prvek?")))
            return;
        gone << current_;
    }
    removeElements(gone, ChangeKind::DeleteElement);
}

// ---------------------------------------------------------------- functions

void DesignerDocument::addFunction(const FunctionDefinition& function) {
    QList<FunctionDefinition> after = model_->functions;
    after.append(function);
    push(std::make_unique<FunctionsCommand>(*this, ChangeKind::AddFunction, after,
                                            sectionConditions(*model_)));
}

void DesignerDocument::replaceFunction(int index, const FunctionDefinition& function) {
    if (index < 0 || index >= model_->functions.size()) return;
    QList<FunctionDefinition> after = model_->functions;
    after[index] = function;
    push(std::make_unique<FunctionsCommand>(*this, ChangeKind::EditFunction, after,
                                            sectionConditions(*model_)));
}

bool DesignerDocument::removeLastFunction() {
    if (model_->functions.isEmpty()) return false;
    if (!messages_.confirm(QStringLiteral("Smazat vybranou funkci?"))) return false;
    const int number = int(model_->functions.size());  // 1-based number of the last one
    QList<int> conditions = sectionConditions(*model_);
    for (int& c : conditions)
        if (c == number) c = 0;
    QList<FunctionDefinition> after = model_->functions;
    after.removeLast();
    push(std::make_unique<FunctionsCommand>(*this, ChangeKind::RemoveFunction, after, conditions));
    return true;
}

}  // namespace dorvana
