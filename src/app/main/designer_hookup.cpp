#include "app/main/designer_hookup.h"

#include "report/designer/designer_launcher.h"

namespace dorvana {

void installDesigner() {
    installDesignerLauncher();
}

}  // namespace dorvana
