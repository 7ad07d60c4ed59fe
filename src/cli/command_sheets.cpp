// dorvana-cli sheets [TEXT]: label sheet products with their geometry;
// dorvana-cli sheets BRAND PART --apply TEMPLATE: the template's page made to
// fit that sheet.
#include <QFileInfo>
#include <QTextStream>

#include "base/text_file.h"
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "report/designer/document/template_saving.h"
#include "report/model/paper/sheet_catalogue.h"
#include "report/model/paper/sheet_page.h"
#include "report/model/report_model.h"
#include "report/model/sheet_template.h"
#include "report/model/template_reader.h"

namespace dorvana::cli {

namespace {

QString mm(double points) {
    QString text = QString::number(points / kPointsPerMm, 'f', 2);
    while (text.endsWith(u'0')) text.chop(1);
    if (text.endsWith(u'.')) text.chop(1);
    return text.replace(u'.', u',');
}

QString productLine(const SheetProduct& p) {
    QString line = p.name() + u'\t' + p.geometryText();
    if (p.layouts.size() == 1) {
        const SheetLayout& l = p.layouts[0];
        line += QStringLiteral(", první %1 × %2 mm, rozteč %3 × %4 mm")
                    .arg(mm(l.x0), mm(l.y0), mm(l.nx > 1 ? l.dx : p.width),
                         mm(l.ny > 1 ? l.dy : p.height));
    }
    if (!p.placeable()) line += QStringLiteral(" (nelze umístit)");
    line += u'\t' + p.description;
    if (!p.equivalentOf.isEmpty()) line += QStringLiteral(" (jako %1)").arg(p.equivalentOf);
    return line;
}

int apply(const SheetCatalogue& catalogue, const QStringList& names, const QString& path) {
    if (names.size() < 2) return fail(QStringLiteral("chybí značka a číslo archu"));
    const QString brand = names[0], part = names.mid(1).join(u' ');
    const SheetProduct* product = catalogue.find(brand, part);
    if (!product) return fail(QStringLiteral("arch „%1 %2“ není v katalogu").arg(brand, part));
    SheetPage page;
    QString error;
    if (!sheetPageFor(*product, &page, &error)) return fail(error);
    ReportModel model;
    TemplateReadResult result;
    if (!loadTemplateFile(path, &model, {}, &result, &error)) return fail(error);
    if (result.templateLines == 0)
        return fail(QStringLiteral("Soubor \"%1\" není předloha tiskové sestavy")
                        .arg(QFileInfo(path).fileName()));
    if (!result.complete)
        return fail(QStringLiteral("Předlohu \"%1\" nelze celou přečíst (řádek %2: %3); "
                                   "nebyla změněna")
                        .arg(QFileInfo(path).fileName())
                        .arg(result.failedLine + 1)
                        .arg(result.failure));
    QStringList lines;
    if (!readTextLines(path, &lines, &error)) return fail(error);
    QStringList notes;
    applySheetPage(page, &model, &notes);
    if (!saveTemplateWithBackup(path, withSheetPageLines(lines, model), &error)) return fail(error);
    if (!page.warning.isEmpty()) warn(page.warning);
    for (const QString& n : notes) warn(n);
    QTextStream out(stdout);
    const PageGeometry& g = page.geometry;
    out << QFileInfo(path).fileName() << ": arch " << product->name() << ", papír " << g.paperWidth
        << " x " << g.paperHeight << ", okraje " << g.leftMargin << '/' << g.rightMargin << '/'
        << g.topMargin << '/' << g.bottomMargin << ", sloupců " << page.columns << ", mezera "
        << page.gap << ", výška řady " << page.rowPitch << ", štítek " << page.labelWidth << " x "
        << page.labelHeight << ", řad " << page.rows << '\n';
    return 0;
}

}  // namespace

int runSheets(const QStringList& args) {
    CliArgs parsed;
    QString error;
    if (!parseArgs(args, {QStringLiteral("apply")},
                   {QStringLiteral("help"), QStringLiteral("messages")}, &parsed, &error))
        return fail(error);
    if (parsed.has(QStringLiteral("help"))) return usage(QStringLiteral("sheets"));
    const SheetCatalogue catalogue = SheetCatalogue::standard();
    if (parsed.has(QStringLiteral("messages")))
        for (const QString& m : catalogue.messages()) warn(m);
    if (parsed.has(QStringLiteral("apply"))) {
        const QString path = parsed.value(QStringLiteral("apply"));
        if (path.isEmpty()) return fail(QStringLiteral("chybí předloha za --apply"));
        return apply(catalogue, parsed.positional, path);
    }
    const QList<const SheetProduct*> found = catalogue.search(parsed.positional.join(u' '));
    QTextStream out(stdout);
    for (const SheetProduct* p : found) out << productLine(*p) << '\n';
    out.flush();
    if (found.isEmpty())
        return fail(QStringLiteral("žádný arch neodpovídá „%1“").arg(parsed.positional.join(u' ')));
    return 0;
}

}  // namespace dorvana::cli
