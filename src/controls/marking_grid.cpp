#include "controls/marking_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <qdrawutil.h>

#include "controls/data_set_model.h"
#include "controls/indicator.h"
#include "controls/live_table.h"
#include "controls/message_boxes.h"

namespace dorvana {

// The indicator column: glyphs of the current record and the record marks.
class IndicatorHeader : public QHeaderView {
public:
    explicit IndicatorHeader(TDbGridZelvan* grid) : QHeaderView(Qt::Vertical, grid), grid_(grid) {
        setSectionResizeMode(QHeaderView::Fixed);
        setSectionsClickable(false);
    }
    QSize sizeHint() const override { return {24, QHeaderView::sizeHint().height()}; }

protected:
    void paintSection(QPainter* p, const QRect& rect, int row) const override {
        const bool both = grid_->bothLines();
        const qint32 key = grid_->checkEnabled_ ? grid_->keyValueOfRow(row) : 0;
        const bool marked = grid_->checkEnabled_ && grid_->marks_.contains(key);
        p->save();
        p->fillRect(rect, palette().button());
        p->setPen(palette().mid().color());
        p->drawLine(rect.topRight(), rect.bottomRight());
        p->drawLine(rect.bottomLeft(), rect.bottomRight());
        p->fillRect(indicatorFillRect(rect, both), marked ? grid_->checkedColor_ : palette().button().color());
        RowState st = RowState::Browse;
        if (DataSet* ds = grid_->dataSet()) {
            if (ds->state() == DataSet::State::Edit) st = RowState::Edit;
            if (ds->state() == DataSet::State::Insert) st = RowState::Insert;
        }
        const int g = indicatorGlyph(row == grid_->model_->currentRow(), st, marked,
                                     grid_->checkedSignum_);
        if (g >= 0) {
            const QPixmap& pm = indicatorGlyphPixmap(g);
            p->drawPixmap(indicatorGlyphRect(rect, pm.size(), both).topLeft(), pm);
        }
        p->restore();
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        const int row = logicalIndexAt(e->position().toPoint());
        if (row >= 0) grid_->indicatorClicked(row);
    }
    void mouseMoveEvent(QMouseEvent*) override {}
    void mouseReleaseEvent(QMouseEvent*) override {}
    void mouseDoubleClickEvent(QMouseEvent*) override {}

private:
    TDbGridZelvan* grid_;
};

// The title row: the active title is filled with its colour and framed.
class TitleHeader : public QHeaderView {
public:
    explicit TitleHeader(TDbGridZelvan* grid) : QHeaderView(Qt::Horizontal, grid), grid_(grid) {
        setSectionsClickable(true);
        setHighlightSections(false);
        connect(this, &QHeaderView::sectionClicked, grid, [grid](int s) { grid->titleClicked(s); });
    }

protected:
    void paintSection(QPainter* p, const QRect& rect, int logical) const override {
        if (logical != grid_->activeTitleIndex_ - 1) {
            QHeaderView::paintSection(p, rect, logical);
            return;
        }
        p->save();
        p->fillRect(rect, grid_->activeTitleColor_);
        switch (grid_->activeTitleBevel_) {
            case TDbGridZelvan::Bevel::Lowered:
                qDrawShadePanel(p, rect, palette(), true, 1);
                break;
            case TDbGridZelvan::Bevel::Raised:
                qDrawShadePanel(p, rect, palette(), false, 1);
                break;
            case TDbGridZelvan::Bevel::None:
                p->setPen(grid_->activeTitleColor_);
                p->drawRect(rect.adjusted(0, 0, -1, -1));
                break;
        }
        p->setPen(palette().buttonText().color());
        p->drawText(rect.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                    model()->headerData(logical, Qt::Horizontal).toString());
        p->restore();
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        QHeaderView::mouseReleaseEvent(e);
        grid_->applyLocking();  // after a resize the locked columns follow
    }

private:
    TDbGridZelvan* grid_;
};

namespace {

// Enter inside a cell editor acts as Tab when the grid says so.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(TDbGridZelvan* grid) : QStyledItemDelegate(grid), grid_(grid) {}

protected:
    bool eventFilter(QObject* editor, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && grid_->enterIsTab()) {
            auto* ke = static_cast<QKeyEvent*>(event);
            if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) {
                QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                return QStyledItemDelegate::eventFilter(editor, &tab);
            }
        }
        return QStyledItemDelegate::eventFilter(editor, event);
    }

