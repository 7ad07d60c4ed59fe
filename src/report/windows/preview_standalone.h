#pragma once
// dorvana --preview TEMPLATE [--table FILE] [--sql TEXT] [--corrections FILE]:
// the preview of one template on its own, without the main window. The
// corrections file is TEMPLATE's name with ".opr" beside it unless named.

#include <QStringList>

namespace dorvana {

// Runs the preview; the arguments follow "--preview". The exit code: 0 when
// the preview ran and closed, 1 after an error (shown in a message box), 2
// for wrong arguments (usage on stderr).
int runPreviewStandalone(const QStringList& args);

}  // namespace dorvana
