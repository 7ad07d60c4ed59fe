#pragma once
// The designer the report windows' host opens (ReportWindowHost::designer):
// the designer window, modal, on the component's template. And the query
// builder the designer opens, which the application provides.

#include <QString>
#include <functional>
#include <optional>

#include "report/windows/report_windows.h"

class QWidget;

namespace dorvana {

class TSestava;

// Opens the designer window once; "save and restart" is left to the caller's
// designUntilDone.
DesignerLauncher designerLauncher();

// The visual query builder the report settings open with "Vytvoř SQL": given
// the component (its data set's database) and the SQL text, the new text on
// OK. It loads and saves "SqlBuild.stm" of the report directory, to which the
// template's own query file is renamed while it runs. Unset: "Vytvoř SQL" is
// disabled. The application installs it.
using DesignerQueryBuilder =
    std::function<std::optional<QString>(TSestava& component, const QString& sql, QWidget* parent)>;
void setDesignerQueryBuilder(DesignerQueryBuilder builder);
const DesignerQueryBuilder& designerQueryBuilder();

}  // namespace dorvana
