// Paradox tables: a level-7 table built byte by byte after the published
// format description, read back field by field.
#include <gtest/gtest.h>

#include <QDate>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <vector>

#include "base/code_page.h"
#include "data/field_value.h"
#include "data/paradox_file.h"
#include "data/table_open.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

QByteArray flipped(qint64 v, int n) {
    quint64 raw = quint64(v) ^ (quint64(1) << (8 * n - 1));
    QByteArray b(n, '\0');
    for (int i = n - 1; i >= 0; --i, raw >>= 8) b[i] = char(raw & 0xFF);
    return b;
}

QByteArray flippedDouble(double v) {
    quint64 bits;
    memcpy(&bits, &v, 8);
    QByteArray b(8, '\0');
    for (int i = 7; i >= 0; --i, bits >>= 8) b[i] = char(bits & 0xFF);
    if (v >= 0)
        b[0] = char(b[0] | 0x80);
    else
        for (char& c : b) c = char(~c);
    return b;
}

qint64 dayNumber(QDate d) {
    return QDate(1, 1, 1).daysTo(d) + 1;
}

struct Field {
    const char* name;
    quint8 type;
    quint8 size;
};

const Field kFields[] = {{"Název", 0x01, 12}, {"Počet", 0x03, 2}, {"Číslo", 0x04, 4},
                         {"Cena", 0x05, 8},   {"Datum", 0x02, 4}, {"Ok", 0x09, 1},
                         {"Pozn", 0x0C, 11},  {"Čas", 0x14, 4}};

// A Paradox table image: header, then one data block with the records.
struct Shape {
    std::vector<Field> fields;
    QList<QByteArray> records;
    quint8 fileType = 2;          // 0 with a primary index
    quint8 version = 0x0C;        // 3 and 4: level 3, 5 to 0x0C: level 4 and later
    quint16 codePage = 1250;      // level 4 and later
    quint32 password = 0;         // the password check (level 3: at 0x25, later at 0x5C)
    bool shortLastBlock = false;  // the file ends after the last record
};

QByteArray build(const Shape& t) {
    int recordSize = 0;
    for (const Field& f : t.fields) recordSize += f.type == 0x17 ? 17 : f.size;
    const int n = int(t.fields.size());
    const bool level4 = t.version >= 5;
    QByteArray h(0x800, '\0');
    char* d = h.data();
    qToLittleEndian<quint16>(quint16(recordSize), d);
    qToLittleEndian<quint16>(0x800, d + 2);
    d[4] = char(t.fileType);
    d[5] = 1;  // 1 KB blocks
    qToLittleEndian<quint32>(quint32(t.records.size()), d + 6);
    qToLittleEndian<quint16>(1, d + 0x0C);
    qToLittleEndian<quint16>(1, d + 0x0E);
    qToLittleEndian<quint16>(1, d + 0x10);
    qToLittleEndian<quint16>(quint16(n), d + 0x21);
    d[0x39] = char(t.version);
    if (level4) {
        memcpy(d + 0x25, "\x00\xFF\x00\xFF", 4);  // what every such table holds there
        qToLittleEndian<quint32>(t.password, d + 0x5C);
        qToLittleEndian<quint16>(t.codePage, d + 0x6A);
    } else {
        qToLittleEndian<quint32>(t.password, d + 0x25);
    }
    int pos = level4 ? 0x78 : 0x58;
    for (const Field& f : t.fields) {
        d[pos++] = char(f.type);
        d[pos++] = char(f.size);
    }
    pos += 4 + 4 * n + (t.version >= 0x0C ? 261 : 79);
    CodePage page = CodePage::Windows1250;
    codePageOfNumber(t.codePage, &page);
    for (const Field& f : t.fields) {
        const QByteArray name = encode(QString::fromUtf8(f.name), page);
        memcpy(d + pos, name.constData(), size_t(name.size()));
        pos += int(name.size()) + 1;
    }
    QByteArray block(1024, '\0');
    qToLittleEndian<qint16>(qint16((t.records.size() - 1) * recordSize), block.data() + 4);
    for (int i = 0; i < t.records.size(); ++i) {
        EXPECT_EQ(t.records[i].size(), recordSize);
        memcpy(block.data() + 6 + i * recordSize, t.records[i].constData(), size_t(recordSize));
    }
    if (t.shortLastBlock) block.truncate(6 + t.records.size() * recordSize);
    return h + block;
}

