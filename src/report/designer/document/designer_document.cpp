#include "report/designer/document/designer_document.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "base/messages.h"
#include "base/text_file.h"
#include "data/data_set.h"
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
      fields_(std::make_unique<DataSetFields>()) {
    snapshots_.setCapacity(options_.undoCapacity());
    model_.rasterX = std::max(1, options_.RastrX);
    model_.rasterY = std::max(1, options_.RastrY);
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
    if (on) model_.dataSource.sortEnabled = true;
}

void DesignerDocument::setOptions(const EditorOptions& options) {
    options_ = options;
    snapshots_.setCapacity(options_.undoCapacity());
    emit historyChanged();
    emit changed();
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
    snapshots_ = TListVariant();
    snapshots_.setCapacity(options_.undoCapacity());
    snapshots_.current() = lines;
    resetFromLines(lines);
    modified_ = false;
    emit historyChanged();
}

void DesignerDocument::resetFromLines(const QStringList& lines) {
    current_ = nullptr;
    selected_.clear();
    selectionCount_ = 0;
    TemplateReadOptions read = TemplateReadOptions::forFields(fields_.get());
    read.defaultRasterX = std::max(1, options_.RastrX);
    read.defaultRasterY = std::max(1, options_.RastrY);
    read.defaultCharset = options_.ImplCharSet;
    if (!path_.isEmpty()) read.templateDirectory = QFileInfo(path_).absolutePath();
    const TemplateReadResult result = readTemplate(lines, &model_, read);
    // A template that has a sort list or SQL keeps it even where the component does not sort.
    if (sortEnabled_) model_.dataSource.sortEnabled = true;
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

void DesignerDocument::refreshFieldValues() {
    CaptionSources sources;
    sources.fields = fields_.get();
    sources.parameters = &parameters_;
    for (TSesPrvek* e : model_.page().allElements())
        if (e->type() == ElementType::FieldValue || e->type() == ElementType::FieldLabel ||
            e->type() == ElementType::Parameter)
            e->refreshCaption(sources);
    emit changed();
}

bool DesignerDocument::hasElements() const {
    return !model_.page().allElements().isEmpty();
}

void DesignerDocument::structureChanged() {
    clearSelection();
    refreshFieldValues();
    emit modelReset();
    emit functionsChanged();
}

void DesignerDocument::elementConfigured(TSesPrvek* element) {
    CaptionSources sources;
    sources.fields = fields_.get();
    sources.parameters = &parameters_;
    if (element->type() == ElementType::FieldValue || element->type() == ElementType::FieldLabel)
        element->refreshCaption(sources);
    clearSelection();
    select(element);
    recordChange(ChangeKind::ElementSettings);
    emit changed();
}

void DesignerDocument::settingsApplied() {
    model_.passes = model_.highestPass();
    structureChanged();
    recordChange(ChangeKind::Settings);
}

// ---------------------------------------------------------------- a new template

void DesignerDocument::startNewTemplate() {
    clearSelection();
    model_.clear();
    model_.minorVersion = 5;
    model_.passes = 1;
    model_.setColumns(1, 0);
    model_.dataSource.sqlLines.clear();
    model_.groupFieldsByName = options_.SledPodle;
    snapshots_.keepCurrentOnly();
    snapshots_.current() = QStringList();
    afterReset();
    emit historyChanged();
}

void DesignerDocument::takeNewTemplateLines(const QStringList& lines) {
    const QString title = model_.title;
    const DataSourceSettings dataSource = model_.dataSource;
    const bool printersChosen = model_.printersChosen;
    const QList<TPolTisk> printers = model_.printers;
    const bool byName = model_.groupFieldsByName;
    const int major = model_.majorVersion, minor = model_.minorVersion;
    resetFromLines(lines);
    model_.title = title;
    model_.dataSource = dataSource;
    model_.printersChosen = printersChosen;
    model_.printers = printers;
    model_.groupFieldsByName = byName;
    model_.majorVersion = major;
    model_.minorVersion = minor;
    model_.passes = model_.highestPass();
    snapshots_.current() = templateLines();
    modified_ = true;
    emit modelReset();
    emit historyChanged();
}

// ---------------------------------------------------------------- saving

QStringList DesignerDocument::templateLines() const {
    TemplateWriteOptions write;
    write.fieldNames = fieldNames();
    return writeTemplate(model_, write);
}

bool DesignerDocument::save() {
    const QStringList lines = templateLines();
    snapshots_.lines(0) = lines;
    QString reason;
    if (path_.isEmpty() || !saveTemplateWithBackup(path_, lines, &reason)) {
        messages_.error(QStringLiteral("Soubor s předlohou se nepodařilo uložit."));
        return false;
    }
    saved(lines);
    return true;
}

QStringList DesignerDocument::saveInMemory() {
    const QStringList lines = templateLines();
    snapshots_.lines(0) = lines;
    saved(lines);
    return lines;
}

void DesignerDocument::saved(const QStringList& lines) {
    modified_ = false;
    if (!options_.UndoSave) {
        snapshots_.keepCurrentOnly();
        snapshots_.current() = lines;
    }
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

void DesignerDocument::recordChange(ChangeKind kind) {
    snapshots_.add(changeName(kind)) = templateLines();
    modified_ = true;
    emit historyChanged();
}

int DesignerDocument::sectionWidth() const {
    return model_.paper.printableWidth();
}

TOddil* DesignerDocument::section(int indexOdd) const {
    return model_.page().section(indexOdd);
}

TOddil* DesignerDocument::sectionOf(const TSesPrvek* element) const {
    return model_.page().sectionOf(element);
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
            return e->reference >= 0 && e->reference < model_.functions.size()
                       ? model_.functions[e->reference].name
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
            if (i >= 0 && i < model_.functions.size())
                return QStringLiteral("Funkce %1 [%2]")
                    .arg(model_.functions[i].name, model_.functions[i].description);
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
        if (options_.SledPodle && e.reference < model_.functions.size())
            static_cast<TSesFunkce&>(e).setFunctionName(model_.functions[e.reference].name);
    } else if (type >= ElementType::Line && type <= ElementType::Ellipse) {
        auto& g = static_cast<TSesGrafPrvek&>(e);
        g.SirkaCary = 1;
        g.setLines(LineBit::Left | LineBit::Top | LineBit::Right | LineBit::Bottom);
        g.StylVypl = 1;  // no fill
    } else if (type == ElementType::Picture) {
        e.alignment = Alignment::Left;
    }
    TSesPrvek* inserted = model_.page().registerElement(s, std::move(element));
    CaptionSources sources;
    sources.fields = fields_.get();
    sources.parameters = &parameters_;
    if (type == ElementType::FieldValue || type == ElementType::FieldLabel ||
        type == ElementType::Parameter)
        inserted->refreshCaption(sources);
    clearSelection();
    select(inserted);
    recordChange(ChangeKind::InsertElement);
    emit changed();
    return inserted;
}

// ---------------------------------------------------------------- undo

void DesignerDocument::undo() {
    if (!canUndo()) return;
    snapshots_.undo();
    resetFromLines(snapshots_.current());
    modified_ = true;
    emit historyChanged();
}

void DesignerDocument::redo() {
    if (!canRedo()) return;
    snapshots_.redo();
    resetFromLines(snapshots_.current());
    modified_ = true;
    emit historyChanged();
}

// ---------------------------------------------------------------- selection

bool DesignerDocument::isSelected(const TSesPrvek* element) const {
    return selected_.contains(const_cast<TSesPrvek*>(element));
}

QList<TSesPrvek*> DesignerDocument::selectedElements() const {
    QList<TSesPrvek*> out;
    for (TSesPrvek* e : model_.page().allElements())
        if (e == current_ || selected_.contains(e)) out << e;
    return out;
}

void DesignerDocument::select(TSesPrvek* e) {
    if (!e || e == current_) return;
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
    selectionCount_ = std::max(0, selectionCount_ - 1);
    if (e == current_) current_ = nullptr;
    selected_.removeAll(e);
    if (!current_ && !selected_.isEmpty())
        for (TSesPrvek* other : model_.page().allElements())
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
    current_ = nullptr;
    selected_.clear();
    selectionCount_ = 0;
    emit selectionChanged();
}

// ---------------------------------------------------------------- geometry

ElementBox DesignerDocument::box(const TSesPrvek* e) {
    return {e->X, e->Y, e->W, e->H};
}

void DesignerDocument::setBox(TSesPrvek* e, const ElementBox& b) {
    e->X = b.left;
    e->Y = b.top;
    e->W = b.width;
    e->H = b.height;
    emit changed();
}

void DesignerDocument::moveOthersBy(const TSesPrvek* except, int dx, int dy) {
    for (TSesPrvek* e : selectedElements()) {
        if (e == except || isLocked(e)) continue;
        const ElementBox b = movedBox(box(e), dx, dy, sectionWidth(), sectionOf(e)->height);
        e->X = b.left;
        e->Y = b.top;
    }
    emit changed();
}

bool DesignerDocument::moveSelectionBy(int dx, int dy) {
    if (!current_) return false;
    bool moved = false;
    for (TSesPrvek* e : selectedElements()) {
        if (isLocked(e)) continue;
        const ElementBox b = movedBox(box(e), dx, dy, sectionWidth(), sectionOf(e)->height);
        moved |= b != box(e);
        e->X = b.left;
        e->Y = b.top;
    }
    if (!moved) return false;
    recordChange(ChangeKind::MoveElement);
    emit changed();
    return true;
}

bool DesignerDocument::resizeSelectionBy(int dx, int dy) {
    if (!current_) return false;
    bool resized = false;
    for (TSesPrvek* e : selectedElements()) {
        if (isLocked(e)) continue;
        const ElementBox b = resizedBox(box(e), dx, dy, sectionWidth(), sectionOf(e)->height);
        resized |= b != box(e);
        e->W = b.width;
        e->H = b.height;
    }
    if (!resized) return false;
    recordChange(ChangeKind::MoveElement);
    emit changed();
    return true;
}

bool DesignerDocument::setGeometryValue(GeometryField field, int value) {
    if (!current_) return false;
    const QList<TSesPrvek*> elements =
        selectionCount_ < 2 ? QList<TSesPrvek*>{current_} : selectedElements();
    bool changedAny = false;
    for (TSesPrvek* e : elements) {
        if (isLocked(e)) continue;
        const ElementBox old = box(e);
        const int W = sectionWidth(), H = sectionOf(e)->height;
        ElementBox b = old;
        switch (field) {
            case GeometryField::Left: b = movedBox(old, value - old.left, 0, W, H); break;
            case GeometryField::Top: b = movedBox(old, 0, value - old.top, W, H); break;
            case GeometryField::Width: b = resizedBox(old, value - old.width, 0, W, H); break;
            case GeometryField::Height: b = resizedBox(old, 0, value - old.height, W, H); break;
        }
        if (b == old) continue;
        setBox(e, b);
        changedAny = true;
    }
    if (changedAny) recordChange(ChangeKind::MoveElement);
    return changedAny;
}

bool DesignerDocument::setSectionHeight(int indexOdd, int height) {
    TOddil* s = section(indexOdd);
    if (!s || s->locked) return false;
    height = std::max(2, height);
    if (s->height == height) return false;
    s->height = height;
    recordChange(ChangeKind::SectionHeight);
    emit changed();
    return true;
}

void DesignerDocument::bringToFront() {
    TOddil* s = current_ ? sectionOf(current_) : nullptr;
    if (!s) return;
    auto owned = model_.page().unregisterElement(current_);
    current_ = model_.page().registerElement(s, std::move(owned));
    emit changed();
}

void DesignerDocument::sendToBack() {
    TOddil* s = current_ ? sectionOf(current_) : nullptr;
    if (!s) return;
    auto owned = model_.page().unregisterElement(current_);
    current_ = model_.page().registerElement(s, std::move(owned), 0);
    emit changed();
}

void DesignerDocument::alignToRaster() {
    for (TSesPrvek* e : selectedElements()) {
        if (isLocked(e)) continue;
        e->X = snapToRaster(e->X, model_.rasterX);
        e->Y = snapToRaster(e->Y, model_.rasterY);
    }
    emit changed();
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

template <typename Apply>
bool DesignerDocument::applyToTargets(Apply apply, bool textOnly, ChangeKind kind) {
    const QList<TSesPrvek*> elements = targets(textOnly);
    if (elements.isEmpty()) return false;
    for (TSesPrvek* e : elements) apply(e);
    recordChange(kind);
    emit changed();
    return true;
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
    const QString cut = text.left(132);
    if (current_->type() == ElementType::Label)
        current_->Caption = cut;
    else if (current_->type() == ElementType::Variable)
        static_cast<TSesPromenna*>(current_)->setFormat(cut);
    else
        return;
    emit changed();
}

void DesignerDocument::commitText() {
    if (current_) recordChange(ChangeKind::Text);
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
    static_cast<TSesGrafPrvek*>(current_)->StylVypl = qBound(0, style, kBrushStyleCount - 1);
    recordChange(ChangeKind::ElementSettings);
    emit changed();
}

void DesignerDocument::setOutlineWidth(int width) {
    if (!current_ || !selected_.isEmpty() || !isFrame(current_)) return;
    static_cast<TSesGrafPrvek*>(current_)->SirkaCary = qBound(0, width, 8);
    recordChange(ChangeKind::ElementSettings);
    emit changed();
}

void DesignerDocument::setPictureFile(const QString& name) {
    if (!current_ || !selected_.isEmpty() || current_->type() != ElementType::Picture) return;
    const QString dir = path_.isEmpty() ? QString() : QFileInfo(path_).absolutePath();
    static_cast<TSesObraz*>(current_)->setFileName(name, dir);
    recordChange(ChangeKind::ElementSettings);
    emit changed();
}

void DesignerDocument::setPictureStretch(bool on) {
    if (!current_ || !selected_.isEmpty() || current_->type() != ElementType::Picture) return;
    static_cast<TSesObraz*>(current_)->setStretch(on);
    recordChange(ChangeKind::ElementSettings);
    emit changed();
}

void DesignerDocument::setPictureKeepRatio(bool on) {
    if (!current_ || !selected_.isEmpty() || current_->type() != ElementType::Picture) return;
    auto* p = static_cast<TSesObraz*>(current_);
    if (!p->Stretch()) return;  // only while stretching
    p->setPomerStran(on);
    recordChange(ChangeKind::ElementSettings);
    emit changed();
}

// ---------------------------------------------------------------- clipboard

void DesignerDocument::copy() {
    if (!current_) return;
    const TOddil* s = sectionOf(current_);
    if (!s) return;
    clipboard_.clear();
    clipboardAnchor_ = {current_->X, current_->Y};
    clipboardCurrent_ = 0;
    for (const auto& e : s->elements()) {
        if (e.get() != current_ && !isSelected(e.get())) continue;
        if (e.get() == current_) clipboardCurrent_ = int(clipboard_.size());
        clipboard_.push_back(e->clone());
    }
}

void DesignerDocument::removeElements(const QList<TSesPrvek*>& elements) {
    for (TSesPrvek* e : elements) {
        selected_.removeAll(e);
        if (e == current_) current_ = nullptr;
        model_.page().unregisterElement(e);
    }
    current_ = nullptr;
    selected_.clear();
    selectionCount_ = 0;
    emit selectionChanged();
}

void DesignerDocument::cut() {
    if (!current_ || isLocked(current_)) return;
    copy();
    const TOddil* s = sectionOf(current_);
    QList<TSesPrvek*> gone;
    for (const auto& e : s->elements())
        if (e.get() == current_ || isSelected(e.get())) gone << e.get();
    removeElements(gone);
    recordChange(ChangeKind::Cut);
    emit changed();
}

bool DesignerDocument::paste(int indexOdd, QPoint at) {
    TOddil* s = section(indexOdd);
    if (!s || s->locked || clipboard_.empty()) return false;
    const QPoint offset = at - clipboardAnchor_;
    current_ = nullptr;
    selected_.clear();
    selectionCount_ = 0;
    QList<TSesPrvek*> pasted;
    for (const auto& copied : clipboard_) {
        std::unique_ptr<TSesPrvek> e = copied->clone();
        e->X += offset.x();
        e->Y += offset.y();
        pasted << model_.page().registerElement(s, std::move(e));
    }
    current_ = pasted[clipboardCurrent_];
    selectionCount_ = int(pasted.size());
    if (pasted.size() > 1) selected_ = pasted;
    emit selectionChanged();
    recordChange(ChangeKind::Paste);
    emit changed();
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
    removeElements(gone);
    recordChange(ChangeKind::DeleteElement);
    emit changed();
}

// ---------------------------------------------------------------- functions

void DesignerDocument::addFunction(const FunctionDefinition& function) {
    model_.functions.append(function);
    recordChange(ChangeKind::AddFunction);
    emit functionsChanged();
}

void DesignerDocument::replaceFunction(int index, const FunctionDefinition& function) {
    if (index < 0 || index >= model_.functions.size()) return;
    model_.functions[index] = function;
    recordChange(ChangeKind::EditFunction);
    emit functionsChanged();
}

bool DesignerDocument::removeLastFunction() {
    if (model_.functions.isEmpty()) return false;
    if (!messages_.confirm(QStringLiteral("Smazat vybranou funkci?"))) return false;
    const int number = int(model_.functions.size());  // 1-based number of the last one
    for (const auto& s : model_.page().sections())
        if (s->condition == number) s->condition = 0;
    model_.functions.removeLast();
    recordChange(ChangeKind::RemoveFunction);
    emit functionsChanged();
    return true;
}

}  // namespace dorvana
