#pragma once
// PrintSession: one report of a component on its way to the printer, without
// windows. It owns the report job (template, corrections, pages) and the
// template's printers (written into the system profile once applied, put
// back when the session ends) and prints through the print pipeline. The
// questions, the print dialog and the progress come in as interfaces, so the
// run window, the main window's print flow and the command line print the
// same way: the run window holds a session and answers with dialogs, the
// command line answers unattended.
//
//   PrintSession session(component, printer);
//   if (!session.load(&error)) ...          // the template and its printers
//   session.build(progress);
//   PrintRequest request = session.request();
//   session.print(request, prompts, &progress, &error);

#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "report/render/job/print_pipeline.h"
#include "report/render/job/template_printers.h"
#include "report/run/report_job.h"

namespace dorvana {

class Printer;
class Progress;
class TSestava;
class TextMeasurer;

class PrintSession {
public:
    // The component and the printer must outlive the session; profilePath
    // empty: the user's system profile.
    PrintSession(TSestava& component, Printer& printer, const QString& profilePath = QString());
    // Puts the printer settings back.
    ~PrintSession();
    PrintSession(const PrintSession&) = delete;
    PrintSession& operator=(const PrintSession&) = delete;

    // The user profile the template's printer settings go into; taken when
    // the printers are applied (tests).
    void setProfilePath(const QString& path) { profilePath_ = path; }
    // Not owned; see ReportJob.
    void setTextMeasurer(const TextMeasurer* measurer) { job_.setTextMeasurer(measurer); }

    // Loads the template and the corrections (ReportJob::load), then applies
    // the template's printers unless told not to (a run that only writes
    // files leaves the printers alone). False with the message when the
    // template cannot be read.
    bool load(QString* error, bool applyPrinters = true);
    // Applies the template's printers (once): the profile lines are written,
    // the template printer selected, the run's barcode-by-printer flag and the
    // device fonts' character set set.
    void applyPrinters();

    // Builds the pages; true when the build was not cancelled.
    bool build(Progress& progress);
    bool buildCancelled() const { return buildCancelled_; }

    // The installed printer of that name (exactly, else without regard to
    // case); -1 with the message when there is none or no printer at all.
    int findPrinter(const QString& name, QString* error);

    // What the component asks of a print: its print dialog flag, copies,
    // page range and title (Popis; the template's title when it has none).
    PrintRequest request();
    // Prints the pages on the request's printer (-1: the one selected now).
    // Unless the request says the pages are built, they are built first:
    // through buildPages when given (it returns whether the build was
    // complete), else with progress. False when nothing went out; a failure
    // of the job itself comes back in error (the prompts were told the rest).
    bool print(PrintRequest& request, PrintPrompts& prompts, Progress* progress, QString* error,
               const std::function<bool()>& buildPages = {});
    // Whether the last print fitted the page to a smaller sheet.
    bool scaledToPaper() const { return scaled_; }

    // The record the print dialog's "&Vlastnosti..." opens for printer
    // index, which becomes the current printer: its driver's defaults with
    // the template's settings of the printer, or what the user confirmed for
    // it before. None with the message when the printer cannot be opened.
    std::optional<DeviceSettings> settingsToEdit(int printerIndex, QString* error);
    // What the user confirmed there: the template's settings of the printer
    // when the template lists it, and the printer's settings for this
    // template's prints either way.
    void confirmSettings(int printerIndex, const DeviceSettings& record);

    ReportJob& job() { return job_; }
    PageStore& pages() { return job_.pages(); }
    Printer& printer() { return printer_; }
    // Null until the printers are applied.
    TemplatePrinters* templatePrinters() { return templatePrinters_.get(); }

private:
    class ScaleWatch;

    TSestava& component_;
    Printer& printer_;
    QString profilePath_;
    ReportJob job_;
    std::unique_ptr<TemplatePrinters> templatePrinters_;
    bool buildCancelled_ = false;
    bool scaled_ = false;
};

}  // namespace dorvana
