#pragma once
// The kinds of change the designer records as undo steps, with the names the
// undo and redo hints show.

#include <QString>

namespace dorvana {

enum class ChangeKind {
    InsertElement = 1,    // "vložení prvku"
    Font = 2,             // "změna písma"
    DeleteElement = 3,    // "zrušení prvku"
    Settings = 4,         // "nastavení oddílů a skupin"
    SectionHeight = 5,    // "změna výšky oddílu"
    Text = 6,             // "změna textu"
    MoveElement = 7,      // "posun prvku"
    Alignment = 8,        // "změna zarovnávání"
    EditFunction = 9,     // "oprava funkce"
    AddFunction = 10,     // "přidání funkce"
    RemoveFunction = 11,  // "zrušení funkce"
    Cut = 12,             // "vystřižení do úschovy"
    Paste = 13,           // "vložení z úschovy"
    ElementSettings = 14  // "nastavení prvku"
};

// The step name of a change kind.
QString changeName(ChangeKind kind);

}  // namespace dorvana
