#include "controls/marking_grid.h"

#include <QDateTime>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <qdrawutil.h>

#include "controls/data_set_model.h"
#include "controls/indicator.h"
#include "controls/live_table.h"
#include "controls/message_boxes.h"
#include "data/field_value.h"

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
        if (event->type() == QEvent::KeyPress) {
            auto* ke = static_cast<QKeyEvent*>(event);
            if (grid_->enterIsTab() && (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter)) {
                QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                return QStyledItemDelegate::eventFilter(editor, &tab);
            }
            if (ke->key() == Qt::Key_Escape && ke->modifiers() == Qt::NoModifier) {
                // The cell goes back and the editor closes; then Esc does
                // what it does in the grid.
                const bool done = QStyledItemDelegate::eventFilter(editor, event);
                grid_->escapePressed();
                return done;
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
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        columnBeforeReset_ = currentIndex().column();
        // The title row forgets its sizes on a reset: a width the user set
        // (a post, a refresh) is taken over.
        if (!settingColumns_) keepResizedWidths();
    });
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
    settingColumns_ = true;
    model_->setColumns(columns);
    settingColumns_ = false;
    applyColumnWidths();
    applyLocking();
    syncCurrentFromDataSet();
}

const GridColumns& TDbGridZelvan::columns() const {
    return columns_;
}

GridColumns TDbGridZelvan::columnsWithWidths() const {
    GridColumns out = columns_;
    for (int c = 0; c < out.size(); ++c) {
        if (isColumnHidden(c))
            out[c].width = 0;
        else if (c >= widened_.size() || widened_[c] != columnWidth(c))
            out[c].width = columnWidth(c);
    }
    return out;
}

void TDbGridZelvan::keepResizedWidths() {
    if (horizontalHeader()->count() != columns_.size()) return;
    for (int c = 0; c < columns_.size(); ++c)
        if (!isColumnHidden(c) && (c >= widened_.size() || widened_[c] != columnWidth(c)))
            columns_[c].width = columnWidth(c);
}

void TDbGridZelvan::setProgramWidthRule(std::function<bool(const GridColumn&)> rule) {
    programWidth_ = std::move(rule);
    applyColumnWidths();
}

QString TDbGridZelvan::widestSample(int column) const {
    const Field* f = model_->fieldOfColumn(column);
    if (!f) return {};
    QVariant raw;
    switch (f->dataType()) {
        case FieldType::Date:
            raw = QDate(2088, 12, 28);
            break;
        case FieldType::Time:
            raw = QTime(23, 58, 58);
            break;
        case FieldType::DateTime:
            raw = QDateTime(QDate(2088, 12, 28), QTime(23, 58, 58));
            break;
        case FieldType::Float:
        case FieldType::Currency:
        case FieldType::BCD:
            raw = -999999.99;  // a price as long as the column's format makes it
            break;
        case FieldType::Boolean:
            raw = false;
            break;
        case FieldType::Graphic:
        case FieldType::Blob:
        case FieldType::Bytes:
        case FieldType::VarBytes:
            raw = QByteArray(1, '\x01');
            break;
        default:
            return {};  // texts and whole numbers: as long as the data, the title decides
    }
    return textOfRaw(raw, f->dataType(), f->displayFormat());
}

int TDbGridZelvan::fittingWidth(int column) const {
    if (column < 0 || column >= model_->columnCount()) return 0;
    // The cell's text margins of the item delegate, the grid line, and some air.
    const int cellMargins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 1 + 4;
    const int headerMargins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 1 + 4;
    const QString title = model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const int titleWidth = horizontalHeader()->fontMetrics().horizontalAdvance(title) + headerMargins;
    const QString sample = widestSample(column);
    QFont cellFont = font();
    if (column == model_->boldColumn()) cellFont.setBold(true);
    const int cellWidth = sample.isEmpty() ? 0 : QFontMetrics(cellFont).horizontalAdvance(sample) + cellMargins;
    return std::max(titleWidth, cellWidth);
}

void TDbGridZelvan::applyColumnWidths() {
    widened_ = QList<int>(columns_.size(), 0);
    for (int c = 0; c < columns_.size(); ++c) {
        int w = columns_[c].width;
        setColumnHidden(c, w <= 0);
        if (w <= 0) continue;
        if (programWidth_ && model_->dataSet() && programWidth_(columns_[c])) {
            const int fit = fittingWidth(c);
            if (fit > w) widened_[c] = w = fit;
        }
        setColumnWidth(c, w);
    }
}

void TDbGridZelvan::setMessages(Messages* messages) {
    messages_ = messages ? messages : &ownMessages_;
    model_->setMessages(messages_);
}

void TDbGridZelvan::setGridReadOnly(bool readOnly) {
    model_->setReadOnly(readOnly);
}

void TDbGridZelvan::setDoubleClickEdits(bool on) {
    EditTriggers t = editTriggers();
    setEditTriggers(on ? t | QAbstractItemView::DoubleClicked : t & ~EditTriggers(QAbstractItemView::DoubleClicked));
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

void TDbGridZelvan::toggleValues(const QList<qint32>& values) {
    if (!checkEnabled_) return;
    for (qint32 v : values) marks_.toggle(v);
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
        refusedByPress_ = pressing_;
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

void TDbGridZelvan::mousePressEvent(QMouseEvent* event) {
    pressing_ = true;
    refusedByPress_ = false;
    QTableView::mousePressEvent(event);
    pressing_ = false;
    // A refused cell is not selected either (the view selects the pressed
    // cell after it has tried to make it current).
    if (refusedByPress_ && currentIndex().isValid())
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
    refusedByPress_ = false;
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
        escapePressed();
    } else if (event->key() == Qt::Key_Delete) {
        if (connected(&TDbGridZelvan::clickDel)) emit clickDel();
    }
}

void TDbGridZelvan::escapePressed() {
    DataSet* ds = dataSet();
    if (!ds || !ds->isOpen()) return;
    if (isSignalConnected(QMetaMethod::fromSignal(&TDbGridZelvan::clickEsc))) {
        emit clickEsc();
        return;
    }
    // As the navigator's cancel: the whole record goes back to what is stored.
    if (ds->state() != DataSet::State::Browse) ds->cancel();
}

void TDbGridZelvan::commitData(QWidget* editor) {
    QTableView::commitData(editor);
    // A refused value: its message box took the focus from the editor, which
    // now closes; the grid takes the focus back so that Esc reaches it.
    refocus_ = model_->lastEditRefused();
}

void TDbGridZelvan::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableView::closeEditor(editor, hint);
    if (refocus_) {
        refocus_ = false;
        setFocus(Qt::OtherFocusReason);  // the window's focus when it is active again
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
