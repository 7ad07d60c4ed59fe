#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "base/text_file.h"
#include "model_test_support.h"
#include "report/model/graphic_elements.h"
#include "report/model/report_model.h"
#include "report/model/template_reader.h"
#include "report/model/text_elements.h"

using namespace dorvana;
using namespace Qt::StringLiterals;

namespace {

TemplateReadResult read(const QStringList& lines, ReportModel* m) {
    static test::FakeFields fields = [] {
        test::FakeFields f;
        for (const QString& name : test::labelFieldNames()) f.fields.append({name, QString()});
        return f;
    }();
    TemplateReadOptions options = TemplateReadOptions::forFields(&fields);
    options.defaultCharset = 2;
    options.defaultRasterX = 7;
    options.defaultRasterY = 9;
    return readTemplate(lines, m, options);
}

const TSesPrvek* only(const ReportModel& m, int section) {
    const TOddil* s = m.page().section(section);
    return s && s->elementCount() == 1 ? s->element(0) : nullptr;
}

}  // namespace

TEST(TemplateReader, InfoLinesSetTheReport) {
    ReportModel m;
    const auto r = read(
        {u"I,0,\"Ceník, A4\""_s, u"I,1,1,5,3,1,0"_s, u"I,2,1,850,1100,10,20,30,40,3,12,0,-2,2,0"_s,
         u"I,3,1,1,"_s, u"I,3,2,2,50,4,1"_s, u"I,3,7,1,99"_s, u"I,9,whatever"_s},
        &m);
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(m.title, u"Ceník, A4"_s);
    EXPECT_EQ(m.passes, 3);
    EXPECT_TRUE(m.mainPlan()->fillPage);
    EXPECT_FALSE(m.mainPlan()->fillGroup);
    EXPECT_EQ(m.paper, (PageGeometry{850, 1100, 1, 10, 20, 30, 40}));
    EXPECT_EQ(m.paper.printableWidth(), 1100 - 30);
    EXPECT_EQ(m.columns(), 3);
    EXPECT_EQ(m.page().section(0)->columns, 3) << "every main section gets the columns";
    EXPECT_EQ(m.page().section(0)->gap, 12);
    EXPECT_EQ(m.rasterX, 7) << "a missing raster step takes the editor default";
    EXPECT_EQ(m.rasterY, 9) << "a raster step below 1 takes the editor default";
    EXPECT_EQ(m.lineSpacing, 2);
    EXPECT_EQ(m.charPitch, 0);
    // I,3,1,1, : visible page header of height 0, every pass, no condition.
    EXPECT_EQ(m.page().section(1)->settings(), (SectionSettings{true, false, 0, 0, 0}));
    EXPECT_EQ(m.page().section(2)->settings(), (SectionSettings{true, true, 50, 4, 1}));
    EXPECT_EQ(m.page().sectionCount(), 7) << "I,3 of section 7 is ignored";
}

TEST(TemplateReader, VersionRules) {
    // Without an I,1 line: version 1.5, one pass, the charset is read.
    ReportModel m;
    read({u"T,1,0,0,0,10,10,Arial,10,0,0,0,0,1,238,\"x\""_s}, &m);
    EXPECT_EQ(m.majorVersion * 10 + m.minorVersion, 15);
    EXPECT_EQ(m.passes, 1);
    EXPECT_EQ(only(m, 2)->font.charset, 238);
    // Version 1.3: the charset is the editor default. Major version 0: the paper size stays.
    m.paper.paperWidth = 111;
    read({u"I,1,0,3"_s, u"I,2,0,850,1100"_s, u"T,1,0,0,0,10,10,Arial,10,0,0,0,0,1,238"_s}, &m);
    EXPECT_EQ(m.paper.paperWidth, 111);
    EXPECT_EQ(only(m, 2)->font.charset, 2);
}

