#include "app/description_panel.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "app/core/label_columns.h"

namespace dorvana {

DescriptionPanel::DescriptionPanel(QWidget* parent)
    : TPlovouciPanel(parent), edit_(new QPlainTextEdit(this)), ok_(new QPushButton(QStringLiteral("&OK"), this)) {
    setObjectName(QStringLiteral("PopisyPoli"));
    setCaption(QStringLiteral("Popisy polí"));
    auto* names = new QLabel(descriptionRowNames().join(QLatin1Char('\n')), this);
    names->setObjectName(QStringLiteral("rowNames"));
    names->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    edit_->setObjectName(QStringLiteral("descriptionLines"));
    edit_->setAccessibleName(QStringLiteral("Popisy polí"));
    edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit_->setTabChangesFocus(true);
    // The row names line up with the lines of the list.
    edit_->document()->setDocumentMargin(0);
    edit_->setFrameShape(QFrame::NoFrame);
    edit_->setStyleSheet(QStringLiteral("QPlainTextEdit { border: 1px solid palette(mid); }"));
    names->setContentsMargins(0, 1, 0, 0);
    ok_->setObjectName(QStringLiteral("PPOK"));
    auto* lay = new QGridLayout(this);
    lay->setContentsMargins(6, 4, 6, 6);
    lay->addWidget(names, 0, 0);
    lay->addWidget(edit_, 0, 1);
    lay->addWidget(ok_, 1, 1, Qt::AlignRight);
    lay->setColumnStretch(1, 1);
    const int lineHeight = QFontMetrics(edit_->font()).lineSpacing();
    edit_->setMinimumHeight(lineHeight * 16 + 4);
    names->setMinimumHeight(lineHeight * 16);
    setMinimumSize(420, lineHeight * 16 + 90);
    resize(minimumSize());
    connect(ok_, &QPushButton::clicked, this, &DescriptionPanel::accepted);
    connect(edit_, &QPlainTextEdit::textChanged, this, &DescriptionPanel::keepFifteenLines);
    hide();
}

void DescriptionPanel::setLines(const QStringList& lines) {
    edit_->setPlainText(lines.join(QLatin1Char('\n')));
}

QStringList DescriptionPanel::lines() const {
    QStringList out = edit_->toPlainText().split(QLatin1Char('\n'));
    while (out.size() > kDescriptionLineCount) out.removeLast();
    while (!out.isEmpty() && out.last().isEmpty()) out.removeLast();
    return out;
}

void DescriptionPanel::keepFifteenLines() {
    if (trimming_ || edit_->document()->blockCount() <= kDescriptionLineCount) return;
    // A 16th line is deleted at once.
    trimming_ = true;
    QTextCursor c(edit_->document()->findBlockByNumber(kDescriptionLineCount - 1));
    c.movePosition(QTextCursor::EndOfBlock);
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    trimming_ = false;
}

void DescriptionPanel::showForEditing() {
    show();
    raise();
    edit_->setFocus();
}

}  // namespace dorvana
