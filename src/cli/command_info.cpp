// dorvana-cli info TEMPLATE...: a short summary of each template.
#include <QFileInfo>
#include <QTextStream>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "report/model/report_model.h"
#include "report/model/template_reader.h"

namespace dorvana::cli {

namespace {

QString kindOf(const QString& path) {
    const QString ext = QFileInfo(path).suffix();
    if (ext == u"PTF") return QStringLiteral("prototyp sestavy");
    if (ext.compare(u"pte", Qt::CaseInsensitive) == 0) return QStringLiteral("štítek");
    if (ext.compare(u"pts", Qt::CaseInsensitive) == 0) return QStringLiteral("sestava");
    return QStringLiteral("předloha");
}

void printSummary(QTextStream& out, const QString& path, const ReportModel& m,
                  const TemplateReadResult& r) {
    out << QFileInfo(path).fileName() << ": " << kindOf(path) << " „" << m.title << "“, verze "
        << m.majorVersion << '.' << m.minorVersion << '\n';
    const PageGeometry& p = m.paper;
    out << "  papír " << p.paperWidth << " x " << p.paperHeight << " ("
        << (p.orientation == 1 ? "na šířku" : "na výšku") << "), okraje " << p.leftMargin << '/'
        << p.rightMargin << '/' << p.topMargin << '/' << p.bottomMargin << ", tisková plocha "
        << p.printableWidth() << " x " << p.printableHeight() << ", sloupců " << m.columns()
        << ", průchodů " << m.passes << '\n';
    for (const TOddil* s : m.page().displayOrder()) {
        if (!s->visible && s->elementCount() == 0) continue;
        out << "  oddíl " << s->caption << ": výška " << s->height << ", prvků "
            << s->elementCount() << (s->visible ? "" : " (skrytý)") << '\n';
    }
    for (int g = 0; g < m.groupCount(); ++g) {
        const TPolSkup& group = *m.group(g);
        out << "  " << group.name() << ": položka "
            << (group.fieldName.isEmpty() ? QString::number(group.field) : group.fieldName)
            << (group.newPage ? ", nová stránka" : "") << '\n';
    }
    for (int p = 1; p < m.planCount(); ++p) out << "  " << m.plan(p)->name() << '\n';
    if (!m.functions.isEmpty()) {
        QStringList names;
        for (const FunctionDefinition& f : m.functions) names << f.name;
        out << "  funkce (" << m.functions.size() << "): " << names.join(QStringLiteral(", "))
            << '\n';
    }
    if (!m.printers.isEmpty()) {
        QStringList names;
        for (const TPolTisk& t : m.printers) names << t.name;
        out << "  tiskárny: " << names.join(QStringLiteral(", ")) << '\n';
    }
    if (!r.complete)
        out << "  čtení přerušeno na řádku " << r.failedLine + 1 << ": " << r.failure << '\n';
}

}  // namespace

int runInfo(const QStringList& args) {
    CliArgs parsed;
    QString error;
    if (!parseArgs(args, {}, {QStringLiteral("help")}, &parsed, &error)) return fail(error);
    if (parsed.has(QStringLiteral("help"))) return usage(QStringLiteral("info"));
    if (parsed.positional.isEmpty()) return fail(QStringLiteral("chybí předloha"));
    QTextStream out(stdout);
    int status = 0;
    for (const QString& path : parsed.positional) {
        ReportModel model;
        TemplateReadResult result;
        if (!loadTemplateFile(path, &model, {}, &result, &error)) {
            out.flush();
            status = fail(error);
            continue;
        }
        if (result.templateLines == 0) {
            out.flush();
            status = fail(QStringLiteral("Soubor \"%1\" není předloha tiskové sestavy")
                              .arg(QFileInfo(path).fileName()));
            continue;
        }
        printSummary(out, path, model, result);
    }
    return status;
}

}  // namespace dorvana::cli
