#pragma once
// TPosuvnyPanelSest: a panel larger than its viewport (its parent), scrolled
// in steps by up to four attached buttons. The designer's palette strip uses it.

#include <QPointer>
#include <QWidget>

class QAbstractButton;

namespace dorvana {

class TPosuvnyPanelSest : public QWidget {
    Q_OBJECT
public:
    explicit TPosuvnyPanelSest(QWidget* viewport);

    // The scroll buttons (any may be null); clicking one scrolls by one step.
    void attachButtons(QAbstractButton* left, QAbstractButton* right, QAbstractButton* up,
                       QAbstractButton* down);
    // Takes the viewport's current size, sets the panel's size and step and
    // puts the panel at offset (0, 0).
    void setUp(int width, int height, int step = 64);
    // Scrolls by pixels; each offset stays within [viewport - panel, 0].
    void scrollByPixels(int dx, int dy);
    // Scrolls by steps.
    void scrollBySteps(int dx, int dy) { scrollByPixels(dx * step_, dy * step_); }

    int step() const { return step_; }
    int offsetX() const { return offsetX_; }
    int offsetY() const { return offsetY_; }
    QSize viewportSize() const { return viewport_; }
    // With auto-hide a pair of buttons hides when neither can scroll.
    void setAutoHide(bool on);
    bool autoHide() const { return autoHide_; }

private:
    void place();
    void updateButtons();
    QSize viewport_;
    int step_ = 64;
    int offsetX_ = 0, offsetY_ = 0;
    bool autoHide_ = false;
    QPointer<QAbstractButton> left_, right_, up_, down_;
};

}  // namespace dorvana
