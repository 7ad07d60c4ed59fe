#include <gtest/gtest.h>

#include <QBuffer>

#include "model_test_support.h"
#include "report/model/graphic_elements.h"
#include "report/model/palette_codes.h"
#include "report/model/picture_cache.h"
#include "report/model/report_model.h"
#include "report/model/text_elements.h"

using namespace dorvana;
using namespace Qt::StringLiterals;

namespace {

// Function values for print conditions.
class FakeFunctions : public FunctionValueSource {
public:
    QList<ConditionOperand> printed, current;
    int functionCount() const override { return int(printed.size()); }
    ConditionOperand conditionOperand(int i, ConditionValue which) const override {
        return which == ConditionValue::Printed ? printed[i] : current[i];
    }
    QString formattedPrinted(int i) const override { return u"f%1"_s.arg(i); }
};

TSesPrvek* addText(ReportModel& m, TOddil* s, int type) {
    return m.page().registerElement(s, createElement(type));
}

}  // namespace

TEST(ReportModel, SectionNumbersAndCaptionsFollowPlansAndGroups) {
    ReportModel m;
    m.addGroup();
    m.addPlan();
    TPolSkup* g1 = m.addGroup();
    EXPECT_EQ(m.page().sectionCount(), 7 + 7 + 8);
    EXPECT_EQ(g1->sections[GroupSection::End]->IndexOdd, 7 + 7 + 4 + 1);
    EXPECT_EQ(g1->sections[GroupSection::End]->caption, u"Konec skupiny 2"_s);
    EXPECT_EQ(m.group(0)->sections[GroupSection::CarriedForward]->caption,
              u"Převadí se skupiny 1"_s);
    EXPECT_EQ(m.plan(1)->sections[PlanSection::Body]->IndexOdd, 9);
    EXPECT_EQ(m.plan(1)->sections[PlanSection::Body]->caption, u"Tělo sestavy 1"_s);
    EXPECT_EQ(m.mainPlan()->name(), u"Hlavní plán "_s);
    EXPECT_EQ(m.page().section(6)->caption, u"Převádí se"_s);

    // Elements follow their section through renumbering.
    TSesPrvek* e = addText(m, g1->sections[GroupSection::Start], ElementType::Label);
    EXPECT_EQ(e->sectionIndex, 18);
    m.removePlan(1);
    EXPECT_EQ(e->sectionIndex, 11);
    m.removeGroup(0);
    EXPECT_EQ(m.groupCount(), 1);
    EXPECT_EQ(m.group(0), g1);
    EXPECT_EQ(g1->number, 0);
    EXPECT_EQ(g1->name(), u"Skupina 1"_s);
    EXPECT_EQ(e->sectionIndex, 7);
    EXPECT_EQ(m.page().section(7)->caption, u"Začátek skupiny 1"_s);
    EXPECT_EQ(m.page().sectionOf(e), g1->sections[GroupSection::Start]);
    m.removeGroup(0);
    EXPECT_TRUE(m.page().allElements().isEmpty()) << "a removed group frees its elements";
}

TEST(ReportModel, ElementsAreRegisteredEverywhereOnce) {
    ReportModel m;
    TOddil* body = m.page().section(PlanSection::Body);
    TSesPrvek* field = addText(m, body, ElementType::FieldValue);
    TSesPrvek* variable = addText(m, body, ElementType::Variable);
    TSesPrvek* function = addText(m, m.page().section(0), ElementType::Function);
    TSesPrvek* first = m.page().registerElement(body, createElement(ElementType::Ellipse), 0);
    EXPECT_EQ(body->element(0), first) << "inserted at the position given";
    EXPECT_EQ(m.page().allElements().size(), 4);
    EXPECT_EQ(m.page().fieldValueElements(), QList<TSesPrvek*>{field});
    EXPECT_EQ(m.page().variableElements(), QList<TSesPrvek*>{variable});
    EXPECT_EQ(m.page().functionElements(), QList<TSesPrvek*>{function});

    std::unique_ptr<TSesPrvek> taken = m.page().unregisterElement(field);
    EXPECT_EQ(taken.get(), field);
    EXPECT_TRUE(m.page().fieldValueElements().isEmpty());
    EXPECT_EQ(body->elementCount(), 2);
    EXPECT_EQ(m.page().sectionOf(field), nullptr);
    EXPECT_EQ(m.page().unregisterElement(field), nullptr);

    m.page().clearSection(body);
    EXPECT_TRUE(m.page().variableElements().isEmpty());
    EXPECT_EQ(m.page().allElements(), QList<TSesPrvek*>{function});
    m.clear();
    EXPECT_TRUE(m.page().allElements().isEmpty());
}

