#pragma once
// The logic of the element dialog ("Nastavení vlastností prvku") for field
// values, field labels and function elements: whether it opens, its values
// taken from the element, the page of "Další vlastnosti:" a target asks for,
// and the element as OK leaves it.

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "report/model/model_sources.h"
#include "report/model/report_element.h"

namespace dorvana {

// The pages of "Další vlastnosti:".
enum class ElementPage { Text, DbMemo, DbGraphic, Promenna, Funkce };

// Memo and picture layout flags of a field value element.
namespace LayoutFlag {
inline constexpr int WrapWords = 0x10;      // "Přetahovat slova" / "Velikost podle okna"
inline constexpr int Justify = 0x20;        // "Zarovnat do bloku" / "Zachovat poměr stran"
inline constexpr int GrowingHeight = 0x40;  // "Proměnná výška"
}  // namespace LayoutFlag

struct ElementDialogValues {
    int type = 0;
    int target = 0;       // field index (types 2, 3) or function index (type 6)
    bool byName = false;  // "Sledovat podle:" "Názvu položky"
    QString left, top, width, height;
    int alignment = 0;  // "Vlevo", "Vpravo", "Uprostřed"
    std::array<bool, 4> borders{};  // left, top, right, bottom
    int layoutFlags = 0;            // LayoutFlag bits of the memo and picture pages
    QString fontName;
    int fontSize = 0;
    ElementFont font;
    QString bcFormat;
    QString caption;  // the element's text (the barcode dialog's sample add-on)
};

// Whether the dialog opens for the element: a field value or field label
// whose index is a field of the data set, or a function element whose index
// is a function.
bool canConfigureElement(const TSesPrvek& element, const ReportFieldSource* fields,
                         int functionCount);

// "#" + number padded to three characters + name for the fields; the names
// for the functions.
QStringList elementTargetItems(int type, const ReportFieldSource* fields,
                               const QStringList& functionNames);

// The page for the element type and the kind of its chosen field.
ElementPage elementPage(int type, ReportFieldSource::FieldKind kind);

ElementDialogValues elementDialogValues(const TSesPrvek& element);

// What OK needs besides the values: the data set's fields, the function
// names and the text of a function's current value.
struct ElementApplyContext {
    const ReportFieldSource* fields = nullptr;
    QStringList functionNames;
    std::function<QString(int)> functionValueText;
};

// Stores the values into the element. Left, top, width and height keep their
// old values when their text is not a number.
void applyElementDialog(TSesPrvek& element, const ElementDialogValues& values,
                        const ElementApplyContext& context);

}  // namespace dorvana
