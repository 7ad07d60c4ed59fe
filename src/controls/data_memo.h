#pragma once
// TDBMemoZelvan: a memo bound to a field of a data set. Typing puts the data
// set into edit state; leaving the memo writes its text into the record
// buffer at once (a refused text brings the focus back and is reported).

#include <QPlainTextEdit>

#include "controls/message_boxes.h"
#include "data/data_set.h"

namespace dorvana {

class Messages;

class TDBMemoZelvan : public QPlainTextEdit, public DataSetObserver {
    Q_OBJECT
public:
    explicit TDBMemoZelvan(QWidget* parent = nullptr);
    ~TDBMemoZelvan() override;

    void setDataSet(DataSet* dataSet);
    DataSet* dataSet() const { return dataSet_; }
    void setDataField(const QString& name);
    const QString& dataField() const { return fieldName_; }
    void setMessages(Messages* messages);

    // Writes the text into the record buffer; false (reported) when the field refuses it.
    bool updateRecord();

    void dataSetEvent(DataSet& dataSet, DataSetEvent event) override;
    void dataSetDestroyed(DataSet& dataSet) override;

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    Field* boundField() const;
    void loadText();

    DataSet* dataSet_ = nullptr;
    QString fieldName_;
    bool loading_ = false;
    bool modified_ = false;
    MessageBoxes ownMessages_;
    Messages* messages_;
};

}  // namespace dorvana