TEST(TemplateReader, VariablesOfOlderVersionsAreRenumbered) {
    struct Case {
        int minor, variable, expected;
    };
    const Case cases[] = {{3, 12, 9}, {4, 5, 8},   {2, 3, 3},   {2, 10, 8},
                          {3, 11, 8}, {3, 14, 13}, {5, 12, 12}, {4, 2, 2}};
    for (const Case& c : cases) {
        ReportModel m;
        read({u"I,1,1,%1"_s.arg(c.minor), u"P,5,%1,0,0,10,10,Arial,8"_s.arg(c.variable)}, &m);
        ASSERT_NE(only(m, 4), nullptr);
        EXPECT_EQ(only(m, 4)->reference, c.expected)
            << "1." << c.minor << " variable " << c.variable;
    }
}

TEST(TemplateReader, TextElementTokens) {
    ReportModel m;
    read({u"F,0,Soucet,\"\",0,\"0\",0,\"#cena\",2,15,2,3,\"\""_s,
          // ends after the borders token
          u"Z,1,0,1,2,3,4,Arial,-50,9,3,2,6"_s,
          u"H,2,NAZEV1,0,0,10,10,Arial,10,0,0,114,15,1,238,\"Scr\",\"0310\",2"_s,
          u"T,6,soucet,0,0,10,10,Arial,10,0,0,2,0,1,238,\"\",\"\",7"_s,
          u"K,3,nosuch,0,0,10,10,Arial,10"_s, u"P,4,abc,0,0,10,10,Arial,10"_s,
          u"N,5,3,0,0,10,10,Arial,10,0,0,0,0,1,238,\"%d. strana\",\"\",\"\",1"_s,
          u"D,12,0,0,0,10,10"_s, u"X,1,0,0,0,1,1"_s},
         &m);
    const auto* label = dynamic_cast<const TSesLabel*>(only(m, 0));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(QRect(label->X, label->Y, label->W, label->H), QRect(1, 2, 3, 4));
    EXPECT_EQ(label->fontSize, 36) << "-50 hundredths of an inch = 36 points";
    EXPECT_EQ(label->font.colour, qRgb(255, 0, 0));
    EXPECT_EQ(label->font.style, 3);
    EXPECT_EQ(label->alignment, Alignment::Center);
    EXPECT_TRUE(label->Horni && label->Prava && !label->Leva && !label->Spodni);
    EXPECT_EQ(label->font.charset, 2) << "missing charset: editor default";
    EXPECT_EQ(label->Caption, QString());
    EXPECT_EQ(label->screenFont(), QString());
    EXPECT_EQ(label->BcFormat(), QString());
    EXPECT_EQ(label->Otoc(), 0);

    const auto* field = dynamic_cast<const TDBSesText*>(only(m, 1));
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->reference, 1) << "NAZEV1 finds nazev1";
    EXPECT_EQ(field->fieldName(), u"NAZEV1"_s);
    EXPECT_EQ(field->alignment, Alignment::Center) << "align 114 = 2 + 16 + 32 + 64";
    EXPECT_EQ(field->memoFlags, 112);
    EXPECT_EQ(field->screenFont(), u"Scr"_s);
    EXPECT_EQ(field->BcFormat(), u"0310"_s);
    EXPECT_EQ(field->Otoc(), 2);

    const auto* function = dynamic_cast<const TSesFunkce*>(only(m, 2));
    ASSERT_NE(function, nullptr);
    EXPECT_EQ(function->reference, 0);
    EXPECT_EQ(function->functionName(), u"soucet"_s);
    EXPECT_EQ(function->Otoc(), 0) << "rotation 7 is malformed";

    const auto* unknownField = dynamic_cast<const TDBSesLabel*>(only(m, 3));
    ASSERT_NE(unknownField, nullptr);
    EXPECT_EQ(unknownField->reference, -1) << "a name the fields lack stays unbound";
    EXPECT_EQ(unknownField->fieldName(), u"nosuch"_s);
    EXPECT_EQ(only(m, 4)->reference, 0) << "a parameter cannot be named";

    const auto* variable = dynamic_cast<const TSesPromenna*>(only(m, 5));
    ASSERT_NE(variable, nullptr);
    EXPECT_EQ(variable->Format(), u"%d. strana"_s);
    EXPECT_EQ(variable->Otoc(), 1);
    EXPECT_EQ(m.page().section(6)->elementCount(), 0) << "type 12 creates no element";
    EXPECT_EQ(m.page().allElements().size(), 6) << "code X names no section";
}

