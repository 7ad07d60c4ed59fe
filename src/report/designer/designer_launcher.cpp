#include "report/designer/designer_launcher.h"

#include "controls/message_boxes.h"
#include "report/designer/designer_window.h"
#include "report/run/report_component.h"
#include "report/run/report_environment.h"

namespace dorvana {

DesignerLauncher designerLauncher(DesignerQueryBuilder queryBuilder) {
    return [queryBuilder](TSestava& component, const ReportWindowHost& host) {
        EditorOptions options;
        if (component.Environment)
            options = component.Environment->reloadEditorOptions(component.NameFields,
                                                                 component.EnabledTypeFields);
        MessageBoxes messages(host.parent);
        return TFormSestE::edit(component, messages, options, {&hostPrinter(host), queryBuilder},
                                host.parent);
    };
}

}  // namespace dorvana
