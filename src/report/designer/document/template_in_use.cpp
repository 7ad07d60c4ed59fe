#include "report/designer/document/template_in_use.h"

#include "report/designer/document/designer_document.h"
#include "report/run/report_component.h"

namespace dorvana {

TemplateInUse::TemplateInUse(TSestava& component, const DesignerDocument& document)
    : component_(component), kept_(component.inMemoryTemplate) {
    component_.inMemoryTemplate = document.templateLines();
    // An empty text would make the run read the file.
    if (component_.inMemoryTemplate.isEmpty()) component_.inMemoryTemplate << QString();
}

TemplateInUse::~TemplateInUse() {
    component_.inMemoryTemplate = kept_;
}

}  // namespace dorvana
