#include "report/designer/designer_surface.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "report/designer/document/designer_document.h"
#include "report/layout/pages/element_printing.h"
#include "report/model/graphic_elements.h"
#include "report/model/section.h"
#include "report/model/text_elements.h"
#include "report/render/draw_context.h"
#include "report/render/page_canvas.h"

namespace dorvana {

namespace {

// The element as it prints for the current record, at its place in its
// section. Where that would show nothing to know it by (no record yet, a
// variable or function whose value only the print knows), it shows the
// document's stand-in text: the field, parameter, variable or function it
// stands for.
TPrevPrvek shownElement(const DesignerDocument& doc, const TSesPrvek& e) {
    TPrevPrvek shown = printedCopyOf(e, printedStyleOf(e));
    if (!e.isText() || shown.hasPicture()) return shown;
    if (shown.memo && shown.lines.isEmpty()) shown.memo = false;
    if (!shown.memo) shown.text = doc.displayText(&e);
    return shown;
}

// The squares of the eight handles of an element rectangle.
QList<QRect> handleSquares(const QRect& r) {
    const int w = r.width(), h = r.height();
    const QPoint corners[] = {{0, 0},           {(w - 5) / 2, 0},     {w - 5, 0},
                              {0, (h - 5) / 2}, {w - 5, (h - 5) / 2}, {0, h - 5},
                              {(w - 5) / 2, h - 5}, {w - 5, h - 5}};
    QList<QRect> out;
    for (const QPoint& c : corners) out << QRect(r.topLeft() + c, QSize(5, 5));
    return out;
}

}  // namespace

DesignerSurface::DesignerSurface(DesignerDocument& document, QWidget* parent)
    : QWidget(parent), doc_(document) {
    setObjectName(QStringLiteral("designerSurface"));
    setAccessibleName(QStringLiteral("Stránka předlohy"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAutoFillBackground(true);
    connect(&doc_, &DesignerDocument::modelReset, this, [this] {
        drag_ = Drag::None;
        dragged_ = nullptr;
        relayout();
    });
    connect(&doc_, &DesignerDocument::changed, this, [this] { relayout(); });
    connect(&doc_, &DesignerDocument::selectionChanged, this, qOverload<>(&QWidget::update));
    relayout();
}

void DesignerSurface::setZoom(double zoom) {
    if (zoom <= 0 || zoom == zoom_) return;
    zoom_ = zoom;
    relayout();
}

void DesignerSurface::setTool(int code) {
    tool_ = code;
    if (code) pasteMode_ = false;
    setCursor(code || pasteMode_ ? Qt::CrossCursor : Qt::ArrowCursor);
}

void DesignerSurface::setPasteMode(bool on) {
    pasteMode_ = on;
    if (on) tool_ = 0;
    setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
}

QList<TOddil*> DesignerSurface::shownSections() const {
    QList<TOddil*> out;
    for (TOddil* s : doc_.model().page().displayOrder())
        if (s->visible) out << s;
    return out;
}

void DesignerSurface::relayout() {
    places_.clear();
    int top = kMargin;
    for (TOddil* s : shownSections()) {
        const int units = drag_ == Drag::Height && s->IndexOdd == heightSection_ ? lastBox_.height
                                                                                 : s->height;
        const int h = unitsToPixels(units, zoom_) + kStripHeight;
        places_.append({s->IndexOdd, top, h});
        top += h;
    }
    setFixedSize(2 * kMargin + unitsToPixels(doc_.sectionWidth(), zoom_), top + kMargin);
    update();
}

QRect DesignerSurface::sectionRect(int indexOdd) const {
    for (const Place& p : places_)
        if (p.indexOdd == indexOdd)
            return QRect(kMargin, p.top, unitsToPixels(doc_.sectionWidth(), zoom_),
                         p.height - kStripHeight);
    return QRect();
}

QRect DesignerSurface::elementRect(const TSesPrvek* e) const {
    const TOddil* s = doc_.sectionOf(e);
    if (!s) return QRect();
    const QRect section = sectionRect(s->IndexOdd);
    if (section.isNull()) return QRect();
    return QRect(section.left() + unitsToPixels(e->X, zoom_), section.top() + unitsToPixels(e->Y, zoom_),
                 std::max(1, unitsToPixels(e->W, zoom_)), std::max(1, unitsToPixels(e->H, zoom_)));
}

TOddil* DesignerSurface::sectionAt(QPoint p, bool* inStrip) const {
    for (const Place& place : places_) {
        const QRect all(kMargin, place.top, unitsToPixels(doc_.sectionWidth(), zoom_), place.height);
        if (!all.contains(p)) continue;
        if (inStrip) *inStrip = p.y() >= place.top + place.height - kStripHeight;
        return doc_.section(place.indexOdd);
    }
    return nullptr;
}

TSesPrvek* DesignerSurface::elementAt(QPoint p) const {
    bool inStrip = false;
    TOddil* s = sectionAt(p, &inStrip);
    if (!s || inStrip) return nullptr;
    for (int i = s->elementCount() - 1; i >= 0; --i)
        if (elementRect(s->element(i)).contains(p)) return s->element(i);
    return nullptr;
}

// ---------------------------------------------------------------- painting

void DesignerSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Mid));
    for (const Place& place : places_) paintSection(p, place);
    if (drag_ == Drag::Band) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(pressPos_, bandEnd_).normalized());
    }
}

