// dorvana-cli render TEMPLATE [--table PATH] [--sql TEXT] [--param TEXT]... [--one-record]
//             [--record N] [--max-records N] [--start-page N] [--end-page N]
//             [--corrections FILE] [--dpi N] [--out OUT.pdf|OUT.png|OUT.json]
//             [--printer NAME [--copies N]]
// Builds the pages of a template the way a preview does (load, build,
// corrections applied) and writes them as a PDF, PNGs or the page dump,
// and/or prints them on a printer.
#include <QFileInfo>
#include <algorithm>
#include <memory>

#include "base/progress.h"
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "data/data_set.h"
#include "report/layout/font_measurer.h"
#include "report/layout/pages/page_dump.h"
#include "report/render/job/unattended_prompts.h"
#include "report/render/printer/printer.h"
#include "report/run/print_session.h"
#include "report/render/page_output.h"
#include "report/run/report_component.h"
#include "report/run/report_data.h"
#include "report/run/report_job.h"
#include "report/run/template_list.h"

namespace dorvana::cli {

namespace {

enum class Output { None, Json, Pdf, Png };

}  // namespace

int runRender(const QStringList& args) {
    CliArgs a;
    QString error;
    const QStringList withValue{
        QStringLiteral("table"),    QStringLiteral("sql"),         QStringLiteral("param"),
        QStringLiteral("record"),   QStringLiteral("max-records"), QStringLiteral("start-page"),
        QStringLiteral("end-page"), QStringLiteral("corrections"), QStringLiteral("dpi"),
        QStringLiteral("out"),      QStringLiteral("printer"),     QStringLiteral("copies")};
    if (!parseArgs(args, withValue, {QStringLiteral("one-record"), QStringLiteral("help")}, &a,
                   &error))
        return fail(error);
    if (a.has(QStringLiteral("help"))) return usage(QStringLiteral("render"));
    if (a.positional.size() != 1)
        return fail(QStringLiteral("příkaz render čeká právě jednu předlohu"));
    const QString templatePath = a.positional[0];

    const bool toPrinter = a.has(QStringLiteral("printer"));
    const QString printerName = a.value(QStringLiteral("printer"));
    if (toPrinter && printerName.isEmpty())
        return fail(QStringLiteral("volba --printer čeká název tiskárny"));
    if (a.has(QStringLiteral("copies")) && !toPrinter)
        return fail(QStringLiteral("volba --copies patří k volbě --printer"));

    const QString out = a.value(QStringLiteral("out"));
    if (out.isEmpty() && !toPrinter)
        return fail(
            QStringLiteral("chybí volba --out (soubor .json, .pdf nebo .png) nebo --printer"));
    const QString suffix = QFileInfo(out).suffix().toLower();
    Output output = Output::None;
    if (out.isEmpty())
        output = Output::None;
    else if (suffix == u"json")
        output = Output::Json;
    else if (suffix == u"pdf")
        output = Output::Pdf;
    else if (suffix == u"png")
        output = Output::Png;
    else
        return fail(QStringLiteral("výstup „%1“ musí mít příponu .json, .pdf nebo .png").arg(out));

    // Without --end-page the build has no page limit (the component's 9999
    // would cut a long run short).
    int record = 1, maxRecords = 0, startPage = 1, endPage = 0, dpi = 300, copies = 0;
    if (!a.intValue(QStringLiteral("record"), 1, &record, &error) ||
        !a.intValue(QStringLiteral("copies"), 0, &copies, &error) ||
        !a.intValue(QStringLiteral("max-records"), 0, &maxRecords, &error) ||
        !a.intValue(QStringLiteral("start-page"), 1, &startPage, &error) ||
        !a.intValue(QStringLiteral("end-page"), 0, &endPage, &error) ||
        !a.intValue(QStringLiteral("dpi"), 300, &dpi, &error))
        return fail(error);
    if (record < 1) return fail(QStringLiteral("volba --record čeká číslo záznamu od 1"));
    if (maxRecords < 0) return fail(QStringLiteral("volba --max-records nesmí být záporná"));
    const bool pageLimit = a.has(QStringLiteral("end-page"));
    if (startPage < 1 || (pageLimit && endPage < 1))
        return fail(QStringLiteral("volby --start-page a --end-page čekají číslo strany od 1"));
    if (pageLimit && startPage > endPage)
        return fail(QStringLiteral("počáteční strana %1 je za koncovou stranou %2")
                        .arg(startPage)
                        .arg(endPage));
    if (a.has(QStringLiteral("copies")) && copies < 1)
        return fail(QStringLiteral("volba --copies čeká počet kopií od 1"));
    if (dpi < 1 || dpi > 2400) return fail(QStringLiteral("volba --dpi čeká číslo od 1 do 2400"));

    const QFileInfo templateFile(templatePath);
    TemplateLeadingInfo info;
    if (!templateFile.isFile() || !readLeadingInfoFile(templatePath, &info))
        return fail(QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy \"%1\"")
                        .arg(templatePath));