QByteArray table(const QList<QByteArray>& records, quint8 fileType) {
    Shape t;
    t.fields.assign(std::begin(kFields), std::end(kFields));
    t.records = records;
    t.fileType = fileType;
    return build(t);
}

// The values of every record of a table image, or an empty list (and the
// message in *error) when it does not open.
QList<RawRecord> rowsOf(const QByteArray& db, const QByteArray& mb = {}, QString* error = nullptr,
                        QString* warning = nullptr) {
    QString err;
    auto store = ParadoxStore::openBytes(db, mb, &err);
    if (error) *error = err;
    QList<RawRecord> rows;
    if (!store) return rows;
    if (warning) *warning = store->warning();
    EXPECT_TRUE(store->readRows(0, store->rowCount(), &rows, &err)) << err.toStdString();
    return rows;
}

QByteArray memoRef(const QByteArray& leader, quint32 ref, quint32 length) {
    QByteArray b = leader.leftJustified(1, '\0');
    QByteArray tail(10, '\0');
    qToLittleEndian<quint32>(ref, tail.data());
    qToLittleEndian<quint32>(length, tail.data() + 4);
    return b + tail;
}

TEST(Paradox, ReadsEveryFieldTypeOfALevelSevenTable) {
    QTemporaryDir dir;
    const QByteArray longMemo =
        encode(QStringLiteral("Dlouhá poznámka – víc než vůdčí bajt"), CodePage::Windows1250);
    QByteArray mb(4096, '\0');
    QByteArray blob(4096, '\0');
    blob[0] = 2;
    qToLittleEndian<quint16>(1, blob.data() + 1);
    qToLittleEndian<quint32>(quint32(longMemo.size()), blob.data() + 3);
    memcpy(blob.data() + 9, longMemo.constData(), size_t(longMemo.size()));
    mb += blob;

    QList<QByteArray> recs;
    recs << encode(QStringLiteral("Žluťák"), CodePage::Windows1250).leftJustified(12, '\0') +
                flipped(-3, 2) + flipped(123456, 4) + flippedDouble(49.9) +
                flipped(dayNumber(QDate(2024, 5, 1)), 4) + QByteArray(1, char(0x81)) +
                memoRef("A", 0, 1) + flipped(13 * 3600000 + 30 * 60000, 4);
    recs << QByteArray(12, '\0') + flipped(7, 2) + flipped(-5, 4) + flippedDouble(-0.25) +
                QByteArray(4, '\0') + QByteArray(1, char(0x80)) +
                memoRef(longMemo.left(1), 4096 | 0xFF, quint32(longMemo.size())) +
                QByteArray(4, '\0');
    const QString path = dir.filePath(QStringLiteral("zbozi.db"));
    ASSERT_TRUE(test::writeBytes(path, table(recs, 2)));
    ASSERT_TRUE(test::writeBytes(dir.filePath(QStringLiteral("zbozi.mb")), mb));

    EXPECT_EQ(detectTableKind(path), TableKind::Paradox);
    QString err;
    auto ds = openAnyTable(path, &err);
    ASSERT_TRUE(ds) << err.toStdString();
    ASSERT_EQ(ds->fieldCount(), 9);
    EXPECT_EQ(ds->field(0)->name(), QStringLiteral("Název"));
    const FieldType types[] = {FieldType::String,   FieldType::Smallint, FieldType::Integer,
                               FieldType::Currency, FieldType::Date,     FieldType::Boolean,
                               FieldType::Memo,     FieldType::Time};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(ds->field(i)->dataType(), types[i]) << i;
    EXPECT_EQ(ds->field(0)->size(), 12);
    EXPECT_EQ(ds->recordCount(), 2);

    ds->first();
    EXPECT_EQ(ds->field(0)->displayText(), QStringLiteral("Žluťák"));
    EXPECT_EQ(ds->field(1)->value().asInteger(), -3);
    EXPECT_EQ(ds->field(2)->value().asInteger(), 123456);
    EXPECT_DOUBLE_EQ(ds->field(3)->value().asReal(), 49.9);
    EXPECT_EQ(ds->field(4)->displayText(), QStringLiteral("01.05.2024"));
    EXPECT_TRUE(ds->field(5)->value().asBoolean());
    EXPECT_EQ(ds->field(6)->displayText(), QStringLiteral("A"));
    EXPECT_EQ(ds->field(7)->displayText(), QStringLiteral("13:30:00"));
    ds->next();
    EXPECT_TRUE(ds->field(0)->isNull());
    EXPECT_EQ(ds->field(2)->value().asInteger(), -5);
    EXPECT_DOUBLE_EQ(ds->field(3)->value().asReal(), -0.25);
    EXPECT_TRUE(ds->field(4)->isNull());
    EXPECT_FALSE(ds->field(5)->value().asBoolean());
    EXPECT_FALSE(ds->field(5)->isNull());
    EXPECT_EQ(ds->field(6)->displayText(), QStringLiteral("Dlouhá poznámka – víc než vůdčí bajt"));
    EXPECT_TRUE(ds->field(7)->isNull());

    // Without its blob file the table does not open.
    const QString lonely = dir.filePath(QStringLiteral("sam.db"));
    ASSERT_TRUE(test::writeBytes(lonely, table(recs, 2)));
    EXPECT_FALSE(openAnyTable(lonely, &err));
    EXPECT_TRUE(err.contains(QStringLiteral("sam.mb"))) << err.toStdString();

    // An unkeyed table is written in place, long blobs into the .mb file.
    ASSERT_TRUE(ds->edit(&err)) << err.toStdString();
    ds->field(1)->setValue(TaggedValue::integer(-300));
    ds->field(6)->setText(QString(300, QChar(u'ř')));
    ASSERT_TRUE(ds->post(&err)) << err.toStdString();
    auto again = openAnyTable(path, &err);
    ASSERT_TRUE(again) << err.toStdString();
    again->last();
    EXPECT_EQ(again->field(1)->value().asInteger(), -300);
    EXPECT_EQ(again->field(6)->displayText(), QString(300, QChar(u'ř')));
    EXPECT_EQ(again->field(2)->value().asInteger(), -5);
    // Keyed tables say they are read-only.
    const QString keyed = dir.filePath(QStringLiteral("klic.db"));
    ASSERT_TRUE(test::writeBytes(keyed, table(recs.mid(0, 1), 0)));
    ASSERT_TRUE(test::writeBytes(dir.filePath(QStringLiteral("klic.mb")), mb));
    auto k = openAnyTable(keyed, &err);
    ASSERT_TRUE(k) << err.toStdString();
    EXPECT_FALSE(k->edit(&err));
    EXPECT_TRUE(err.contains(QStringLiteral("jen číst"))) << err.toStdString();
}

