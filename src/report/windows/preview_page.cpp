#include "report/windows/preview_page.h"

#include <QMouseEvent>
#include <QPainter>

#include "report/render/draw_page.h"
#include "report/run/preview_document.h"
#include "report/run/preview_geometry.h"

namespace dorvana {

PreviewPage::PreviewPage(PreviewDocument& document, QWidget* parent)
    : QWidget(parent), doc_(document) {
    setObjectName(QStringLiteral("Preview"));
    setAccessibleName(QStringLiteral("Stránka sestavy"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(doc_.pageSize());
    updateCursor();
}

void PreviewPage::updateCursor() {
    if (!doc_.editMode())
        setCursor(Qt::OpenHandCursor);
    else if (doc_.tool() != PreviewDocument::Tool::Select)
        setCursor(Qt::CrossCursor);
    else
        setCursor(Qt::ArrowCursor);
}

void PreviewPage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paintPreview(painter, doc_.pages());
}

void PreviewPage::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    const bool inserting = doc_.editMode() && doc_.tool() != PreviewDocument::Tool::Select;
    if (inserting && insidePrintableArea(at, doc_.zoom(), doc_.pages().paper)) {
        const int element = doc_.insertAt(at);
        if (element >= 0) {
            updateCursor();
            update();
            emit inserted(element);
        }
        return;
    }
    if (doc_.editMode() && !inserting) {
        doc_.clickAt(at);
        update();
    }
    // Outside insert mode, and in insert mode outside the printable area,
    // the held button pans the view.
    panning_ = true;
    panFrom_ = event->globalPosition().toPoint();
    setCursor(Qt::ClosedHandCursor);
}

void PreviewPage::mouseMoveEvent(QMouseEvent* event) {
    emit pointerMoved(pointerToPage(event->position().toPoint(), doc_.zoom(), doc_.pages().paper));
    if (!panning_) return;
    const QPoint now = event->globalPosition().toPoint();
    emit panBy(panFrom_ - now);
    panFrom_ = now;
}

void PreviewPage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !panning_) return;
    panning_ = false;
    updateCursor();
}

}  // namespace dorvana
