// CSV and dBase files: type inference, code pages, damaged files, import and export.
#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "base/code_page.h"
#include "data/csv_file.h"
#include "data/dbase_file.h"
#include "data/label_file.h"
#include "data/label_import.h"
#include "data/table_open.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

class ForeignFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString write(const char* name, const QByteArray& bytes) {
        const QString p = dir_.filePath(QString::fromUtf8(name));
        EXPECT_TRUE(test::writeBytes(p, bytes));
        return p;
    }
    QTemporaryDir dir_;
};

TEST_F(ForeignFiles, CsvColumnTypesAreInferredFromTheirValues) {
    const QString p = write("typy.csv",
                            "\xEF\xBB\xBF"
                            "kus;cena;datum;ean;kod;prazdne;text\r\n"
                            "1;12,50;1.5.2024;8594001234567;007;;\"Šroub; \"\"M6\"\"\"\r\n"
                            "-20;3;2024-12-31;8594001234574;12;;\"dva\r\nřádky\"\r\n"
                            "\r\n"
                            "300;0,5;;;;;x\r\n");
    QString err;
    auto ds = openForeignTable(p, &err);
    ASSERT_TRUE(ds) << err.toStdString();
    const struct {
        const char* name;
        FieldType type;
    } want[] = {{"kus", FieldType::Integer}, {"cena", FieldType::Float},
                {"datum", FieldType::Date},  {"ean", FieldType::String},
                {"kod", FieldType::String},  {"prazdne", FieldType::String},
                {"text", FieldType::String}};
    for (const auto& w : want)
        EXPECT_EQ(ds->findField(QString::fromLatin1(w.name))->dataType(), w.type) << w.name;
    EXPECT_EQ(ds->recordCount(), 3);
    ds->first();
    EXPECT_DOUBLE_EQ(ds->findField(QStringLiteral("cena"))->value().asReal(), 12.5);
    EXPECT_EQ(ds->findField(QStringLiteral("ean"))->displayText(), QStringLiteral("8594001234567"));
    EXPECT_EQ(ds->findField(QStringLiteral("kod"))->displayText(), QStringLiteral("007"));
    EXPECT_EQ(ds->findField(QStringLiteral("text"))->displayText(),
              QStringLiteral("Šroub; \"M6\""));
    EXPECT_TRUE(ds->findField(QStringLiteral("prazdne"))->isNull());
    ds->next();
    EXPECT_EQ(ds->findField(QStringLiteral("kus"))->value().asInteger(), -20);
    EXPECT_EQ(ds->findField(QStringLiteral("text"))->displayText(), QStringLiteral("dva\r\nřádky"));
    ds->last();
    EXPECT_TRUE(ds->findField(QStringLiteral("datum"))->isNull());

    // Editing keeps the file's own form: ';' between fields, decimal commas.
    QString e;
    ASSERT_TRUE(ds->edit(&e));
    ds->findField(QStringLiteral("cena"))->setValue(TaggedValue::real(7.25));
    ASSERT_TRUE(ds->post(&e)) << e.toStdString();
    EXPECT_TRUE(test::fileBytes(p).endsWith("300;7,25;;;;;x\r\n"))
        << test::fileBytes(p).toStdString();
}

TEST_F(ForeignFiles, CsvColumnRetypedByAWriteKeepsItsFieldObject) {
    const QString p = write("kusy.csv", "kus,nazev\r\n1,a\r\nasi 3,b\r\n");
    QString err;
    auto ds = openForeignTable(p, &err);
    ASSERT_TRUE(ds) << err.toStdString();
    Field* kus = ds->findField(QStringLiteral("kus"));
    ASSERT_EQ(kus->dataType(), FieldType::String);
    kus->setDisplayLabel(QStringLiteral("Kusů"));
    // Deleting the only text in the column makes it a number column.
    ds->last();
    ASSERT_TRUE(ds->deleteRecord(&err)) << err.toStdString();
    EXPECT_EQ(ds->findField(QStringLiteral("kus")), kus);
    EXPECT_EQ(kus->dataType(), FieldType::Integer);
    EXPECT_EQ(kus->displayLabel(), QStringLiteral("Kusů"));
    ds->first();
    EXPECT_EQ(kus->value().asInteger(), 1);
}

