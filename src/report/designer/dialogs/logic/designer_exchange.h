#pragma once
// What the designer hands its dialogs from the template being designed and
// how it takes their results back: the references the function editor
// offers, the wizard's sizes and fonts, the element dialog's field and
// function lists, the report settings stored into the document, the value
// source that checks expressions against the current record, and the query
// file that follows a template saved under a new name.

#include <QList>
#include <QString>
#include <memory>

#include "report/designer/dialogs/logic/element_dialog_logic.h"
#include "report/designer/dialogs/logic/expression_editor_logic.h"
#include "report/designer/dialogs/logic/new_report_wizard.h"
#include "report/designer/dialogs/logic/report_settings_logic.h"

namespace dorvana {

class DesignerDocument;
class ReportRun;
struct SheetPage;

// The fields, parameters, variables (the eight report variables, then four
// per group) and functions of the template.
ExpressionReferences expressionReferences(const DesignerDocument& doc);

// A run over the template as it is now and the document's data set, at the
// data set's current record: the function editor checks expressions with it.
std::unique_ptr<ReportRun> designerValueSource(const DesignerDocument& doc);

// What the element dialog's OK needs besides its values.
ElementApplyContext elementApplyContext(const DesignerDocument& doc);
// The element dialog's values stored into the element; one undo step
// "nastavení prvku".
void applyElementConfiguration(DesignerDocument& doc, TSesPrvek& element,
                               const ElementDialogValues& values);

// The wizard's sizes and fonts: the printable width and height of the
// paper, the editor options' initial element properties, field labels on,
// references by name as given.
WizardOptions wizardOptions(const DesignerDocument& doc, bool byName);
// The room of the template's page for the wizard: one print column's width,
// the printable height; with a label sheet's row pitch when given.
WizardPaper wizardPaper(const DesignerDocument& doc, int labelHeight = 0);

// A label sheet's page stored into the template: paper, margins, print
// columns and their gap, the body's height; one undo step "nastavení oddílů
// a skupin".
void applySheetToDocument(DesignerDocument& doc, const SheetPage& sheet);

// The settings dialog's values stored into its copy of the model (plans and
// groups it added or removed are in the copy already), which becomes the
// template's model as one undo step "nastavení oddílů a skupin".
void applySettingsToDocument(DesignerDocument& doc, std::unique_ptr<ReportModel> edited,
                             const ReportSettingsValues& values);

// The query file of a template ("<name>-<ext>.stm" beside it) copied to the
// query file of the same template under a new path. False when there is
// none or it cannot be copied (the caller carries on: the query can be built again).
bool copyQueryFile(const QString& oldTemplatePath, const QString& newTemplatePath);

}  // namespace dorvana