TEST(Paradox, DamagedTablesGiveAMessage) {
    QList<QByteArray> recs{QByteArray(46, '\0')};
    const QByteArray good = table(recs, 2);
    QByteArray loop = good;
    qToLittleEndian<quint16>(1, loop.data() + 0x800);  // the block points at itself
    QByteArray badType = good;
    badType[0x78] = 0x42;
    QByteArray badCount = good;
    qToLittleEndian<qint16>(2000, badCount.data() + 0x800 + 4);
    // A block cut inside its records (a block that only ends short is fine).
    const QByteArray cases[] = {good.left(0x700), good.left(0x820), loop, badType, badCount};
    for (const QByteArray& c : cases) {
        QString err;
        EXPECT_FALSE(ParadoxStore::openBytes(c, {}, &err));
        EXPECT_FALSE(err.isEmpty());
    }
    QString err;
    EXPECT_TRUE(ParadoxStore::openBytes(good, {}, &err)) << err.toStdString();
}

// Tables of level 4 and later hold 00 FF 00 FF at 0x25; only the check at
// 0x5C says a password protects them (at 0x25 in level 3).
TEST(Paradox, OnlyTheTablesWithAPasswordCountAsProtected) {
    const std::vector<Field> fields = {{"Číslo", 0x04, 4}};
    const struct {
        quint8 version;
        quint32 password;
        bool opens;
    } cases[] = {{0x0C, 0, true},       {0x0B, 0, true}, {0x09, 0, true},
                 {0x0C, 0x1234, false}, {0x04, 0, true}, {0x04, 0xFF00FF00, false}};
    for (const auto& c : cases) {
        Shape t{fields, {flipped(7, 4)}};
        t.version = c.version;
        t.password = c.password;
        QString err;
        const auto rows = rowsOf(build(t), {}, &err);
        if (c.opens) {
            ASSERT_EQ(rows.size(), 1) << int(c.version) << " " << err.toStdString();
            EXPECT_EQ(rows[0][0].toLongLong(), 7);
        } else {
            EXPECT_TRUE(err.contains(QStringLiteral("heslem"))) << err.toStdString();
        }
    }
}

