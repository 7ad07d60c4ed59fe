#include "controls/sliding_panel.h"

#include <QAbstractButton>
#include <algorithm>

namespace dorvana {

TPosuvnyPanelSest::TPosuvnyPanelSest(QWidget* viewport) : QWidget(viewport) {
    if (viewport) viewport_ = viewport->size();
}

void TPosuvnyPanelSest::attachButtons(QAbstractButton* left, QAbstractButton* right,
                                      QAbstractButton* up, QAbstractButton* down) {
    left_ = left;
    right_ = right;
    up_ = up;
    down_ = down;
    auto hook = [this](QAbstractButton* b, int dx, int dy) {
        if (b) connect(b, &QAbstractButton::clicked, this, [this, dx, dy] { scrollBySteps(dx, dy); });
    };
    hook(left, 1, 0);  // showing what lies to the left moves the panel right
    hook(right, -1, 0);
    hook(up, 0, 1);
    hook(down, 0, -1);
    updateButtons();
}

void TPosuvnyPanelSest::setUp(int width, int height, int step) {
    if (parentWidget()) viewport_ = parentWidget()->size();
    step_ = std::max(1, step);
    resize(width, height);
    offsetX_ = offsetY_ = 0;
    place();
}

void TPosuvnyPanelSest::scrollByPixels(int dx, int dy) {
    offsetX_ = std::clamp(offsetX_ + dx, std::min(0, viewport_.width() - width()), 0);
    offsetY_ = std::clamp(offsetY_ + dy, std::min(0, viewport_.height() - height()), 0);
    place();
}

void TPosuvnyPanelSest::setAutoHide(bool on) {
    autoHide_ = on;
    updateButtons();
}

void TPosuvnyPanelSest::place() {
    move(offsetX_, offsetY_);
    updateButtons();
}

void TPosuvnyPanelSest::updateButtons() {
    const bool canLeft = offsetX_ < 0;
    const bool canRight = offsetX_ + width() > viewport_.width();
    const bool canUp = offsetY_ < 0;
    const bool canDown = offsetY_ + height() > viewport_.height();
    auto set = [](QAbstractButton* b, bool enabled) {
        if (b) b->setEnabled(enabled);
    };
    set(left_, canLeft);
    set(right_, canRight);
    set(up_, canUp);
    set(down_, canDown);
    if (!autoHide_) return;
    auto show = [](QAbstractButton* b, bool visible) {
        if (b) b->setVisible(visible);
    };
    show(left_, canLeft || canRight);
    show(right_, canLeft || canRight);
    show(up_, canUp || canDown);
    show(down_, canUp || canDown);
}

}  // namespace dorvana