TEST_F(ForeignFiles, CsvRecordsWithOnlyEmptyFieldsSurviveExportAndAppend) {
    // A one-column record without a value must not become a blank line (readers skip those).
    const QString p = write("jeden.csv", "\"kód;druh\"\r\nA\r\n\"\"\r\nB;C\r\n");
    QString err;
    auto ds = openForeignTable(p, &err);
    ASSERT_TRUE(ds) << err.toStdString();
    ASSERT_EQ(ds->recordCount(), 3);
    ASSERT_TRUE(ds->append(&err));
    ASSERT_TRUE(ds->post(&err)) << err.toStdString();
    EXPECT_EQ(ds->recordCount(), 4);
    const QString out = dir_.filePath(QStringLiteral("kopie.csv"));
    ASSERT_TRUE(writeCsvFile(out, *ds, &err)) << err.toStdString();
    auto again = openForeignTable(out, &err);
    ASSERT_TRUE(again) << err.toStdString();
    EXPECT_EQ(again->recordCount(), 4);
    // The one column's name holds a ';' and its values too: the copy keeps one column.
    EXPECT_EQ(again->fieldCount(), 2);
    EXPECT_EQ(again->field(0)->name(), QStringLiteral("kód;druh"));
    again->last();
    again->prior();
    EXPECT_EQ(again->field(0)->displayText(), QStringLiteral("B;C"));
    EXPECT_EQ(openForeignTable(p, &err)->recordCount(), 4);
}

TEST_F(ForeignFiles, ExportStopsAtARecordItCannotRead) {
    // A memo pointing past the end of its memo file (dBase IV block form, length too big).
    QByteArray head(32, '\0');
    head[0] = char(0x8B);
    qToLittleEndian<quint32>(1, head.data() + 4);
    qToLittleEndian<quint16>(32 + 32 + 1, head.data() + 8);
    qToLittleEndian<quint16>(1 + 10, head.data() + 10);
    QByteArray fd(32, '\0');
    memcpy(fd.data(), "POZN", 4);
    fd[11] = 'M';
    fd[16] = 10;
    const QString p = write(
        "vadna.dbf", head + fd + '\r' + ' ' + QByteArray("1").rightJustified(10, ' ') + '\x1A');
    QByteArray memo(512, '\0');
    memo += QByteArray("\xFF\xFF\x08\x00", 4) + QByteArray("\xFF\xFF\xFF\x7F", 4);
    write("vadna.dbt", memo);
    QString err;
    auto ds = openForeignTable(p, &err);
    ASSERT_TRUE(ds) << err.toStdString();
    const QString out = dir_.filePath(QStringLiteral("vadna.csv"));
    EXPECT_FALSE(writeCsvFile(out, *ds, &err));
    EXPECT_TRUE(err.contains(QStringLiteral("POZN"))) << err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(ForeignFiles, DbaseTextsFollowTheDeclaredCodePage) {
    // A hand-made dBase III file from a DOS installation: language driver 0x64 (CP852).
    QByteArray head(32, '\0');
    head[0] = 0x03;
    qToLittleEndian<quint32>(1, head.data() + 4);
    qToLittleEndian<quint16>(32 + 32 + 1, head.data() + 8);
    qToLittleEndian<quint16>(1 + 12, head.data() + 10);
    head[29] = 0x64;
    QByteArray fd(32, '\0');
    memcpy(fd.data(), "NAZEV", 5);
    fd[11] = 'C';
    fd[16] = 12;
    const QByteArray text =
        encode(QStringLiteral("Žluťoučký"), CodePage::Cp852).leftJustified(12, ' ');
    const QString p = write("dos.dbf", head + fd + '\r' + ' ' + text + '\x1A');
    QString err;
    auto ds = openForeignTable(p, &err);
    ASSERT_TRUE(ds) << err.toStdString();
    ds->first();
    EXPECT_EQ(ds->findField(QStringLiteral("NAZEV"))->displayText(), QStringLiteral("Žluťoučký"));

    // Files we create declare Windows-1250 and store its bytes.
    const QString ours = dir_.filePath(QStringLiteral("nove.dbf"));
    ASSERT_TRUE(createDbaseFile(
        ours, {{"nazev", FieldType::String, 30, false}, {"cislo", FieldType::Integer, 0, false}},
        &err))
        << err.toStdString();
    auto t = openForeignTable(ours, &err);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->findField(QStringLiteral("NAZEV"))->size(), 30);
    EXPECT_EQ(t->findField(QStringLiteral("CISLO"))->dataType(), FieldType::Integer);
    ASSERT_TRUE(t->append(&err));
    t->findField(QStringLiteral("nazev"))->setText(QStringLiteral("Příliš žluťoučký kůň"));
    t->findField(QStringLiteral("cislo"))->setValue(TaggedValue::integer(-42));
    ASSERT_TRUE(t->post(&err)) << err.toStdString();
    const QByteArray bytes = test::fileBytes(ours);
    EXPECT_EQ(quint8(bytes[29]), 0xC8);
    EXPECT_TRUE(
        bytes.contains(encode(QStringLiteral("Příliš žluťoučký kůň"), CodePage::Windows1250)));
    EXPECT_FALSE(createDbaseFile(dir_.filePath(QStringLiteral("cas.dbf")),
                                 {{"kdy", FieldType::DateTime, 0, false}}, &err));
    EXPECT_TRUE(err.contains(QStringLiteral("DateTime"))) << err.toStdString();
}