TEST(TemplateReader, GraphicElementTokens) {
    ReportModel m;
    read({u"T,7,0,0,17,827,3,,-5,4,1,56,15,6,0"_s,
          u"K,11,0,1,1,50,50,,0,0,0,16,0,0,0,\"../../etc/nothing.bmp\""_s,
          u"P,9,0,0,0,9,9,,2,0,9,0,0,99"_s},
         &m);
    const auto* line = dynamic_cast<const TSesCara*>(only(m, 2));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->SirkaCary, 1) << "a negative line width becomes 1";
    EXPECT_EQ(line->BarvaCary, qRgb(0, 0, 128));
    EXPECT_EQ(line->StylCary, 1);
    EXPECT_TRUE(line->Spodni && line->LsPh && line->LhPs && !line->Leva);
    EXPECT_EQ(line->BarvaVypl, qRgb(255, 255, 255));
    EXPECT_EQ(line->StylVypl, 6);
    const auto* picture = dynamic_cast<const TSesObraz*>(only(m, 3));
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->Stretch());
    EXPECT_FALSE(picture->PomerStran());
    EXPECT_EQ(picture->FileName(), u"../../etc/nothing.bmp"_s);
    EXPECT_TRUE(picture->Picture.isNull());
    const auto* ellipse = dynamic_cast<const TSesRam*>(only(m, 4));
    ASSERT_NE(ellipse, nullptr);
    EXPECT_EQ(ellipse->type(), ElementType::RoundRect);
    EXPECT_EQ(ellipse->StylCary, 0) << "pen style 9 is malformed";
    EXPECT_EQ(ellipse->StylVypl, 0) << "brush style 99 is malformed";
}

TEST(TemplateReader, GroupsPlansFunctionsDataSourceAndPrinters) {
    ReportModel m;
    read({u"I,4,0,Nazev1,1,30,0,5,1,15,1,20,1,1,2,3,4,5,6,7,8"_s, u"I,4,1,6"_s, u"I,4,2,bogus,1"_s,
          u"I,7,0,1,50,2,1,1,20,0,0,0,0,0,0,1,10,0,0,1,11,0,0,1,12,0,0,"
          u"0,0,0,0,1,0"_s,
          u"I,5,0,\"+cislo,-nazev1\""_s, u"I,5,1,\"SELECT * FROM ~a b~\""_s, u"I,6,\"x\""_s,
          u"I,8,0,\"Tharo\""_s, u"I,8,0,\"System=NT\""_s, u"I,0,\"t\""_s, u"I,8,0,\"Tharo\""_s,
          u"I,8,0,\"Bcodeintrp=0\""_s, u"I,8,1,\"Office\""_s,
          u"F,5,Suma,\"Popis, delší\",0,\"100\",3,\"#1+@2\",2,10,1,6,\"#0\""_s, u"F"_s},
         &m);
    ASSERT_EQ(m.groupCount(), 3);
    const TPolSkup& g = *m.group(0);
    EXPECT_EQ(g.field, 1);
    EXPECT_EQ(g.fieldName, u"Nazev1"_s);
    EXPECT_TRUE(m.groupFieldsByName);
    EXPECT_TRUE(g.newPage);
    EXPECT_EQ(g.sections[GroupSection::Start]->settings(),
              (SectionSettings{true, false, 30, 1, 2}));
    EXPECT_EQ(g.sections[GroupSection::CarriedOver]->settings(),
              (SectionSettings{false, false, 5, 3, 4}));
    EXPECT_EQ(g.sections[GroupSection::CarriedForward]->settings(),
              (SectionSettings{true, false, 15, 5, 6}));
    EXPECT_EQ(g.sections[GroupSection::End]->settings(), (SectionSettings{true, false, 20, 7, 8}));
    EXPECT_EQ(m.group(1)->field, 6);
    EXPECT_EQ(m.group(2)->field, -1) << "a name not found stays unbound";
    EXPECT_EQ(m.group(2)->name(), u"Skupina 3"_s);

    ASSERT_EQ(m.planCount(), 2);
    const TPolPlan& p = *m.plan(1);
    EXPECT_EQ(p.name(), u"Plán sestavy 1"_s);
    EXPECT_EQ(p.sections[PlanSection::ReportStart]->settings(),
              (SectionSettings{true, false, 50, 2, 1}));
    EXPECT_EQ(p.sections[PlanSection::CarriedOver]->settings(),
              (SectionSettings{true, false, 12, 0, 0}));
    EXPECT_FALSE(p.sections[PlanSection::CarriedForward]->visible);
    EXPECT_TRUE(p.fillPage);
    EXPECT_FALSE(p.fillGroup);
    EXPECT_EQ(p.sections[0]->IndexOdd, 7);
    EXPECT_EQ(g.sections[GroupSection::Start]->IndexOdd, 14) << "groups follow the plans";

    EXPECT_TRUE(m.dataSource.sortEnabled);
    EXPECT_EQ(m.dataSource.kind, DataSourceSettings::Combined);
    EXPECT_EQ(m.dataSource.sortList, u"+cislo,-nazev1"_s);
    EXPECT_EQ(m.dataSource.sqlLines, QStringList{u"SELECT * FROM \"a b\""_s});
    EXPECT_EQ(m.usedFieldNames, QStringList{u"x"_s});

    // Consecutive I,8 lines with one number form one printer; another line
    // in between starts a new one.
    ASSERT_EQ(m.printers.size(), 3);
    EXPECT_TRUE(m.printersChosen);
    EXPECT_EQ(m.printers[0].name, u"Tharo"_s);
    EXPECT_EQ(m.printers[0].settings, QStringList{u"System=NT"_s});
    EXPECT_EQ(m.printers[1].settings, QStringList{u"Bcodeintrp=0"_s});
    EXPECT_EQ(m.printers[2].name, u"Office"_s);

    ASSERT_EQ(m.functions.size(), 2);
    const FunctionDefinition& f = m.functions[0];
    EXPECT_EQ(f.name, u"Suma"_s);
    EXPECT_EQ(f.description, u"Popis, delší"_s);
    EXPECT_EQ(f.initialValue, u"100"_s);
    EXPECT_EQ(f.resetScope, 3);
    EXPECT_EQ(f.expression, u"#1+@2"_s);
    EXPECT_EQ(f.processing, 2);
    EXPECT_EQ(f.precision, 10);
    EXPECT_EQ(f.digits, 1);
    EXPECT_EQ(f.numberFormat, 3) << "a number format above 5 becomes 3";
    EXPECT_EQ(f.formatMask, u"#0"_s);
    // A bare F line: the line's defaults.
    FunctionDefinition bare;
    bare.name = bare.description = bare.initialValue = bare.formatMask = QString();
    bare.precision = bare.digits = 0;
    EXPECT_EQ(m.functions[1], bare);
}

