#pragma once
// The program's printer setup ("Nastavení tiskárny"): which installed printer
// is current, and its settings through the print system's page setup. The
// choice takes effect only when confirmed.

#include <QDialog>
#include <optional>

#include "report/render/printer/device_settings.h"

class QComboBox;

namespace dorvana {

class Messages;
class Printer;

class PrinterChoiceDialog : public QDialog {
public:
    explicit PrinterChoiceDialog(Printer& printer, QWidget* parent = nullptr);

    QComboBox* printerList() const { return list_; }
    // Makes the chosen printer current, with the settings edited here when
    // they were edited for it; false with the printer's message otherwise.
    bool apply(QString* error);

private:
    void editProperties();

    Printer& printer_;
    QComboBox* list_;
    int editedIndex_ = -1;
    std::optional<DeviceSettings> edited_;
};

// Shows the dialog; true when the user confirmed and the printer took the
// choice (a failure is shown through messages).
bool choosePrinter(Printer& printer, Messages& messages, QWidget* parent);

}  // namespace dorvana
