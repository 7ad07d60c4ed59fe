// Paradox tables: a level-7 table built byte by byte after the published
// format description, read back field by field.
#include <gtest/gtest.h>

#include <QDate>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstring>

#include "base/code_page.h"
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

QByteArray table(const QList<QByteArray>& records, quint8 fileType) {
    const int recordSize = 12 + 2 + 4 + 8 + 4 + 1 + 11 + 4;
    const int n = int(std::size(kFields));
    QByteArray h(0x800, '\0');
    char* d = h.data();
    qToLittleEndian<quint16>(recordSize, d);
    qToLittleEndian<quint16>(0x800, d + 2);
    d[4] = char(fileType);
    d[5] = 1;  // 1 KB blocks
    qToLittleEndian<quint32>(quint32(records.size()), d + 6);
    qToLittleEndian<quint16>(1, d + 0x0C);
    qToLittleEndian<quint16>(1, d + 0x0E);
    qToLittleEndian<quint16>(1, d + 0x10);
    qToLittleEndian<quint16>(quint16(n), d + 0x21);
    d[0x39] = 0x0C;  // level 7
    qToLittleEndian<quint16>(1250, d + 0x6A);
    int pos = 0x78;
    for (const Field& f : kFields) {
        d[pos++] = char(f.type);
        d[pos++] = char(f.size);
    }
    pos += 4 + 4 * n + 261;
    for (const Field& f : kFields) {
        const QByteArray name = encode(QString::fromUtf8(f.name), CodePage::Windows1250);
        memcpy(d + pos, name.constData(), size_t(name.size()));
        pos += int(name.size()) + 1;
    }
    QByteArray block(1024, '\0');
    qToLittleEndian<qint16>(qint16((records.size() - 1) * recordSize), block.data() + 4);
    for (int i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].size(), recordSize);
        memcpy(block.data() + 6 + i * recordSize, records[i].constData(), size_t(recordSize));
    }
    return h + block;
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
    const QByteArray cases[] = {good.left(0x700), good.left(0x900), loop, badType, badCount};
    for (const QByteArray& c : cases) {
        QString err;
        EXPECT_FALSE(ParadoxStore::openBytes(c, {}, &err));
        EXPECT_FALSE(err.isEmpty());
    }
    QString err;
    EXPECT_TRUE(ParadoxStore::openBytes(good, {}, &err)) << err.toStdString();
}

}  // namespace