TEST(ReportModel, DisplayOrderOfSections) {
    ReportModel m;
    m.addPlan();
    m.addGroup();
    m.addGroup();
    QStringList captions;
    for (const TOddil* s : m.page().displayOrder()) captions << s->caption;
    const QStringList expected = {
        u"Začátek sestavy"_s,      u"Začátek sestavy 1"_s,   u"Hlava stránky"_s,
        u"Hlava stránky 1"_s,      u"Převedeno"_s,           u"Převedeno 1"_s,
        u"Začátek skupiny 1"_s,    u"Převedeno skupiny 1"_s, u"Začátek skupiny 2"_s,
        u"Převedeno skupiny 2"_s,  u"Tělo sestavy"_s,        u"Tělo sestavy 1"_s,
        u"Převadí se skupiny 2"_s, u"Konec skupiny 2"_s,     u"Převadí se skupiny 1"_s,
        u"Konec skupiny 1"_s,      u"Převádí se"_s,          u"Převádí se 1"_s,
        u"Konec sestavy"_s,        u"Konec sestavy 1"_s,     u"Pata stránky"_s,
        u"Pata stránky 1"_s};
    EXPECT_EQ(captions, expected);
}

TEST(Section, HeightsAndColumnWidths) {
    TOddil s(2, u"Tělo sestavy"_s);
    s.height = 40;
    EXPECT_EQ(s.effectiveHeight(), 0);
    s.visible = true;
    EXPECT_EQ(s.effectiveHeight(), 40);
    struct Case {
        int width, columns, gap, expected;
    };
    const Case cases[] = {{800, 3, 10, 270},
                          {800, 1, 10, 800},
                          {800, 2, 0, 400},
                          {800, 0, 10, 800},
                          {800, -2, 10, 800}};
    for (const Case& c : cases) {
        s.columns = c.columns;
        s.gap = c.gap;
        EXPECT_EQ(s.columnWidth(c.width), c.expected) << c.columns << " columns";
    }
}

TEST(Section, PrintsInPass) {
    FakeFunctions f;
    f.printed = {ConditionOperand::fromBoolean(true),
                 ConditionOperand::fromBoolean(false),
                 ConditionOperand::fromInteger(4),
                 ConditionOperand::fromInteger(0),
                 {}};
    f.current = {ConditionOperand::fromBoolean(false),
                 ConditionOperand::fromBoolean(true),
                 ConditionOperand::fromInteger(0),
                 ConditionOperand::fromInteger(1),
                 {}};
    struct Case {
        bool visible;
        int pass, condition, x;
        bool printed, current;
    };
    const Case cases[] = {
        {true, 2, 0, 2, true, true},    {true, 2, 0, 1, false, false},  // pass 2 only
        {true, 0, 0, 5, true, true},    {false, 0, 0, 1, false, false},
        {true, 0, 1, 3, true, false},   {true, 0, 2, 3, false, true},   // Boolean conditions
        {true, 0, 3, 1, true, false},   {true, 0, 4, 1, false, true},   // integer conditions
        {false, 0, 1, 1, false, false}, {true, 1, 3, 2, false, false},  // not admitted
        {true, 0, 5, 1, false, false},  {true, 0, 9, 1, false, false},  // unreadable, no item
    };
    for (const Case& c : cases) {
        TOddil s(0, QString());
        s.visible = c.visible;
        s.pass = c.pass;
        s.condition = c.condition;
        EXPECT_EQ(s.printsInPass(c.x, &f, ConditionValue::Printed), c.printed)
            << "condition " << c.condition << " pass " << c.pass << " x " << c.x;
        EXPECT_EQ(s.printsInPass(c.x, &f, ConditionValue::Current), c.current)
            << "condition " << c.condition << " pass " << c.pass << " x " << c.x;
        EXPECT_EQ(s.printsInPass(c.x), c.visible && (c.pass == 0 || c.pass == c.x))
            << "no function list";
    }
}

