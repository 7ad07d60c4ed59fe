#pragma once
// The designer the report windows' host opens (ReportWindowHost::designer):
// the designer window, modal, on the component's template, printing on the
// host's printer and building SQL with the query builder given.

#include "report/designer/designer_services.h"
#include "report/windows/report_windows.h"

namespace dorvana {

// Opens the designer window once; "save and restart" is left to the caller's
// designUntilDone. Without a query builder "Vytvoř SQL" is disabled.
DesignerLauncher designerLauncher(DesignerQueryBuilder queryBuilder = {});

}  // namespace dorvana
