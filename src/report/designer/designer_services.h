#pragma once
// What the designer window uses of the program around it: the printer its
// settings and options work with, and the visual query builder of "Vytvoř
// SQL". The program that opens the designer passes them in.

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace dorvana {

class Printer;
class TSestava;

// The visual query builder the report settings open with "Vytvoř SQL": given
// the component (its data set's database) and the SQL text, the new text on
// OK. It loads and saves "SqlBuild.stm" of the report directory, to which the
// template's own query file is renamed while it runs.
using DesignerQueryBuilder =
    std::function<std::optional<QString>(TSestava& component, const QString& sql, QWidget* parent)>;

struct DesignerServices {
    Printer* printer = nullptr;         // none: the program's printer
    DesignerQueryBuilder queryBuilder;  // none: "Vytvoř SQL" is disabled
};

}  // namespace dorvana
