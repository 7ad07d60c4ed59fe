#pragma once
// TDlgNovaSestava ("Návrh nové předlohy"): the wizard that writes a first
// template from the chosen fields, in columns or in rows.

#include <QDialog>
#include <functional>

#include "report/designer/dialogs/logic/new_report_wizard.h"

class QCheckBox;
class QListWidget;
class QPushButton;
class QToolButton;

namespace dorvana {

class Messages;

struct NewReportContext {
    QList<WizardField> fields;       // the data set's fields in data-set order
    WizardOptions options;           // sizes and fonts from the editor options and the paper
    bool enabledTypeFields = true;   // "Pol. podle názvu" may be chosen
    Messages* messages = nullptr;
    // "&Formát papíru": the report settings dialog on its paper page; gives
    // the room for the fields on the new paper, or nothing when cancelled.
    // Unset: the button is disabled.
    std::function<std::optional<WizardPaper>()> choosePaper;
    // "&Arch etiket…": a label sheet product for the template's page; gives
    // one label's room, or nothing when cancelled. Unset: disabled.
    std::function<std::optional<WizardPaper>()> chooseSheet;
};

class TDlgNovaSestava : public QDialog {
public:
    explicit TDlgNovaSestava(const NewReportContext& context, QWidget* parent = nullptr);
    // The generated template lines ("&Proveď"); empty before.
    const QStringList& lines() const { return lines_; }
    QStringList chosenFields() const;
    WizardOptions options() const;
    void accept() override;

    QListWidget* availableList() const { return available_; }
    QListWidget* chosenList() const { return chosen_; }

private:
    void move(QListWidget* from, QListWidget* to, bool all);
    void updateButtons();
    NewReportContext context_;
    QStringList lines_;
    QListWidget *available_, *chosen_;
    QPushButton *add_, *addAll_, *remove_, *removeAll_;
    QToolButton *columns_, *rows_;
    QCheckBox *labels_, *byName_;
};

// Runs the wizard: the template lines on "&Proveď", nothing on "&Ručně".
std::optional<QStringList> designNewReport(const NewReportContext& context,
                                           QWidget* parent = nullptr);

}  // namespace dorvana