    TerminalProgress progress;
    ReportDataRequest request;
    request.progress = &progress;
    request.table = a.value(QStringLiteral("table"));
    request.hasSql = a.has(QStringLiteral("sql"));
    request.sql = a.value(QStringLiteral("sql"));
    ReportData data;
    const bool opened = data.open(request, info, &error);
    progress.done();
    if (!opened) return fail(interrupted() ? QStringLiteral("přerušeno (Ctrl+C)") : error);
    for (const QString& warning : data.warnings()) warn(warning);
    DataSet* records = data.dataSet();
    if (!records && (a.has(QStringLiteral("record")) || a.has(QStringLiteral("one-record"))))
        return fail(
            QStringLiteral("volby --record a --one-record patří k volbě --table nebo --sql"));
    if (records && a.has(QStringLiteral("record")) && !records->setRecNo(record))
        return fail(QStringLiteral("záznam %1 v tabulce není (počet záznamů: %2)")
                        .arg(record)
                        .arg(records->recordCount()));

    ReportDataSource source{records};
    TSestava component;
    component.DataSource = &source;
    component.ReportDirIgnore = false;
    component.setReportDir(templateFile.absolutePath());
    component.ReportName = templateFile.fileName();
    component.Parametry = a.all(QStringLiteral("param"));
    component.MaxRecords = maxRecords;
    component.StartPage = startPage;
    component.EndPage = endPage;
    component.TiskJedenZaznam = a.has(QStringLiteral("one-record"));
    if (a.has(QStringLiteral("corrections"))) {
        const QFileInfo corrections(a.value(QStringLiteral("corrections")));
        if (!corrections.isFile())
            return fail(QStringLiteral("soubor oprav „%1“ neexistuje").arg(corrections.filePath()));
        component.setOpravyDir(corrections.absolutePath());
        component.OpravyName = corrections.fileName();
    }

    FontMeasurer measurer;
    // The template's printers are applied with the template (they decide how
    // barcodes are drawn) and put back when the session ends.
    PrintSession session(component, programPrinter());
    session.setTextMeasurer(&measurer);
    if (!session.load(&error, toPrinter)) return fail(error);
    ReportJob& job = session.job();
    for (const QString& w : job.readingWarnings()) warn(w);
    if (!job.correctionsWarning().isEmpty()) warn(job.correctionsWarning());
    int printerIndex = -1;
    if (toPrinter && (printerIndex = session.findPrinter(printerName, &error)) < 0)
        return fail(error);
    session.build(progress);
    progress.done();
    if (interrupted()) return fail(QStringLiteral("přerušeno (Ctrl+C)"));
    for (const QString& w : job.run().buildWarnings()) warn(w);
    if (job.run().stoppedAtPageLimit())
        warn(QStringLiteral("sestavení skončilo na straně %1 podle --end-page; zbytek sestavy "
                            "se nevytvořil")
                 .arg(job.pages().pageCount()));

    const PageStore& built = job.pages();
    if (startPage > 1 && startPage > built.pageCount())
        return fail(QStringLiteral("počáteční strana %1 je za koncem sestavy (počet stran: %2)")
                        .arg(startPage)
                        .arg(built.pageCount()));
    const PageStore shown = startPage > 1 ? pagesFrom(built, startPage - 1) : PageStore();
    const PageStore& pages = startPage > 1 ? shown : built;

    bool written = true;
    switch (output) {
        case Output::None:
            break;
        case Output::Json:
            written = writePageDumpFile(pages, out, component.cancelled, &error);
            break;
        case Output::Pdf:
            written = writePdf(pages, out, &error, &progress);
            break;
        case Output::Png:
            written = writePngs(pages, out, dpi, &error, nullptr, &progress);
            break;
    }
    progress.done();
    if (!written) return fail(interrupted() ? QStringLiteral("přerušeno (Ctrl+C)") : error);

    if (toPrinter) {
        UnattendedPrintPrompts prompts;
        PrintRequest request;
        request.printerIndex = printerIndex;
        request.showPrintDialog = false;
        request.copies = copies;
        request.startPage = startPage;
        request.endPage = endPage > 0 ? endPage : std::max(1, job.pages().pageCount());
        request.title = info.title.isEmpty() ? templateFile.fileName() : info.title;
        request.previewMode = true;  // the pages are built
        const bool printed = session.print(request, prompts, &progress, &error);
        progress.done();
        if (!printed) return fail(!prompts.message.isEmpty() ? prompts.message : error);
    }
    return 0;
}

}  // namespace dorvana::cli
