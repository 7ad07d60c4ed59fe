#include "report/run/report_job.h"

#include <QFileInfo>

#include "report/layout/pages/corrections_file.h"
#include "report/run/report_component.h"

namespace dorvana {

ReportJob::ReportJob(TSestava& component)
    : component_(component), run_(std::make_unique<ReportRun>()) {
    run_->setCorrectionsHook([this](PageStore& pages) {
        applyCorrections(corrections_, pages, run_->barcodeByPrinter);
    });
}

ReportJob::~ReportJob() = default;

void ReportJob::setTextMeasurer(const TextMeasurer* measurer) {
    run_->setTextMeasurer(measurer);
}

QStringList ReportJob::readingWarnings() const {
    QStringList out;
    if (!templateWarning_.isEmpty()) out << templateWarning_;
    const QStringList& unknown = run_->unknownFieldNames();
    if (!unknown.isEmpty())
        out << QStringLiteral("Tabulka nemá pole %1; prvky s nimi zůstanou prázdné")
                   .arg(unknown.join(QStringLiteral(", ")));
    return out;
}

bool ReportJob::load(QString* error) {
    ReportRun& run = *run_;
    run.settings = static_cast<const ReportSettings&>(component_);
    run.setDataSet(component_.dataSet());
    templateWarning_.clear();
    if (!component_.inMemoryTemplate.isEmpty()) {
        run.loadTemplate(component_.inMemoryTemplate,
                         QFileInfo(component_.templatePath()).absolutePath());
    } else if (!run.loadTemplateFile(component_.templatePath(), error)) {
        return false;
    }
    const TemplateReadResult& read = run.readResult();
    if (!read.complete)
        templateWarning_ = QStringLiteral("Předloha %1, řádek %2: %3 (čtení předlohy tam skončilo)")
                               .arg(QFileInfo(component_.templatePath()).fileName())
                               .arg(read.failedLine + 1)
                               .arg(read.failure);
    corrections_.clear();
    correctionsWarning_.clear();
    if (component_.correctionsActive())
        correctionsWarning_ =
            loadCorrections(component_.correctionsPath(), &corrections_, defaultCharset_);
    return true;
}

bool ReportJob::build(Progress& progress) {
    const bool complete = run_->build(progress);
    component_.pageCount = run_->pageCount();
    component_.cancelled = run_->cancelled();
    return complete;
}

bool ReportJob::saveCorrections(QString* error) {
    if (!component_.correctionsActive()) return true;
    return dorvana::saveCorrections(component_.correctionsPath(), corrections_, error);
}

}  // namespace dorvana
