#pragma once
// The function dialog TFunkceDlg ("Nastavení parametrů funkce") and the
// expression editor TSest_FnEditVyraz ("Tvorba výrazu funkce") opened from it.

#include <QDialog>
#include <optional>

#include "report/designer/dialogs/logic/expression_editor_logic.h"
#include "report/designer/dialogs/logic/function_dialog_logic.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QButtonGroup;
class QGroupBox;

namespace dorvana {

class Messages;
class ValueSource;

// What both dialogs are given by the designer.
struct FunctionEditContext {
    ExpressionReferences references;  // fields, parameters, variables, functions
    int groupCount = 0;
    bool byName = false;              // SledPodle
    bool enabledTypeFields = true;    // "Položky podle názvu" may be chosen
    ValueSource* source = nullptr;    // the designer's current record for "Kontrola"
    Messages* messages = nullptr;
};

class TSest_FnEditVyraz : public QDialog {
public:
    TSest_FnEditVyraz(const QString& expression, const FunctionEditContext& context,
                      QWidget* parent = nullptr);
    QString expression() const;
    QListWidget* list(ExpressionList which) const { return lists_[int(which)]; }
    // Inserts the remembered entry ("Vložit" and double clicks).
    void insertRemembered();
    // "Kontrola".
    void check();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void remember(ExpressionList which, bool withIndex);
    FunctionEditContext context_;
    QLineEdit* expression_;
    QCheckBox* byName_;
    QPushButton* insert_;
    QListWidget* lists_[9] = {};
    int remembered_ = -1;
    int rememberedIndex_ = -1;
};

// The expression editor on the text; the edited text on "&Konec".
std::optional<QString> EditExpression(const QString& text, const FunctionEditContext& context,
                                      QWidget* parent = nullptr);

class TFunkceDlg : public QDialog {
public:
    TFunkceDlg(const FunctionDefinition& row, const FunctionEditContext& context,
               QWidget* parent = nullptr);
    FunctionDialogValues values() const;
    // The row as OK stores it.
    FunctionDefinition result() const;
    void openExpressionEditor();

private:
    void arrange();
    void arrangeForNumberFormat();
    FunctionDefinition row_;
    FunctionEditContext context_;
    QLineEdit *name_, *description_, *expression_, *initial_, *precision_, *digits_, *mask_;
    QComboBox *type_, *resetScope_, *format_, *booleanInitial_;
    QGroupBox *numberProcessing_, *booleanProcessing_;
    QButtonGroup *numberGroup_, *booleanGroup_;
    QLabel *initialLabel_, *resetLabel_, *precisionLabel_, *digitsLabel_, *maskLabel_, *formatLabel_;
};

// Shows the function dialog on the row: 1 when closed with OK (the row then
// holds the new definition), 2 otherwise.
int EditFunction(const FunctionEditContext& context, FunctionDefinition& row,
                 QWidget* parent = nullptr);

}  // namespace dorvana
