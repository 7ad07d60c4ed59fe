#pragma once
// The element palette of the designer: the arrow button, the six pages
// "Položky", "Popisy", "Parametry", "Proměnné", "Funkce", "Grafické prvky"
// with one button per insertable element (its code tells what a click into a
// section inserts), the strip's scroll buttons, the field list box and the
// function list buttons.

#include <QList>
#include <QWidget>

class QComboBox;
class QTabBar;
class QToolButton;

namespace dorvana {

class DesignerDocument;
class TPosuvnyPanelSest;

class DesignerPalette : public QWidget {
    Q_OBJECT
public:
    enum Page { Fields, Labels, Parameters, Variables, Functions, Graphics };

    DesignerPalette(DesignerDocument& document, int parameterCount, QWidget* parent = nullptr);

    int tool() const { return tool_; }
    int page() const;
    void setPage(int page);
    // The arrow: no tool, every button released.
    void releaseTool();
    // Presses the button of a code on the current page (as a click does).
    void pressTool(int code);
    // The buttons of the current page.
    QList<QToolButton*> buttons() const { return buttons_; }
    QToolButton* button(int code) const;
    // Builds the pages again (fields, groups or functions changed).
    void rebuild();

    QToolButton* addFunctionButton() const { return add_; }
    QToolButton* editFunctionButton() const { return edit_; }
    QToolButton* removeFunctionButton() const { return remove_; }

signals:
    void toolChanged(int code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillPage();
    void updateFunctionButtons();

    DesignerDocument& doc_;
    int parameterCount_;
    int tool_ = 0;
    QToolButton* arrow_;
    QTabBar* tabs_;
    QWidget* viewport_;
    TPosuvnyPanelSest* strip_;
    QToolButton* scrollLeft_;
    QToolButton* scrollRight_;
    QComboBox* fieldList_;
    QToolButton *add_, *edit_, *remove_;
    QList<QToolButton*> buttons_;
};

}  // namespace dorvana
