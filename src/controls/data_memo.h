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
    // The most characters typing or pasting may bring the text to (0: no
    // limit). What goes beyond is cut off with a beep; a longer text read
    // from the record is shown whole.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int characters) { maxLength_ = std::max(0, characters); }

    // Writes the text into the record buffer; false (reported) when the field refuses it.
    bool updateRecord();

    void dataSetEvent(DataSet& dataSet, DataSetEvent event) override;
    void dataSetDestroyed(DataSet& dataSet) override;

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    Field* boundField() const;
    void loadText();
    void keepMaxLength();

    DataSet* dataSet_ = nullptr;
    QString fieldName_;
    bool loading_ = false;
    bool modified_ = false;
    int maxLength_ = 0;
    int lastChangeEnd_ = 0;  // where the last insertion ended
    int lastAdded_ = 0;      // and how many characters it brought
    MessageBoxes ownMessages_;
    Messages* messages_;
};

}  // namespace dorvana
