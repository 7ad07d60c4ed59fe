#pragma once
// The template as the designer has it now, lent to the report component for
// a preview or a print: while a TemplateInUse lives, the component runs that
// text (saved or not) instead of its file; its own text comes back afterwards.

#include <QStringList>

namespace dorvana {

class DesignerDocument;
class TSestava;

class TemplateInUse {
public:
    TemplateInUse(TSestava& component, const DesignerDocument& document);
    ~TemplateInUse();
    TemplateInUse(const TemplateInUse&) = delete;
    TemplateInUse& operator=(const TemplateInUse&) = delete;

private:
    TSestava& component_;
    QStringList kept_;
};

}  // namespace dorvana
