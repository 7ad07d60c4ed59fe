#pragma once
// TDbGridZelvan ("turtle grid"): the data-bound grid of the main window. Over
// a plain grid of a data set (rows = records, columns = fields) it keeps
// record marks by the value of a key field and shows them in the indicator
// column, keeps locked columns at the left, highlights an active title, can
// turn Enter into Tab, and raises events for Enter, Insert, Delete, Esc and
// Space. It reads only the rows it shows.

#include <QColor>
#include <QFont>
#include <QTableView>
#include <functional>

#include "controls/mark_list.h"
#include "controls/message_boxes.h"
#include "data/data_set.h"
#include "data/grid_column.h"

namespace dorvana {

class DataSetModel;
class LiveTableWatcher;
class IndicatorHeader;
class TitleHeader;
class Messages;

class TDbGridZelvan : public QTableView {
    Q_OBJECT
public:
    enum class Bevel { Lowered, None, Raised };

    explicit TDbGridZelvan(QWidget* parent = nullptr);
    ~TDbGridZelvan() override;

    // The data set shown (not owned) and its columns.
    void setDataSet(DataSet* dataSet);
    DataSet* dataSet() const;
    void setColumns(const GridColumns& columns);
    const GridColumns& columns() const;
    // Column widths as the user left them (0 for hidden columns); a column
    // the grid widened and the user did not resize keeps its given width.
    GridColumns columnsWithWidths() const;
    // Which columns still have the width the program gave them: the grid
    // widens those until their title and formatted content (a date, a price
    // in the column's format, "(GRAPHIC)") fit in the grid's fonts. Widths
    // the user set stay as they are. Without a rule no column is widened.
    void setProgramWidthRule(std::function<bool(const GridColumn&)> rule);
    // The width a column needs for its title and formatted content.
    int fittingWidth(int column) const;
    DataSetModel* dataModel() const { return model_; }
    // Error boxes and questions (default: real message boxes over the grid).
    void setMessages(Messages* messages);
    Messages* messages() const { return messages_; }
    void setGridReadOnly(bool readOnly);
    // Whether a double click opens the cell editor (on by default); off where
    // the double click is a command of its own.
    void setDoubleClickEdits(bool on);
    bool gridReadOnly() const;
    // Column and row lines (both on by default).
    void setLines(bool columnLines, bool rowLines);
    bool bothLines() const { return columnLines_ && rowLines_; }

    // Active title: grid column counting the indicator column (0 = none of the data columns).
    int activeTitleIndex() const { return activeTitleIndex_; }
    void setActiveTitleIndex(int index);
    Bevel activeTitleBevel() const { return activeTitleBevel_; }
    void setActiveTitleBevel(Bevel b);
    QColor activeTitleColor() const { return activeTitleColor_; }
    void setActiveTitleColor(const QColor& c);
    bool activeColumnBold() const { return activeColumnBold_; }
    void setActiveColumnBold(bool on);
    bool clickTitleEnabled() const { return clickTitleEnabled_; }
    void setClickTitleEnabled(bool on) { clickTitleEnabled_ = on; }

    // Locked columns: the first n data columns stay at the left and cannot be entered.
    int lockedCols() const { return lockedCols_; }
    void setLockedCols(int n);
    // Whether the locking is in force (n below the number of data columns minus 1).
    bool lockingApplied() const { return lockedApplied_ > 0; }
    QFont lockedFont() const { return lockedFont_; }
    void setLockedFont(const QFont& f);
    QColor lockedColor() const { return lockedColor_; }
    void setLockedColor(const QColor& c);

    // Record marking.
    const QString& keyField() const { return keyField_; }
    void setKeyField(const QString& name);
    bool checkEnabled() const { return checkEnabled_; }
    // Switching on without a key field shows "Položka "KeyField" musí být
    // definována" and changes nothing.
    void setCheckEnabled(bool on);
    QColor checkedColor() const { return checkedColor_; }
    void setCheckedColor(const QColor& c);
    bool checkedSignum() const { return checkedSignum_; }
    void setCheckedSignum(bool on);
    bool enterIsTab() const { return enterIsTab_; }
    void setEnterIsTab(bool on) { enterIsTab_ = on; }

    int markCount() const { return marks_.count(); }
    qint32 markAt(int i) const { return marks_.at(i); }
    const MarkList& marks() const { return marks_; }
    bool isMarked(qint32 v) const { return marks_.contains(v); }
    void toggleCurrent();
    void toggleValue(qint32 v);
    // Toggles each value in turn (a loaded selection file), repainting once.
    void toggleValues(const QList<qint32>& values);
    void clearMarks();
    // Marks every value given (marking must be on), in order, skipping marked ones.
    void addMarks(const QList<qint32>& values);
    // The key field's value of the current record; 0 when it cannot be read.
    qint32 currentKeyValue() const;
    // The key value of a grid row (0 when it cannot be read).
    qint32 keyValueOfRow(int row) const;

    // The field of the current column ("" when none).
    QString selectedFieldName() const;
    // The grid row of the data set's current record.
    int currentRecordRow() const;
    // True while selectCell is raised for the current cell again because the
    // grid got the focus back (not because the user moved).
    bool reselecting() const { return reselecting_; }
    // What Esc does, in a cell editor or in the grid: clickEsc, or without a
    // handler the record's edit is cancelled as the navigator's cancel does
    // (the cell editor closes first).
    void escapePressed();

signals:
    // Moving to a cell; the handler may refuse it (*accept = false).
    void selectCell(int column, int row, bool* accept);
    void clickSpace(const QString& fieldName);
    // A title click is about to change the active title; the handler may change the target.
    void changeTitle(int* newTitleIndex);
    void clickTitle(const QString& fieldName, int titleIndex);
    void clickEnter();
    void clickIns();
    void clickDel();
    void clickEsc();
    void checkClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void updateGeometries() override;

private:
    friend class IndicatorHeader;
    friend class TitleHeader;
    void syncCurrentFromDataSet();
    void indicatorClicked(int row);
    void titleClicked(int logical);
    void applyLocking();
    void layoutLocked();
    void applyColumnWidths();
    QString widestSample(int column) const;
    void keepResizedWidths();
    int lockedWidth() const;
    int firstEnterableColumn() const;
    void repaintIndicator();

    DataSetModel* model_;
    LiveTableWatcher* live_;
    IndicatorHeader* indicator_;
    TitleHeader* titles_;
    QTableView* locked_ = nullptr;
    MessageBoxes ownMessages_;
    Messages* messages_;
    GridColumns columns_;
    std::function<bool(const GridColumn&)> programWidth_;
    QList<int> widened_;  // per column: the width the grid gave it, 0 when none
    bool syncing_ = false;
    bool settingColumns_ = false;
    bool refocus_ = false;
    bool pressing_ = false;
    bool refusedByPress_ = false;
    bool reselecting_ = false;
    int columnBeforeReset_ = -1;
    bool columnLines_ = true, rowLines_ = true;

    int activeTitleIndex_ = 0;
    Bevel activeTitleBevel_ = Bevel::Lowered;
    QColor activeTitleColor_;
    bool activeColumnBold_ = false;
    bool clickTitleEnabled_ = false;
    int lockedCols_ = 0;
    int lockedApplied_ = 0;
    QFont lockedFont_;
    QColor lockedColor_ = QColor(192, 192, 192);
    QString keyField_;
    bool checkEnabled_ = false;
    QColor checkedColor_ = QColor(128, 128, 128);
    bool checkedSignum_ = false;
    bool enterIsTab_ = false;
    MarkList marks_;
};

}  // namespace dorvana