private:
    TDbGridZelvan* grid_;
};

bool isEnter(const QKeyEvent* e) {
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

}  // namespace

TDbGridZelvan::TDbGridZelvan(QWidget* parent)
    : QTableView(parent),
      model_(new DataSetModel(this)),
      live_(new LiveTableWatcher(this)),
      indicator_(new IndicatorHeader(this)),
      titles_(new TitleHeader(this)),
      ownMessages_(this),
      messages_(&ownMessages_) {
    setVerticalHeader(indicator_);
    setHorizontalHeader(titles_);
    // A title click selects the active title, not the whole column.
    disconnect(titles_, SIGNAL(sectionPressed(int)), this, SLOT(selectColumn(int)));
    disconnect(titles_, SIGNAL(sectionEntered(int)), this, nullptr);
    setModel(model_);
    model_->setMessages(messages_);
    setItemDelegate(new GridDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setWordWrap(false);
    indicator_->setDefaultSectionSize(fontMetrics().height() + 6);
    activeTitleColor_ = palette().button().color();
    lockedFont_ = font();
    connect(model_, &DataSetModel::currentRecordChanged, this,
            &TDbGridZelvan::syncCurrentFromDataSet);
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { columnBeforeReset_ = currentIndex().column(); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        applyColumnWidths();
        applyLocking();
        // A reread (after a post, a refresh) keeps the cursor in its column.
        const int row = model_->currentRow(), col = columnBeforeReset_;
        if (row < 0 || col < lockedApplied_ || col >= model_->columnCount() || isColumnHidden(col)) return;
        syncing_ = true;
        setCurrentIndex(model_->index(row, col));
        syncing_ = false;
    });
}

TDbGridZelvan::~TDbGridZelvan() {
    live_->setDataSet(nullptr);
    model_->setDataSet(nullptr);
}

void TDbGridZelvan::setDataSet(DataSet* dataSet) {
    model_->setDataSet(dataSet);
    // Another clerk's change of a shared table shows as soon as it is announced.
    live_->setDataSet(dataSet);
}

DataSet* TDbGridZelvan::dataSet() const {
    return model_->dataSet();
}

void TDbGridZelvan::setColumns(const GridColumns& columns) {
    columns_ = columns;
    model_->setColumns(columns);
    applyColumnWidths();
    applyLocking();
    syncCurrentFromDataSet();
}

const GridColumns& TDbGridZelvan::columns() const {
    return columns_;
}

GridColumns TDbGridZelvan::columnsWithWidths() const {
    GridColumns out = columns_;
    for (int c = 0; c < out.size(); ++c) out[c].width = isColumnHidden(c) ? 0 : columnWidth(c);
    return out;
}

void TDbGridZelvan::applyColumnWidths() {
    for (int c = 0; c < columns_.size(); ++c) {
        const int w = columns_[c].width;
        setColumnHidden(c, w <= 0);
        if (w > 0) setColumnWidth(c, w);
    }
}

void TDbGridZelvan::setMessages(Messages* messages) {
    messages_ = messages ? messages : &ownMessages_;
    model_->setMessages(messages_);
}

void TDbGridZelvan::setGridReadOnly(bool readOnly) {
    model_->setReadOnly(readOnly);
}

bool TDbGridZelvan::gridReadOnly() const {
    return model_->readOnly();
}

