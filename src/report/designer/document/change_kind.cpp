#include "report/designer/document/change_kind.h"

namespace dorvana {

QString changeName(ChangeKind kind) {
    switch (kind) {
        case ChangeKind::InsertElement: return QStringLiteral("vložení prvku");
        case ChangeKind::Font: return QStringLiteral("změna písma");
        case ChangeKind::DeleteElement: return QStringLiteral("zrušení prvku");
        case ChangeKind::Settings: return QStringLiteral("nastavení oddílů a skupin");
        case ChangeKind::SectionHeight: return QStringLiteral("změna výšky oddílu");
        case ChangeKind::Text: return QStringLiteral("změna textu");
        case ChangeKind::MoveElement: return QStringLiteral("posun prvku");
        case ChangeKind::Alignment: return QStringLiteral("změna zarovnávání");
        case ChangeKind::EditFunction: return QStringLiteral("oprava funkce");
        case ChangeKind::AddFunction: return QStringLiteral("přidání funkce");
        case ChangeKind::RemoveFunction: return QStringLiteral("zrušení funkce");
        case ChangeKind::Cut: return QStringLiteral("vystřižení do úschovy");
        case ChangeKind::Paste: return QStringLiteral("vložení z úschovy");
        case ChangeKind::ElementSettings: return QStringLiteral("nastavení prvku");
    }
    return QString();
}

}  // namespace dorvana
