#include "app/core/label_printing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/core/label_session.h"
#include "app/core/per_record_print.h"
#include "app/core/print_query.h"
#include "app/core/print_roles.h"
#include "app/core/print_table.h"
#include "base/ini_file.h"
#include "base/messages.h"
#include "base/text_file.h"
#include "data/data_set.h"

namespace dorvana {

namespace {

constexpr char16_t kPrintTableName[] = u"tempprn.db";

void setUpComponent(TSestava& c, ReportDataSource& source, const QString& startDir,
                    ReportEnvironment& environment) {
    c.DataSource = &source;
    c.ReportDirIgnore = false;
    c.setReportDir(startDir);
    c.Environment = &environment;
}

// The columns as the print run reads their roles: an empty title is the
// field's display label.
QList<PrintColumn> printColumns(const LabelSession& session, const DataSet& shown) {
    QList<PrintColumn> out;
    for (const GridColumn& c : session.columns()) {
        QString title = c.title;
        if (title.isEmpty())
            if (const Field* f = shown.findField(c.fieldName)) title = f->displayLabel();
        out.append({c.fieldName, title, c.description});
    }
    if (out.isEmpty())
        for (int i = 0; i < shown.fieldCount(); ++i)
            out.append({shown.field(i)->name(), shown.field(i)->displayLabel(), {}});
    return out;
}

void deletePrintTableFiles(const QString& dataDir) {
    QDir dir(dataDir);
    for (const QString& name : dir.entryList({QStringLiteral("tempprn.*")}, QDir::Files))
        dir.remove(name);
}

}  // namespace

LabelPrinting::LabelPrinting(LabelSession& session, Messages& messages)
    : session_(session), messages_(messages), environment_(session.startDir()) {
    setUpComponent(sestava1_, source1_, session.startDir(), environment_);
    setUpComponent(sestava2_, source2_, session.startDir(), environment_);
    sestava2_.TiskJedenZaznam = true;
}

LabelPrinting::~LabelPrinting() = default;

QString LabelPrinting::printTablePath() const {
    return QDir(session_.dataDir()).filePath(QString::fromUtf16(kPrintTableName));
}

QStringList LabelPrinting::ownerParameters() const {
    IniFile ini;
    ini.load(session_.settingsPath());
    QString user = ini.value(u"Majitel", u"Uzivatel");
    if (user.isEmpty()) user = QString::fromLocal8Bit(qgetenv("USER"));
    return {user, ini.value(u"Majitel", u"Firma")};
}

bool LabelPrinting::predtisk(TSestava& report, PrintMode mode, const PrintChoice& choice,
                             ReportOperations& operations) {
    builtTable_ = false;
    jobs_ = 0;
    bool marksUsed = false;
    const bool result = prepareAndRun(report, mode, choice, operations, &marksUsed);
    query_.close();
    source1_.dataSet = nullptr;
    source2_.dataSet = nullptr;
    if (marksUsed) deletePrintTableFiles(session_.dataDir());
    return result;
}

bool LabelPrinting::prepareAndRun(TSestava& report, PrintMode mode, const PrintChoice& choice,
                                  ReportOperations& operations, bool* marksUsed) {
    ReportDataSource& source = &report == &sestava1_ ? source1_ : source2_;
    DataSet* shown = session_.dataSet();
    if (!shown || !shown->isOpen()) {
        messages_.error(QStringLiteral("Není otevřen žádný soubor."));
        return false;
    }
    const bool labelFileMode = !session_.externalMode();
    const QList<PrintColumn> columns = printColumns(session_, *shown);
    const PrintRoles roles = readPrintRoles(columns, labelFileMode, choice.oneRecord);
    const QList<PrintCounter> counters = printCounters(columns, *shown);
    const bool marks = session_.markingEnabled() && !choice.marks.isEmpty();
    *marksUsed = marks;
    // A label template prints the current record; with marks it prints
    // every marked record of the print data. Its copies or picture file need
    // a print table of that one record (the grid stays on it).
    const bool labelTemplate = &report == &sestava2_;
    const bool currentRecordOnly = labelTemplate && !marks;
    const bool needsTable = currentRecordOnly ? !choice.oneRecord && (roles.copy || roles.picture)
                                              : needsPrintTable(marks, roles, shown->isFiltered());

    QString error;
    if (needsTable) {
        PrintTableRequest request;
        request.shown = shown;
        request.currentRecordOnly = currentRecordOnly;
        if (marks) request.marks = choice.marks;
        request.markField = session_.keyField();
        request.roles = roles;
        request.counters = counters;
        request.labelPosition = choice.labelPosition;
        request.path = printTablePath();
        request.progress = operations.preparationProgress();
        int written = 0;
        const bool built = buildPrintTable(request, &written, &error);
        operations.preparationDone();
        if (!built) {
            messages_.error(error);
            return false;
        }
        builtTable_ = true;
    }

    // A query result has no table file the default query could name.
    if (session_.queryMode() && !choice.ownSql && !builtTable_ && !choice.oneRecord) {
        messages_.error(QStringLiteral("Výsledek dotazu lze tisknout jen sestavou s vlastním SQL "
                                       "dotazem nebo po volbě \"Jeden zaznam\"."));
        return false;
    }
    report.ReportName = choice.templateName;
    report.Parametry = ownerParameters();

    PrintQueryRequest q;
    q.labelFileMode = labelFileMode;
    q.ownSql = choice.ownSql;
    q.sqlLines = choice.sqlLines;
    q.sortString = choice.sortString;
    q.queryDatabase = session_.queryDatabase().isEmpty() ? session_.dataDir() : session_.queryDatabase();
    q.shownTableFile = session_.tablePath();
    q.printTablePath = printTablePath();
    q.fromPrintTable = builtTable_;
    q.copy = roles.copy;
    q.counters = counters;
    QStringList prepareMessages;
    // The print query runs under the preparation's progress: "Přeruš" ends it.
    query_.setProgress(operations.preparationProgress());
    const bool opened = openPrintQuery(query_, q, &prepareMessages, &error);
    query_.setProgress(nullptr);
    operations.preparationDone();
    for (const QString& m : prepareMessages) messages_.error(m);
    if (!opened) {
        messages_.error(error.isEmpty() ? QStringLiteral("Data pro tisk nelze připravit.") : error);
        return false;
    }

    // The current record alone comes from the shown table, or from the print
    // table holding its copies.
    if (labelTemplate) report.TiskJedenZaznam = currentRecordOnly && !builtTable_;
    const bool fromShown = choice.oneRecord || roles.perRecord || (currentRecordOnly && !builtTable_);
    source.dataSet = fromShown ? shown : query_.dataSet();

    switch (mode) {
        case PrintMode::Design:
            return operations.design(report);
        case PrintMode::Preview:
            return operations.preview(report);
        case PrintMode::Print:
            break;
    }
    if (!roles.perRecord) {
        const bool printed = operations.print(report);
        jobs_ = printed ? 1 : 0;
        return printed;
    }
    // One job per record; the page range and the switches are the
    // component's own again afterwards.
    const ReportSettings kept = report;
    const bool keptDialog = report.ReportPrintDialog;
    jobs_ = printPerRecord(*shown, roles.perRecordField, report,
                           [&](ReportSettings&, bool showDialog) {
                               report.ReportPrintDialog = showDialog;
                               return operations.print(report);
                           });
    static_cast<ReportSettings&>(report) = kept;
    report.ReportPrintDialog = keptDialog;
    return jobs_ > 0;
}

bool createTemplateFromPrototype(const QString& prototypePath, const QString& directory,
                                 const QString& name, QString* fileName, QString* error) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(u'"') || trimmed.contains(u'/') ||
        trimmed.contains(u'\\')) {
        if (error) *error = QStringLiteral("Chybné jméno sestavy");
        return false;
    }
    QStringList lines;
    if (!readTextLines(prototypePath, &lines, error)) return false;
    const QString title = QStringLiteral("I,0,\"%1\"").arg(trimmed);
    if (lines.isEmpty())
        lines << title;
    else
        lines[0] = title;
    *fileName = trimmed + QStringLiteral(".pts");
    return writeTextLines(QDir(directory).filePath(*fileName), lines, error);
}

}  // namespace dorvana
