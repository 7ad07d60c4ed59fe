#pragma once
// The printing flow of the main window without its windows (predtisk): the
// two report components (Sestava1 for report templates, Sestava2 for label
// templates), the print query, and the preparation that turns the shown
// table — its marks, filter, copy counts, counters and picture files — into
// the data a report component designs, previews or prints. Also the template
// commands that work on files: a new template from a prototype, deleting one.

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

#include "data/query.h"
#include "report/run/report_component.h"
#include "report/run/report_environment.h"

namespace dorvana {

class LabelSession;
class Messages;
class Progress;

// What the report windows do for the flow: the application opens its run
// and designer windows, tests record the calls.
class ReportOperations {
public:
    virtual ~ReportOperations() = default;
    virtual bool design(TSestava& report) = 0;
    virtual bool preview(TSestava& report) = 0;
    // True when something was printed.
    virtual bool print(TSestava& report) = 0;
    // Reports the preparation of the print data and polls its cancelling; may be null.
    virtual Progress* preparationProgress() { return nullptr; }
    // The preparation is over (a progress window closes).
    virtual void preparationDone() {}
};

// The mode letters of a run: "T" print, "P" preview, "E" design.
enum class PrintMode { Print, Preview, Design };

// What the print bar gives a run.
struct PrintChoice {
    QString templateName;  // the template's file name
    QString sortString;    // the template's sort string
    QStringList sqlLines;  // the template's SQL lines
    bool ownSql = false;   // the template's data source is its own SQL
    bool oneRecord = false;  // "Jeden zaznam"
    int labelPosition = 1;   // "Pozice etikety"
    QList<qint32> marks;     // the grid's marks, in the order they were made
};

// The masks of the template list: prototypes, report templates, label templates.
inline constexpr const char16_t* kPrototypeMask = u"*.PTF";
inline constexpr const char16_t* kReportMask = u"*.pts";
inline constexpr const char16_t* kLabelMask = u"*.ptE";

class LabelPrinting {
public:
    // Templates live in the session's start directory.
    LabelPrinting(LabelSession& session, Messages& messages);
    ~LabelPrinting();
    LabelPrinting(const LabelPrinting&) = delete;
    LabelPrinting& operator=(const LabelPrinting&) = delete;

    TSestava& Sestava1() { return sestava1_; }  // report templates
    TSestava& Sestava2() { return sestava2_; }  // label templates
    ReportEnvironment& environment() { return environment_; }
    Query& printQuery() { return query_; }
    // data directory + "tempprn.db"
    QString printTablePath() const;

    // The two parameter lines every run gets: the user name, then the
    // company name ([Majitel] Uzivatel= and Firma= of the program's settings
    // file; the user name defaults to the login name).
    QStringList ownerParameters() const;

    // predtisk: prepares the print data and runs the report in the mode.
    // Errors the user can act on are shown; false when nothing ran or the
    // operation's result is false. Afterwards the print query is closed, and
    // the temporary table's files are deleted when marks were used.
    bool predtisk(TSestava& report, PrintMode mode, const PrintChoice& choice,
                  ReportOperations& operations);

    // Facts of the last run, for the print bar and tests.
    bool lastRunBuiltPrintTable() const { return builtTable_; }
    int lastRunPrintJobs() const { return jobs_; }

private:
    bool prepareAndRun(TSestava& report, PrintMode mode, const PrintChoice& choice,
                       ReportOperations& operations, bool* marksUsed);

    LabelSession& session_;
    Messages& messages_;
    ReportEnvironment environment_;
    TSestava sestava1_, sestava2_;
    ReportDataSource source1_, source2_;
    Query query_;
    bool builtTable_ = false;
    int jobs_ = 0;
};

// "Nová sestava": copies the prototype line by line to directory/name.pts,
// its first line replaced by the title line I,0,"name". A name that is empty
// or holds a double quote or a path separator fails with "Chybné jméno
// sestavy"; nothing is written when the prototype cannot be read. Gives the
// new file's name (without the directory).
bool createTemplateFromPrototype(const QString& prototypePath, const QString& directory,
                                 const QString& name, QString* fileName, QString* error);

}  // namespace dorvana
