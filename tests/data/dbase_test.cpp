// dBase and FoxPro tables in the shapes other programs write: language
// drivers, FoxPro memo files, Visual FoxPro field types, odd texts.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstring>
#include <vector>

#include "base/code_page.h"
#include "data/dbase_file.h"
#include "data/table_open.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

struct Column {
    const char* name;
    char type;
    int length;
    int decimals = 0;
    quint8 flags = 0;  // Visual FoxPro: 0x02 nullable
};

// A table image: header, field descriptors, records (each given without the
// deletion flag), end mark. Visual FoxPro tables get their 263-byte backlink.
QByteArray dbf(quint8 version, quint8 driver, const std::vector<Column>& cols,
               const QList<QByteArray>& records) {
    const bool visualFox = version == 0x30 || version == 0x31 || version == 0x32;
    int recordLength = 1;
    QByteArray fields;
    for (const Column& c : cols) {
        QByteArray fd(32, '\0');
        memcpy(fd.data(), c.name, strlen(c.name));
        fd[11] = c.type;
        fd[16] = char(c.length);
        fd[17] = char(c.decimals);
        fd[18] = char(c.flags);
        fields += fd;
        recordLength += c.length;
    }
    const int headerLength = 32 + int(fields.size()) + 1 + (visualFox ? 263 : 0);
    QByteArray head(32, '\0');
    head[0] = char(version);
    head[1] = 124;
    head[2] = 1;
    head[3] = 1;
    qToLittleEndian<quint32>(quint32(records.size()), head.data() + 4);
    qToLittleEndian<quint16>(quint16(headerLength), head.data() + 8);
    qToLittleEndian<quint16>(quint16(recordLength), head.data() + 10);
    head[29] = char(driver);
    QByteArray out = head + fields + '\r' + QByteArray(visualFox ? 263 : 0, '\0');
    for (const QByteArray& r : records) {
        EXPECT_EQ(r.size() + 1, recordLength);
        out += ' ' + r;
    }
    return out + '\x1A';
}

QByteArray le32(qint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian<qint32>(v, b.data());
    return b;
}

QByteArray be32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(qToBigEndian(v), b.data());
    return b;
}

// A FoxPro memo file of 64-byte blocks: header, then the given texts from block 8 on.
QByteArray fpt(const QList<QByteArray>& memos, QList<int>* blocks) {
    QByteArray out(512, '\0');
    out[6] = 0;
    out[7] = 64;
    for (const QByteArray& m : memos) {
        blocks->append(int(out.size() / 64));
        QByteArray b = be32(1) + be32(quint32(m.size())) + m;
        b.append(QByteArray((64 - b.size() % 64) % 64, '\0'));
        out += b;
    }
    qToLittleEndian<quint32>(qToBigEndian(quint32(out.size() / 64)), out.data());
    return out;
}

QList<RawRecord> rowsOf(const QByteArray& image, const QByteArray& memo = {},
                        QString* error = nullptr, QString* warning = nullptr) {
    QString err;
    auto store = DbaseStore::openBytes(image, memo, &err);
    if (error) *error = err;
    QList<RawRecord> rows;
    if (!store) return rows;
    if (warning) *warning = store->warning();
    EXPECT_TRUE(store->readRows(0, store->rowCount(), &rows, &err)) << err.toStdString();
    return rows;
}

TEST(Dbase, TextsFollowTheLanguageDriver) {
    const struct {
        quint8 driver;
        const char* bytes;
        QString text;
    } cases[] = {
        {0x00, "P\xF8\xEDli\x9A", QStringLiteral("Příliš")},  // nothing declared: Windows-1250
        {0xC8, "P\xF8\xEDli\x9A", QStringLiteral("Příliš")},
        {0x64, "P\xFD\xA1li\xE7", QStringLiteral("Příliš")},
        {0x1F, "P\xFD\xA1li\xE7", QStringLiteral("Příliš")},
        {0x68, "P\xA9\xA1li\xA8", QStringLiteral("Příliš")},  // Kamenický
        {0xC9, "\xCD\xEE\xEC\xE5\xF0", QStringLiteral("Номер")},
        {0x26, "\x8D\xAE\xAC\xA5\xE0", QStringLiteral("Номер")},
        {0x69, "\x98\xD7\x88\x89\xE7\xF5\x9E", QStringLiteral("Ś╫êëτ⌡ś")},  // Mazovia
        {0x03, "caf\xE9", QStringLiteral("café")},
        {0x01, "\x9A\xE1", QStringLiteral("Üß")},
        {0x02, "\xD0\xD1", QStringLiteral("ðÐ")},
    };
    for (const auto& c : cases) {
        const QByteArray text = QByteArray(c.bytes).leftJustified(10, ' ');
        QString err, warning;
        const auto rows =
            rowsOf(dbf(0x03, c.driver, {{"NAZEV", 'C', 10}}, {text}), {}, &err, &warning);
        ASSERT_EQ(rows.size(), 1) << int(c.driver) << err.toStdString();
        EXPECT_EQ(rows[0][0].toString(), c.text) << int(c.driver);
        EXPECT_TRUE(warning.isEmpty()) << int(c.driver);
    }
    // A driver we do not know: Windows-1250, and a warning naming it.
    QString warning;
    const auto rows =
        rowsOf(dbf(0x03, 0xF0, {{"NAZEV", 'C', 6}}, {"P\xF8\xEDli\x9A"}), {}, nullptr, &warning);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0][0].toString(), QStringLiteral("Příliš"));
    EXPECT_TRUE(warning.contains(QStringLiteral("0xf0"))) << warning.toStdString();
}

