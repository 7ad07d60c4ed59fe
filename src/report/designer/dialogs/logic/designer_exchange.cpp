#include "report/designer/dialogs/logic/designer_exchange.h"

#include <QDir>
#include <algorithm>
#include <QFileInfo>

#include "base/text_file.h"
#include "report/designer/document/designer_document.h"
#include "report/layout/report_run.h"
#include "report/model/paper/sheet_page.h"
#include "report/model/sheet_template.h"
#include "report/model/section.h"

namespace dorvana {

ExpressionReferences expressionReferences(const DesignerDocument& doc) {
    ExpressionReferences refs;
    refs.fieldNames = doc.fieldNames();
    refs.parameterCount = int(doc.parameters().size());
    const int variables = 8 + 4 * doc.model().groupCount();
    for (int v = 0; v < variables; ++v) refs.variableNames << doc.paletteHint(8000 + v);
    for (const FunctionDefinition& f : doc.model().functions) refs.functionNames << f.name;
    return refs;
}

std::unique_ptr<ReportRun> designerValueSource(const DesignerDocument& doc) {
    auto run = std::make_unique<ReportRun>();
    run->settings.Parametry = doc.parameters();
    run->setDataSet(doc.dataSet());
    run->loadTemplate(doc.templateLines(),
                      doc.path().isEmpty() ? QString() : QFileInfo(doc.path()).absolutePath());
    return run;
}

ElementApplyContext elementApplyContext(const DesignerDocument& doc) {
    ElementApplyContext c;
    c.fields = doc.fieldSource();
    for (const FunctionDefinition& f : doc.model().functions) c.functionNames << f.name;
    // The designer shows a function element by its function's name.
    c.functionValueText = [&doc](int f) { return doc.model().functions.value(f).name; };
    return c;
}

void applyElementConfiguration(DesignerDocument& doc, TSesPrvek& element,
                               const ElementDialogValues& values) {
    const ElementApplyContext context = elementApplyContext(doc);
    doc.changeElement(
        &element, [&](TSesPrvek& copy) { applyElementDialog(copy, values, context); },
        ChangeKind::ElementSettings);
}

WizardOptions wizardOptions(const DesignerDocument& doc, bool byName) {
    const EditorOptions& o = doc.options();
    WizardOptions w;
    applyWizardPaper(w, wizardPaper(doc));
    w.itemHeight = o.ImplVyska;
    w.fontName = o.ImplNazevFontu;
    w.fontSize = o.ImplVyskaFontu;
    w.fontColour = o.ImplBarvaFontu;
    w.fontStyle = o.ImplStylFontu;
    w.charset = o.ImplCharSet;
    w.fieldLabels = true;
    w.byName = byName;
    return w;
}

WizardPaper wizardPaper(const DesignerDocument& doc, int labelHeight) {
    const ReportModel& model = doc.model();
    const int printable = model.paper.printableWidth();
    const int columns = std::max(1, model.columns());
    return {columns > 1 ? (printable + model.columnGap()) / columns - model.columnGap() : printable,
            model.paper.printableHeight(), labelHeight};
}

void applySheetToDocument(DesignerDocument& doc, const SheetPage& sheet) {
    std::unique_ptr<ReportModel> edited = doc.modelCopy();
    applySheetPage(sheet, edited.get());
    doc.replaceModel(std::move(edited), ChangeKind::Settings, true);
}

void applySettingsToDocument(DesignerDocument& doc, std::unique_ptr<ReportModel> edited,
                             const ReportSettingsValues& values) {
    applyReportSettings(*edited, values);
    doc.replaceModel(std::move(edited), ChangeKind::Settings, true);
}

bool copyQueryFile(const QString& oldTemplatePath, const QString& newTemplatePath) {
    const QFileInfo from(oldTemplatePath), to(newTemplatePath);
    const QString source = from.absoluteDir().filePath(queryFileName(from.fileName()));
    const QString target = to.absoluteDir().filePath(queryFileName(to.fileName()));
    if (source == target || !QFileInfo(source).isFile()) return false;
    QByteArray bytes;
    return readFileBytes(source, &bytes) && writeFileAtomically(target, bytes);
}

}  // namespace dorvana
