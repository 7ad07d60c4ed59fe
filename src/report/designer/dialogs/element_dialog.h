#pragma once
// TDlgKonfPrvku ("Nastavení vlastností prvku"): all properties of one field
// value, field label or function element at once.

#include <QDialog>
#include <functional>

#include "report/designer/dialogs/function_dialogs.h"
#include "report/designer/dialogs/logic/element_dialog_logic.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QStackedWidget;
class QToolButton;

namespace dorvana {

struct ElementDialogContext {
    const ReportFieldSource* fields = nullptr;
    QList<FunctionDefinition>* functions = nullptr;  // "Funkce ..." edits them in place
    FunctionEditContext functionEditing;             // for "Funkce ..."
    bool enabledTypeFields = true;                   // "Sledovat podle:" may be chosen
    // The font dialog of "Písmo prvku" (the platform's when unset); true when
    // the user chose a font.
    std::function<bool(QFont&)> chooseFont;
};

class TDlgKonfPrvku : public QDialog {
public:
    TDlgKonfPrvku(const ElementDialogValues& values, const ElementDialogContext& context,
                  QWidget* parent = nullptr);
    ElementDialogValues values() const;
    ElementPage page() const;

private:
    void targetChanged();
    void chooseFont();
    void editBarcode();
    void editFunction();
    ElementDialogValues values_;
    ElementDialogContext context_;
    QComboBox* target_;
    QComboBox* alignment_;
    QButtonGroup* reference_;
    QLineEdit *left_, *top_, *width_, *height_;
    QToolButton* borders_[4];
    QStackedWidget* pages_;
    QCheckBox *wrap_, *justify_, *growing_, *stretch_, *aspect_;
};

// Shows the dialog; the values on OK.
std::optional<ElementDialogValues> configureElement(const ElementDialogValues& values,
                                                    const ElementDialogContext& context,
                                                    QWidget* parent = nullptr);

}  // namespace dorvana