TEST(TemplateReader, ElementsAreReadSectionBySectionAndAFailureKeepsWhatWasRead) {
    // Sections are read in the order Z H T ...; the bad colour in T stops
    // reading there: Z and H (although H stands later in the file) and the
    // first T element stay, the rest of T and the later sections are not read.
    ReportModel m;
    const auto r =
        read({u"I,0,\"před\""_s, u"K,1,0,0,0,1,1,Arial,8,0"_s,
              u"T,1,0,0,0,1,1,Arial,8,15,0,0,0,1,238,\"first\""_s,
              u"T,1,0,0,0,1,1,Arial,8,16,0,0,0,1,238,\"bad\""_s,
              u"T,1,0,0,0,1,1,Arial,8,0,0,0,0,1,238,\"after\""_s, u"Z,1,0,0,0,1,1,Arial,8,0"_s,
              u"H,7,0,0,0,1,1,,1,0,0,0,3,0"_s, u"F,0,f,\"\",0,\"0\",0,\"\",0,0,0,0,\"\""_s},
             &m);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.failedLine, 3);
    EXPECT_EQ(m.title, u"před"_s);
    EXPECT_EQ(m.functions.size(), 1);
    EXPECT_EQ(m.page().section(0)->elementCount(), 1);
    EXPECT_EQ(m.page().section(1)->elementCount(), 1);
    ASSERT_EQ(m.page().section(2)->elementCount(), 1);
    EXPECT_EQ(m.page().section(2)->element(0)->Caption, u"first"_s);
    EXPECT_EQ(m.page().section(3)->elementCount(), 0);
    // A fill colour outside the table stops reading as well.
    read({u"T,8,0,0,0,1,1,,1,0,0,0,-1,0"_s}, &m);
    EXPECT_EQ(m.page().allElements().size(), 0);
}

