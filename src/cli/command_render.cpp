// dorvana-cli render TEMPLATE [--table PATH] [--sql TEXT] [--param TEXT]... [--one-record]
//             [--record N] [--max-records N] [--start-page N] [--end-page N]
//             [--corrections FILE] [--dpi N] [--out OUT.pdf|OUT.png|OUT.json]
//             [--printer NAME [--copies N]]
// Builds the pages of a template the way a preview does (load, build,
// corrections applied) and writes them as a PDF, PNGs or the page dump,
// and/or prints them on a printer.
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <memory>

#include "base/progress.h"
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "data/data_set.h"
#include "report/layout/font_measurer.h"
#include "report/layout/pages/page_dump.h"
#include "report/render/job/headless_print.h"
#include "report/render/page_output.h"
#include "report/run/report_component.h"
#include "report/run/report_data.h"
#include "report/run/report_job.h"
#include "report/run/template_list.h"

namespace dorvana::cli {

namespace {

// The page being built, on one line of stderr, when stderr is a terminal.
class TerminalProgress final : public Progress {
public:
    TerminalProgress() : shown_(isatty(fileno(stderr)) != 0) {}
    ~TerminalProgress() override { done(); }
    void step(int, int, const QString& text) override {
        if (!shown_) return;
        std::fprintf(stderr, "\r%s\033[K", text.toLocal8Bit().constData());
        std::fflush(stderr);
        written_ = true;
    }
    bool cancelled() override { return false; }
    void done() {
        if (written_) std::fputs("\r\033[K", stderr);
        written_ = false;
    }

private:
    bool shown_;
    bool written_ = false;
};

void warn(const QString& message) {
    std::fprintf(stderr, "dorvana-cli: varování: %s\n",
                 QString(message).replace(u'\n', u' ').toLocal8Bit().constData());
}

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
    if (!parseArgs(args, withValue, {QStringLiteral("one-record")}, &a, &error)) return fail(error);
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

    int record = 1, maxRecords = 0, startPage = 1, endPage = kDefaultEndPage, dpi = 300, copies = 0;
    if (!a.intValue(QStringLiteral("record"), 1, &record, &error) ||
        !a.intValue(QStringLiteral("copies"), 0, &copies, &error) ||
        !a.intValue(QStringLiteral("max-records"), 0, &maxRecords, &error) ||
        !a.intValue(QStringLiteral("start-page"), 1, &startPage, &error) ||
        !a.intValue(QStringLiteral("end-page"), kDefaultEndPage, &endPage, &error) ||
        !a.intValue(QStringLiteral("dpi"), 300, &dpi, &error))
        return fail(error);
    if (record < 1) return fail(QStringLiteral("volba --record čeká číslo záznamu od 1"));
    if (maxRecords < 0) return fail(QStringLiteral("volba --max-records nesmí být záporná"));
    if (startPage < 1 || endPage < 1)
        return fail(QStringLiteral("volby --start-page a --end-page čekají číslo strany od 1"));
    if (startPage > endPage)
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

    ReportDataRequest request;
    request.table = a.value(QStringLiteral("table"));
    request.hasSql = a.has(QStringLiteral("sql"));
    request.sql = a.value(QStringLiteral("sql"));
    ReportData data;
    if (!data.open(request, info, &error)) return fail(error);
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
    ReportJob job(component);
    job.setTextMeasurer(&measurer);
    if (!job.load(&error)) return fail(error);
    if (!job.correctionsWarning().isEmpty()) warn(job.correctionsWarning());
    // The template's printers are applied before the build (they decide how
    // barcodes are drawn) and put back when `print` goes out of scope.
    std::unique_ptr<HeadlessPrint> print;
    if (toPrinter) {
        print = std::make_unique<HeadlessPrint>(job.run());
        if (!print->prepare(printerName, &error)) return fail(error);
    }
    TerminalProgress progress;
    job.build(progress);
    progress.done();

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
    if (!written) return fail(error);

    if (print) {
        HeadlessPrintOptions options;
        options.copies = copies;
        options.startPage = startPage;
        options.endPage = endPage;
        options.title = info.title.isEmpty() ? templateFile.fileName() : info.title;
        options.progress = &progress;
        const bool printed = print->print(options, &error);
        progress.done();
        if (!printed) return fail(error);
    }
    return 0;
}

}  // namespace dorvana::cli
