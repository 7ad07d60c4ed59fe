#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "base/text_file.h"
#include "model_test_support.h"
#include "report/model/data_source_text.h"
#include "report/model/graphic_elements.h"
#include "report/model/report_model.h"
#include "report/model/template_reader.h"
#include "report/model/template_writer.h"
#include "report/model/text_elements.h"
#include "support/test_support.h"

using namespace dorvana;
using namespace Qt::StringLiterals;

namespace {

// Reads a file and writes it again; returns the bytes written.
QByteArray rewrite(const QString& path) {
    ReportModel m;
    TemplateReadResult r;
    QString error;
    EXPECT_TRUE(loadTemplateFile(path, &m, {}, &r, &error)) << error.toStdString();
    EXPECT_TRUE(r.complete) << r.failure.toStdString();
    QTemporaryDir dir;
    const QString out = dir.filePath(u"out.pts"_s);
    EXPECT_TRUE(saveTemplateFile(out, m, {}, &error)) << error.toStdString();
    return test::fileBytes(out);
}

QStringList readAndWrite(const QStringList& lines, const TemplateWriteOptions& w = {}) {
    ReportModel m;
    readTemplate(lines, &m);
    return writeTemplate(m, w);
}

}  // namespace

TEST(TemplateWriter, WriterFormRoundTripsByteForByte) {
    QStringList files = {test::sourcePath(u"tests/report/model/data/large.pts"_s)};
    const QDir samples(test::sourcePath(u"samples/templates"_s));
    for (const QString& name : samples.entryList(QDir::Files)) files << samples.filePath(name);
    ASSERT_GE(files.size(), 4);
    for (const QString& path : files) {
        const QByteArray original = test::fileBytes(path);
        ASSERT_FALSE(original.isEmpty()) << path.toStdString();
        EXPECT_EQ(rewrite(path), original) << path.toStdString();
    }
}

TEST(TemplateWriter, ReadingAgainReplacesTheWholeModel) {
    // Undo and redo read snapshots into the model that holds the previous one.
    QStringList large, sample;
    ASSERT_TRUE(readTextLines(test::sourcePath(u"tests/report/model/data/large.pts"_s), &large));
    ASSERT_TRUE(readTextLines(test::sourcePath(u"samples/templates/cenik.pts"_s), &sample));
    ReportModel m;
    readTemplate(large, &m);
    readTemplate(sample, &m);
    EXPECT_EQ(writeTemplate(m), sample);
    readTemplate(large, &m);
    EXPECT_EQ(writeTemplate(m), large);
}

TEST(TemplateWriter, OtherFormsComeOutInWriterForm) {
    // The new-report wizard's short lines, an old version and lines out of order.
    const QStringList lines = {
        u"Z,1,0,0,40,827,40,Times New Roman,24,0,1,2,0,1,238,\"Nadpis sestavy\""_s,
        u"P,5,3,700,16,32,20,Times New Roman,10,0,2,1,0,1,238"_s,
        u"T,7,0,0,17,827,3,,1,0,0,8,15,0"_s,
        u"F,0,f,\"d\",0,\"0\",0,\"#nazev1 + #Cena\",0,15,2,3,\"\""_s,
        u"I,3,0,1,96"_s,
        u"I,1,1,4,1,0,0"_s,
        u"I,3,1,2,"_s,
    };
    const QStringList written = readAndWrite(lines);
    const QStringList expected = {
        u"I,0,\"\""_s,
        u"I,1,1,5,1,0,0"_s,
        u"I,2,0,826,1169,50,50,70,70,1,0,8,8,0,1"_s,
        u"I,3,0,1,96,0,0"_s,
        u"I,3,1,1,0,0,0"_s,  // the lock is not written
        u"I,3,2,0,0,0,0"_s,
        u"I,3,3,0,0,0,0"_s,
        u"I,3,4,0,0,0,0"_s,
        u"I,3,5,0,0,0,0"_s,
        u"I,3,6,0,0,0,0"_s,
        u"I,6,\"nazev1\""_s,
        u"I,6,\"Cena\""_s,
        u"F,0,f,\"d\",0,\"0\",0,\"#nazev1 + #Cena\",0,15,2,3,\"\""_s,
        u"Z,1,0,0,40,827,40,Times New Roman,24,0,1,2,0,1,238,\"Nadpis sestavy\",\"\",\"\",0"_s,
        u"T,7,0,0,17,827,3,,1,0,0,8,15,0,0"_s,
        u"P,5,3,700,16,32,20,Times New Roman,10,0,2,1,0,1,238,\"\",\"\",\"\",0"_s,
    };
    EXPECT_EQ(written, expected);
    EXPECT_EQ(readAndWrite(written), written);
}

