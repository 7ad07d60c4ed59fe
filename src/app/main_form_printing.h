#pragma once
// What the main window does with the records beyond showing them: the print
// bar (PrintBar), saving and loading the marks ("Označení" → "Uložení" /
// "Načtení"), excluding a record ("Vyloučit větu"), the filter dialog
// ("&Filtr") and record generation ("Tažení aktuální věty", or a double
// click in the grid of a label file). TMainForm creates one; it wires itself
// to the window's commands.

#include <QObject>
#include <memory>

#include "app/core/label_printing.h"
#include "app/file_chooser.h"
#include "app/generation_dialog.h"

namespace dorvana {

class Messages;
class PrintBar;
class TfmFilter2;
class TMainForm;

class MainFormPrinting : public QObject {
    Q_OBJECT
public:
    MainFormPrinting(TMainForm& form, Messages& messages);
    ~MainFormPrinting() override;

    LabelPrinting& printing() { return *printing_; }
    PrintBar& printBar() { return *printBar_; }

    // The open and save dialogs (tests answer them); a Qt file dialog unless set.
    FileChooser chooseFile;
    // Called with the filter dialog before it runs, and with the generation
    // dialog instead of running it (tests drive them there).
    std::function<void(TfmFilter2&)> filterDialogShown;
    std::function<bool(TGenForm&)> generationDialog;

    // The commands.
    void Uloen1Click();       // save the marks
    void Naten1Click();       // load marks
    void NavigClickDelete();  // exclude the current record
    void FiltrClick();        // "&Filtr"
    void DbG1DblClick();      // record generation

private:
    void updateCommands();
    QString choose(const FileRequest& request);

    TMainForm& form_;
    Messages& messages_;
    std::unique_ptr<LabelPrinting> printing_;
    PrintBar* printBar_;
};

}  // namespace dorvana