TEST(Dbase, FoxProMemosComeFromTheFptFile) {
    QList<int> blocks;
    const QByteArray memo = fpt({encode(u"první poznámka", CodePage::Cp852), QByteArray(300, 'x'),
                                 encode(u"Žluťoučký", CodePage::Cp852)},
                                &blocks);
    // FoxPro 2 (0xF5): block numbers as text; Visual FoxPro (0x30): binary.
    const QByteArray fox2 = dbf(0xF5, 0x64, {{"KOD", 'C', 3}, {"POZN", 'M', 10}},
                                {"a  " + QByteArray::number(blocks[0]).rightJustified(10, ' '),
                                 "b  " + QByteArray::number(blocks[1]).rightJustified(10, ' '),
                                 "c  " + QByteArray::number(blocks[2]).rightJustified(10, ' '),
                                 "d  " + QByteArray(10, ' ')});
    const QByteArray visual = dbf(0x30, 0x64, {{"KOD", 'C', 3}, {"POZN", 'M', 4}},
                                  {"a  " + le32(blocks[0]), "b  " + le32(blocks[1]),
                                   "c  " + le32(blocks[2]), "d  " + le32(0)});
    for (const QByteArray& image : {fox2, visual}) {
        QString err;
        const auto rows = rowsOf(image, memo, &err);
        ASSERT_EQ(rows.size(), 4) << err.toStdString();
        EXPECT_EQ(rows[0][1].toString(), QStringLiteral("první poznámka"));
        EXPECT_EQ(rows[1][1].toString(), QString(300, QLatin1Char('x')));
        EXPECT_EQ(rows[2][1].toString(), QStringLiteral("Žluťoučký"));
        EXPECT_TRUE(rows[3][1].isNull());
    }

    // On disk the memo file is the .fpt beside the table, in any letter case;
    // the table is read only.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("calls.dbf"));
    ASSERT_TRUE(test::writeBytes(path, fox2));
    QString err;
    EXPECT_FALSE(openAnyTable(path, &err));
    EXPECT_TRUE(err.contains(QStringLiteral("calls.fpt"))) << err.toStdString();
    ASSERT_TRUE(test::writeBytes(dir.filePath(QStringLiteral("calls.FPT")), memo));
    auto ds = openAnyTable(path, &err);
    ASSERT_TRUE(ds) << err.toStdString();
    ds->first();
    ds->next();
    ds->next();
    EXPECT_EQ(ds->field(1)->displayText(), QStringLiteral("Žluťoučký"));
    EXPECT_FALSE(ds->edit(&err));
    EXPECT_TRUE(err.contains(QStringLiteral("jen číst"))) << err.toStdString();
}

