#pragma once
// The print bar of the main window at work: the two buttons that switch it
// between label templates ("Dorvana (Aktuální záznam)", Sestava2, "*.ptE")
// and report templates ("Tisk sestavy (Celá databáze)", Sestava1, "*.pts"),
// the template list CBP1, print, preview, design, a new template from a
// prototype with its name panel, deleting a template, "Jeden zaznam" and
// "Pozice etikety". The work itself is LabelPrinting's; the report windows
// come from the report library.

#include <QObject>
#include <QPointer>

#include "app/core/label_printing.h"
#include "report/windows/report_windows.h"

class QAction;
class QCheckBox;
class QFrame;
class QLineEdit;
class QSpinBox;

namespace dorvana {

class TComboBoxPredloha;
class TMainForm;

class PrintBar : public QObject, public ReportOperations {
    Q_OBJECT
public:
    PrintBar(TMainForm& form, LabelPrinting& printing, Messages& messages);
    ~PrintBar() override;

    // Where the report windows open, what they print on and the designer
    // (tests set the printer, the print's prompts and look at each window as
    // it opens).
    ReportWindowHost host;
    // Makes designing possible ("Tvorba sestavy", "Nová sestava").
    void setDesigner(DesignerLauncher designer);

    TComboBoxPredloha* templateList() const { return list_; }
    QFrame* namePanel() const { return namePanel_; }
    QLineEdit* nameEdit() const { return nameEdit_; }

    // The handlers of the bar's controls.
    void PrintEtiClick();
    void PrintSesClick();
    void PrintButtonClick();
    void PrevButtonClick();
    void EdButtonClick();
    void NsesClick();
    void ovbutClick();
    void cvbutClick();
    void SpeedItem5Click();
    void CBP1Change();

    // ReportOperations through the report windows.
    bool design(TSestava& report) override;
    bool preview(TSestava& report) override;
    bool print(TSestava& report) override;
    Progress* preparationProgress() override;
    void preparationDone() override;

private:
    // Binds the list to a component with a mask and fills it.
    void bind(TSestava& report, const QString& mask);
    // Print, preview or design with the list's template; false when none is chosen.
    bool run(PrintMode mode);
    // Design, repeated while the designer asks for a restart.
    void designLoop(TSestava& report, const PrintChoice& choice);
    PrintChoice currentChoice() const;
    ReportWindowHost currentHost() const;
    void placeNamePanel();
    void showFirstEntry();
    // The print bar's part of the saved state: taken when the session is
    // restored, kept up to date for when it is saved.
    void restoreState();
    void keepState();
    // bary(true) enables every button; design only with a designer.
    void enableBars();

    TMainForm& form_;
    LabelPrinting& printing_;
    Messages& messages_;
    TComboBoxPredloha* list_;
    QCheckBox* oneRecord_;
    QSpinBox* labelPosition_;
    QAction* labelButton_;
    QAction* reportButton_;
    QFrame* namePanel_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;
    std::unique_ptr<Progress> progress_;
};

}  // namespace dorvana