void DesignerSurface::paintSection(QPainter& p, const Place& place) {
    const TOddil* s = doc_.section(place.indexOdd);
    const QRect body = sectionRect(place.indexOdd);
    p.fillRect(body, Qt::white);
    const int W = doc_.sectionWidth();
    int rasterWidth = W;
    if (s->IndexOdd == PlanSection::Body && doc_.model().columns() > 1) {
        const int column = s->columnWidth(W) - doc_.model().columnGap();
        rasterWidth = column;
        const int x = body.left() + unitsToPixels(column, zoom_);
        p.fillRect(QRect(x, body.top(), body.right() - x + 1, body.height()),
                   QBrush(QColor(200, 200, 200), Qt::BDiagPattern));
    }
    if (doc_.options().RastrZobrazovat) {
        const int rx = std::max(1, doc_.model().rasterX), ry = std::max(1, doc_.model().rasterY);
        QPolygon dots;
        for (int y = ry; y < s->height; y += ry)
            for (int x = rx; x < rasterWidth; x += rx)
                dots << QPoint(body.left() + unitsToPixels(x, zoom_), body.top() + unitsToPixels(y, zoom_));
        p.setPen(QColor(96, 96, 96));
        p.drawPoints(dots);
    }
    // The elements as they print, in print order (a later one covers an
    // earlier one); the editing marks on top of them all.
    p.save();
    p.setClipRect(body);
    p.translate(body.topLeft());
    {
        PageCanvas canvas(p, DrawContext::forScreen(zoom_, 0, 0));
        for (const auto& e : s->elements()) canvas.drawElement(shownElement(doc_, *e));
    }
    p.restore();
    if (editingMarks_)
        for (const auto& e : s->elements()) paintMarks(p, e.get());

    // The caption strip.
    const QRect strip(body.left(), body.bottom() + 1, body.width(), kStripHeight);
    p.fillRect(strip, QColor(192, 192, 192));
    p.setPen(QColor(64, 64, 64));
    p.drawLine(strip.topLeft(), strip.topRight());
    p.drawLine(strip.bottomLeft(), strip.bottomRight());
    p.setPen(Qt::white);
    p.drawLine(strip.left(), strip.top() + 1, strip.right(), strip.top() + 1);
    p.setPen(s->locked ? QColor(128, 0, 0) : Qt::black);
    QFont f = font();
    f.setPixelSize(11);
    p.setFont(f);
    p.drawText(strip.adjusted(5, 0, -5, 0), Qt::AlignVCenter | Qt::AlignLeft,
               s->locked ? s->caption + QStringLiteral(" (zamčeno)") : s->caption);
}

void DesignerSurface::paintMarks(QPainter& p, const TSesPrvek* e) {
    const QRect r = elementRect(e);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    // A picture element without a picture prints nothing: a cross shows where it is.
    if (e->type() == ElementType::Picture && static_cast<const TSesObraz*>(e)->Picture.isNull()) {
        p.setPen(QPen(Qt::gray, 1));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
    }
    // Every element shows its box; the current one its handles, the selected ones their corners.
    p.setPen(QPen(QColor(160, 160, 160), 1, Qt::DotLine));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (e == doc_.current() && !doc_.isSelected(e)) {
        for (const QRect& h : handleSquares(r)) p.fillRect(h, Qt::black);
    } else if (doc_.isSelected(e)) {
        const QColor c = e == doc_.current() ? QColor(0, 0, 160) : QColor(96, 96, 96);
        const QList<QRect> squares = handleSquares(r);
        for (int i : {0, 2, 5, 7}) p.fillRect(squares[i], c);
    }
    p.restore();
}