TEST(Dbase, VisualFoxProFieldTypes) {
    // I, T, Y, B, a varying text and bytes, a nullable integer, and the hidden
    // null flags: bit 0 NAZEV's length, bit 1 DATA's length, bit 2 POCET null.
    const std::vector<Column> cols = {
        {"ID", 'I', 4},
        {"KDY", 'T', 8},
        {"CENA", 'Y', 8, 4},
        {"VAHA", 'B', 8, 2},
        {"NAZEV", 'V', 10},
        {"DATA", 'Q', 6},
        {"POCET", 'I', 4, 0, 0x02},
        {"_NullFlags", '0', 1, 0, 0x05},
    };
    auto record = [](qint32 id, qint32 day, qint32 ms, qint64 price, double weight,
                     const QByteArray& name, const QByteArray& data, qint32 count, quint8 flags) {
        QByteArray r = le32(id) + le32(day) + le32(ms);
        QByteArray p(8, '\0');
        qToLittleEndian<qint64>(price, p.data());
        QByteArray w(8, '\0');
        memcpy(w.data(), &weight, 8);
        return r + p + w + name + data + le32(count) + QByteArray(1, char(flags));
    };
    const qint32 day = qint32(QDate(2024, 5, 1).toJulianDay());
    QByteArray shortName = QByteArray("Kůň").leftJustified(9, '\0');
    shortName = encode(u"Kůň", CodePage::Windows1250).leftJustified(9, '\0') + char(3);
    const QList<QByteArray> recs = {
        record(1, day, (13 * 3600 + 30 * 60) * 1000, 499900, 1.25, shortName,
               QByteArray("\x01\x02\0\0\0", 5) + char(2), 0, 0x07),
        record(-2, 0, 0, -15000, -0.5, QByteArray("0123456789"), QByteArray("abcdef"), 42, 0x00),
    };
    QString err;
    auto store = DbaseStore::openBytes(dbf(0x32, 0xC8, cols, recs), {}, &err);
    ASSERT_TRUE(store) << err.toStdString();
    ASSERT_EQ(store->fieldDefs().size(), 7);  // the null flags stay hidden
    const FieldType types[] = {FieldType::Integer, FieldType::DateTime, FieldType::Currency,
                               FieldType::Float,   FieldType::String,   FieldType::VarBytes,
                               FieldType::Integer};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(store->fieldDefs()[i].type, types[i]) << i;
    QList<RawRecord> rows;
    ASSERT_TRUE(store->readRows(0, 2, &rows, &err)) << err.toStdString();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0][0].toLongLong(), 1);
    EXPECT_EQ(rows[0][1].toDateTime(), QDateTime(QDate(2024, 5, 1), QTime(13, 30)));
    EXPECT_DOUBLE_EQ(rows[0][2].toDouble(), 49.99);
    EXPECT_DOUBLE_EQ(rows[0][3].toDouble(), 1.25);
    EXPECT_EQ(rows[0][4].toString(), QStringLiteral("Kůň"));
    EXPECT_EQ(rows[0][5].toByteArray(), QByteArray("\x01\x02", 2));
    EXPECT_TRUE(rows[0][6].isNull());
    EXPECT_EQ(rows[1][0].toLongLong(), -2);
    EXPECT_TRUE(rows[1][1].isNull());
    EXPECT_DOUBLE_EQ(rows[1][2].toDouble(), -1.5);
    EXPECT_DOUBLE_EQ(rows[1][3].toDouble(), -0.5);
    EXPECT_EQ(rows[1][4].toString(), QStringLiteral("0123456789"));
    EXPECT_EQ(rows[1][5].toByteArray(), QByteArray("abcdef"));
    EXPECT_EQ(rows[1][6].toLongLong(), 42);
    // The same types in a dBase III table are not dBase's.
    EXPECT_FALSE(
        DbaseStore::openBytes(dbf(0x03, 0, {{"KDY", 'T', 8}}, {QByteArray(8, '\0')}), {}, &err));
    EXPECT_TRUE(err.contains(QStringLiteral("„T“"))) << err.toStdString();
}

TEST(Dbase, AFieldNameKeepsATrailingNoBreakSpace) {
    // Windows-1250 0xA0 is a no-break space: a character of the name, not padding.
    QString err;
    auto store = DbaseStore::openBytes(
        dbf(0x03, 0xC8, {{"CENA\xA0", 'C', 4}, {"KOD  ", 'C', 2}}, {QByteArray("12  ab", 6)}), {}, &err);
    ASSERT_TRUE(store) << err.toStdString();
    ASSERT_EQ(store->fieldDefs().size(), 2);
    EXPECT_EQ(store->fieldDefs()[0].name, QStringLiteral("CENA\u00A0"));
    EXPECT_EQ(store->fieldDefs()[1].name, QStringLiteral("KOD"));
}

TEST(Dbase, TextsEndAtAZeroByteAndDbase7IsNamed) {
    const auto rows =
        rowsOf(dbf(0x03, 0, {{"A", 'C', 8}}, {QByteArray("ab\0cd   ", 8), QByteArray(8, '\0')}));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0][0].toString(), QStringLiteral("ab"));
    EXPECT_TRUE(rows[1][0].isNull());
    for (quint8 version : {0x04, 0x8C}) {
        QString err;
        EXPECT_TRUE(rowsOf(dbf(version, 0, {{"A", 'C', 8}}, {}), {}, &err).isEmpty());
        EXPECT_TRUE(err.contains(QStringLiteral("dBase 7 není podporován"))) << err.toStdString();
    }
}

}  // namespace