TEST(Paradox, TextsFollowTheDeclaredCodePage) {
    const struct {
        quint16 codePage;
        QString text;
        bool known;
    } cases[] = {
        {1250, QStringLiteral("Žluťák"), true},     {852, QStringLiteral("Žluťák"), true},
        {1252, QStringLiteral("Café Dürer"), true}, {866, QStringLiteral("Номер"), true},
        {437, QStringLiteral("Über"), true},        {850, QStringLiteral("Señor Ø"), true},
        {936, QStringLiteral("中文"), true},        {867, QStringLiteral("Příliš"), true},
        {999, QStringLiteral("Žluťák"), false},
    };
    for (const auto& c : cases) {
        CodePage page = CodePage::Windows1250;
        codePageOfNumber(c.codePage, &page);
        // The field is named by the text too.
        const QByteArray name = c.text.toUtf8();
        Shape t{{{name.constData(), 0x01, 12}}, {encode(c.text, page).leftJustified(12, '\0')}};
        t.codePage = c.codePage;
        QString err, warning;
        const auto rows = rowsOf(build(t), {}, &err, &warning);
        ASSERT_EQ(rows.size(), 1) << c.codePage << " " << err.toStdString();
        EXPECT_EQ(rows[0][0].toString(), c.text) << c.codePage;
        EXPECT_EQ(warning.isEmpty(), c.known) << c.codePage;
        if (!c.known) EXPECT_TRUE(warning.contains(QStringLiteral("999"))) << warning.toStdString();
        auto store = ParadoxStore::openBytes(build(t), {}, &err);
        ASSERT_TRUE(store);
        EXPECT_EQ(store->fieldDefs()[0].name, c.text) << c.codePage;
    }
}

// A BCD value: sign and decimals byte, then 32 digit nibbles (given in hex),
// complemented when negative.
QByteArray bcd(bool positive, int decimals, const char* nibbles) {
    QByteArray digits = QByteArray::fromHex(nibbles);
    EXPECT_EQ(digits.size(), 16);
    if (!positive)
        for (char& b : digits) b = char(~b);
    return QByteArray(1, char((positive ? 0xC0 : 0x40) | decimals)) + digits;
}

