#include "report/model/sheet_template.h"

#include "report/model/report_model.h"
#include "report/model/section.h"
#include "report/model/template_writer.h"

namespace dorvana {

void applySheetPage(const SheetPage& page, ReportModel* model, QStringList* notes) {
    model->paper = page.geometry;
    model->setColumns(page.columns, page.gap);
    TOddil* body = model->page().section(PlanSection::Body);
    body->visible = true;
    body->height = page.rowPitch;
    if (!notes) return;
    for (int k : {PlanSection::PageHeader, PlanSection::PageFooter, PlanSection::ReportStart,
                  PlanSection::ReportEnd}) {
        const TOddil* s = model->page().section(k);
        if (s->visible && s->height > 0)
            *notes << QStringLiteral("Oddíl „%1“ je viditelný a posune řady štítků.")
                          .arg(s->caption.trimmed());
    }
}

namespace {

bool isLine(const QString& line, QStringView prefix) {
    return line.trimmed().startsWith(prefix);
}

}  // namespace

QStringList withSheetPageLines(const QStringList& lines, const ReportModel& model) {
    const QStringList written = writeTemplate(model);
    const QString pagePrefix = QStringLiteral("I,2,");
    const QString bodyPrefix = QStringLiteral("I,3,%1,").arg(PlanSection::Body);
    QString pageLine, bodyLine;
    for (const QString& l : written) {
        if (l.startsWith(pagePrefix)) pageLine = l;
        if (l.startsWith(bodyPrefix)) bodyLine = l;
    }
    QStringList out = lines;
    bool pageDone = false, bodyDone = false;
    for (QString& l : out) {
        if (isLine(l, pagePrefix)) {
            l = pageLine;
            pageDone = true;
        } else if (isLine(l, bodyPrefix)) {
            l = bodyLine;
            bodyDone = true;
        }
    }
    // Missing lines go after the last info line that comes before them.
    auto insert = [&](const QString& line, const QStringList& before) {
        qsizetype at = 0;
        for (qsizetype i = 0; i < out.size(); ++i)
            for (const QString& b : before)
                if (isLine(out[i], b)) at = i + 1;
        out.insert(at, line);
    };
    if (!pageDone) insert(pageLine, {QStringLiteral("I,0,"), QStringLiteral("I,1,")});
    if (!bodyDone)
        insert(bodyLine, {QStringLiteral("I,0,"), QStringLiteral("I,1,"), pagePrefix,
                          QStringLiteral("I,3,0,"), QStringLiteral("I,3,1,")});
    return out;
}

}  // namespace dorvana
