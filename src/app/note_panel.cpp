#include "app/note_panel.h"

#include <QVBoxLayout>

#include "controls/data_memo.h"

namespace dorvana {

NotePanel::NotePanel(QWidget* parent) : TPlovouciPanel(parent), memo_(new TDBMemoZelvan(this)) {
    setObjectName(QStringLiteral("Poznamka"));
    setCaption(QStringLiteral("Poznámka"));
    setMoveEnabled(true);
    setResizeStyle(ResizeStyle::rsBoth);
    memo_->setObjectName(QStringLiteral("PoznamkaMemo"));
    memo_->setAccessibleName(QStringLiteral("Poznámka"));
    memo_->setMaxLength(kNoteMaxLength);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 2, 4, 4);
    lay->addWidget(memo_);
    setMinimumSize(120, captionHeight() + 40);
    resize(360, 220);
    hide();
}

void NotePanel::setMessages(Messages* messages) {
    memo_->setMessages(messages);
}

void NotePanel::bind(DataSet* dataSet, const QString& field) {
    if (memo_->dataSet() == dataSet && memo_->dataField() == field) return;
    memo_->updateRecord();
    memo_->setDataSet(nullptr);
    memo_->setDataField(field);
    memo_->setDataSet(dataSet);
}

void NotePanel::showForEditing() {
    show();
    raise();
    memo_->setFocus();
}

}  // namespace dorvana
