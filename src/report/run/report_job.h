#pragma once
// ReportJob: one run of a report component's template over its data set
// without windows, the way a preview or a print prepares its pages: the
// template is loaded, the corrections file is loaded once, the pages are
// built and the corrections applied after every build. The command line,
// the run window and tests use it.

#include <QString>
#include <QStringList>
#include <memory>

#include "report/layout/pages/corrections.h"
#include "report/layout/report_run.h"

namespace dorvana {

class Progress;
class TSestava;
class TextMeasurer;

class ReportJob {
public:
    // The component must outlive the job; its settings are read by load().
    explicit ReportJob(TSestava& component);
    ~ReportJob();
    ReportJob(const ReportJob&) = delete;
    ReportJob& operator=(const ReportJob&) = delete;

    // Not owned; without one, memo lines break only at line ends.
    void setTextMeasurer(const TextMeasurer* measurer);
    // The character set of corrections lines that name none (the editor
    // options' default).
    void setDefaultCharset(int charset) { defaultCharset_ = charset; }

    // Makes the component the current one, takes its settings (parameters,
    // page and record limits, one-record printing, data set), loads the
    // template (the in-memory one when there is one, else the file) and the
    // corrections. False with the message when the template cannot be read.
    // A corrections file with a malformed line is not a failure: what was read
    // before the line is used, and correctionsWarning() says what happened.
    // A template whose reading stopped at a malformed line keeps what was read
    // before it; templateWarning() names the line and the reason.
    bool load(QString* error);
    const QString& correctionsWarning() const { return correctionsWarning_; }
    const QString& templateWarning() const { return templateWarning_; }
    // What the user should know about the loaded template before its pages
    // are looked at: the template warning and the fields it names that the
    // data set lacks (their elements print nothing). Empty when all is well.
    QStringList readingWarnings() const;

    // Builds the pages and applies the corrections; the component gets the
    // page count and the cancelled flag. True when the build was not cancelled.
    bool build(Progress& progress);

    ReportRun& run() { return *run_; }
    PageStore& pages() { return run_->pages(); }
    const PageStore& pages() const { return run_->pages(); }
    TListEdit& corrections() { return corrections_; }

    // Saves the corrections when the component keeps corrections (what the
    // preview does when it closes). False with a Czech message on failure.
    bool saveCorrections(QString* error);

private:
    TSestava& component_;
    std::unique_ptr<ReportRun> run_;
    TListEdit corrections_;
    QString correctionsWarning_;
    QString templateWarning_;
    int defaultCharset_ = 238;
};

}  // namespace dorvana