TEST(Paradox, BcdFieldsReadAsPackedDecimals) {
    // The size byte of a BCD field holds its decimals (2, 0, 32); each value takes 17 bytes.
    const std::vector<Field> fields = {{"A", 0x17, 2}, {"B", 0x17, 0}, {"C", 0x17, 32}};
    // Writers leave what follows the digits they kept as it was (no digits at all here).
    const char* c123 = "1229999999999999980b00e00000bf4a";
    QList<QByteArray> recs;
    recs << bcd(true, 2, "00000000000000000000000000000123") +
                bcd(true, 0, "00000000000000000000000000000001") + bcd(true, 32, c123);
    recs << bcd(false, 2, "00000000000000000000000000000123") +
                bcd(false, 0, "00000000000000000000000000000001") + bcd(false, 32, c123);
    // Zero, and empty values: all zeros, or only the decimals byte kept.
    recs << bcd(true, 2, "00000000000000000000000000000000") + QByteArray(17, '\0') +
                (QByteArray(1, '\x06') + QByteArray(16, '\0'));
    recs << bcd(true, 4, "00000000000000000000001234567891") +
                bcd(false, 0, "00000000000000000000000000009999") +
                bcd(true, 32, "99990000000000000118a00e00000ef4");
    const auto rows = rowsOf(build({fields, recs}));
    ASSERT_EQ(rows.size(), 4);
    const double expected[4][3] = {
        {1.23, 1.0, 0.123}, {-1.23, -1.0, -0.123}, {0, NAN, NAN}, {123456.7891, -9999, 0.9999}};
    for (int r = 0; r < 4; ++r)
        for (int f = 0; f < 3; ++f) {
            if (std::isnan(expected[r][f])) {
                EXPECT_TRUE(rows[r][f].isNull()) << r << "," << f << " " << rows[r][f].toDouble();
            } else {
                ASSERT_FALSE(rows[r][f].isNull()) << r << "," << f;
                EXPECT_DOUBLE_EQ(rows[r][f].toDouble(), expected[r][f]) << r << "," << f;
            }
        }
    QString err;
    auto store = ParadoxStore::openBytes(build({fields, recs}), {}, &err);
    ASSERT_TRUE(store);
    EXPECT_EQ(store->fieldDefs()[2].type, FieldType::BCD);
    EXPECT_EQ(store->fieldDefs()[2].size, 32);
    // Writing BCD stays refused, with its message.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bcd.db"));
    ASSERT_TRUE(test::writeBytes(path, build({fields, recs})));
    auto ds = openAnyTable(path, &err);
    ASSERT_TRUE(ds) << err.toStdString();
    ds->first();
    ASSERT_TRUE(ds->edit(&err)) << err.toStdString();
    ds->field(0)->setValue(TaggedValue::real(2.5));
    EXPECT_FALSE(ds->post(&err));
    EXPECT_TRUE(err.contains(QStringLiteral("BCD"))) << err.toStdString();
}

// A single-blob block of the blob file holding data.
QByteArray blobBlock(const QByteArray& data) {
    QByteArray block(4096, '\0');
    block[0] = 2;
    qToLittleEndian<quint16>(1, block.data() + 1);
    qToLittleEndian<quint32>(quint32(data.size()), block.data() + 3);
    memcpy(block.data() + 9, data.constData(), size_t(data.size()));
    return block;
}

TEST(Paradox, GraphicFieldsGiveThePictureWithoutParadoxsHeader) {
    QByteArray bmp("BM");
    bmp += QByteArray(60, 'x');
    QByteArray header(8, '\0');
    header[0] = 1;
    qToLittleEndian<quint32>(quint32(bmp.size()), header.data() + 4);
    const QByteArray mb = QByteArray(4096, '\0') + blobBlock(header + bmp);
    // A graphic field with no leader, and a plain blob holding the same bytes.
    const std::vector<Field> fields = {{"Obr", 0x10, 10}, {"Blob", 0x0D, 10}};
    const QByteArray ref = memoRef({}, 4096 | 0xFF, quint32(header.size() + bmp.size()));
    const auto rows = rowsOf(build({fields, {ref.mid(1) + ref.mid(1)}}), mb);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0][0].toByteArray(), bmp);
    EXPECT_EQ(rows[0][1].toByteArray(), header + bmp);

    // Pictures we store get the header, and come back without it.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("obr.db"));
    QString err;
    ASSERT_TRUE(createParadoxFile(path, {{"obr", FieldType::Graphic, 0, false}}, &err))
        << err.toStdString();
    auto ds = openAnyTable(path, &err);
    ASSERT_TRUE(ds) << err.toStdString();
    ASSERT_TRUE(ds->append(&err)) << err.toStdString();
    ASSERT_TRUE(ds->field(0)->setBlob(bmp, &err)) << err.toStdString();
    ASSERT_TRUE(ds->post(&err)) << err.toStdString();
    EXPECT_TRUE(test::fileBytes(dir.filePath(QStringLiteral("obr.mb"))).contains(header + bmp));
    auto again = openAnyTable(path, &err);
    ASSERT_TRUE(again) << err.toStdString();
    again->first();
    EXPECT_EQ(again->field(0)->blob(), bmp);
}

