#include "controls/data_set_model.h"

#include "base/messages.h"
#include "data/field_value.h"

namespace dorvana {

DataSetModel::DataSetModel(QObject* parent) : QAbstractTableModel(parent) {}

DataSetModel::~DataSetModel() {
    if (dataSet_) dataSet_->removeObserver(this);
}

void DataSetModel::setDataSet(DataSet* dataSet) {
    if (dataSet_ == dataSet) {
        refreshAll();
        return;
    }
    if (dataSet_) dataSet_->removeObserver(this);
    dataSet_ = dataSet;
    if (dataSet_) dataSet_->addObserver(this);
    insertRow_ = -1;
    lastPos_ = dataSet_ ? std::max<qint64>(0, dataSet_->recNo() - 1) : 0;
    refreshAll();
    emit currentRecordChanged();
}

void DataSetModel::setColumns(const GridColumns& columns) {
    beginResetModel();
    columns_ = columns;
    bindFields();
    cachedPos_ = -1;
    endResetModel();
    emit currentRecordChanged();
}

void DataSetModel::bindFields() {
    fieldIndex_.clear();
    for (const GridColumn& c : columns_)
        fieldIndex_ << (dataSet_ ? dataSet_->fieldIndex(c.fieldName) : -1);
}

Field* DataSetModel::fieldOfColumn(int column) const {
    if (!dataSet_ || column < 0 || column >= fieldIndex_.size()) return nullptr;
    return dataSet_->field(fieldIndex_[column]);
}

void DataSetModel::refreshAll() {
    beginResetModel();
    cachedPos_ = -1;
    const qint64 count = dataSet_ ? dataSet_->recordCount() : 0;
    if (!dataSet_ || dataSet_->state() != DataSet::State::Insert) insertRow_ = -1;
    rowCount_ = int(std::min<qint64>(count, INT_MAX - 1)) + (insertRow_ >= 0 ? 1 : 0);
    bindFields();
    endResetModel();
}

int DataSetModel::currentRow() const {
    if (!dataSet_ || !dataSet_->isOpen()) return -1;
    if (insertRow_ >= 0) return insertRow_;
    const qint64 n = dataSet_->recNo();
    return n > 0 ? int(n - 1) : -1;
}

qint64 DataSetModel::positionOfRow(int row) const {
    if (row < 0 || row >= rowCount_) return -1;
    if (insertRow_ >= 0) {
        if (row == insertRow_) return -1;
        if (row > insertRow_) return row - 1;
    }
    return row;
}

bool DataSetModel::recordOfRow(int row, RawRecord* out) const {
    const qint64 pos = positionOfRow(row);
    if (pos < 0) return false;
    if (pos != cachedPos_) {
        if (!dataSet_->peekRecord(pos, &cached_)) {
            cachedPos_ = -1;
            return false;
        }
        cachedPos_ = pos;
    }
    *out = cached_;
    return true;
}

bool DataSetModel::moveToRow(int row) {
    if (!dataSet_ || !dataSet_->isOpen() || row == currentRow()) return true;
    const DataSet::State st = dataSet_->state();
    if (st == DataSet::State::Edit || st == DataSet::State::Insert) {
        // The edited record is kept before another one becomes current.
        const qint64 targetPos = positionOfRow(row);
        QString err;
        if (!dataSet_->post(&err)) {
            fail(err);
            return false;
        }
        if (targetPos >= 0) dataSet_->setRecNo(targetPos + 1);
        return true;
    }
    const qint64 pos = positionOfRow(row);
    return pos >= 0 && dataSet_->setRecNo(pos + 1);
}

int DataSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rowCount_;
}

int DataSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !dataSet_ || !dataSet_->isOpen()) return {};
    Field* f = fieldOfColumn(index.column());
    if (!f) return {};
    if (role == Qt::TextAlignmentRole)
        return int((f->alignment() == 1   ? Qt::AlignRight
                    : f->alignment() == 2 ? Qt::AlignHCenter
                                          : Qt::AlignLeft) |
                   Qt::AlignVCenter);
    if (role == Qt::FontRole && index.column() == boldColumn_) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    // The current record shows what is being edited.
    const DataSet::State st = dataSet_->state();
    if (index.row() == currentRow() && (st == DataSet::State::Edit || st == DataSet::State::Insert))
        return role == Qt::EditRole ? f->editText() : f->displayText();
    RawRecord r;
    if (!recordOfRow(index.row(), &r)) return {};
    const QVariant& raw = r.value(f->index());
    return role == Qt::EditRole ? textOfRaw(raw, f->dataType(), f->editFormat(), false)
                                : textOfRaw(raw, f->dataType(), f->displayFormat());
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section < 0 || section >= columns_.size()) return {};
    const GridColumn& c = columns_[section];
    if (!c.title.isEmpty()) return c.title;
    if (Field* f = fieldOfColumn(section)) return f->displayLabel();
    return c.fieldName;
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags fl = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    Field* f = fieldOfColumn(index.column());
    if (!f || readOnly_ || columns_[index.column()].readOnly || f->isCalculated() ||
        dataSet_->isReadOnly())
        return fl;
    const FieldType t = f->dataType();
    if (isBlobType(t) && t != FieldType::Memo) return fl;
    return fl | Qt::ItemIsEditable;
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    editRefused_ = false;
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    Field* f = fieldOfColumn(index.column());
    if (index.row() != currentRow() && !moveToRow(index.row())) {
        editRefused_ = true;
        return false;
    }
    const QString text = value.toString();
    if (text == data(index, Qt::EditRole).toString()) return true;
    QString err;
    if (dataSet_->state() == DataSet::State::Browse && !dataSet_->edit(&err)) {
        editRefused_ = true;
        fail(err);
        return false;
    }
    if (!f->setText(text, &err)) {
        editRefused_ = true;
        fail(err);
        return false;
    }
    const int row = currentRow();
    emit dataChanged(this->index(row, 0), this->index(row, columnCount() - 1));
    return true;
}

void DataSetModel::setBoldColumn(int column) {
    if (boldColumn_ == column) return;
    boldColumn_ = column;
    if (rowCount_ > 0 && !columns_.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount_ - 1, columnCount() - 1), {Qt::FontRole});
}

void DataSetModel::fail(const QString& message) {
    lastError_ = message;
    if (messages_) messages_->error(message);
}

void DataSetModel::dataSetDestroyed(DataSet&) {
    dataSet_ = nullptr;
    insertRow_ = -1;
    cachedPos_ = -1;
    refreshAll();
    emit currentRecordChanged();
}

void DataSetModel::dataSetEvent(DataSet& ds, DataSetEvent event) {
    cachedPos_ = -1;
    switch (event) {
        case DataSetEvent::Opened:
        case DataSetEvent::Closed:
        case DataSetEvent::DataChanged:
            if (ds.state() == DataSet::State::Browse) lastPos_ = std::max<qint64>(0, ds.recNo() - 1);
            refreshAll();
            break;
        case DataSetEvent::RecordMoved:
            if (ds.state() == DataSet::State::Browse) lastPos_ = std::max<qint64>(0, ds.recNo() - 1);
            break;
        case DataSetEvent::StateChanged: {
            const bool inserting = ds.state() == DataSet::State::Insert;
            if (inserting && insertRow_ < 0) {
                const int at = int(std::min<qint64>(lastPos_, rowCount_));
                beginInsertRows({}, at, at);
                insertRow_ = at;
                ++rowCount_;
                endInsertRows();
            } else if (!inserting && insertRow_ >= 0) {
                const int at = insertRow_;
                beginRemoveRows({}, at, at);
                insertRow_ = -1;
                --rowCount_;
                endRemoveRows();
            }
            const int row = currentRow();
            if (row >= 0 && !columns_.isEmpty())
                emit dataChanged(index(row, 0), index(row, columnCount() - 1));
            break;
        }
    }
    emit currentRecordChanged();
}

}  // namespace dorvana
