#pragma once
// The logic of the function dialog ("Nastavení parametrů funkce"): the
// dialog's values taken from a function definition and stored back on OK,
// which controls the result type and number format show or enable, and the
// characters a function name may not hold.

#include <QString>
#include <QStringList>

#include "report/model/function_definition.h"

namespace dorvana {

// "Typ výsledku:", "Další zpracování:" (numbers and Booleans), "Formát:".
const QStringList& resultTypeItems();
const QStringList& numberProcessingItems();
const QStringList& booleanProcessingItems();
const QStringList& numberFormatItems();
// "Sestavy", "Stránky", then "Skupiny 1" ... "Skupiny n".
QStringList resetScopeItems(int groupCount);

inline constexpr char16_t kNumberMask[] = u"#,##0.00";
inline constexpr char16_t kDateTimeMask[] = u"hh:nn:ss dddd dd mmmm yyyy";
inline constexpr int kPictureNumberFormat = 5;  // "Obecný": the mask decides

// What the dialog shows and enables for a result type and number format.
struct FunctionControlsState {
    bool numberProcessingVisible = true;
    bool booleanProcessingVisible = false;
    bool initialValueVisible = true;
    bool booleanInitialVisible = false;
    bool formatEnabled = true;
    bool precisionEnabled = true;
    bool digitsEnabled = true;
    bool processingEnabled = true;
    bool initialValueEnabled = true;
    bool resetScopeEnabled = true;
    bool maskEnabled = true;
    bool precisionVisible = true;  // "Celkový počet znaků:"
    bool digitsVisible = true;     // "Počet desetinných míst:"
    bool maskVisible = false;      // "Maska formátu:"
    // The mask the arrangement puts into the mask field; empty: left as it is.
    QString mask;
};

FunctionControlsState arrangeFunctionControls(int resultType, int numberFormat);

// The name as typed with blank, "#", "&", "@", "$", "+", "-", "/", "*", "^",
// ")", "(" and the apostrophe replaced by "_".
QString sanitizeFunctionName(const QString& name);

// The dialog's values.
struct FunctionDialogValues {
    QString name;
    QString description;
    int resultType = FunctionDefinition::Number;
    QString expression;
    QString initialValue;         // "Počáteční hodnota:" of other types than Boolean
    bool booleanInitial = false;  // "True"
    int resetScope = 0;
    int numberProcessing = 0;
    int booleanProcessing = 0;
    QString precisionText;
    QString digitsText;
    int numberFormat = FunctionDefinition::kDefaultNumberFormat;
    QString mask;
};

FunctionDialogValues functionDialogValues(const FunctionDefinition& row);
// The row as OK stores it: a precision or digits text that is not an integer
// keeps the row's previous value.
FunctionDefinition applyFunctionDialog(const FunctionDefinition& row,
                                       const FunctionDialogValues& values);

}  // namespace dorvana
