#pragma once
// A table model over a data set for a grid: one row per visible record, one
// column per grid column (bound to a field by name). Rows are read through
// the data set's windowed peek, so a grid over a million records reads only
// the rows it paints. While the data set inserts a record, the insert buffer
// shows as an extra row at the place of the insert.

#include <QAbstractTableModel>
#include <QFont>
#include <QPointer>

#include "data/data_set.h"
#include "data/grid_column.h"

namespace dorvana {

class Messages;

class DataSetModel : public QAbstractTableModel, public DataSetObserver {
    Q_OBJECT
public:
    explicit DataSetModel(QObject* parent = nullptr);
    ~DataSetModel() override;

    void setDataSet(DataSet* dataSet);
    DataSet* dataSet() const { return dataSet_; }
    void setColumns(const GridColumns& columns);
    const GridColumns& columns() const { return columns_; }
    // The field a column shows; null when the column's field is missing.
    Field* fieldOfColumn(int column) const;
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool readOnly() const { return readOnly_; }
    // Where edit errors are told (none: kept in lastError()).
    void setMessages(Messages* messages) { messages_ = messages; }
    const QString& lastError() const { return lastError_; }
    // Whether the last setData refused its value.
    bool lastEditRefused() const { return editRefused_; }
    // The column whose cells are drawn bold, -1 none.
    void setBoldColumn(int column);
    int boldColumn() const { return boldColumn_; }

    // The model row of the current record (the insert row while inserting);
    // -1 without records.
    int currentRow() const;
    // The data set's record at a model row: its visible position, -1 for the
    // insert row.
    qint64 positionOfRow(int row) const;
    // The raw values of a row; false beyond the end.
    bool recordOfRow(int row, RawRecord* out) const;
    // Moves the data set's current record to a row (posting an edit first);
    // false when the post fails (the error is told).
    bool moveToRow(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    void dataSetEvent(DataSet& dataSet, DataSetEvent event) override;
    void dataSetDestroyed(DataSet& dataSet) override;

signals:
    // The data set's current record moved (or its state changed).
    void currentRecordChanged();

private:
    void refreshAll();
    void bindFields();
    void fail(const QString& message);

    DataSet* dataSet_ = nullptr;
    GridColumns columns_;
    QList<int> fieldIndex_;  // per column, -1 when missing
    bool readOnly_ = false;
    int insertRow_ = -1;     // model row of the insert buffer while inserting
    qint64 lastPos_ = 0;     // current position before an insert
    int rowCount_ = 0;
    int boldColumn_ = -1;
    Messages* messages_ = nullptr;
    QString lastError_;
    bool editRefused_ = false;
    mutable qint64 cachedPos_ = -1;
    mutable RawRecord cached_;
};

}  // namespace dorvana
