#include "report/windows/print_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "controls/message_boxes.h"
#include "report/render/printer/printer.h"
#include "report/render/printer/printer_kind.h"

namespace dorvana {

namespace {

QLabel* buddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

TPDialog::TPDialog(Printer& printer, const PrintDialogValues& values, QWidget* parent)
    : QDialog(parent), printer_(printer), initial_(values) {
    setObjectName(QStringLiteral("PDialog"));
    setWindowTitle(QStringLiteral("Tisk"));

    // The printers as the print system lists them; the current one chosen.
    listed_ = listPrinters(printer_);
    printers_ = new QComboBox(this);
    printers_->setObjectName(QStringLiteral("PrinterBox"));
    printers_->setAccessibleName(QStringLiteral("Název :"));
    for (const ListedPrinter& p : listed_) printers_->addItem(p.name);
    const int current = values.printerIndex >= 0 ? values.printerIndex : printer_.printerIndex();
    if (current >= 0 && current < printers_->count()) printers_->setCurrentIndex(current);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("StatusText"));
    type_ = new QLabel(this);
    type_->setObjectName(QStringLiteral("TypeText"));
    where_ = new QLabel(this);
    where_->setObjectName(QStringLiteral("WhereText"));
    propertiesButton_ = new QPushButton(QStringLiteral("&Vlastnosti..."), this);
    propertiesButton_->setObjectName(QStringLiteral("Vlastnosti"));
    propertiesButton_->setEnabled(false);

    auto* printerBox = new QGroupBox(QStringLiteral("Tiskárna"), this);
    auto* grid = new QGridLayout(printerBox);
    grid->addWidget(buddyLabel(QStringLiteral("Název :"), printers_, printerBox), 0, 0);
    grid->addWidget(printers_, 0, 1);
    grid->addWidget(propertiesButton_, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Stav :"), printerBox), 1, 0);
    grid->addWidget(status_, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Typ:"), printerBox), 2, 0);
    grid->addWidget(type_, 2, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Umístění:"), printerBox), 3, 0);
    grid->addWidget(where_, 3, 1, 1, 2);
    // Which paper the job goes out on when the printer has no sheet of the
    // template's size.
    paperNote_ = new QLabel(printerBox);
    paperNote_->setObjectName(QStringLiteral("PaperNote"));
    paperNote_->setWordWrap(true);
    paperNote_->hide();
    grid->addWidget(paperNote_, 4, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    // The page range: everything, or the pages from .. to.
    all_ = new QRadioButton(QStringLiteral("Vš&e"), this);
    all_->setObjectName(QStringLiteral("All"));
    range_ = new QRadioButton(QStringLiteral("&Stránky   od:"), this);
    range_->setObjectName(QStringLiteral("Range"));
    from_ = new QLineEdit(QString::number(values.firstPage), this);
    from_->setObjectName(QStringLiteral("FromPage"));
    from_->setAccessibleName(QStringLiteral("od:"));
    to_ = new QLineEdit(QString::number(values.lastPage), this);
    to_->setObjectName(QStringLiteral("ToPage"));
    to_->setAccessibleName(QStringLiteral("do:"));
    for (QLineEdit* e : {from_, to_}) {
        e->setValidator(new QIntValidator(0, 65535, e));
        e->setMaximumWidth(70);
        e->setEnabled(false);
    }
    all_->setChecked(true);
    range_->setEnabled(values.firstPage != values.lastPage);
    connect(range_, &QRadioButton::toggled, this, [this](bool on) {
        from_->setEnabled(on);
        to_->setEnabled(on);
        if (on) from_->setFocus();
    });
    auto* pagesBox = new QGroupBox(QStringLiteral("Rozsah tisku"), this);
    auto* pagesLayout = new QGridLayout(pagesBox);
    pagesLayout->addWidget(all_, 0, 0, 1, 4);
    pagesLayout->addWidget(range_, 1, 0);
    pagesLayout->addWidget(from_, 1, 1);
    pagesLayout->addWidget(buddyLabel(QStringLiteral("do:"), to_, pagesBox), 1, 2);
    pagesLayout->addWidget(to_, 1, 3);
    pagesLayout->setColumnStretch(4, 1);

    copies_ = new QSpinBox(this);
    copies_->setObjectName(QStringLiteral("Copies"));
    copies_->setAccessibleName(QStringLiteral("Počet kopií:"));
    copies_->setRange(1, 99999);
    copies_->setValue(qBound(1, values.copies, 99999));
    auto* copiesBox = new QGroupBox(QStringLiteral("Kopie"), this);
    auto* copiesLayout = new QFormLayout(copiesBox);
    copiesLayout->addRow(buddyLabel(QStringLiteral("Počet kopií:"), copies_, copiesBox), copies_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("O&K"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Storno"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* lower = new QHBoxLayout;
    lower->addWidget(pagesBox, 2);
    lower->addWidget(copiesBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(printerBox);
    layout->addLayout(lower);
    layout->addWidget(buttons);

    connect(printers_, &QComboBox::currentIndexChanged, this, [this] { showStatus(); });
    connect(propertiesButton_, &QPushButton::clicked, this, [this] {
        if (properties_ && printers_->currentIndex() >= 0) properties_(printers_->currentIndex());
    });
    showStatus();
    ok->setFocus();
}

void TPDialog::setPropertiesHandler(PropertiesHandler handler) {
    properties_ = std::move(handler);
    propertiesButton_->setEnabled(bool(properties_) && printers_->currentIndex() >= 0);
}

void TPDialog::showStatus() {
    const int i = printers_->currentIndex();
    if (i < 0 || i >= listed_.size()) {
        status_->clear();
        type_->clear();
        where_->clear();
        paperNote_->clear();
        paperNote_->hide();
        return;
    }
    const ListedPrinter& p = listed_[i];
    status_->setText(printerStatusText(p.kind));
    type_->setText(p.driverName);
    where_->setText(p.port);
    paperNote_->setText(initial_.paperNote ? initial_.paperNote(i) : QString());
    paperNote_->setVisible(!paperNote_->text().isEmpty());
}

PrintDialogValues TPDialog::values() const {
    PrintDialogValues v = initial_;
    v.printerIndex = printers_->currentIndex();
    if (range_->isChecked()) {
        v.firstPage = from_->text().remove(u' ').toInt();
        v.lastPage = to_->text().remove(u' ').toInt();
    }
    v.copies = copies_->value();
    return v;
}

bool TPDialog::checkValues(QString* error) const {
    if (printers_->currentIndex() < 0) {
        *error = QStringLiteral("Není vybrána žádná tiskárna.");
        return false;
    }
    if (!range_->isChecked()) return true;
    bool okFrom = false, okTo = false;
    const int from = from_->text().remove(u' ').toInt(&okFrom);
    const int to = to_->text().remove(u' ').toInt(&okTo);
    if (!okFrom || !okTo || from < 1 || to < 1 || from > 65535 || to > 65535) {
        *error = QStringLiteral("Čísla stránek musí být celá čísla od 1 do 65535.");
        return false;
    }
    if (from > to) {
        *error = QStringLiteral("První stránka %1 je za poslední stránkou %2.").arg(from).arg(to);
        return false;
    }
    return true;
}

void TPDialog::accept() {
    QString error;
    if (!checkValues(&error)) {
        MessageBoxes(this).error(error);
        (range_->isChecked() ? from_ : static_cast<QWidget*>(printers_))->setFocus();
        return;
    }
    QDialog::accept();
}

bool TPDialog::Execute() { return exec() == QDialog::Accepted; }

}  // namespace dorvana