TEST(Paradox, ALastBlockThatEndsShortStillOpens) {
    Shape t{{{"Číslo", 0x04, 4}, {"Text", 0x01, 6}},
            {flipped(1, 4) + QByteArray("jedna\0", 6), flipped(2, 4) + QByteArray("dva\0\0\0", 6)}};
    t.shortLastBlock = true;
    QString err;
    const auto rows = rowsOf(build(t), {}, &err);
    ASSERT_EQ(rows.size(), 2) << err.toStdString();
    EXPECT_EQ(rows[1][0].toLongLong(), 2);
    EXPECT_EQ(rows[1][1].toString(), QStringLiteral("dva"));
    // Records the header counts beyond the end of the file are still refused.
    EXPECT_TRUE(rowsOf(build(t).chopped(3), {}, &err).isEmpty());
    EXPECT_TRUE(err.contains(QStringLiteral("zkrácený"))) << err.toStdString();
}

TEST(Paradox, BytesFieldsOfZerosAreEmpty) {
    QByteArray some(8, '\0');
    some[0] = 'A';
    some[2] = 'B';
    const auto rows = rowsOf(build({{{"B", 0x18, 8}}, {QByteArray(8, '\0'), some}}));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0][0].isNull());
    EXPECT_EQ(rows[1][0].toByteArray(), some);
}

TEST(Paradox, DatesAndTimestampsBeforeYearOneAreShownAndKept) {
    // Day 1 is 1.1.0001; day 0 and before are earlier (Qt's proleptic Gregorian
    // calendar has no year 0: the day before 1.1.0001 is 31.12.-0001).
    Shape t;
    t.fields = {{"Datum", 0x02, 4}, {"Kdy", 0x15, 8}};
    const qint64 kDay = 86400000;
    t.records << flipped(0, 4) + flippedDouble(double(-kDay + 3600000))      // 30.12.-1 01:00
              << flipped(-364, 4) + flippedDouble(double(-400 * kDay))       // a year earlier
              << flipped(dayNumber(QDate(2024, 5, 1)), 4) + flippedDouble(double(2 * kDay + 1000));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stare.db"));
    const QByteArray image = build(t);
    ASSERT_TRUE(test::writeBytes(path, image));
    QString err;
    auto store = ParadoxStore::open(path, &err);
    ASSERT_TRUE(store) << err.toStdString();
    QList<RawRecord> rows;
    ASSERT_TRUE(store->readRows(0, store->rowCount(), &rows, &err)) << err.toStdString();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0][0].toDate(), QDate(-1, 12, 31));
    EXPECT_EQ(rows[0][1].toDateTime(), QDateTime(QDate(-1, 12, 30), QTime(1, 0)));
    EXPECT_EQ(rows[1][0].toDate(), QDate(1, 1, 1).addDays(-365));
    EXPECT_EQ(rows[1][1].toDateTime().date(), QDate(1, 1, 1).addDays(-401));
    EXPECT_EQ(rows[2][0].toDate(), QDate(2024, 5, 1));
    EXPECT_EQ(rows[2][1].toDateTime(), QDateTime(QDate(1, 1, 2), QTime(0, 0, 1)));
    // Shown as the proleptic Gregorian date (year 0 before year 1).
    EXPECT_EQ(textOfRaw(rows[0][0], FieldType::Date), QStringLiteral("31.12.0000"));
    EXPECT_EQ(textOfRaw(rows[0][1], FieldType::DateTime), QStringLiteral("30.12.0000 01:00:00"));
    EXPECT_EQ(textOfRaw(rows[1][0], FieldType::Date), QStringLiteral("02.01.0000"));  // year 0 is a leap year

    // Written back as read, the file holds the same bytes.
    for (int i = 0; i < rows.size(); ++i) {
        qint64 moved = i;
        ASSERT_TRUE(store->updateRow(i, rows[i], &moved, &err)) << err.toStdString();
    }
    store.reset();
    EXPECT_EQ(test::fileBytes(path).mid(0x800), image.mid(0x800));
}

}  // namespace
