#include "report/run/preview_document.h"

#include <algorithm>
#include <optional>

#include "report/model/zoom_table.h"
#include "base/rounding.h"
#include "report/run/preview_geometry.h"
#include "report/run/report_component.h"

namespace dorvana {

namespace {

constexpr int kFirstGraphicKind = 7;  // lines, shapes and pictures are not edited

std::optional<int> fieldInteger(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

}  // namespace

PreviewDocument::PreviewDocument(PageStore& pages, TListEdit& corrections, QObject* parent)
    : QObject(parent), pages_(pages), corrections_(corrections) {
    pages_.zoom = zoomFactor(zoomStep_);
}

// --- pages ---

bool PreviewDocument::goTo(int page) {
    deselect();
    if (page < 0 || page >= pageCount() || page == currentPage()) return false;
    pages_.currentPage = page;
    emit pageChanged();
    return true;
}

bool PreviewDocument::firstPage() { return goTo(0); }
bool PreviewDocument::previousPage() { return goTo(currentPage() - 1); }
bool PreviewDocument::nextPage() { return goTo(currentPage() + 1); }
bool PreviewDocument::lastPage() { return goTo(pageCount() - 1); }

void PreviewDocument::pagesReplaced() {
    pages_.selectedElement = -1;
    pages_.currentPage = std::clamp(pages_.currentPage, 0, std::max(0, pageCount() - 1));
    pages_.zoom = zoomFactor(zoomStep_);
    emit selectionChanged();
    emit pageChanged();
}

// --- zoom ---

void PreviewDocument::setZoomStep(int step) {
    step = std::clamp(step, 0, kZoomStepCount - 1);
    if (step == zoomStep_ && pages_.zoom == zoomFactor(step)) return;
    zoomStep_ = step;
    pages_.zoom = zoomFactor(step);
    emit zoomChanged();
}

QSize PreviewDocument::pageSize() const { return previewPageSize(pages_.paper, pages_.zoom); }

// --- modes ---

void PreviewDocument::setEditMode(bool on) {
    on = on && editAllowed;
    deselect();
    tool_ = Tool::Select;
    if (editMode_ != on) editMode_ = on;
    emit modeChanged();
}

void PreviewDocument::setTool(Tool tool) {
    // The selection stays: a new element takes over its properties.
    if (!editMode_) tool = Tool::Select;
    tool_ = tool;
    emit modeChanged();
}

// --- selection ---

const TPrevPrvek* PreviewDocument::selectedElement() const {
    const int s = selected();
    if (s < 0 || currentPage() >= pageCount()) return nullptr;
    const TStranaPrvku& page = pages_.page(currentPage());
    return s < page.count() ? &page.element(s) : nullptr;
}

TPrevPrvek* PreviewDocument::selectedMutable() {
    return const_cast<TPrevPrvek*>(selectedElement());
}

int PreviewDocument::hitTest(QPoint pixel) const {
    if (currentPage() < 0 || currentPage() >= pageCount()) return -1;
    const TStranaPrvku& page = pages_.page(currentPage());
    const double z = pages_.zoom;
    const int left = pages_.paper.leftMargin, top = pages_.paper.topMargin;
    int hit = -1;
    for (int i = 0; i < page.count(); ++i) {
        const TPrevPrvek& e = page.element(i);
        if (e.kind() >= kFirstGraphicKind || e.hasPicture()) continue;
        const double x0 = (left + e.X) * z, x1 = (left + e.X + e.W) * z;
        const double y0 = (top + e.Y) * z, y1 = (top + e.Y + e.H) * z;
        if (x0 <= pixel.x() && pixel.x() < x1 && y0 <= pixel.y() && pixel.y() < y1) hit = i;
    }
    return hit;
}

void PreviewDocument::clickAt(QPoint pixel) {
    const int before = selected();
    const int hit = hitTest(pixel);
    select(hit == before ? -1 : hit);
}

void PreviewDocument::select(int element) {
    if (element < -1) element = -1;
    if (element >= 0 &&
        (currentPage() >= pageCount() || element >= pages_.page(currentPage()).count()))
        element = -1;
    if (element == pages_.selectedElement) return;
    pages_.selectedElement = element;
    emit selectionChanged();
}

// --- corrections ---

void PreviewDocument::recordSelected() {
    const TPrevPrvek* e = selectedElement();
    if (!e) return;
    corrections_.record(currentPage(), selected(), *e);
    emit elementChanged(selected());
}

bool PreviewDocument::moveSelected(int stepsX, int stepsY) {
    TPrevPrvek* e = selectedMutable();
    if (!e) return false;
    e->X += stepsX * options_.rasterX;
    e->Y += stepsY * options_.rasterY;
    recordSelected();
    return true;
}

bool PreviewDocument::resizeSelected(int stepsX, int stepsY) {
    TPrevPrvek* e = selectedMutable();
    if (!e) return false;
    e->W = std::max(1, e->W + stepsX * options_.rasterX);
    e->H = std::max(1, e->H + stepsY * options_.rasterY);
    recordSelected();
    return true;
}

bool PreviewDocument::applyFields(const ElementFields& fields, Field* badField, QString* error) {
    TPrevPrvek* e = selectedMutable();
    if (!e) return false;
    const QString* texts[] = {&fields.x, &fields.y, &fields.w, &fields.h};
    int values[4] = {};
    for (int i = 0; i < 4; ++i) {
        const auto v = fieldInteger(*texts[i]);
        if (!v) {
            if (badField) *badField = Field(i);
            if (error) *error = QStringLiteral("\"%1\" není platné celé číslo.").arg(*texts[i]);
            return false;
        }
        values[i] = *v;
    }
    e->X = values[0];
    e->Y = values[1];
    e->W = values[2];
    e->H = values[3];
    if (e->memo)
        e->lines = fields.lines;
    else
        e->text = fields.text;
    recordSelected();
    return true;
}

bool PreviewDocument::setSelectedFont(const PrintedFont& font) {
    TPrevPrvek* e = selectedMutable();
    if (!e) return false;
    PrintedStyle& style = e->editStyle();
    style.font = font;
    style.screenFont = screenSubstitute ? screenSubstitute(font) : QString();
    recordSelected();
    return true;
}

bool PreviewDocument::setSelectedAlignment(int index) {
    TPrevPrvek* e = selectedMutable();
    if (!e || index < 0 || index > 2) return false;
    PrintedStyle& style = e->editStyle();
    style.alignment = (style.alignment & ~3) | index;
    recordSelected();
    return true;
}

bool PreviewDocument::deleteSelected() {
    TPrevPrvek* e = selectedMutable();
    if (!e) return false;
    blankElement(*e);
    recordSelected();
    deselect();
    return true;
}

int PreviewDocument::insertAt(QPoint pixel) {
    if (!editMode_ || tool_ == Tool::Select || currentPage() >= pageCount()) return -1;
    if (!insidePrintableArea(pixel, pages_.zoom, pages_.paper)) return -1;
    const bool memo = tool_ == Tool::InsertMemo;
    const TPrevPrvek* from = selectedElement();
    InsertDefaults defaults = options_.insert;
    if (screenSubstitute) defaults.screenFont = screenSubstitute(defaults.font);
    TPrevPrvek element = makeInsertedElement(
        memo, pointerToPage(pixel, pages_.zoom, pages_.paper), from, defaults, barcodeByPrinter);
    TStranaPrvku& page = pages_.page(currentPage());
    page.append(std::move(element));
    const int index = page.count() - 1;
    corrections_.record(currentPage(), index, page.element(index));
    // The new element stays selected, so that its text can be typed at once.
    pages_.selectedElement = index;
    tool_ = Tool::Select;
    emit elementInserted(index);
    emit selectionChanged();
    emit modeChanged();
    return index;
}

}  // namespace dorvana
