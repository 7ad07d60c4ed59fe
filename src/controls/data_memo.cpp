#include "controls/data_memo.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include "controls/message_boxes.h"

namespace dorvana {

TDBMemoZelvan::TDBMemoZelvan(QWidget* parent)
    : QPlainTextEdit(parent), ownMessages_(this), messages_(&ownMessages_) {
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) {
                lastChangeEnd_ = position + added;
                lastAdded_ = added;
            });
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (loading_) return;
        keepMaxLength();
        modified_ = true;
        if (dataSet_ && dataSet_->isOpen() && dataSet_->state() == DataSet::State::Browse) {
            QString err;
            if (!dataSet_->edit(&err)) messages_->error(err);
        }
    });
}

TDBMemoZelvan::~TDBMemoZelvan() {
    if (dataSet_) dataSet_->removeObserver(this);
}

void TDBMemoZelvan::keepMaxLength() {
    const int length = document()->characterCount() - 1;
    if (maxLength_ <= 0 || length <= maxLength_) return;
    // The excess is taken from the end of what was just typed or pasted.
    const int end = std::min(lastChangeEnd_, length);
    const int cut = std::min({length - maxLength_, lastAdded_, end});
    if (cut <= 0) return;
    loading_ = true;
    QTextCursor c(document());
    c.setPosition(end - cut);
    c.setPosition(end, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    loading_ = false;
    messages_->beep();
}

void TDBMemoZelvan::setDataSet(DataSet* dataSet) {
    if (dataSet_) dataSet_->removeObserver(this);
    dataSet_ = dataSet;
    if (dataSet_) dataSet_->addObserver(this);
    loadText();
}

void TDBMemoZelvan::setDataField(const QString& name) {
    fieldName_ = name;
    loadText();
}

void TDBMemoZelvan::setMessages(Messages* messages) {
    messages_ = messages ? messages : &ownMessages_;
}

Field* TDBMemoZelvan::boundField() const {
    return dataSet_ && dataSet_->isOpen() ? dataSet_->findField(fieldName_) : nullptr;
}

void TDBMemoZelvan::loadText() {
    loading_ = true;
    Field* f = boundField();
    setPlainText(f ? (f->dataType() == FieldType::Memo ? QString::fromUtf8(f->blob()) : f->displayText())
                   : QString());
    setReadOnly(!f || dataSet_->isReadOnly() || f->isCalculated());
    modified_ = false;
    loading_ = false;
}

void TDBMemoZelvan::dataSetDestroyed(DataSet&) {
    dataSet_ = nullptr;
    loadText();
}

void TDBMemoZelvan::dataSetEvent(DataSet&, DataSetEvent event) {
    // The text follows the record unless it is being typed.
    if (event == DataSetEvent::StateChanged && modified_ && dataSet_->state() != DataSet::State::Browse)
        return;
    loadText();
}

bool TDBMemoZelvan::updateRecord() {
    Field* f = boundField();
    if (!f || !modified_) return true;
    const DataSet::State st = dataSet_->state();
    if (st != DataSet::State::Edit && st != DataSet::State::Insert) return true;
    QString err;
    const bool ok = f->dataType() == FieldType::Memo ? f->setBlob(toPlainText().toUtf8(), &err)
                                                      : f->setText(toPlainText(), &err);
    if (!ok) {
        messages_->error(err);
        return false;
    }
    modified_ = false;
    return true;
}

void TDBMemoZelvan::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    Field* f = boundField();
    if (!f || (f->dataType() != FieldType::String && f->dataType() != FieldType::Memo)) return;
    if (!updateRecord()) QTimer::singleShot(0, this, [this] { setFocus(); });
}

}  // namespace dorvana
