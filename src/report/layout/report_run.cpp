#include "report/layout/report_run.h"

#include <QFileInfo>
#include <QGuiApplication>

#include "base/names.h"
#include "base/text_file.h"
#include "data/data_set.h"
#include "report/expr/functions/function_list.h"
#include "report/expr/functions/report_variable.h"
#include "report/layout/font_measurer.h"
#include "report/layout/report_field_value.h"
#include "report/model/report_model.h"
#include "report/model/template_reader.h"

namespace dorvana {

ReportRun::ReportRun() {
    // Fonts can be measured only with a GUI application object.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        fontMeasurer_ = std::make_unique<FontMeasurer>();
    reset();
}

ReportRun::~ReportRun() = default;

void ReportRun::reset() {
    model_ = std::make_unique<ReportModel>();
    functions_ = std::make_unique<TListFunkci>();
    functions_->setValueSource(this);
    variables_ = std::make_unique<TListPromenna>();
    functionValues_.setFunctions(functions_.get());
    pages_.clear();
    pageCount_ = 0;
    cancelled_ = false;
    stoppedAtPageLimit_ = false;
}

void ReportRun::setDataSet(DataSet* dataSet) {
    dataSet_ = dataSet;
    fields_.setDataSet(dataSet);
}

CaptionSources ReportRun::captionSources() const {
    CaptionSources s;
    s.fields = &fields_;
    s.parameters = &settings.Parametry;
    s.functions = &functionValues_;
    s.measurer = measurer_ ? measurer_ : fontMeasurer_.get();
    s.dateTimeTexts = &dateTexts_;
    s.pictureLibrary = pictureLibrary_;
    s.memoHeightLimit = model_->paper.printableHeight();
    return s;
}

void ReportRun::refreshElements() {
    const CaptionSources sources = captionSources();
    for (TSesPrvek* e : model_->page().allElements()) e->refreshCaption(sources);
    for (const auto& section : model_->page().sections())
        section->updateGrowingCandidates(&fields_);
}

void ReportRun::loadTemplate(const QStringList& lines, const QString& templateDirectory) {
    reset();
    templateLines_ = lines;
    TemplateReadOptions options = TemplateReadOptions::forFields(&fields_);
    options.templateDirectory = templateDirectory;
    readResult_ = readTemplate(lines, model_.get(), options);
    unknownFieldNames_ = dataSet_ ? readResult_.unknownFieldNames : QStringList();
    for (const FunctionDefinition& f : model_->functions) functions_->add(f);
    for (int g = 0; g < model_->groupCount(); ++g) variables_->addGroup();
    refreshElements();
}

bool ReportRun::loadTemplateFile(const QString& path, QString* error) {
    QStringList lines;
    if (!QFileInfo(path).isFile() || !readTextLines(path, &lines)) {
        reset();
        templateLines_.clear();
        readResult_ = {};
        unknownFieldNames_.clear();
        if (error)
            *error =
                QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy \"%1\"").arg(path);
        return false;
    }
    loadTemplate(lines, QFileInfo(path).absolutePath());
    if (readResult_.tooLarge) {
        // Its pages would take all memory: refused before any is built.
        if (error)
            *error = QStringLiteral("Předloha tiskové sestavy \"%1\" má %2 prvků, sestava jich "
                                    "zvládne nejvýše %3")
                         .arg(QFileInfo(path).fileName())
                         .arg(readResult_.elementCount)
                         .arg(kMaxTemplateElements);
        return false;
    }
    if (readResult_.templateLines == 0) {
        // An empty file, a binary one, one in another encoding: nothing to print from.
        if (error)
            *error = QStringLiteral("Soubor \"%1\" není předloha tiskové sestavy")
                         .arg(QFileInfo(path).fileName());
        return false;
    }
    return true;
}

bool ReportRun::build(Progress& progress) {
    LayoutInput input;
    input.model = model_.get();
    input.functions = functions_.get();
    input.variables = variables_.get();
    input.dataSet = dataSet_;
    input.captions = captionSources();
    input.settings = settings;
    input.barcodeByPrinter = barcodeByPrinter;
    // Parameters may have changed since loading.
    for (TSesPrvek* e : model_->page().allElements())
        if (e->type() == ElementType::Parameter) e->refreshCaption(input.captions);
    LayoutEngine engine(input, pages_, progress);
    const LayoutResult result = engine.build();
    pageCount_ = result.pageCount;
    cancelled_ = result.cancelled;
    stoppedAtPageLimit_ = result.stopped && !result.cancelled;
    buildWarnings_ = result.warnings;
    if (corrections_) corrections_(pages_);
    return !cancelled_;
}

TaggedValue ReportRun::fieldValue(int index) {
    if (!dataSet_ || !dataSet_->isOpen() || index < 0 || index >= dataSet_->fieldCount())
        return TaggedValue::integer(0);
    return reportFieldValue(dataSet_->field(index));
}

TaggedValue ReportRun::parameterValue(int index) {
    return index >= 0 && index < settings.Parametry.size() ? TaggedValue::text(settings.Parametry[index])
                                                  : TaggedValue::integer(0);
}

TaggedValue ReportRun::functionValue(int index) {
    return functions_->currentValue(index);
}

TaggedValue ReportRun::variableValue(int index) {
    return variables_->value(index);
}

int ReportRun::fieldIndex(const QString& name) {
    if (!dataSet_ || !dataSet_->isOpen()) return -1;
    for (int i = 0; i < dataSet_->fieldCount(); ++i)
        if (sameName(dataSet_->field(i)->name(), name)) return i;
    return -1;
}

int ReportRun::functionIndex(const QString& name) {
    return functions_->indexOf(name);
}

}  // namespace dorvana
