#pragma once
// TPlovouciPanel ("floating panel"): a panel with a caption bar that floats
// over its parent, may be moved and resized inside it, and has a close
// button in its caption bar.

#include <QColor>
#include <QFrame>
#include <QPoint>
#include <QSize>

class QToolButton;

namespace dorvana {

// The position a moved panel may take: its left edge between 20 - width and
// the parent's width - 20, its top between 10 - captionHeight and the
// parent's height - 15.
QPoint clampFloatingPanelPosition(QPoint proposed, QSize panel, QSize parent, int captionHeight);

class TPlovouciPanel : public QFrame {
    Q_OBJECT
public:
    enum class ResizeStyle { rsNone, rsHorizontal, rsVertical, rsBoth };

    explicit TPlovouciPanel(QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    Qt::Alignment captionAlignment() const { return captionAlignment_; }
    void setCaptionAlignment(Qt::Alignment a);
    int captionHeight() const { return captionHeight_; }
    void setCaptionHeight(int h);
    QColor captionColor() const { return captionColor_; }
    void setCaptionColor(const QColor& c);
    QColor captionTextColor() const { return captionTextColor_; }
    void setCaptionTextColor(const QColor& c);
    int bevelWidth() const { return bevelWidth_; }
    void setBevelWidth(int w);
    bool moveEnabled() const { return moveEnabled_; }
    void setMoveEnabled(bool on) { moveEnabled_ = on; }
    ResizeStyle resizeStyle() const { return resizeStyle_; }
    void setResizeStyle(ResizeStyle s) { resizeStyle_ = s; }
    QToolButton* cancelButton() const { return cancelButton_; }

    // The caption bar inside the bevels.
    QRect captionRect() const;

signals:
    void startMove();
    void panelMove(int* x, int* y);
    void endMove();
    void startResize();
    void panelResize(int* width, int* height);
    void endResize();
    void clickCancel();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    enum Edge { None = 0, Left = 1, Right = 2, Top = 4, Bottom = 8 };
    int edgeAt(QPoint pos) const;
    void placeCancelButton();
    void updateMargins();

    QString caption_;
    Qt::Alignment captionAlignment_ = Qt::AlignHCenter;
    int captionHeight_ = 22;
    QColor captionColor_ = QColor(0, 0, 128);
    QColor captionTextColor_ = Qt::white;
    int bevelWidth_ = 2;
    bool moveEnabled_ = false;
    ResizeStyle resizeStyle_ = ResizeStyle::rsNone;
    QToolButton* cancelButton_;

    bool moving_ = false;
    int resizing_ = None;
    QPoint pressOffset_;   // press position inside the panel (moving)
    QPoint pressGlobal_;   // press position on the screen (resizing)
    QRect pressGeometry_;
};

}  // namespace dorvana
