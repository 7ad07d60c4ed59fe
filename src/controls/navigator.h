#pragma once
// TDBNavign: the record navigator, a bar of thirteen buttons that moves
// through a data set and edits it, with page steps, replaceable actions and
// hints of its own.

#include <QList>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QToolButton>
#include <QWidget>

#include "controls/message_boxes.h"
#include "data/data_set.h"

namespace dorvana {

class Messages;

enum NavButton {
    nnFirst, nnPageUp, nnPrior, nnNext, nnPageDn, nnLast,
    nnInsert, nnDelete, nnEdit, nnPost, nnCancel, nnRefresh, nnFind,
};
inline constexpr int kNavButtonCount = 13;

// Where the visible buttons of a navigator go: the navigator's size after the
// layout rule (at least n*19+1 by 18 horizontally, n*17+1 by 20 vertically;
// trimmed to n*d+1 unless aligned inside its parent) and one rectangle per
// visible button, neighbours overlapping by one pixel; when aligned, the
// spare pixels go one each to buttons spread evenly along the bar.
struct NavigatorLayout {
    QSize size;
    QList<QRect> buttons;
};
NavigatorLayout navigatorLayout(int visibleButtons, QSize size, bool horizontal, bool aligned);

class TDBNavign : public QWidget, public DataSetObserver {
    Q_OBJECT
public:
    enum class Style { nnHorizontal, nnVertical };
    enum class ArrowStyle { asDefault, asHorizontal, asVertical };

    explicit TDBNavign(QWidget* parent = nullptr);
    ~TDBNavign() override;

    void setDataSet(DataSet* dataSet);
    DataSet* dataSet() const { return dataSet_; }
    void setMessages(Messages* messages);

    // Bit i set: button i is shown (all 13 by default).
    unsigned visibleButtons() const { return visible_; }
    void setVisibleButtons(unsigned mask);
    // Lines replace the default hints by index; empty lines keep the default.
    void setHints(const QStringList& hints);
    QString hint(int button) const;
    bool confirmDelete() const { return confirmDelete_; }
    void setConfirmDelete(bool on) { confirmDelete_ = on; }
    int pageSkip() const { return pageSkip_; }
    void setPageSkip(int n) { pageSkip_ = n; }
    Style style() const { return style_; }
    void setStyle(Style s);
    ArrowStyle arrowStyle() const { return arrowStyle_; }
    void setArrowStyle(ArrowStyle s);
    // Aligned inside its parent: spare pixels are spread instead of trimmed.
    void setAligned(bool on);

    QToolButton* button(int index) const { return buttons_.value(index); }
    // Clicks a button as the user would.
    void clickButton(int index);

    QSize sizeHint() const override;
    void dataSetEvent(DataSet& dataSet, DataSetEvent event) override;
    void dataSetDestroyed(DataSet& dataSet) override;

signals:
    void beforeAction(int button);
    void clicked(int button);
    // Each replaces its button's default action when connected.
    void clickInsert();
    void clickDelete();
    void clickEdit();
    void clickPost();
    void clickCancel();
    void clickRefresh();
    void clickFind();
    void dataChange();
    void editChange();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class NavigatorButton;
    void updateStates();
    void relayout();
    void updateGlyphs();
    void defaultAction(int index);
    bool replaced(int index);
    void moveFocus(int step);

    DataSet* dataSet_ = nullptr;
    QList<QToolButton*> buttons_;
    QStringList hints_;
    unsigned visible_ = (1u << kNavButtonCount) - 1;
    bool confirmDelete_ = true;
    int pageSkip_ = 10;
    Style style_ = Style::nnHorizontal;
    ArrowStyle arrowStyle_ = ArrowStyle::asDefault;
    bool aligned_ = false;
    bool laying_ = false;
    int focused_ = 0;
    MessageBoxes ownMessages_;
    Messages* messages_;
};

}  // namespace dorvana