void TDbGridZelvan::setLines(bool columnLines, bool rowLines) {
    columnLines_ = columnLines;
    rowLines_ = rowLines;
    setShowGrid(columnLines || rowLines);
    indicator_->viewport()->update();
}

// ------------------------------------------------------------ active title

void TDbGridZelvan::setActiveTitleIndex(int index) {
    activeTitleIndex_ = index;
    model_->setBoldColumn(activeColumnBold_ ? index - 1 : -1);
    titles_->viewport()->update();
}

void TDbGridZelvan::setActiveTitleBevel(Bevel b) {
    activeTitleBevel_ = b;
    titles_->viewport()->update();
}

void TDbGridZelvan::setActiveTitleColor(const QColor& c) {
    activeTitleColor_ = c;
    titles_->viewport()->update();
}

void TDbGridZelvan::setActiveColumnBold(bool on) {
    activeColumnBold_ = on;
    setActiveTitleIndex(activeTitleIndex_);
}

void TDbGridZelvan::titleClicked(int logical) {
    if (!clickTitleEnabled_) return;
    int target = logical + 1;
    emit changeTitle(&target);
    if (target == activeTitleIndex_) return;
    setActiveTitleIndex(target);
    const int column = target - 1;
    const QString name = column >= 0 && column < columns_.size() ? columns_[column].fieldName : QString();
    emit clickTitle(name, column);
}

// ------------------------------------------------------------ locked columns

void TDbGridZelvan::setLockedCols(int n) {
    lockedCols_ = std::max(0, n);
    applyLocking();
}

void TDbGridZelvan::setLockedFont(const QFont& f) {
    lockedFont_ = f;
    applyLocking();
}

void TDbGridZelvan::setLockedColor(const QColor& c) {
    lockedColor_ = c;
    applyLocking();
}

int TDbGridZelvan::lockedWidth() const {
    int w = 0;
    for (int c = 0; c < lockedApplied_; ++c)
        if (!isColumnHidden(c)) w += columnWidth(c);
    return w;
}

int TDbGridZelvan::firstEnterableColumn() const {
    for (int c = lockedApplied_; c < model_->columnCount(); ++c)
        if (!isColumnHidden(c)) return c;
    return lockedApplied_;
}

void TDbGridZelvan::applyLocking() {
    const int dataColumns = model_->columnCount();
    lockedApplied_ = lockedCols_ > 0 && lockedCols_ < dataColumns - 1 ? lockedCols_ : 0;
    if (lockedApplied_ == 0) {
        delete locked_;
        locked_ = nullptr;
        return;
    }
    if (!locked_) {
        locked_ = new QTableView(this);
        locked_->setObjectName(QStringLiteral("lockedColumns"));
        locked_->setModel(model_);
        locked_->setFocusPolicy(Qt::NoFocus);
        locked_->verticalHeader()->hide();
        locked_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        locked_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        locked_->setSelectionMode(QAbstractItemView::NoSelection);
        locked_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        locked_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        locked_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        locked_->setFrameShape(QFrame::NoFrame);
        locked_->setWordWrap(false);
        viewport()->stackUnder(locked_);
        connect(locked_->verticalScrollBar(), &QAbstractSlider::valueChanged,
                verticalScrollBar(), &QAbstractSlider::setValue);
        connect(verticalScrollBar(), &QAbstractSlider::valueChanged,
                locked_->verticalScrollBar(), &QAbstractSlider::setValue);
        locked_->show();
    }
    locked_->verticalHeader()->setDefaultSectionSize(indicator_->defaultSectionSize());
    locked_->setFont(lockedFont_);
    QPalette pal = locked_->palette();
    pal.setColor(QPalette::Base, lockedColor_);
    pal.setColor(QPalette::AlternateBase, lockedColor_);
    locked_->setPalette(pal);
    for (int c = 0; c < dataColumns; ++c) {
        locked_->setColumnHidden(c, c >= lockedApplied_ || isColumnHidden(c));
        if (c < lockedApplied_ && !isColumnHidden(c)) locked_->setColumnWidth(c, columnWidth(c));
    }
    locked_->verticalScrollBar()->setValue(verticalScrollBar()->value());
    layoutLocked();
    const QModelIndex cur = currentIndex();
    if (cur.isValid() && cur.column() < lockedApplied_)
        setCurrentIndex(model_->index(cur.row(), firstEnterableColumn()));
}

