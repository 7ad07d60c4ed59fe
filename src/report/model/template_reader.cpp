#include "report/model/template_reader.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>

#include "base/names.h"
#include "base/text_file.h"
#include "report/model/colour_table.h"
#include "report/model/data_source_text.h"
#include "report/model/graphic_elements.h"
#include "report/model/model_sources.h"
#include "report/model/report_model.h"
#include "report/model/section_codes.h"
#include "report/model/template_tokens.h"
#include "report/model/text_elements.h"

namespace dorvana {

namespace {

struct Failure {
    QString message;
};

class Reader {
public:
    Reader(ReportModel* model, const TemplateReadOptions& options)
        : m_(*model), options_(options) {}

    TemplateReadResult read(const QStringList& lines);

private:
    void readInfo(TemplateTokenizer& t);
    void readGroup(TemplateTokenizer& t);
    void readPlan(TemplateTokenizer& t);
    void readFunction(TemplateTokenizer& t);
    void readElement(TOddil* section, TemplateTokenizer& t);
    SectionSettings readSectionSettings(TemplateTokenizer& t) const;
    int colour(TemplateTokenizer& t) const;
    int fieldIndex(const QString& name);
    int renumberVariable(int n) const;
    bool below(int minor) const { return major_ <= 1 && minor_ < minor; }

