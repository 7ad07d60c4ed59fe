#include "report/designer/dialogs/paper_format_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/rounding.h"
#include "report/designer/dialogs/sheet_chooser_dialog.h"
#include "report/model/paper/format_edit.h"

namespace dorvana {

TDlgFormatPapiru::TDlgFormatPapiru(const TFormatPapiru& format, bool editable, QWidget* parent)
    : QDialog(parent), format_(format) {
    setWindowTitle(QStringLiteral("Formát papíru"));
    setObjectName(QStringLiteral("TDlgFormatPapiru"));
    name_ = new QLineEdit(format.name, this);
    name_->setObjectName(QStringLiteral("EditNazev"));
    name_->setMaxLength(kFormatNameLength);
    width_ = new QLineEdit(QString::number(format.width), this);
    width_->setObjectName(QStringLiteral("EditSirka"));
    height_ = new QLineEdit(QString::number(format.height), this);
    height_->setObjectName(QStringLiteral("EditVyska"));
    millimetres_ = new QLabel(this);
    millimetres_->setObjectName(QStringLiteral("sire"));
    for (QLineEdit* e : {name_, width_, height_}) e->setEnabled(editable);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Název formátu:"), name_);
    form->addRow(QStringLiteral("Šířka papíru v bodech:"), width_);
    form->addRow(QStringLiteral("Výška papíru v bodech:"), height_);
    form->addRow(QStringLiteral("Rozměry v mm:"), millimetres_);
    name_->setMinimumWidth(220);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("Konec"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Konec"));
    ok->setDefault(true);
    auto* back = buttons->addButton(QStringLiteral("Zpět"), QDialogButtonBox::RejectRole);
    back->setObjectName(QStringLiteral("Zpet"));
    // A label sheet fills the name and the paper size (still editable).
    auto* sheet = buttons->addButton(QStringLiteral("Arch etiket…"), QDialogButtonBox::ActionRole);
    sheet->setObjectName(QStringLiteral("ArchEtiket"));
    sheet->setEnabled(editable);
    connect(sheet, &QPushButton::clicked, this, [this] {
        TDlgArchEtiket chooser(SheetCatalogue::standard(), this);
        if (chooser.exec() != QDialog::Accepted || !chooser.chosen()) return;
        const SheetProduct& p = *chooser.chosen();
        name_->setText(p.name().left(kFormatNameLength));
        width_->setText(QString::number(roundHalfEven(p.paperWidth * 100 / 72)));
        height_->setText(QString::number(roundHalfEven(p.paperHeight * 100 / 72)));
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(width_, &QLineEdit::textChanged, this, [this] { updateMillimetres(); });
    connect(height_, &QLineEdit::textChanged, this, [this] { updateMillimetres(); });
    updateMillimetres();
}

void TDlgFormatPapiru::updateMillimetres() {
    millimetres_->setText(formatSizeMmText(width_->text(), height_->text()));
}

TFormatPapiru TDlgFormatPapiru::result() const {
    TFormatPapiru f = format_;
    applyFormatEdit(f, name_->text(), width_->text(), height_->text());
    return f;
}

bool EditFormat(TFormatPapiru& format, bool editable, QWidget* parent) {
    TDlgFormatPapiru dialog(format, editable, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (editable) format = dialog.result();
    return true;
}

}  // namespace dorvana
