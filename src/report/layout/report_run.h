// ReportRun: the run of one report without its window. It holds the report
// model read from a template, the user functions and report variables, the
// report component's settings and the data set; it answers the expression
// evaluator's questions while it is the active value source; and it builds
// the printed pages. The run window, the command line and tests drive it.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "report/expr/value_source.h"
#include "report/layout/data_set_fields.h"
#include "report/layout/format_date_texts.h"
#include "report/layout/function_values.h"
#include "report/layout/layout_engine.h"
#include "report/layout/pages/page_store.h"
#include "report/layout/report_settings.h"
#include "report/model/template_reader.h"

namespace dorvana {

class DataSet;
class Progress;
class ReportModel;
class TListFunkci;
class TListPromenna;

class ReportRun : public ValueSource {
public:
    // A run with an empty model: the main plan, the eight report variables,
    // no functions, groups or plans.
    ReportRun();
    ~ReportRun() override;

    // The report component's settings.
    ReportSettings settings;
    bool barcodeByPrinter = true;  // from the template printer's Bcodeintrp= setting

    // The report's records; not owned, may be null (no records).
    void setDataSet(DataSet* dataSet);
    DataSet* dataSet() const { return dataSet_; }

    // Text measuring (memo lines) and the imaging library; not owned. Until a
    // measurer is set the system's fonts measure when a QGuiApplication
    // exists; without one memo lines break only at line ends.
    void setTextMeasurer(const TextMeasurer* measurer) { measurer_ = measurer; }
    void setPictureLibrary(const PictureLibrary* library) { pictureLibrary_ = library; }

    // Loads a template from its lines: the run becomes the active value
    // source, the model, functions, groups' variables and plans are set up,
    // and the elements show the current record. A malformed line stops
    // reading there; what was read stays (that is not a failure).
    void loadTemplate(const QStringList& lines, const QString& templateDirectory = {});
    // Loads a template file. False with the message "Nebyl nalezen soubor s
    // předlohou tiskové sestavy "<path>"" when it does not exist or cannot
    // be read (the template is then empty), or "Soubor "<name>" není předloha
    // tiskové sestavy" when not one of its lines is a template line.
    bool loadTemplateFile(const QString& path, QString* error = nullptr);
    const QStringList& templateLines() const { return templateLines_; }
    // How the last load read the template: whether a line stopped it, which.
    const TemplateReadResult& readResult() const { return readResult_; }
    // Field names the template's elements and groups use that the data set
    // does not have (those elements print nothing); empty without a data set.
    // A front end says so once per run.
    const QStringList& unknownFieldNames() const { return unknownFieldNames_; }

    ReportModel& model() { return *model_; }
    const ReportModel& model() const { return *model_; }
    TListFunkci& functions() { return *functions_; }
    TListPromenna& variables() { return *variables_; }

    // Called after every build with the pages (the corrections are applied there).
    void setCorrectionsHook(std::function<void(PageStore&)> hook) {
        corrections_ = std::move(hook);
    }

    // Builds the pages; true when the build was not cancelled.
    bool build(Progress& progress);
    PageStore& pages() { return pages_; }
    const PageStore& pages() const { return pages_; }
    int pageCount() const { return pageCount_; }
    bool cancelled() const { return cancelled_; }
    // Whether the last build stopped at EndPage with more left to print (a
    // front end says so: the pages are not the whole report).
    bool stoppedAtPageLimit() const { return stoppedAtPageLimit_; }
    // What the last build has to tell the user about its pages (pictures
    // that could not be drawn); a front end shows it.
    const QStringList& buildWarnings() const { return buildWarnings_; }

    // --- the value source ---
    TaggedValue fieldValue(int index) override;
    TaggedValue parameterValue(int index) override;
    TaggedValue functionValue(int index) override;
    TaggedValue variableValue(int index) override;
    int fieldIndex(const QString& name) override;
    int functionIndex(const QString& name) override;

private:
    void reset();
    CaptionSources captionSources() const;
    void refreshElements();

    std::unique_ptr<ReportModel> model_;
    std::unique_ptr<TListFunkci> functions_;
    std::unique_ptr<TListPromenna> variables_;
    QStringList templateLines_;
    TemplateReadResult readResult_;
    QStringList unknownFieldNames_;
    DataSet* dataSet_ = nullptr;
    DataSetFields fields_;
    FunctionValues functionValues_;
    FormatDateTexts dateTexts_;
    const TextMeasurer* measurer_ = nullptr;
    std::unique_ptr<TextMeasurer> fontMeasurer_;  // the default one
    const PictureLibrary* pictureLibrary_ = nullptr;
    std::function<void(PageStore&)> corrections_;
    PageStore pages_;
    int pageCount_ = 0;
    bool cancelled_ = false;
    bool stoppedAtPageLimit_ = false;
    QStringList buildWarnings_;
};

}  // namespace dorvana
