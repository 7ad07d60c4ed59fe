#pragma once
// The page of the preview on the screen (TPreview): paints the current page
// of a PreviewDocument, reports the pointer's position on the page, pans the
// view while the left button is held, selects elements in edit mode and
// inserts new ones with an insert tool.

#include <QPoint>
#include <QWidget>

namespace dorvana {

class PreviewDocument;

class PreviewPage : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPage(PreviewDocument& document, QWidget* parent = nullptr);

    // Hand outside edit mode, arrow in edit mode, cross with an insert tool.
    void updateCursor();
    bool panning() const { return panning_; }

signals:
    // The pointer's position in 0.01 in relative to the printable area.
    void pointerMoved(QPoint pagePosition);
    // Panning: the view should scroll by this many pixels.
    void panBy(QPoint delta);
    // A new element was inserted (the window puts the focus on its field).
    void inserted(int element);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PreviewDocument& doc_;
    bool panning_ = false;
    QPoint panFrom_;  // global position of the last pan step
};

}  // namespace dorvana
