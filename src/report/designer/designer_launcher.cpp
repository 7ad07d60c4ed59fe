#include "report/designer/designer_launcher.h"

#include "controls/message_boxes.h"
#include "report/designer/designer_window.h"
#include "report/run/report_component.h"
#include "report/run/report_environment.h"
#include "report/windows/report_operations.h"

namespace dorvana {

namespace {

DesignerQueryBuilder& queryBuilder() {
    static DesignerQueryBuilder builder;
    return builder;
}

}  // namespace

void setDesignerQueryBuilder(DesignerQueryBuilder builder) {
    queryBuilder() = std::move(builder);
}

const DesignerQueryBuilder& designerQueryBuilder() {
    return queryBuilder();
}

void installDesignerLauncher() {
    setDesignerLauncher([](TSestava& component, const ReportWindowHost& host) {
        bool result = false;
        do {
            component.restartRequested = false;
            EditorOptions options;
            if (component.Environment)
                options = component.Environment->reloadEditorOptions(component.NameFields,
                                                                     component.EnabledTypeFields);
            MessageBoxes messages(host.parent);
            result = TFormSestE::edit(component, messages, options, host.parent);
        } while (component.restartRequested);
        return result;
    });
}

}  // namespace dorvana
