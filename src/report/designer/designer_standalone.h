#pragma once
// `dorvana --design TEMPLATE [--table FILE]`: the designer on its own, as a
// top-level window over a template file and, optionally, a table.

#include <QStringList>

#include "report/designer/designer_services.h"

namespace dorvana {

// Runs the designer until its window closes; the arguments follow "--design".
// Returns the process's exit code (2 for bad arguments, 1 when the template
// or the table cannot be opened).
int runDesignerStandalone(const QStringList& args, DesignerServices services = {});

}  // namespace dorvana
