#pragma once
// TPDialog: the print dialog ("Tisk"). The user picks the printer, the page
// range and the number of copies, and can open the chosen printer's settings.

#include <QDialog>
#include <QList>

#include "report/render/job/print_pipeline.h"
#include "report/render/printer/printer_listing.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace dorvana {

class Printer;

class TPDialog : public QDialog {
    Q_OBJECT
public:
    // Opens the chosen printer's settings ("&Vlastnosti..."): true when the
    // user confirmed them. Unset: the button is disabled.
    using PropertiesHandler = std::function<bool(int printerIndex)>;

    TPDialog(Printer& printer, const PrintDialogValues& values, QWidget* parent = nullptr);

    void setPropertiesHandler(PropertiesHandler handler);

    // Under the printer's details: the paper note of the values for the
    // chosen printer ("Papír tiskárny: A4 — předloha má 60 x 40 mm"), hidden
    // when there is none.
    QLabel* paperNote() const { return paperNote_; }

    // The dialog's values: the printer chosen, the page range (the whole
    // report unless "&Stránky   od:" is chosen) and the copies.
    PrintDialogValues values() const;
    // Checks the page fields; false with a Czech message (the dialog then stays).
    bool checkValues(QString* error) const;

    // Shows it modally; true for OK.
    bool Execute();

    // OK: the values are checked and taken.
    void accept() override;

private:
    void showStatus();

    Printer& printer_;
    PrintDialogValues initial_;
    QList<ListedPrinter> listed_;
    PropertiesHandler properties_;
    QComboBox* printers_;
    QLabel* status_;
    QLabel* type_;
    QLabel* where_;
    QLabel* paperNote_;
    QPushButton* propertiesButton_;
    QRadioButton* all_;
    QRadioButton* range_;
    QLineEdit* from_;
    QLineEdit* to_;
    QSpinBox* copies_;
};

}  // namespace dorvana