TEST_F(ForeignFiles, DamagedFilesGiveAMessageAndNoTable) {
    QByteArray dbfHead(32, '\0');
    dbfHead[0] = 0x03;
    qToLittleEndian<quint32>(5, dbfHead.data() + 4);
    qToLittleEndian<quint16>(65, dbfHead.data() + 8);
    qToLittleEndian<quint16>(11, dbfHead.data() + 10);
    QByteArray fd(32, '\0');
    memcpy(fd.data(), "A", 1);
    fd[11] = 'C';
    fd[16] = 10;
    const QByteArray dbf = dbfHead + fd + '\r';
    QByteArray badType = dbf;
    badType[32 + 11] = 'Q';
    QByteArray memoField = dbf;
    memoField[32 + 11] = 'M';
    memoField[0] = char(0x83);
    memoField += QByteArray(5 * 11, ' ');
    QByteArray hugeHeader = dbf;
    qToLittleEndian<quint16>(60000, hugeHeader.data() + 8);
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"prazdny.dbf", QByteArray()},
        {"kratky.dbf", QByteArray("\x03\x01\x02", 3)},
        {"zkraceny.dbf", dbf + QByteArray(2 * 11, ' ')},
        {"typ.dbf", badType + QByteArray(5 * 11, ' ')},
        {"hlavicka.dbf", hugeHeader},
        {"bezpoznamek.dbf", memoField},
        {"prazdny.csv", QByteArray()},
        {"uvozovky.csv", "a,b\r\n1,\"neukončeno\r\n"},
        {"sloupce.csv", "a,b\r\n1,2,3\r\n"},
        {"smeti.db", QByteArray("SQLite format 3\0", 16) + QByteArray(2000, '\x7f')},
        {"paradox.db", QByteArray(3000, '\x01')},
        {"nic.xyz", QByteArray("nic")},
    };
    for (const auto& c : cases) {
        const QString p = write(c.name, c.bytes);
        QString err;
        EXPECT_FALSE(openAnyTable(p, &err)) << c.name;
        EXPECT_FALSE(err.isEmpty()) << c.name;
    }
}

TEST_F(ForeignFiles, ImportFillsALabelFileAndExportWritesItBack) {
    const QString src = write("zdroj.csv",
                              "Číslo;Název1;Barcode;Cena;Datum1;sklad\r\n"
                              "20;Čaj zelený;8594001234567;49,90;1.5.2024;A\r\n"
                              "10;Káva;;120;;B\r\n");
    const QString dest = dir_.filePath(QStringLiteral("etikety.db"));
    ImportResult res;
    QString err;
    ASSERT_TRUE(importToLabelFile(src, dest, &res, &err)) << err.toStdString();
    EXPECT_EQ(res.records, 2);
    EXPECT_EQ(res.unmatchedFields, QStringList{QStringLiteral("sklad")});
    auto ds = openAnyTable(dest, &err);
    ASSERT_TRUE(ds);
    ds->first();
    EXPECT_EQ(ds->findField(QStringLiteral("cislo"))->value().asInteger(), 10);
    ds->last();
    EXPECT_EQ(ds->findField(QStringLiteral("nazev1"))->displayText(), QStringLiteral("Čaj zelený"));
    EXPECT_DOUBLE_EQ(ds->findField(QStringLiteral("cena"))->value().asReal(), 49.9);
    EXPECT_EQ(ds->findField(QStringLiteral("datum1"))->displayText(), QStringLiteral("01.05.2024"));

    const QString out = dir_.filePath(QStringLiteral("vystup.csv"));
    ASSERT_TRUE(writeCsvFile(out, *ds, &err)) << err.toStdString();
    const QList<QByteArray> lines = test::fileBytes(out).split('\n');
    EXPECT_TRUE(lines[0].startsWith("cislo,nazev1,nazev2,barcode,cislo1,cislo2,cena,popis1"));
    EXPECT_FALSE(lines[0].contains("calc"));
    EXPECT_EQ(lines[2], QByteArray("20,Čaj zelený,,8594001234567,,,49.9,,,,,2024-05-01,,,,\r"));

    // A failed import leaves the existing file as it was.
    ImportOptions replace;
    replace.replace = true;
    const QString dup = write("dup.csv", "cislo,nazev1\r\n1,a\r\n1,b\r\n");
    EXPECT_FALSE(importToLabelFile(dup, dest, &res, &err, replace));
    EXPECT_FALSE(err.isEmpty());
    const QString tooLong =
        write("dlouhy.csv", "cislo,nazev1\r\n1," + QByteArray(41, 'x') + "\r\n");
    EXPECT_FALSE(importToLabelFile(tooLong, dest, &res, &err, replace));
    EXPECT_TRUE(err.contains(QStringLiteral("40"))) << err.toStdString();
    EXPECT_EQ(openAnyTable(dest, &err)->recordCount(), 2);
}

}  // namespace