void TDbGridZelvan::layoutLocked() {
    if (!locked_) return;
    locked_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    locked_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), lockedWidth(),
                         viewport()->height() + horizontalHeader()->height());
}

void TDbGridZelvan::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    layoutLocked();
}

void TDbGridZelvan::updateGeometries() {
    QTableView::updateGeometries();
    layoutLocked();
}

QModelIndex TDbGridZelvan::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (lockedApplied_ > 0 && next.isValid() && next.column() < lockedApplied_)
        next = model_->index(next.row(), firstEnterableColumn());
    return next;
}

void TDbGridZelvan::scrollTo(const QModelIndex& index, ScrollHint hint) {
    QTableView::scrollTo(index, hint);
    if (lockedApplied_ > 0 && index.isValid() && index.column() >= lockedApplied_) {
        const int left = visualRect(index).left();
        if (left < lockedWidth())
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (lockedWidth() - left));
    }
}

// ------------------------------------------------------------ marks

void TDbGridZelvan::setKeyField(const QString& name) {
    keyField_ = name;
    indicator_->viewport()->update();
}

void TDbGridZelvan::setCheckEnabled(bool on) {
    if (on && keyField_.isEmpty()) {
        messages_->error(QStringLiteral("Položka \"KeyField\" musí být definována"));
        return;
    }
    checkEnabled_ = on;
    indicator_->viewport()->update();
}

void TDbGridZelvan::setCheckedColor(const QColor& c) {
    checkedColor_ = c;
    indicator_->viewport()->update();
}

void TDbGridZelvan::setCheckedSignum(bool on) {
    checkedSignum_ = on;
    indicator_->viewport()->update();
}

void TDbGridZelvan::repaintIndicator() {
    indicator_->viewport()->update();
}

void TDbGridZelvan::toggleCurrent() {
    if (!checkEnabled_) return;
    marks_.toggle(currentKeyValue());
    repaintIndicator();
}

void TDbGridZelvan::toggleValue(qint32 v) {
    if (!checkEnabled_) return;
    marks_.toggle(v);
    repaintIndicator();
}

void TDbGridZelvan::clearMarks() {
    if (!checkEnabled_) return;
    marks_.clear();
    repaintIndicator();
}

void TDbGridZelvan::addMarks(const QList<qint32>& values) {
    if (!checkEnabled_) return;
    for (qint32 v : values) marks_.add(v);
    repaintIndicator();
}

namespace {
qint32 keyOf(const QVariant& raw) {
    bool ok = false;
    const qint64 v = raw.toLongLong(&ok);
    return ok && v >= INT32_MIN && v <= INT32_MAX ? qint32(v) : 0;
}
}  // namespace

qint32 TDbGridZelvan::currentKeyValue() const {
    DataSet* ds = dataSet();
    if (!ds || !ds->isOpen() || keyField_.isEmpty()) return 0;
    const int i = ds->fieldIndex(keyField_);
    return i < 0 ? 0 : keyOf(ds->rawValue(i));
}

qint32 TDbGridZelvan::keyValueOfRow(int row) const {
    DataSet* ds = dataSet();
    if (!ds || !ds->isOpen() || keyField_.isEmpty()) return 0;
    if (row == model_->currentRow()) return currentKeyValue();
    const int i = ds->fieldIndex(keyField_);
    RawRecord r;
    if (i < 0 || !model_->recordOfRow(row, &r)) return 0;
    return keyOf(r.value(i));
}

// ------------------------------------------------------------ current record

