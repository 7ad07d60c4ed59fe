#pragma once
// TSestava: the report component, the application's handle on the report
// engine. It holds which template to run over which data set with which
// parameters and limits, checks those settings before every operation, and
// keeps the data set's current record across the operation. This is the
// component without windows; the design, preview and print operations pass
// their own work to run().

#include <QString>
#include <QStringList>
#include <functional>

#include "report/layout/report_settings.h"

namespace dorvana {

class DataSet;
class ReportEnvironment;

// Where a report's records come from: a data source with (or without) a data set.
struct ReportDataSource {
    DataSet* dataSet = nullptr;
};

// The program's own directory, ending with '/'.
QString programDirectory();

// A directory setting: a non-empty value gets a trailing '/' (a trailing
// backslash of a Windows-style setting counts as one and becomes '/').
QString withTrailingSeparator(const QString& directory);

class TSestava : public ReportSettings {
public:
    TSestava();
    ~TSestava();
    TSestava(const TSestava&) = delete;
    TSestava& operator=(const TSestava&) = delete;

    // --- published properties ---
    ReportDataSource* DataSource = nullptr;
    QString ReportName;
    const QString& ReportDir() const { return reportDir_; }
    void setReportDir(const QString& dir) { reportDir_ = withTrailingSeparator(dir); }
    bool ReportDirIgnore = true;
    bool ReportSaveDialog = true;
    bool ReportPrintDialog = true;
    bool OpravyEnabled = true;
    QString OpravyName;
    const QString& OpravyDir() const { return opravyDir_; }
    void setOpravyDir(const QString& dir) { opravyDir_ = withTrailingSeparator(dir); }
    bool EnabledTypeFields = false;
    bool NameFields = true;
    QString Popis;
    bool SortEnabled = true;
    // The program's report environment (settings file, editor options); not
    // owned; the application hands it down, may be null where nothing needs it.
    ReportEnvironment* Environment = nullptr;

    // --- state ---
    QStringList inMemoryTemplate;  // used instead of the file when not empty
    int pageCount = 0;             // pages of the last build
    bool cancelled = false;        // the last build was cancelled
    bool restartRequested = false;

    // The data set of the data source, or none.
    DataSet* dataSet() const { return DataSource ? DataSource->dataSet : nullptr; }
    // The template file: the program's directory + ReportName when
    // ReportDirIgnore is set, else ReportDir + ReportName.
    QString templatePath() const;
    // The corrections file: OpravyDir + OpravyName; empty when OpravyName is.
    QString correctionsPath() const;
    // Whether corrections are loaded and saved for this component.
    bool correctionsActive() const { return OpravyEnabled && !OpravyName.isEmpty(); }

    // Asks the user a Yes/No question; true for Yes.
    using Question = std::function<bool(const QString& text)>;

    // The checks before every operation, in order. False when one fails, with
    // the message to show in *message (empty when the user said No to opening
    // the data set: nothing more is shown). A data set opened here is closed
    // again when a later check fails, else at the end of run().
    bool checkSettings(const Question& askOpen, QString* message);

    // The frame of every operation: clears restartRequested, checks the
    // settings, remembers the current record, disables the data set's
    // controls, runs op, then (also when op throws) enables the controls, goes
    // back to the remembered record and closes a data set that was not open
    // before. The result is op's; false (with the message) when a check fails.
    bool run(const std::function<bool()>& op, const Question& askOpen, QString* message);

private:
    void closeIfOpenedHere();

    QString reportDir_;
    QString opravyDir_;
    bool dataSetWasOpen_ = true;
};

// A design from start to end: open (the designer once, prepared as the
// caller needs; its result is the design's) runs again while the designer
// asks for a restart ("save and restart": the template saved and closed, to
// be opened anew, e.g. over a changed data source).
bool designUntilDone(TSestava& component, const std::function<bool()>& open);

}  // namespace dorvana
