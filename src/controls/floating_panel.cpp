#include "controls/floating_panel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <qdrawutil.h>

namespace dorvana {

QPoint clampFloatingPanelPosition(QPoint p, QSize panel, QSize parent, int captionHeight) {
    const int x = std::max(std::min(p.x(), parent.width() - 20), 20 - panel.width());
    const int y = std::max(std::min(p.y(), parent.height() - 15), 10 - captionHeight);
    return {x, y};
}

TPlovouciPanel::TPlovouciPanel(QWidget* parent)
    : QFrame(parent), cancelButton_(new QToolButton(this)) {
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAutoFillBackground(true);
    setMouseTracking(true);
    cancelButton_->setObjectName(QStringLiteral("panelClose"));
    cancelButton_->setText(QStringLiteral("×"));
    cancelButton_->setToolTip(QStringLiteral("Zavřít"));
    cancelButton_->setAccessibleName(QStringLiteral("Zavřít"));
    cancelButton_->setFocusPolicy(Qt::NoFocus);
    connect(cancelButton_, &QToolButton::clicked, this, [this] {
        emit clickCancel();
        hide();
    });
    updateMargins();
    placeCancelButton();
}

void TPlovouciPanel::setCaption(const QString& caption) {
    caption_ = caption;
    setAccessibleName(caption);
    update();
}

void TPlovouciPanel::setCaptionAlignment(Qt::Alignment a) {
    captionAlignment_ = a;
    update();
}

void TPlovouciPanel::setCaptionHeight(int h) {
    captionHeight_ = h;
    updateMargins();
    placeCancelButton();
    update();
}

void TPlovouciPanel::setCaptionColor(const QColor& c) {
    captionColor_ = c;
    update();
}

void TPlovouciPanel::setCaptionTextColor(const QColor& c) {
    captionTextColor_ = c;
    update();
}

void TPlovouciPanel::setBevelWidth(int w) {
    bevelWidth_ = std::max(0, w);
    updateMargins();
    placeCancelButton();
    update();
}

void TPlovouciPanel::updateMargins() {
    const int b = bevelWidth_ + frameWidth();
    setContentsMargins(b, b + captionHeight_, b, b);
}

QRect TPlovouciPanel::captionRect() const {
    const int b = bevelWidth_ + frameWidth();
    return QRect(b, b, width() - 2 * b, captionHeight_);
}

void TPlovouciPanel::placeCancelButton() {
    const int side = captionHeight_ - 7;
    int left = width() - captionHeight_ + 1;
    int top = 4;
    if (bevelWidth_ > 0) {
        left -= bevelWidth_;
        top += bevelWidth_;
    }
    cancelButton_->setGeometry(left, top, side, side);
    cancelButton_->raise();
}

void TPlovouciPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    placeCancelButton();
}

void TPlovouciPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    if (bevelWidth_ > 0)
        qDrawShadePanel(&p, rect().adjusted(frameWidth(), frameWidth(), -frameWidth(), -frameWidth()),
                        palette(), false, bevelWidth_);
    const QRect cap = captionRect();
    p.fillRect(cap, palette().window());
    const QRect bar = cap.adjusted(2, 1, -2, -1);
    p.fillRect(bar, captionColor_);
    p.setPen(captionTextColor_);
    p.setFont(font());
    QRect text = bar.adjusted(4, 0, -4, 0);
    text.setRight(std::min(text.right(), cancelButton_->geometry().left() - 2));
    p.drawText(text, int(captionAlignment_ | Qt::AlignVCenter) | Qt::TextSingleLine, caption_);
}

int TPlovouciPanel::edgeAt(QPoint pos) const {
    if (resizeStyle_ == ResizeStyle::rsNone) return None;
    const int zone = bevelWidth_ + frameWidth() + 1;
    const bool horiz = resizeStyle_ == ResizeStyle::rsHorizontal || resizeStyle_ == ResizeStyle::rsBoth;
    const bool vert = resizeStyle_ == ResizeStyle::rsVertical || resizeStyle_ == ResizeStyle::rsBoth;
    // Left or right wins over top or bottom.
    if (horiz && pos.x() < zone) return Left;
    if (horiz && pos.x() >= width() - zone) return Right;
    if (vert && pos.y() < zone) return Top;
    if (vert && pos.y() >= height() - zone) return Bottom;
    return None;
}

void TPlovouciPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QFrame::mousePressEvent(event);
    const QPoint pos = event->position().toPoint();
    if (const int edge = edgeAt(pos)) {
        resizing_ = edge;
        pressGlobal_ = event->globalPosition().toPoint();
        pressGeometry_ = geometry();
        emit startResize();
        return;
    }
    if (moveEnabled_ && captionRect().contains(pos)) {
        moving_ = true;
        pressOffset_ = pos;
        emit startMove();
        return;
    }
    QFrame::mousePressEvent(event);
}

void TPlovouciPanel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (moving_ && parentWidget()) {
        QPoint p = clampFloatingPanelPosition(mapToParent(pos) - pressOffset_, size(),
                                              parentWidget()->contentsRect().size(), captionHeight_);
        int x = p.x(), y = p.y();
        emit panelMove(&x, &y);
        move(x, y);
        return;
    }
    if (resizing_ && parentWidget()) {
        const QPoint d = event->globalPosition().toPoint() - pressGlobal_;
        QRect g = pressGeometry_;
        const QRect area = parentWidget()->contentsRect();
        const int minW = 11, minH = captionHeight_ + 11;
        if (resizing_ & Left) g.setLeft(std::clamp(g.left() + d.x(), area.left(), g.right() - minW + 1));
        if (resizing_ & Right) g.setRight(std::clamp(g.right() + d.x(), g.left() + minW - 1, area.right()));
        if (resizing_ & Top) g.setTop(std::clamp(g.top() + d.y(), area.top(), g.bottom() - minH + 1));
        if (resizing_ & Bottom) g.setBottom(std::clamp(g.bottom() + d.y(), g.top() + minH - 1, area.bottom()));
        int w = g.width(), h = g.height();
        emit panelResize(&w, &h);
        if (resizing_ & Left) g.setLeft(g.right() - w + 1); else g.setWidth(w);
        if (resizing_ & Top) g.setTop(g.bottom() - h + 1); else g.setHeight(h);
        setGeometry(g);
        return;
    }
    // The pointer shows where a resize would start.
    const int edge = edgeAt(pos);
    if (edge & (Left | Right))
        setCursor(Qt::SizeHorCursor);
    else if (edge & (Top | Bottom))
        setCursor(Qt::SizeVerCursor);
    else
        unsetCursor();
    QFrame::mouseMoveEvent(event);
}

void TPlovouciPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (moving_) {
        moving_ = false;
        emit endMove();
        return;
    }
    if (resizing_) {
        resizing_ = None;
        emit endResize();
        return;
    }
    QFrame::mouseReleaseEvent(event);
}

}  // namespace dorvana