QString TDbGridZelvan::selectedFieldName() const {
    const int c = currentIndex().column();
    return c >= 0 && c < columns_.size() ? columns_[c].fieldName : QString();
}

int TDbGridZelvan::currentRecordRow() const {
    return model_->currentRow();
}

void TDbGridZelvan::syncCurrentFromDataSet() {
    repaintIndicator();
    if (syncing_) return;
    const int row = model_->currentRow();
    if (row < 0) return;
    const QModelIndex cur = currentIndex();
    if (cur.isValid() && cur.row() == row) return;
    int col = cur.isValid() ? cur.column() : firstEnterableColumn();
    if (col < lockedApplied_ || isColumnHidden(col)) col = firstEnterableColumn();
    syncing_ = true;
    setCurrentIndex(model_->index(row, col));
    syncing_ = false;
}

void TDbGridZelvan::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    repaintIndicator();
    if (syncing_ || !current.isValid()) return;
    syncing_ = true;
    QModelIndex target = current;
    if (lockedApplied_ > 0 && target.column() < lockedApplied_)
        target = model_->index(target.row(), firstEnterableColumn());
    bool accept = true;
    emit selectCell(target.column(), target.row(), &accept);
    bool ok = accept;
    if (ok && target.row() != model_->currentRow()) ok = model_->moveToRow(target.row());
    if (!ok) {
        // Refused: back to the data set's record (the handler may have moved
        // it), in the column left.
        const int row = model_->currentRow();
        const QModelIndex back = model_->index(row, previous.isValid() ? previous.column() : target.column());
        if (back.isValid()) setCurrentIndex(back);
    } else if (target != current || currentIndex().row() != model_->currentRow()) {
        const QModelIndex fixed = model_->index(model_->currentRow(), target.column());
        if (fixed.isValid()) setCurrentIndex(fixed);
    }
    syncing_ = false;
    repaintIndicator();
}

void TDbGridZelvan::indicatorClicked(int row) {
    const int col = currentIndex().isValid() ? currentIndex().column() : firstEnterableColumn();
    setCurrentIndex(model_->index(row, col));
    if (model_->currentRow() != row) return;
    toggleCurrent();
    emit checkClick();
}

void TDbGridZelvan::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    const QModelIndex cur = currentIndex();
    if (cur.isValid()) {
        bool accept = true;
        reselecting_ = true;
        emit selectCell(cur.column(), cur.row(), &accept);
        reselecting_ = false;
    }
}

// ------------------------------------------------------------ keys

void TDbGridZelvan::keyPressEvent(QKeyEvent* event) {
    const auto connected = [this](auto signal) {
        return isSignalConnected(QMetaMethod::fromSignal(signal));
    };
    if (enterIsTab_ && isEnter(event)) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QTableView::keyPressEvent(&tab);
        return;
    }
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        emit clickSpace(selectedFieldName());
        event->accept();
        return;
    }
    DataSet* ds = dataSet();
    const bool open = ds && ds->isOpen();
    if (event->key() == Qt::Key_Insert && open) {
        if (connected(&TDbGridZelvan::clickIns)) {
            emit clickIns();
        } else if (!gridReadOnly()) {
            QString err;
            if (!ds->insert(&err)) messages_->error(err);
        }
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
    if (!open) return;
    if (isEnter(event)) {
        emit clickEnter();
    } else if (event->key() == Qt::Key_Escape) {
        if (connected(&TDbGridZelvan::clickEsc))
            emit clickEsc();
        else if (ds->state() != DataSet::State::Browse)
            ds->cancel();
    } else if (event->key() == Qt::Key_Delete) {
        if (connected(&TDbGridZelvan::clickDel)) emit clickDel();
    }
}

void TDbGridZelvan::keyReleaseEvent(QKeyEvent* event) {
    if (enterIsTab_ && isEnter(event)) {
        event->accept();
        return;
    }
    QTableView::keyReleaseEvent(event);
}

}  // namespace dorvana