TEST(TemplateReader, MalformedInputNeverCrashes) {
    ReportModel m;
    QStringList garbage = {u"I"_s,
                           u"I,"_s,
                           u"I,2,x,y,z"_s,
                           u"I,4"_s,
                           u"I,7"_s,
                           u"I,8"_s,
                           u"F,,,,,,,,,,,,,,,,,,"_s,
                           u","_s,
                           u"Z"_s,
                           u"Z,"_s,
                           u"Z,1"_s,
                           u"S0,1,0"_s,
                           u"S5,1"_s,
                           u"\"Z\",1,0"_s,
                           u"Z,11,\"\",\",\""_s};
    garbage << QString(100000, u'Z') << u"T,1,"_s + QString(100000, u'"');
    garbage << u"T,1,0,0,0,1,1,"_s + QString(100000, u'x');
    // A binary file decoded as Windows-1250: every byte value, NULs included.
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i) bytes.append(char((i * 7919) % 256));
    garbage << QString::fromLatin1(bytes).split(u'\n');
    const auto r = read(garbage, &m);
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(m.groupCount(), 1);
    EXPECT_EQ(m.planCount(), 2);
    ASSERT_GE(m.page().section(0)->elementCount(), 2);
    const TSesPrvek* long1 = m.page().section(2)->element(1);
    EXPECT_EQ(long1->fontName().size(), kMaxNameLength) << "font names are cut to 32";
}

TEST(TemplateReader, DeviceFontCharsets) {
    ReportModel m;
    read({u"T,1,0,0,0,1,1,Tharo 12,8,0,0,0,0,1,1"_s, u"T,1,0,0,0,1,1,Tharo 12,8,0,0,0,0,1,238"_s,
          u"T,1,0,0,0,1,1,Arial,8,0,0,0,0,1,1"_s, u"T,7,0,0,0,1,1,,1,0,0,0,0,0,0"_s},
         &m);
    adjustDeviceFontCharsets(&m, {u"Tharo 12"_s});
    const TOddil* body = m.page().section(2);
    EXPECT_EQ(body->element(0)->font.charset, 0);
    EXPECT_EQ(body->element(1)->font.charset, 238);
    EXPECT_EQ(body->element(2)->font.charset, 1);
    adjustDeviceFontCharsets(&m, {u"Arial"_s}, false);
    EXPECT_EQ(body->element(2)->font.charset, 2);
}

TEST(TemplateReader, PicturesComeFromTheTemplatesDirectoryOnly) {
    QTemporaryDir dir;
    QImage image(3, 5, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(dir.filePath(u"logo.png"_s)));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"t"_s));
    const QString templatePath = dir.filePath(u"t/sablona.pte"_s);
    // Only the name counts: a directory part in the line is not followed.
    ASSERT_TRUE(writeTextLines(templatePath, {u"T,11,0,0,0,9,9,,0,0,0,0,0,0,0,\"..\\logo.png\""_s,
                                              u"T,11,0,0,0,9,9,,0,0,0,0,0,0,0,\"../logo.png\""_s}));
    ASSERT_TRUE(QFile::copy(dir.filePath(u"logo.png"_s), dir.filePath(u"t/logo.png"_s)));
    ReportModel m;
    ASSERT_TRUE(loadTemplateFile(templatePath, &m));
    for (int i = 0; i < 2; ++i) {
        const auto* picture = dynamic_cast<const TSesObraz*>(m.page().section(2)->element(i));
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->Picture.size(), QSize(3, 5));
    }
    QFile::remove(dir.filePath(u"t/logo.png"_s));
    ASSERT_TRUE(loadTemplateFile(templatePath, &m));
    EXPECT_TRUE(static_cast<const TSesObraz*>(m.page().section(2)->element(1))->Picture.isNull());
    QString error;
    EXPECT_FALSE(loadTemplateFile(dir.filePath(u"missing.pts"_s), &m, {}, nullptr, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(m.page().allElements().isEmpty())
        << "a file that cannot be read leaves no template";
}