void DesignerSurface::setEditingMarks(bool shown) {
    if (shown == editingMarks_) return;
    editingMarks_ = shown;
    update();
}

// ---------------------------------------------------------------- mouse

void DesignerSurface::showPointer(QPoint p) {
    bool inStrip = false;
    const TOddil* s = sectionAt(p, &inStrip);
    // Over an element (and while dragging one) the coordinates stay blank.
    if (!s || inStrip || drag_ == Drag::Element || elementAt(p)) {
        emit pointerAt(-1, -1);
        return;
    }
    const QRect body = sectionRect(s->IndexOdd);
    emit pointerAt(pixelsToUnits(p.x() - body.left(), zoom_), pixelsToUnits(p.y() - body.top(), zoom_));
}

void DesignerSurface::updateCursor(QPoint p) {
    if (tool_ || pasteMode_) {
        setCursor(elementAt(p) ? Qt::ForbiddenCursor : Qt::CrossCursor);
        return;
    }
    bool inStrip = false;
    if (sectionAt(p, &inStrip) && inStrip) {
        setCursor(Qt::SplitVCursor);
        return;
    }
    TSesPrvek* e = elementAt(p);
    if (!e || doc_.isLocked(e)) {
        setCursor(Qt::ArrowCursor);
    } else if (doc_.isSelected(e)) {
        setCursor(Qt::SizeAllCursor);
    } else if (e == doc_.current()) {
        const QRect r = elementRect(e);
        static const Qt::CursorShape shapes[] = {
            Qt::OpenHandCursor, Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor,
            Qt::SizeHorCursor,  Qt::SizeHorCursor,   Qt::SizeBDiagCursor, Qt::SizeVerCursor,
            Qt::SizeFDiagCursor};
        setCursor(shapes[hitZone(r.width(), r.height(), p - r.topLeft())]);
    } else {
        setCursor(Qt::ArrowCursor);
    }
}

void DesignerSurface::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (TSesPrvek* e = elementAt(p)) {
        if (doc_.isLocked(e)) return;
        if (shift) {
            doc_.toggleSelection(e);
        } else {
            emit arrowRequested();
            doc_.select(e);
        }
        const QRect r = elementRect(e);
        drag_ = Drag::Element;
        dragged_ = e;
        zone_ = hitZone(r.width(), r.height(), p - r.topLeft(), doc_.isSelected(e));
        pressPos_ = p;
        atDown_ = lastBox_ = DesignerDocument::box(e);
        return;
    }
    bool inStrip = false;
    TOddil* s = sectionAt(p, &inStrip);
    if (!s || s->locked) return;
    const QRect body = sectionRect(s->IndexOdd);
    if (inStrip) {
        emit arrowRequested();
        drag_ = Drag::Height;
        heightSection_ = s->IndexOdd;
        heightAtDown_ = s->height;
        lastBox_ = {0, 0, 0, s->height};
        pressPos_ = p;
    } else if (tool_ || pasteMode_) {
        int x = pixelsToUnits(p.x() - body.left(), zoom_);
        int y = pixelsToUnits(p.y() - body.top(), zoom_);
        if (doc_.options().RastrZarovnavat) {
            x = snapToRaster(x, doc_.model().rasterX);
            y = snapToRaster(y, doc_.model().rasterY);
        }
        emit sectionClicked(s->IndexOdd, QPoint(x, y));
    } else if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) {
        drag_ = Drag::Band;
        heightSection_ = s->IndexOdd;
        pressPos_ = bandEnd_ = p;
    } else {
        doc_.clearSelection();
    }
}

void DesignerSurface::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    switch (drag_) {
        case Drag::Element: {
            const TOddil* s = doc_.sectionOf(dragged_);
            if (!s) break;
            int dx = pixelsToUnits(p.x() - pressPos_.x(), zoom_);
            int dy = pixelsToUnits(p.y() - pressPos_.y(), zoom_);
            if (doc_.options().RastrZarovnavat) {
                dx = snapToRaster(dx, doc_.model().rasterX);
                dy = snapToRaster(dy, doc_.model().rasterY);
            }
            const ElementBox b = draggedBox(zone_, atDown_, dx, dy, doc_.sectionWidth(), s->height);
            if (b != lastBox_) {
                lastBox_ = b;
                doc_.dragTo(dragged_, b);
            }
            break;
        }
        case Drag::Height: {
            int h = std::max(2, heightAtDown_ + pixelsToUnits(p.y() - pressPos_.y(), zoom_));
            if (doc_.options().RastrZarovnavat) h = std::max(2, snapToRaster(h, doc_.model().rasterY));
            if (h != lastBox_.height) {
                lastBox_.height = h;
                relayout();
            }
            break;
        }
        case Drag::Band:
            bandEnd_ = p;
            update();
            break;
        case Drag::None:
            updateCursor(p);
            break;
    }
    showPointer(p);
}