    ReportModel& m_;
    const TemplateReadOptions& options_;
    int major_ = 1, minor_ = 5;
    int lastPrinterNumber_ = -1;  // number of the I,8 line just before, -1 when none
    QStringList unknownFieldNames_;
};

int visibility(int v, bool* locked) {
    *locked = v > 1;
    return v != 0;
}

int passNumber(int v) {
    return qBound(0, v, 255);
}

SectionSettings Reader::readSectionSettings(TemplateTokenizer& t) const {
    SectionSettings s;
    s.visible = visibility(t.integer(0), &s.locked);
    s.height = t.integer(0);
    s.pass = passNumber(t.integer(0));
    s.condition = t.integer(0);
    return s;
}

int Reader::colour(TemplateTokenizer& t) const {
    const int index = t.integer(0);
    if (!isColourIndex(index)) throw Failure{QStringLiteral("Chybný index barvy %1").arg(index)};
    return index;
}

int Reader::fieldIndex(const QString& name) {
    // A name the data set does not have stays unbound (-1) and prints
    // nothing: field 0 in its place would print plainly wrong data.
    const int i = options_.fieldIndex ? options_.fieldIndex(name) : -1;
    if (i < 0 && options_.fieldIndex) {
        const QString cut = cutName(name);
        const bool named = std::any_of(unknownFieldNames_.cbegin(), unknownFieldNames_.cend(),
                                       [&cut](const QString& n) { return sameName(n, cut); });
        if (!named) unknownFieldNames_.append(cut);
    }
    return i;
}

int Reader::renumberVariable(int n) const {
    if (below(3) && n >= 4) n = n + 1;
    if (below(4) && n >= 5) n = ((n - 11) / 2) * 4 + 5 + ((n - 11) % 2);
    if (below(5) && n >= 5) n = n + 3;
    return n;
}

TemplateReadResult Reader::read(const QStringList& lines) {
    TemplateReadResult result;
    m_.clear();
    m_.title.clear();
    m_.majorVersion = major_;
    m_.minorVersion = minor_;
    m_.passes = 1;
    m_.dataSource = {};
    m_.groupFieldsByName = false;
    m_.printersChosen = false;

    QHash<QString, QList<int>> elementLines;  // section code -> line indexes in file order
    QList<int> functionLines;
    int current = -1;
    try {
        // Plans first: their sections come before the groups' in the page, so
        // adding them before the groups renumbers nothing.
        for (int i = 0; i < lines.size(); ++i) {
            if (!lines[i].startsWith(u'I')) continue;
            TemplateTokenizer t(lines[i]);
            t.skip();
            if (t.integer(-1) == 7) readPlan(t);
        }
        for (int i = 0; i < lines.size(); ++i) {
            const QString& line = lines[i];
            if (line.isEmpty()) continue;
            current = i;
            if (line[0] == u'I') {
                if (line.startsWith(u"I,")) ++result.templateLines;
                TemplateTokenizer t(line);
                t.skip();
                readInfo(t);
                continue;
            }
            lastPrinterNumber_ = -1;
            if (line[0] == u'F') {
                if (line == u"F" || line.startsWith(u"F,")) ++result.templateLines;
                functionLines.append(i);
                continue;
            }
            TemplateTokenizer t(line);
            elementLines[t.text()].append(i);
        }
        for (int i : functionLines) {
            current = i;
            TemplateTokenizer t(lines[i]);
            t.skip();
            readFunction(t);
        }
        for (int s = 0; s < m_.page().sectionCount(); ++s) {
            const auto it = elementLines.constFind(sectionCode(m_.page(), s));
            if (it != elementLines.constEnd()) result.elementCount += int(it->size());
        }
        if (result.elementCount > kMaxTemplateElements) {
            result.tooLarge = true;
            throw Failure{QStringLiteral("předloha má %1 prvků, nejvýše lze %2")
                              .arg(result.elementCount)
                              .arg(kMaxTemplateElements)};
        }
        for (int s = 0; s < m_.page().sectionCount(); ++s) {
            const auto it = elementLines.constFind(sectionCode(m_.page(), s));
            if (it == elementLines.constEnd()) continue;
            for (int i : *it) {
                current = i;
                TemplateTokenizer t(lines[i]);
                t.skip();
                ++result.templateLines;
                readElement(m_.page().section(s), t);
            }
        }
    } catch (const Failure& f) {
        result.complete = false;
        result.failedLine = current;
        result.failure = f.message;
    }
    result.unknownFieldNames = unknownFieldNames_;
    return result;
}

void Reader::readInfo(TemplateTokenizer& t) {
    const int kind = t.integer(-1);
    if (kind != 8) lastPrinterNumber_ = -1;
    switch (kind) {
        case 0:
            m_.title = t.text();
            break;
        case 1:
            major_ = m_.majorVersion = t.integer(0);
            minor_ = m_.minorVersion = t.integer(0);
            m_.passes = t.integer(1);
            m_.mainPlan()->fillPage = t.boolean();
            m_.mainPlan()->fillGroup = t.boolean();
            break;
        case 2: {
            PageGeometry& p = m_.paper;
            p.orientation = t.integer(0);
            if (major_ > 0) {
                p.paperWidth = t.integer(p.paperWidth);
                p.paperHeight = t.integer(p.paperHeight);
            } else {
                t.skip();
                t.skip();
            }
            p.leftMargin = t.integer(0);
            p.rightMargin = t.integer(0);
            p.topMargin = t.integer(0);
            p.bottomMargin = t.integer(0);
            const int columns = t.integer(1);
            const int gap = t.integer(0);
            m_.setColumns(columns, gap);
            const int rx = t.integer(0), ry = t.integer(0);
            m_.rasterX = rx < 1 ? options_.defaultRasterX : rx;
            m_.rasterY = ry < 1 ? options_.defaultRasterY : ry;
            m_.lineSpacing = t.integer(0);
            m_.charPitch = t.integer(1);
            break;
        }
        case 3: {
            const int section = t.integer(0);
            if (section < 0 || section >= PlanSection::Count) break;
            m_.page().section(section)->setSettings(readSectionSettings(t));
            break;
        }
        case 4:
            readGroup(t);
            break;
        case 5: {
            const int sourceKind = t.integer(0);
            if (sourceKind == DataSourceSettings::Standard) {
                m_.dataSource.sortList = t.text();
            } else if (sourceKind == DataSourceSettings::Combined) {
                m_.dataSource.sqlLines.append(sqlLineFromTemplate(t.text()));
            } else {
                break;
            }
            m_.dataSource.kind = sourceKind;
            m_.dataSource.sortEnabled = true;
            break;
        }
        case 6:
            m_.usedFieldNames.append(t.text());
            break;
        case 7:
            break;  // plans are read before the other lines
        case 8: {
            const int n = t.integer(0);
            const QString text = t.text();
            if (lastPrinterNumber_ == n && !m_.printers.isEmpty()) {
                m_.printers.last().settings.append(text);
            } else {
                TPolTisk printer;
                printer.name = text;
                m_.printers.append(printer);
            }
            m_.printersChosen = true;
            lastPrinterNumber_ = n;
            break;
        }
        default:
            break;  // other kinds are ignored
    }
}

void Reader::readGroup(TemplateTokenizer& t) {
    t.skip();  // number: groups are numbered in the order of their lines
    const QString field = t.text();
    TPolSkup* g = m_.addGroup();
    if (isNameToken(field)) {
        g->fieldName = cutName(field);
        g->field = fieldIndex(field);
        m_.groupFieldsByName = true;
    } else {
        g->field = parseIntegerToken(field, 0);
    }
    // Visible/height pairs in the order start, carried over, carried forward,
    // end; then new page; then pass/condition pairs in the same order.
    const int order[4] = {GroupSection::Start, GroupSection::CarriedOver,
                          GroupSection::CarriedForward, GroupSection::End};
    for (int k : order) {
        TOddil* s = g->sections[size_t(k)];
        s->visible = t.boolean();
        s->height = t.integer(0);
    }
    g->newPage = t.boolean();
    for (int k : order) {
        TOddil* s = g->sections[size_t(k)];
        s->pass = passNumber(t.integer(0));
        s->condition = t.integer(0);
    }
}

void Reader::readPlan(TemplateTokenizer& t) {
    t.skip();  // number: plans are numbered in the order of their lines
    TPolPlan* p = m_.addPlan();
    for (TOddil* s : p->sections) s->setSettings(readSectionSettings(t));
    p->fillPage = t.boolean();
    p->fillGroup = t.boolean();
}

void Reader::readFunction(TemplateTokenizer& t) {
    t.skip();  // index: functions are numbered in the order of their lines
    FunctionDefinition f;
    f.name = t.text();
    f.description = t.text();
    f.resultType = t.integer(0);
    f.initialValue = t.text();
    f.resetScope = t.integer(0);
    f.expression = t.text();
    f.processing = t.integer(0);
    f.precision = t.integer(0);
    f.digits = t.integer(0);
    f.setNumberFormat(t.integer(FunctionDefinition::kDefaultNumberFormat));
    f.formatMask = t.text();
    m_.functions.append(f);
}

void Reader::readElement(TOddil* section, TemplateTokenizer& t) {
    const int type = t.integer(0);
    std::unique_ptr<TSesPrvek> element = createElement(type);
    if (!element) return;  // other types create no element
    const QString ref = t.text();
    TSesPrvek& e = *element;
    e.X = t.integer(0);
    e.Y = t.integer(0);
    e.W = t.integer(0);
    e.H = t.integer(0);
    const QString fontName = t.text();
    const int size = t.integer(0);
    const int colourIndex = colour(t);
    const int style = t.integer(0);
    const int align = t.integer(0);

    if (auto* g = dynamic_cast<TSesGrafPrvek*>(&e)) {
        g->reference = parseIntegerToken(ref, 0);
        g->SirkaCary = size < 0 ? 1 : size;
        g->BarvaCary = colourOfIndex(colourIndex);
        g->StylCary = style >= 0 && style < kPenStyleCount ? style : 0;
        g->setLines(align);
        g->BarvaVypl = colourOfIndex(colour(t));
        const int fill = t.integer(0);
        g->StylVypl = fill >= 0 && fill < kBrushStyleCount ? fill : 0;
        t.skip();  // constant in the charset position
        if (auto* picture = dynamic_cast<TSesObraz*>(g))
            picture->setFileName(t.text(), options_.templateDirectory);
        m_.page().registerElement(section, std::move(element));
        return;
    }

    auto& text = static_cast<TSesText&>(e);
    const int borders = t.integer(0);
    t.skip();  // constant 1
    const int charset = t.integer(options_.defaultCharset);
    if (type == ElementType::Label || type == ElementType::Variable) {
        const QString value = t.text();
        if (type == ElementType::Label)
            text.Caption = value;
        else
            static_cast<TSesPromenna&>(text).setFormat(value);
    }
    text.setScreenFont(t.text());
    text.setBcFormat(t.text());
    text.setOtoc(t.integer(0));

    text.setFontName(fontName);
    // A negative size is a height in 0.01 in.
    text.fontSize = size < 0 ? int((qint64(size) * -72) / 100) : size;
    text.font.colour = colourOfIndex(colourIndex);
    text.font.style = style;
    text.font.charset = major_ >= 1 && minor_ >= 4 ? charset : options_.defaultCharset;
    switch (align & 3) {
        case 1:
            text.alignment = Alignment::Right;
            break;
        case 2:
            text.alignment = Alignment::Center;
            break;
        default:
            text.alignment = Alignment::Left;
            break;
    }
    text.setBorders(borders);

    if (isNameToken(ref)) {
        if (type == ElementType::FieldValue || type == ElementType::FieldLabel) {
            auto& field = static_cast<TDBSesLabel&>(text);
            field.setFieldName(ref);
            field.reference = fieldIndex(ref);
        } else if (type == ElementType::Function) {
            auto& function = static_cast<TSesFunkce&>(text);
            function.setFunctionName(ref);
            function.reference = qMax(0, m_.functionIndex(ref));
        } else {
            text.reference = 0;
        }
    } else {
        text.reference = parseIntegerToken(ref, 0);
    }
    if (type == ElementType::Variable) {
        text.reference = renumberVariable(text.reference);
        static_cast<TSesPromenna&>(text).setFormat(static_cast<TSesPromenna&>(text).Format());
    }
    if (type == ElementType::FieldValue) static_cast<TDBSesText&>(text).memoFlags = align & 0xF0;
    m_.page().registerElement(section, std::move(element));
}

}  // namespace

TemplateReadOptions TemplateReadOptions::forFields(const ReportFieldSource* fields) {
    TemplateReadOptions options;
    if (fields)
        options.fieldIndex = [fields](const QString& name) { return fields->fieldIndex(name); };
    return options;
}

TemplateReadResult readTemplate(const QStringList& lines, ReportModel* model,
                                const TemplateReadOptions& options) {
    return Reader(model, options).read(lines);
}

void adjustDeviceFontCharsets(ReportModel* model, const QStringList& deviceFonts, bool ntFamily) {
    for (TSesPrvek* e : model->page().allElements())
        if (e->isText() && e->font.charset < 3 && deviceFonts.contains(e->fontName()))
            e->font.charset = ntFamily ? 0 : 2;
}

bool loadTemplateFile(const QString& path, ReportModel* model, TemplateReadOptions options,
                      TemplateReadResult* result, QString* error) {
    QStringList lines;
    if (!readTextLines(path, &lines, error)) {
        readTemplate({}, model, options);
        return false;
    }
    if (options.templateDirectory.isEmpty())
        options.templateDirectory = QFileInfo(path).absolutePath();
    const TemplateReadResult r = readTemplate(lines, model, options);
    if (result) *result = r;
    return true;
}

}  // namespace dorvana
