// The sample templates in samples/templates are built here through the model
// and written by the template writer. The test checks that the committed
// files are exactly what the writer makes of these models; with
// DORVANA_WRITE_SAMPLES=1 in the environment it writes them instead.
#include <gtest/gtest.h>

#include "base/text_file.h"
#include "model_test_support.h"
#include "report/model/graphic_elements.h"
#include "report/model/report_model.h"
#include "report/model/template_writer.h"
#include "report/model/text_elements.h"
#include "support/test_support.h"

using namespace dorvana;
using namespace Qt::StringLiterals;

namespace {

const QStringList kFields = test::labelFieldNames();

int field(const QString& name) {
    return int(kFields.indexOf(name));
}

template <class T>
T* add(ReportModel& m, TOddil* s, std::unique_ptr<T> e, QRect r) {
    e->X = r.x();
    e->Y = r.y();
    e->W = r.width();
    e->H = r.height();
    T* raw = e.get();
    m.page().registerElement(s, std::move(e));
    return raw;
}

void setFont(TSesText* t, const QString& name, int size, int style = 0,
             Alignment align = Alignment::Left) {
    t->setFontName(name);
    t->fontSize = size;
    t->font.style = style;
    t->alignment = align;
}

TSesLabel* label(ReportModel& m, TOddil* s, const QString& text, QRect r, int size, int style = 0,
                 Alignment align = Alignment::Left) {
    auto e = std::make_unique<TSesLabel>();
    e->Caption = text;
    setFont(e.get(), u"Arial"_s, size, style, align);
    return add(m, s, std::move(e), r);
}

TDBSesText* value(ReportModel& m, TOddil* s, const QString& name, QRect r, int size, int style = 0,
                  Alignment align = Alignment::Left) {
    auto e = std::make_unique<TDBSesText>();
    e->reference = field(name);
    e->setFieldName(name);
    setFont(e.get(), u"Arial"_s, size, style, align);
    return add(m, s, std::move(e), r);
}

TDBSesLabel* caption(ReportModel& m, TOddil* s, const QString& name, QRect r) {
    auto e = std::make_unique<TDBSesLabel>();
    e->reference = field(name);
    e->setFieldName(name);
    setFont(e.get(), u"Arial"_s, 9, FontStyle::Bold);
    e->Spodni = true;
    return add(m, s, std::move(e), r);
}

TSesPromenna* variable(ReportModel& m, TOddil* s, int number, const QString& format, QRect r,
                       Alignment align) {
    auto e = std::make_unique<TSesPromenna>();
    e->reference = number;
    e->setFormat(format);
    setFont(e.get(), u"Arial"_s, 8, FontStyle::Italic, align);
    return add(m, s, std::move(e), r);
}

TSesFunkce* function(ReportModel& m, TOddil* s, const QString& name, QRect r) {
    auto e = std::make_unique<TSesFunkce>();
    e->reference = m.functionIndex(name);
    e->setFunctionName(name);
    setFont(e.get(), u"Arial"_s, 10, FontStyle::Bold, Alignment::Right);
    return add(m, s, std::move(e), r);
}

TSesCara* rule(ReportModel& m, TOddil* s, QRect r) {
    auto e = std::make_unique<TSesCara>();
    e->Spodni = true;
    e->SirkaCary = 1;
    e->StylVypl = 1;  // clear
    return add(m, s, std::move(e), r);
}

void show(TOddil* s, int height) {
    s->visible = true;
    s->height = height;
}

FunctionDefinition sum(const QString& name, const QString& description, int resetScope) {
    FunctionDefinition f;
    f.name = name;
    f.description = description;
    f.expression = u"#cena"_s;
    f.processing = 2;  // "Součet"
    f.resetScope = resetScope;
    f.formatMask = QString();
    return f;
}

// A shelf label 60 x 40 mm: names, price, barcode, in a frame.
void buildLabel(ReportModel& m) {
    m.title = u"Cenovka 60 x 40 mm"_s;
    m.paper = {236, 157, 0, 0, 0, 0, 0};
    m.rasterX = m.rasterY = 4;
    TOddil* body = m.page().section(PlanSection::Body);
    show(body, 157);
    auto frame = std::make_unique<TSesRam>(ElementType::RoundRect);
    frame->setLines(LineBit::Left | LineBit::Top | LineBit::Right | LineBit::Bottom);
    frame->SirkaCary = 2;
    frame->StylVypl = 1;
    add(m, body, std::move(frame), {4, 4, 228, 149});
    value(m, body, u"nazev1"_s, {12, 10, 212, 22}, 12, FontStyle::Bold, Alignment::Center);
    value(m, body, u"nazev2"_s, {12, 34, 212, 16}, 8, 0, Alignment::Center);
    label(m, body, u"Cena:"_s, {12, 56, 60, 22}, 10);
    auto* price =
        value(m, body, u"cena"_s, {72, 52, 152, 28}, 16, FontStyle::Bold, Alignment::Right);
    price->font.colour = qRgb(128, 0, 0);
    auto* code = value(m, body, u"barcode"_s, {28, 86, 180, 50}, 9, 0, Alignment::Center);
    code->setBcFormat(u"031010100130010015+0"_s);  // EAN-13 with its text
    value(m, body, u"cislo"_s, {12, 138, 100, 12}, 6);
}

// A price list over the table: page header with date and column labels, a
// group per description, group and report sums, page numbers in the footer.
void buildReport(ReportModel& m) {
    m.title = u"Ceník zboží podle skupin"_s;
    m.passes = 1;
    m.functions = {sum(u"SoucetSkupiny"_s, u"Součet cen skupiny"_s, 2),
                   sum(u"Celkem"_s, u"Součet všech cen"_s, 0)};
    m.dataSource.sortEnabled = true;
    m.dataSource.sortList = u"+popis1,+nazev1"_s;
    TPapir& page = m.page();
    TOddil* start = page.section(PlanSection::ReportStart);
    show(start, 50);
    label(m, start, u"Ceník zboží"_s, {0, 0, 726, 40}, 20, FontStyle::Bold, Alignment::Center);
    TOddil* header = page.section(PlanSection::PageHeader);
    show(header, 44);
    variable(m, header, 0, QString(), {576, 0, 150, 16}, Alignment::Right);
    caption(m, header, u"cislo"_s, {0, 24, 80, 18});
    caption(m, header, u"nazev1"_s, {90, 24, 300, 18});
    caption(m, header, u"nazev2"_s, {400, 24, 200, 18});
    caption(m, header, u"cena"_s, {610, 24, 116, 18})->alignment = Alignment::Right;
    TOddil* body = page.section(PlanSection::Body);
    show(body, 18);
    value(m, body, u"cislo"_s, {0, 0, 80, 18}, 9);
    value(m, body, u"nazev1"_s, {90, 0, 300, 18}, 9);
    value(m, body, u"nazev2"_s, {400, 0, 200, 18}, 9);
    value(m, body, u"cena"_s, {610, 0, 116, 18}, 9, 0, Alignment::Right);
    TOddil* end = page.section(PlanSection::ReportEnd);
    show(end, 30);
    rule(m, end, {0, 0, 726, 4});
    label(m, end, u"Celkem:"_s, {400, 8, 200, 20}, 10, FontStyle::Bold);
    function(m, end, u"Celkem"_s, {610, 8, 116, 20});
    TOddil* footer = page.section(PlanSection::PageFooter);
    show(footer, 24);
    variable(m, footer, 3, u"Strana %d"_s, {576, 4, 150, 16}, Alignment::Right);

    TPolSkup* g = m.addGroup();
    g->field = field(u"popis1"_s);
    g->fieldName = u"popis1"_s;
    m.groupFieldsByName = true;
    TOddil* gs = g->sections[GroupSection::Start];
    show(gs, 26);
    value(m, gs, u"popis1"_s, {0, 4, 400, 20}, 11, FontStyle::Bold | FontStyle::Underline);
    TOddil* ge = g->sections[GroupSection::End];
    show(ge, 24);
    rule(m, ge, {400, 0, 326, 4});
    label(m, ge, u"Součet skupiny:"_s, {400, 4, 200, 18}, 9);
    function(m, ge, u"SoucetSkupiny"_s, {610, 4, 116, 18});
}

// The prototype new report templates start from.
void buildPrototype(ReportModel& m) {
    m.title = u"Nová sestava"_s;
    TPapir& page = m.page();
    TOddil* header = page.section(PlanSection::PageHeader);
    show(header, 30);
    label(m, header, u"Sestava"_s, {0, 0, 726, 24}, 14, FontStyle::Bold);
    TOddil* body = page.section(PlanSection::Body);
    show(body, 18);
    value(m, body, u"cislo"_s, {0, 0, 80, 18}, 10);
    value(m, body, u"nazev1"_s, {90, 0, 400, 18}, 10);
    value(m, body, u"cena"_s, {500, 0, 120, 18}, 10, 0, Alignment::Right);
    TOddil* footer = page.section(PlanSection::PageFooter);
    show(footer, 20);
    variable(m, footer, 3, u"%d"_s, {626, 2, 100, 16}, Alignment::Right);
}

}  // namespace

TEST(SampleTemplates, AreWhatTheWriterMakesOfTheirModels) {
    const struct {
        const char* file;
        void (*build)(ReportModel&);
    } samples[] = {
        {"etiketa.pte", buildLabel}, {"cenik.pts", buildReport}, {"zaklad.PTF", buildPrototype}};
    const bool regenerate = qEnvironmentVariableIntValue("DORVANA_WRITE_SAMPLES") == 1;
    for (const auto& s : samples) {
        ReportModel m;
        s.build(m);
        const QString path = test::sourcePath(u"samples/templates/"_s + QLatin1String(s.file));
        if (regenerate) {
            QString error;
            ASSERT_TRUE(saveTemplateFile(path, m, {kFields}, &error)) << error.toStdString();
        }
        QStringList lines;
        ASSERT_TRUE(readTextLines(path, &lines)) << path.toStdString();
        EXPECT_EQ(lines, writeTemplate(m, {kFields})) << s.file;
    }
}