void DesignerSurface::mouseReleaseEvent(QMouseEvent* event) {
    const Drag was = drag_;
    drag_ = Drag::None;
    switch (was) {
        case Drag::Element:
            doc_.endDrag();
            dragged_ = nullptr;
            break;
        case Drag::Height:
            if (!doc_.setSectionHeight(heightSection_, lastBox_.height)) relayout();
            break;
        case Drag::Band: {
            const TOddil* s = doc_.section(heightSection_);
            if (!s) break;
            const QRect body = sectionRect(s->IndexOdd);
            const QPoint a = pressPos_ - body.topLeft(), b = event->position().toPoint() - body.topLeft();
            const int x1 = pixelsToUnits(std::min(a.x(), b.x()), zoom_);
            const int x2 = pixelsToUnits(std::max(a.x(), b.x()), zoom_);
            const int y1 = pixelsToUnits(std::min(a.y(), b.y()), zoom_);
            const int y2 = pixelsToUnits(std::max(a.y(), b.y()), zoom_);
            QList<TSesPrvek*> touched;
            for (const auto& e : s->elements())
                if (e->X <= x2 && e->X + e->W >= x1 && e->Y <= y2 && e->Y + e->H >= y1)
                    touched << e.get();
            for (TSesPrvek* e : touched) doc_.toggleSelection(e);
            update();
            break;
        }
        case Drag::None: break;
    }
    updateCursor(event->position().toPoint());
}

void DesignerSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (TSesPrvek* e = elementAt(p)) {
        if (!doc_.isLocked(e)) emit elementDoubleClicked(e);
        return;
    }
    if (TOddil* s = sectionAt(p)) emit sectionDoubleClicked(s->IndexOdd);
}

// ---------------------------------------------------------------- keys

void DesignerSurface::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const int key = event->key();
    const bool ctrl = mods & Qt::ControlModifier;
    if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down) {
        if (!doc_.current()) return;
        const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
        const int sign = key == Qt::Key_Left || key == Qt::Key_Up ? -1 : 1;
        if (mods == (Qt::ControlModifier | Qt::ShiftModifier)) {
            const int step = horizontal ? doc_.model().rasterX : doc_.model().rasterY;
            horizontal ? doc_.moveSelectionBy(sign * step, 0) : doc_.moveSelectionBy(0, sign * step);
        } else if (mods == Qt::ControlModifier) {
            horizontal ? doc_.moveSelectionBy(sign, 0) : doc_.moveSelectionBy(0, sign);
        } else if (mods == Qt::ShiftModifier) {
            horizontal ? doc_.resizeSelectionBy(sign, 0) : doc_.resizeSelectionBy(0, sign);
        } else {
            QWidget::keyPressEvent(event);
        }
        return;
    }
    if ((key == Qt::Key_Backspace && mods == Qt::AltModifier) ||
        (key == Qt::Key_Z && mods == Qt::ControlModifier)) {
        doc_.undo();
    } else if ((key == Qt::Key_Backspace && mods == (Qt::AltModifier | Qt::ShiftModifier)) ||
               (key == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier))) {
        doc_.redo();
    } else if ((key == Qt::Key_Insert && mods == Qt::ControlModifier) || (key == Qt::Key_C && ctrl)) {
        doc_.copy();
        emit clipboardChanged();
    } else if ((key == Qt::Key_Insert && mods == Qt::ShiftModifier) || (key == Qt::Key_V && ctrl)) {
        if (doc_.canPaste()) setPasteMode(true);
        emit clipboardChanged();
    } else if ((key == Qt::Key_X && ctrl) || (key == Qt::Key_Delete && (mods & Qt::ShiftModifier))) {
        doc_.cut();
        emit clipboardChanged();
    } else if (key == Qt::Key_Delete) {
        doc_.deleteSelection();
    } else {
        QWidget::keyPressEvent(event);
    }
}

}  // namespace dorvana