TEST(TemplateWriter, TextsThatCannotStandInATokenStayOneToken) {
    ReportModel m;
    auto label = std::make_unique<TSesLabel>();
    label->Caption = u"24\" monitor, \"nový\"\r\nřádek"_s;
    label->setFontName(u"Font, with comma"_s);
    m.page().registerElement(m.page().section(2), std::move(label));
    m.functions.append(FunctionDefinition{});
    m.functions[0].name = u"a,b"_s;
    m.functions[0].description = u"say \"hi\", ok"_s;
    m.title = u"\"Ceník\""_s;
    m.dataSource.sortEnabled = true;
    m.dataSource.kind = DataSourceSettings::Combined;
    m.dataSource.sqlLines = {u"SELECT \"a, b\" FROM t"_s};
    const QStringList once = writeTemplate(m);
    ReportModel back;
    EXPECT_TRUE(readTemplate(once, &back).complete);
    EXPECT_EQ(writeTemplate(back), once);
    ASSERT_EQ(back.page().section(2)->elementCount(), 1);
    const TSesPrvek* e = back.page().section(2)->element(0);
    EXPECT_EQ(e->Caption, u"24” monitor, ”nový”  řádek"_s);
    EXPECT_EQ(e->fontName(), u"Font_ with comma"_s);
    EXPECT_EQ(back.functions[0].name, u"a_b"_s);
    EXPECT_EQ(back.functions[0].description, u"say ”hi”, ok"_s);
    EXPECT_EQ(back.title, u"”Ceník”"_s);
    EXPECT_EQ(back.dataSource.sqlLines, m.dataSource.sqlLines) << "SQL keeps its double quotes";
}

TEST(TemplateWriter, GroupFieldsAndUsedNames) {
    // A group by number written with the data set's names: by name only when
    // the template names its group fields, listed among the used names always.
    const QStringList names = {u"cislo"_s, u"nazev1"_s};
    const QStringList lines = {u"I,4,0,1,1,10"_s};
    const QStringList byNumber = readAndWrite(lines, {names});
    EXPECT_TRUE(byNumber.contains(u"I,4,0,1,1,10,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"_s));
    EXPECT_TRUE(byNumber.contains(u"I,6,\"nazev1\""_s));
    const QStringList byName = readAndWrite({u"I,4,0,NAZEV1,1,10"_s}, {names});
    EXPECT_TRUE(byName.contains(u"I,4,0,NAZEV1,1,10,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"_s));
    EXPECT_EQ(byName.filter(u"I,6"_s), QStringList{u"I,6,\"NAZEV1\""_s});
}

TEST(TemplateWriter, ColoursOutsideTheTableAreWrittenBlack) {
    ReportModel m;
    auto text = std::make_unique<TSesLabel>();
    text->font.colour = qRgb(1, 2, 3);
    m.page().registerElement(m.page().section(0), std::move(text));
    auto frame = std::make_unique<TSesRam>();
    frame->BarvaCary = qRgb(255, 255, 0);
    frame->BarvaVypl = qRgb(250, 250, 250);
    m.page().registerElement(m.page().section(0), std::move(frame));
    const QStringList lines = writeTemplate(m).filter(QRegularExpression(u"^Z,"_s));
    EXPECT_EQ(lines, (QStringList{u"Z,1,0,0,0,0,0,,0,0,0,0,0,1,238,\"\",\"\",\"\",0"_s,
                                  u"Z,8,0,0,0,0,0,,0,11,0,0,0,0,0"_s}));
}

TEST(DataSourceText, OrderByAndPrefixes) {
    EXPECT_EQ(orderByText(u"+cislo,-nazev1"_s), u" cislo, nazev1 DESC"_s);
    EXPECT_EQ(orderByText(u"-a-b,c"_s), u" a-b DESC,c"_s);
    EXPECT_EQ(orderByText(QString()), QString());
    EXPECT_EQ(withSortPrefixes(u"cislo,-nazev1,+cena"_s), u"+cislo,-nazev1,+cena"_s);
}