TEST(PaletteCodes, ConvertBothWays) {
    struct Case {
        int code, type, reference;
    };
    const Case cases[] = {{1, 1, 0},    {2000, 2, 0},  {2016, 2, 16}, {4003, 3, 3},
                          {6001, 4, 1}, {8011, 5, 11}, {10002, 6, 2}, {11999, 6, 1999},
                          {2, 7, 0},    {3, 8, 0},     {4, 9, 0},     {5, 10, 0},
                          {6, 11, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(elementOfPaletteCode(c.code), (PaletteElement{c.type, c.reference})) << c.code;
        EXPECT_EQ(paletteCodeOf({c.type, c.reference}), c.code) << c.code;
    }
    for (int code : {0, 7, 1999, 12000, -1}) EXPECT_FALSE(elementOfPaletteCode(code)) << code;
    EXPECT_FALSE(paletteCodeOf({2, 2000}));
    EXPECT_FALSE(paletteCodeOf({12, 0}));
}

TEST(Elements, NamesAndFrames) {
    EXPECT_EQ(TSesPrvek::typeName(9), u"Zaoblený rámeček"_s);
    EXPECT_EQ(TSesPrvek::typeName(0), u"Neznámý"_s);
    TSesLabel label;
    label.X = 5;
    label.Y = 7;
    label.W = 101;
    label.H = 3;
    label.fontSize = 10;
    label.setBcFormat(QString(40, u'1'));
    EXPECT_EQ(label.BcFormat().size(), 32);
    std::unique_ptr<TSesPrvek> copy = label.clone();
    EXPECT_EQ(copy->type(), ElementType::Label);
    EXPECT_EQ(static_cast<TSesLabel&>(*copy).BcFormat(), label.BcFormat());
}

TEST(Elements, CaptionsFromTheirSources) {
    test::FakeFields fields;
    fields.fields = {{u"cislo"_s, u"17"_s}, {u"nazev1"_s, u"Mýdlo"_s}};
    const QStringList params = {u"první"_s};
    FakeFunctions functions;
    functions.printed = {ConditionOperand::fromInteger(0)};
    CaptionSources sources;
    sources.fields = &fields;
    sources.parameters = &params;
    sources.functions = &functions;

    TDBSesText value;
    value.reference = 1;
    value.refreshCaption(sources);
    EXPECT_EQ(value.Caption, u"Mýdlo"_s);
    value.reference = 2;  // beyond the data set's fields
    value.refreshCaption(sources);
    EXPECT_EQ(value.Caption, QString());
    EXPECT_FALSE(value.isGrowingCandidate(&fields));
    TDBSesLabel label;
    label.reference = 1;
    label.refreshCaption(sources);
    EXPECT_EQ(label.Caption, u"NAZEV1"_s);
    TSesParametr param;
    param.refreshCaption(sources);
    EXPECT_EQ(param.Caption, u"první"_s);
    param.reference = 1;
    param.refreshCaption(sources);
    EXPECT_EQ(param.Caption, QString()) << "beyond the parameters";
    TSesFunkce function;
    function.refreshCaption(sources);
    EXPECT_EQ(function.Caption, u"f0"_s);
    function.reference = 1;
    function.refreshCaption(sources);
    EXPECT_EQ(function.Caption, QString());
}

TEST(Elements, FieldValueBoundToMemoAndPictureFields) {
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    test::FakeFields fields;
    fields.fields = {{u"pozn"_s, u"první\r\ndruhý"_s, ReportFieldSource::FieldKind::Memo},
                     {u"logo"_s, QString(), ReportFieldSource::FieldKind::Picture, png},
                     {u"barbmp"_s, QString(), ReportFieldSource::FieldKind::Picture, "junk"}};
    test::FixedMeasurer measurer;
    CaptionSources sources;
    sources.fields = &fields;
    sources.measurer = &measurer;

    ReportModel m;
    TOddil* body = m.page().section(PlanSection::Body);
    auto* memo = static_cast<TDBSesText*>(addText(m, body, ElementType::FieldValue));
    memo->W = 1000;
    auto* picture = static_cast<TDBSesText*>(addText(m, body, ElementType::FieldValue));
    picture->reference = 1;
    auto* unreadable = static_cast<TDBSesText*>(addText(m, body, ElementType::FieldValue));
    unreadable->reference = 2;
    auto* beyond = static_cast<TDBSesText*>(addText(m, body, ElementType::FieldValue));
    beyond->reference = 3;
    for (TSesPrvek* e : m.page().fieldValueElements()) e->refreshCaption(sources);
    EXPECT_EQ(memo->lines, (QStringList{u"první"_s, u"druhý"_s}));
    EXPECT_TRUE(memo->isMemo());
    EXPECT_EQ(picture->picture.size(), QSize(4, 2));
    // No imaging library: the box that says the picture cannot be drawn, and why.
    EXPECT_EQ(unreadable->picture, missingPicture());
    EXPECT_TRUE(unreadable->pictureFailure.startsWith(u"data nejsou obrázek"_s))
        << unreadable->pictureFailure.toStdString();
    EXPECT_TRUE(picture->pictureFailure.isEmpty());
    body->updateGrowingCandidates(&fields);
    EXPECT_EQ(body->growingCandidates(), (QList<TDBSesText*>{memo, picture, unreadable}));
    // The imaging library reads what the loader cannot, turned by the element's
    // rotation; a later rotation turns the picture by the difference.
    class Library : public PictureLibrary {
    public:
        mutable QList<int> turns;
        std::optional<QImage> load(const QByteArray& data, int rotation) const override {
            if (data != "junk") return std::nullopt;
            turns << rotation;
            return QImage(6, 2, QImage::Format_RGB32);
        }
        QImage rotate(const QImage& p, int steps) const override {
            turns << steps;
            return steps % 2 ? QImage(p.height(), p.width(), p.format()) : p;
        }
    } library;
    sources.pictureLibrary = &library;
    unreadable->setOtoc(2);
    unreadable->refreshCaption(sources);
    EXPECT_EQ(unreadable->picture.size(), QSize(6, 2));
    unreadable->setOtoc(1);
    EXPECT_EQ(unreadable->picture.size(), QSize(2, 6));
    picture->refreshCaption(sources);
    picture->setOtoc(1);  // a picture the ordinary loader read is not turned here
    EXPECT_EQ(picture->picture.size(), QSize(4, 2));
    EXPECT_EQ(library.turns, (QList<int>{2, 3}));
}

static QByteArray pngOf(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// A picture is decoded once per distinct data and size (records holding the
// same logo share one decoded picture), a stretched one at the size it prints
// in its box, and the pictures kept stay within the limit.
TEST(Elements, PicturesAreDecodedOncePerDataAndAtTheSizeTheyPrint) {
    clearPictureCache();
    const QByteArray logo = pngOf(QSize(2000, 1000));
    const QByteArray copy(logo.constData(), logo.size());  // another record's bytes
    const DecodedPicture a = decodeBlobPicture(logo, QSize(100, 40), true);
    const DecodedPicture b = decodeBlobPicture(copy, QSize(100, 40), true);
    ASSERT_FALSE(a.image.isNull());
    EXPECT_EQ(a.image.cacheKey(), b.image.cacheKey());
    // 1 in wide at 600 dpi; the height follows the proportions (not below 0.4 in).
    EXPECT_EQ(a.image.size(), QSize(600, 300));
    // Not stretched: one picture pixel is 0.01 in, the picture is decoded whole.
    EXPECT_EQ(decodeBlobPicture(logo, QSize(100, 40), false).image.size(), QSize(2000, 1000));
    // A box larger than the picture needs: never enlarged.
    EXPECT_EQ(decodeBlobPicture(logo, QSize(1000, 1000), true).image.size(), QSize(2000, 1000));

    const DecodedPicture junk = decodeBlobPicture("not a picture", QSize(100, 40), true);
    EXPECT_TRUE(junk.image.isNull());
    EXPECT_FALSE(junk.failure.isEmpty());
    EXPECT_TRUE(decodeBlobPicture({}, QSize(100, 40), true).failure.isEmpty());

    setPictureCacheLimit(3 << 20);
    for (int w = 500; w < 1500; w += 100) decodeBlobPicture(pngOf(QSize(w, 500)), {}, false);
    EXPECT_LE(pictureCacheBytes(), 3 << 20);
    EXPECT_GT(pictureCacheBytes(), 0);
    setPictureCacheLimit(qint64(256) << 20);
    clearPictureCache();
}

TEST(Elements, VariableTextByFormat) {
    struct Case {
        QString format;
        qint32 value;
        QString expected;
    };
    const Case cases[] = {
        {QString(), 5, u"5"_s},
        {u"%d. strana"_s, 5, u"5. strana"_s},
        {u"Strana %d"_s, -3, u"Strana -3"_s},
        {u"[%4d]"_s, 42, u"[  42]"_s},
        {u"[%-4d]"_s, 42, u"[42  ]"_s},
        {u"%.3d"_s, 7, u"007"_s},
        {u"%x"_s, 255, u"FF"_s},
        {u"%0:d%%"_s, 50, u"50%"_s},
        {u"%s"_s, 5, u"????"_s},
        {u"%d z %d"_s, 5, u"????"_s},
        {u"%f"_s, 5, u"????"_s},
        {u"100%"_s, 5, u"????"_s},
        {u"%1:d"_s, 5, u"????"_s},
        {u"%*d"_s, 5, u"????"_s},
        {u"bez čísla"_s, 5, u"bez čísla"_s},
    };
    TSesPromenna v;
    v.reference = 3;
    for (const Case& c : cases) {
        v.setValue(c.value);
        v.setFormat(c.format);
        EXPECT_EQ(v.Caption, c.expected) << c.format.toStdString();
    }

    // Date and time variables use the system's texts, or a date-time picture.
    class Texts : public DateTimeTexts {
    public:
        QString shortDate(const QDateTime& d) const override { return d.toString(u"d.M.yyyy"_s); }
        QString timeText(const QDateTime& d) const override { return d.toString(u"H:mm"_s); }
        std::optional<QString> formatDateTime(const QString& p, const QDateTime& d) const override {
            if (p == u"bad"_s) return std::nullopt;
            return p + u' ' + d.toString(u"yyyy"_s);
        }
    } texts;
    TSesPromenna date;
    date.setDateTime(QDateTime(QDate(2024, 3, 9), QTime(8, 5)));
    CaptionSources sources;
    sources.dateTimeTexts = &texts;
    date.refreshCaption(sources);
    EXPECT_EQ(date.Caption, u"9.3.2024"_s);
    date.reference = 1;
    date.refreshCaption(sources);
    EXPECT_EQ(date.Caption, u"8:05"_s);
    date.setFormat(u"rok"_s);
    EXPECT_EQ(date.Caption, u"rok 2024"_s) << "setting Format recomputes at once";
    date.setFormat(u"bad"_s);
    EXPECT_EQ(date.Caption, u"????"_s);
}
