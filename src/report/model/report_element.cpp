#include "report/model/report_element.h"

#include <cmath>

#include "base/rounding.h"
#include "report/model/graphic_elements.h"
#include "report/model/text_elements.h"

namespace dorvana {

QString cutName(const QString& text) {
    return text.left(kMaxNameLength);
}

QString TSesPrvek::typeName(int type) {
    switch (type) {
        case ElementType::Label:
            return QStringLiteral("Text");
        case ElementType::FieldValue:
            return QStringLiteral("Položka tabulky");
        case ElementType::FieldLabel:
            return QStringLiteral("Popis položky");
        case ElementType::Parameter:
            return QStringLiteral("Parametr");
        case ElementType::Variable:
            return QStringLiteral("Proměnná");
        case ElementType::Function:
            return QStringLiteral("Funkce");
        case ElementType::Line:
            return QStringLiteral("Úsečka");
        case ElementType::Rectangle:
            return QStringLiteral("Rámeček");
        case ElementType::RoundRect:
            return QStringLiteral("Zaoblený rámeček");
        case ElementType::Ellipse:
            return QStringLiteral("Elipsa");
        case ElementType::Picture:
            return QStringLiteral("Obrázek");
        default:
            return QStringLiteral("Neznámý");
    }
}

std::unique_ptr<TSesPrvek> createElement(int type) {
    switch (type) {
        case ElementType::Label:
            return std::make_unique<TSesLabel>();
        case ElementType::FieldValue:
            return std::make_unique<TDBSesText>();
        case ElementType::FieldLabel:
            return std::make_unique<TDBSesLabel>();
        case ElementType::Parameter:
            return std::make_unique<TSesParametr>();
        case ElementType::Variable:
            return std::make_unique<TSesPromenna>();
        case ElementType::Function:
            return std::make_unique<TSesFunkce>();
        case ElementType::Line:
            return std::make_unique<TSesCara>();
        case ElementType::Rectangle:
        case ElementType::RoundRect:
        case ElementType::Ellipse:
            return std::make_unique<TSesRam>(type);
        case ElementType::Picture:
            return std::make_unique<TSesObraz>();
        default:
            return nullptr;
    }
}

}  // namespace dorvana
