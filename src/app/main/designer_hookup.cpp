#include "app/main/designer_hookup.h"

#include "controls/message_boxes.h"
#include "report/designer/form_sest_e.h"
#include "report/run/report_component.h"
#include "report/run/report_environment.h"
#include "report/windows/report_operations.h"

namespace dorvana {

void installDesigner() {
    setDesignerLauncher([](TSestava& component, const ReportWindowHost& host) {
        MessageBoxes messages(host.parent);
        const EditorOptions options =
            component.Environment
                ? component.Environment->reloadEditorOptions(component.NameFields, component.EnabledTypeFields)
                : EditorOptions{};
        return TFormSestE::edit(component, messages, options, host.parent);
    });
}

}  // namespace dorvana
