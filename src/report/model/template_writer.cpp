#include "report/model/template_writer.h"

#include <algorithm>

#include "base/names.h"
#include "base/text_file.h"
#include "report/model/colour_table.h"
#include "report/model/data_source_text.h"
#include "report/model/graphic_elements.h"
#include "report/model/report_model.h"
#include "report/model/section_codes.h"
#include "report/model/template_tokens.h"
#include "report/model/text_elements.h"

namespace dorvana {

namespace {

// Group sections in the order of the I,4 line and of the element lines.
constexpr int kGroupLineOrder[GroupSection::Count] = {
    GroupSection::Start, GroupSection::CarriedOver, GroupSection::CarriedForward,
    GroupSection::End};

class Line {
public:
    explicit Line(QString first) : text_(std::move(first)) {}
    Line& operator<<(int v) {
        text_ += u',';
        text_ += QString::number(v);
        return *this;
    }
    Line& operator<<(bool v) { return *this << int(v ? 1 : 0); }
    Line& operator<<(const QString& token) {
        text_ += u',';
        text_ += token;
        return *this;
    }
    const QString& text() const { return text_; }

private:
    QString text_;
};

QString groupFieldName(const TPolSkup& g, const QStringList& fieldNames) {
    if (!g.fieldName.isEmpty()) return g.fieldName;
    return g.field >= 0 && g.field < fieldNames.size() ? fieldNames[g.field] : QString();
}

QString referenceToken(const TSesPrvek& e) {
    if (e.type() == ElementType::FieldValue || e.type() == ElementType::FieldLabel) {
        const auto& f = static_cast<const TDBSesLabel&>(e);
        if (!f.fieldName().isEmpty()) return plainToken(f.fieldName());
    } else if (e.type() == ElementType::Function) {
        const auto& f = static_cast<const TSesFunkce&>(e);
        if (!f.functionName().isEmpty()) return plainToken(f.functionName());
    }
    return QString::number(e.reference);
}

QString elementLine(const QString& code, const TSesPrvek& e) {
    Line l(code);
    l << e.type() << referenceToken(e) << e.X << e.Y << e.W << e.H;
    if (const auto* g = dynamic_cast<const TSesGrafPrvek*>(&e)) {
        l << QString() << g->SirkaCary << indexOfColour(g->BarvaCary) << g->StylCary << g->lines()
          << indexOfColour(g->BarvaVypl) << g->StylVypl << 0;
        if (const auto* p = dynamic_cast<const TSesObraz*>(g)) l << quotedToken(p->FileName());
        return l.text();
    }
    const auto& t = static_cast<const TSesText&>(e);
    int align = int(t.alignment);
    if (t.type() == ElementType::FieldValue)
        align |= static_cast<const TDBSesText&>(t).memoFlags & 0xF0;
    l << plainToken(t.fontName()) << t.fontSize << indexOfColour(t.font.colour) << t.font.style
      << align << t.borders() << 1 << t.font.charset;
    if (t.type() == ElementType::Label) l << quotedToken(t.Caption);
    if (t.type() == ElementType::Variable)
        l << quotedToken(static_cast<const TSesPromenna&>(t).Format());
    l << quotedToken(t.screenFont()) << quotedToken(t.BcFormat()) << t.Otoc();
    return l.text();
}

// Sections in the order their element lines are written: the main plan's,
// then each group's (start, carried over, carried forward, end), then each
// additional plan's.
QList<const TOddil*> sectionsInWriterOrder(const ReportModel& m) {
    QList<const TOddil*> order;
    for (int k = 0; k < PlanSection::Count; ++k) order << m.page().section(k);
    for (int g = 0; g < m.groupCount(); ++g)
        for (int k : kGroupLineOrder) order << m.group(g)->sections[size_t(k)];
    for (int p = 1; p < m.planCount(); ++p)
        for (const TOddil* s : m.plan(p)->sections) order << s;
    return order;
}

Line& operator<<(Line& l, const SectionSettings& s) {
    return l << s.visible << s.height << s.pass << s.condition;
}

}  // namespace

QStringList usedFieldNames(const ReportModel& model, const QStringList& fieldNames) {
    QStringList found;
    for (const TOddil* s : sectionsInWriterOrder(model))
        for (const auto& e : s->elements())
            if (e->type() == ElementType::FieldValue || e->type() == ElementType::FieldLabel) {
                const QString& name = static_cast<const TDBSesLabel&>(*e).fieldName();
                if (!name.isEmpty()) found.append(plainToken(name));  // as the line names it
            }
    for (int g = 0; g < model.groupCount(); ++g) {
        const QString name = groupFieldName(*model.group(g), fieldNames);
        if (!name.isEmpty()) found.append(plainToken(name));
    }
    for (const FunctionDefinition& f : model.functions)
        found << referencedNames(f.expression, u'#');
    QStringList distinct;
    for (const QString& name : found)
        if (std::none_of(distinct.cbegin(), distinct.cend(),
                         [&](const QString& d) { return sameName(d, name); }))
            distinct.append(name);
    return distinct;
}

QStringList writeTemplate(const ReportModel& m, const TemplateWriteOptions& options) {
    QStringList out;
    const TPapir& page = m.page();
    out << (Line(QStringLiteral("I")) << 0 << quotedToken(m.title)).text();
    out << (Line(QStringLiteral("I"))
            << 1 << 1 << 5 << m.passes << m.mainPlan()->fillPage << m.mainPlan()->fillGroup)
               .text();
    const PageGeometry& p = m.paper;
    out << (Line(QStringLiteral("I"))
            << 2 << p.orientation << p.paperWidth << p.paperHeight << p.leftMargin << p.rightMargin
            << p.topMargin << p.bottomMargin << m.columns() << m.columnGap() << m.rasterX
            << m.rasterY << m.lineSpacing << m.charPitch)
               .text();
    for (int i = 0; i < PlanSection::Count; ++i)
        out << (Line(QStringLiteral("I")) << 3 << i << page.section(i)->settings()).text();

    for (int g = 0; g < m.groupCount(); ++g) {
        const TPolSkup& group = *m.group(g);
        Line l(QStringLiteral("I"));
        l << 4 << g;
        const QString name = groupFieldName(group, options.fieldNames);
        if (m.groupFieldsByName && !name.isEmpty())
            l << plainToken(name);
        else
            l << group.field;
        for (int k : kGroupLineOrder)
            l << group.sections[size_t(k)]->visible << group.sections[size_t(k)]->height;
        l << group.newPage;
        for (int k : kGroupLineOrder)
            l << group.sections[size_t(k)]->pass << group.sections[size_t(k)]->condition;
        out << l.text();
    }

    const DataSourceSettings& ds = m.dataSource;
    if (ds.sortEnabled) {
        if (ds.kind == DataSourceSettings::Standard && !ds.sortList.isEmpty())
            out << (Line(QStringLiteral("I")) << 5 << 0 << quotedToken(ds.sortList)).text();
        if (ds.kind == DataSourceSettings::Combined)
            for (const QString& sql : ds.sqlLines)
                out << (Line(QStringLiteral("I")) << 5 << 1 << quotedToken(sqlLineToTemplate(sql)))
                           .text();
    }
    for (const QString& name : usedFieldNames(m, options.fieldNames))
        out << (Line(QStringLiteral("I")) << 6 << quotedToken(name)).text();

    for (int p = 1; p < m.planCount(); ++p) {
        const TPolPlan& plan = *m.plan(p);
        Line l(QStringLiteral("I"));
        l << 7 << p - 1;
        for (const TOddil* s : plan.sections) l << s->settings();
        l << plan.fillPage << plan.fillGroup;
        out << l.text();
    }

    if (m.printersChosen)
        for (int n = 0; n < m.printers.size(); ++n) {
            const TPolTisk& printer = m.printers[n];
            out << (Line(QStringLiteral("I")) << 8 << n << quotedToken(printer.name)).text();
            for (const QString& setting : printer.settings)
                out << (Line(QStringLiteral("I")) << 8 << n << quotedToken(setting)).text();
        }

    for (int i = 0; i < m.functions.size(); ++i) {
        const FunctionDefinition& f = m.functions[i];
        out << (Line(QStringLiteral("F"))
                << i << plainToken(f.name) << quotedToken(f.description) << f.resultType
                << quotedToken(f.initialValue) << f.resetScope << quotedToken(f.expression)
                << f.processing << f.precision << f.digits << f.numberFormat
                << quotedToken(f.formatMask))
                   .text();
    }

    for (const TOddil* s : sectionsInWriterOrder(m)) {
        const QString code = sectionCode(page, s->IndexOdd);
        for (const auto& e : s->elements()) out << elementLine(code, *e);
    }
    return out;
}

bool saveTemplateFile(const QString& path, const ReportModel& model,
                      const TemplateWriteOptions& options, QString* error) {
    return writeTextLines(path, writeTemplate(model, options), error);
}

}  // namespace dorvana
