#include "report/windows/printer_choice_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/messages.h"
#include "report/render/printer/printer.h"
#include "report/windows/printer_setup_dialog.h"

namespace dorvana {

namespace {

// The settings of an installed printer: the current printer's own, the
// driver's defaults for another (made current only while they are read; the
// current printer keeps its settings).
std::optional<DeviceSettings> settingsOf(Printer& printer, int index) {
    const int current = printer.printerIndex();
    if (index == current) return printer.settings();
    const std::optional<DeviceSettings> kept = printer.settings();
    std::optional<DeviceSettings> record;
    if (printer.setPrinterIndex(index)) record = printer.settings();
    if (current >= 0 && printer.setPrinterIndex(current) && kept) printer.setSettings(*kept);
    return record;
}

}  // namespace

PrinterChoiceDialog::PrinterChoiceDialog(Printer& printer, QWidget* parent)
    : QDialog(parent), printer_(printer), list_(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("Nastavení tiskárny"));
    setObjectName(QStringLiteral("NastaveniTiskarny"));
    list_->setObjectName(QStringLiteral("Tiskarny"));
    list_->addItems(printer_.printers());
    list_->setCurrentIndex(printer_.printerIndex());
    list_->setMinimumContentsLength(30);
    auto* properties = new QPushButton(QStringLiteral("&Vlastnosti..."), this);
    properties->setObjectName(QStringLiteral("Vlastnosti"));
    properties->setEnabled(list_->count() > 0);
    connect(properties, &QPushButton::clicked, this, &PrinterChoiceDialog::editProperties);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(list_->count() > 0);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Tiskárna:"), list_);
    form->addRow(QString(), properties);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void PrinterChoiceDialog::editProperties() {
    const int index = list_->currentIndex();
    if (index < 0 || index >= printer_.count()) return;
    std::optional<DeviceSettings> record = editedIndex_ == index ? edited_ : settingsOf(printer_, index);
    if (!record) return;
    if (!editDeviceSettings(printer_.entries()[index], *record, this)) return;
    editedIndex_ = index;
    edited_ = record;
}

bool PrinterChoiceDialog::apply(QString* error) {
    const int index = list_->currentIndex();
    if (index < 0 || !printer_.setPrinterIndex(index) ||
        (editedIndex_ == index && edited_ && !printer_.setSettings(*edited_))) {
        if (error) *error = printer_.lastError();
        return false;
    }
    return true;
}

bool choosePrinter(Printer& printer, Messages& messages, QWidget* parent) {
    PrinterChoiceDialog dialog(printer, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    QString error;
    if (dialog.apply(&error)) return true;
    messages.error(error.isEmpty() ? QStringLiteral("Tiskárnu nelze nastavit.") : error);
    return false;
}

}  // namespace dorvana
