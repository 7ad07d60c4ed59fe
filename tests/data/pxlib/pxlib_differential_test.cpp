// Paradox tables written by us and read by pxlib, and written by pxlib and
// read by us, for every field type our writer writes: format faults our own
// reader would share with our own writer show up here. pxlib 0.6.8 cannot
// open blob files (it aborts on any .mb file, ours and Paradox's alike), so
// the blob fields are compared by their place in the record only: they sit
// between the other fields, whose values are compared.
#include <gtest/gtest.h>

extern "C" {  // the header declares C functions without saying so
#include <paradox.h>
}

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>

#include "base/code_page.h"
#include "data/paradox_file.h"

using namespace dorvana;

namespace {

struct Column {
    const char* name;
    FieldType type;
    int size;  // ours: text and bytes length
    char pxType;
    int pxLength;
};

const Column kColumns[] = {
    {"Název", FieldType::String, 20, pxfAlpha, 20},
    {"Počet", FieldType::Smallint, 0, pxfShort, 2},
    {"Pozn", FieldType::Memo, 0, pxfMemoBLOb, 11},
    {"Číslo", FieldType::Integer, 0, pxfLong, 4},
    {"Pořadí", FieldType::Autoinc, 0, pxfAutoInc, 4},
    {"Obr", FieldType::Graphic, 0, pxfGraphic, 11},
    {"Ok", FieldType::Boolean, 0, pxfLogical, 1},
    {"Váha", FieldType::Float, 0, pxfNumber, 8},
    {"Data", FieldType::Blob, 0, pxfBLOb, 11},
    {"Cena", FieldType::Currency, 0, pxfCurrency, 8},
    {"Datum", FieldType::Date, 0, pxfDate, 4},
    {"Čas", FieldType::Time, 0, pxfTime, 4},
    {"Kdy", FieldType::DateTime, 0, pxfTimestamp, 8},
    {"Kód", FieldType::Bytes, 8, pxfBytes, 8},
};
constexpr int kCount = int(std::size(kColumns));

QList<RawRecord> sampleRows() {
    QByteArray picture("BM");
    for (int i = 0; i < 200; ++i) picture += char(i);
    QByteArray blob;
    for (int i = 0; i < 5000; ++i) blob += char(i * 7);
    const auto i64 = [](qint64 v) { return QVariant::fromValue<qint64>(v); };
    return {
        {QStringLiteral("Žluťoučký kůň"), i64(-300), QStringLiteral("A"), i64(123456789), i64(1),
         picture, true, 3.14159, blob, 49.9, QDate(2024, 5, 1), QTime(13, 30, 15),
         QDateTime(QDate(2024, 5, 1), QTime(8, 0, 30)), QByteArray("\x01\x02\x03\0\0\0\0\0", 8)},
        {{}, {}, {}, {}, i64(2), {}, {}, {}, {}, {}, {}, {}, {}, {}},
        {QStringLiteral("x"),
         i64(32767),
         QString(300, QChar(u'ř')),
         i64(-2147483647),
         i64(3),
         {},
         false,
         -0.5,
         QByteArray("krátký"),
         0.0,
         QDate(1900, 1, 1),
         QTime(0, 0, 0, 1),
         QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)),
         QByteArray("\xFF\x00\x7F\0\0\0\0\0", 8)},
    };
}

bool isBlob(const Column& c) {
    return c.pxType == pxfMemoBLOb || c.pxType == pxfGraphic || c.pxType == pxfBLOb;
}

FieldDefs sampleDefs() {
    FieldDefs defs;
    for (const Column& c : kColumns)
        defs.append({QString::fromUtf8(c.name), c.type, c.size, false});
    return defs;
}

// pxlib's messages go to the test output.
void onPxError(pxdoc_t*, int level, const char* msg, void*) {
    ADD_FAILURE() << "pxlib (" << level << "): " << msg;
}

struct PxDoc {
    pxdoc_t* px = PX_new2(onPxError, nullptr, nullptr, nullptr);
    ~PxDoc() {
        PX_close(px);
        PX_delete(px);
    }
};

QString pxText(pxdoc_t* px, char* value) {
    const QString text =
        decode(QByteArrayView(value, qsizetype(strlen(value))), CodePage::Windows1250);
    px->free(px, value);
    return text;
}

// A field of a record read by pxlib, as our store gives it.
// A long of pxlib: its lowest value is what Paradox stores as empty (all
// zero bytes), which pxlib 0.6.8 does not say.
bool pxLong(pxdoc_t* px, char* p, int length, long* value) {
    return PX_get_data_long(px, p, length, value) > 0 && *value != -2147483648L;
}

QVariant pxValue(pxdoc_t* px, char* p, const pxfield_t& f) {
    long l = 0;
    short s = 0;
    double d = 0;
    char b = 0;
    char* text = nullptr;
    switch (f.px_ftype) {
        case pxfAlpha:
            return PX_get_data_alpha(px, p, f.px_flen, &text) > 0 ? QVariant(pxText(px, text))
                                                                  : QVariant();
        case pxfShort:
            return PX_get_data_short(px, p, f.px_flen, &s) > 0 ? QVariant::fromValue<qint64>(s)
                                                               : QVariant();
        case pxfLong:
        case pxfAutoInc:
            return pxLong(px, p, f.px_flen, &l) ? QVariant::fromValue<qint64>(l) : QVariant();
        case pxfLogical:
            return PX_get_data_byte(px, p, f.px_flen, &b) > 0 ? QVariant(b != 0) : QVariant();
        case pxfNumber:
        case pxfCurrency:
            return PX_get_data_double(px, p, f.px_flen, &d) > 0 ? QVariant(d) : QVariant();
        case pxfDate:
            return pxLong(px, p, f.px_flen, &l) ? QVariant(QDate::fromJulianDay(l + 1721425))
                                                : QVariant();
        case pxfTime:
            return pxLong(px, p, f.px_flen, &l) ? QVariant(QTime(0, 0).addMSecs(int(l)))
                                                : QVariant();
        case pxfTimestamp: {
            if (PX_get_data_double(px, p, f.px_flen, &d) <= 0) return {};
            const qint64 ms = qint64(d);
            return QDateTime(QDate::fromJulianDay(ms / 86400000 + 1721425),
                             QTime(0, 0).addMSecs(int(ms % 86400000)));
        }
        case pxfBytes: {
            if (PX_get_data_bytes(px, p, f.px_flen, &text) <= 0) return {};
            const QByteArray bytes(text, f.px_flen);
            px->free(px, text);
            return bytes;
        }
        default:  // blobs: see above
            return {};
    }
}

void expectSameRows(const QList<RawRecord>& got, const QList<RawRecord>& expected,
                    const char* who) {
    ASSERT_EQ(got.size(), expected.size()) << who;
    for (int r = 0; r < got.size(); ++r)
        for (int i = 0; i < kCount; ++i) {
            if (isBlob(kColumns[i])) continue;
            const QVariant& a = got[r][i];
            const QVariant& e = expected[r][i];
            SCOPED_TRACE(testing::Message()
                         << who << ": record " << r << ", field " << kColumns[i].name);
            ASSERT_EQ(a.isNull(), e.isNull())
                << a.toString().toStdString() << " / " << e.toString().toStdString();
            if (e.isNull()) continue;
            if (e.typeId() == QMetaType::Double)
                EXPECT_DOUBLE_EQ(a.toDouble(), e.toDouble());
            else if (e.typeId() == QMetaType::QByteArray)
                EXPECT_EQ(a.toByteArray(), e.toByteArray());
            else
                EXPECT_EQ(a.toString(), e.toString());
        }
}

TEST(PxlibDifferential, PxlibReadsTheTablesWeWrite) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nase.db"));
    QString err;
    ASSERT_TRUE(createParadoxFile(path, sampleDefs(), &err)) << err.toStdString();
    auto store = ParadoxStore::open(path, &err);
    ASSERT_TRUE(store) << err.toStdString();
    const QList<RawRecord> rows = sampleRows();
    for (RawRecord r : rows) {
        r[4] = QVariant();  // numbered by the table
        qint64 at = 0;
        ASSERT_TRUE(store->insertRow(r, &at, &err)) << err.toStdString();
    }
    store.reset();

    PxDoc doc;
    ASSERT_EQ(PX_open_file(doc.px, path.toLocal8Bit().constData()), 0);
    ASSERT_EQ(PX_get_num_fields(doc.px), kCount);
    ASSERT_EQ(PX_get_num_records(doc.px), rows.size());
    // The header as pxlib sees it: level 7, code page 1250, the last number given.
    EXPECT_EQ(doc.px->px_head->px_fileversion, 70);
    EXPECT_EQ(doc.px->px_head->px_doscodepage, 1250);
    EXPECT_EQ(doc.px->px_head->px_autoinc, 3);
    EXPECT_EQ(doc.px->px_head->px_encryption, 0u);
    pxfield_t* fields = PX_get_fields(doc.px);
    for (int i = 0; i < kCount; ++i) {
        EXPECT_EQ(fields[i].px_ftype, kColumns[i].pxType) << i;
        EXPECT_EQ(fields[i].px_flen, kColumns[i].pxLength) << i;
        EXPECT_EQ(decode(fields[i].px_fname, CodePage::Windows1250),
                  QString::fromUtf8(kColumns[i].name));
    }
    QByteArray rec(doc.px->px_head->px_recordsize, '\0');
    QList<RawRecord> read;
    for (int r = 0; r < rows.size(); ++r) {
        ASSERT_TRUE(PX_get_record(doc.px, r, rec.data())) << r;
        RawRecord values;
        int offset = 0;
        for (int i = 0; i < kCount; ++i) {
            values.append(pxValue(doc.px, rec.data() + offset, fields[i]));
            offset += fields[i].px_flen;
        }
        read.append(values);
    }
    expectSameRows(read, rows, "pxlib");
}

TEST(PxlibDifferential, WeReadTheTablesPxlibWrites) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pxlib.db"));
    QList<RawRecord> rows = sampleRows();
    {
        PxDoc doc;
        pxdoc_t* px = doc.px;
        auto* fields =
            static_cast<pxfield_t*>(px->malloc(px, sizeof(pxfield_t) * kCount, "fields"));
        QList<QByteArray> names;
        for (int i = 0; i < kCount; ++i) {
            const QByteArray name =
                encode(QString::fromUtf8(kColumns[i].name), CodePage::Windows1250);
            fields[i].px_fname =
                static_cast<char*>(px->malloc(px, size_t(name.size() + 1), "name"));
            memcpy(fields[i].px_fname, name.constData(), size_t(name.size() + 1));
            fields[i].px_ftype = kColumns[i].pxType;
            fields[i].px_flen = kColumns[i].pxLength;
            fields[i].px_fdc = 0;
        }
        ASSERT_EQ(PX_create_file(px, fields, kCount, path.toLocal8Bit().constData(),
                                 pxfFileTypNonIndexDB),
                  0);
        PX_set_value(px, "codepage", 1250);
        for (const RawRecord& r : rows) {
            QByteArray rec(px->px_head->px_recordsize, '\0');
            char* p = rec.data();
            for (int i = 0; i < kCount; ++i) {
                const Column& c = kColumns[i];
                const QVariant& v = r[i];
                if (!v.isNull() && !isBlob(c)) {  // blobs stay empty: see above
                    switch (c.pxType) {
                        case pxfAlpha: {
                            QByteArray text = encode(v.toString(), CodePage::Windows1250);
                            PX_put_data_alpha(px, p, c.pxLength, text.data());
                            break;
                        }
                        case pxfShort:
                            PX_put_data_short(px, p, c.pxLength, short(v.toLongLong()));
                            break;
                        case pxfLong:
                        case pxfAutoInc:
                            PX_put_data_long(px, p, c.pxLength, int(v.toLongLong()));
                            break;
                        case pxfLogical:
                            PX_put_data_byte(px, p, c.pxLength, v.toBool() ? 1 : 0);
                            break;
                        case pxfNumber:
                        case pxfCurrency:
                            PX_put_data_double(px, p, c.pxLength, v.toDouble());
                            break;
                        case pxfDate:
                            PX_put_data_long(px, p, c.pxLength,
                                             int(v.toDate().toJulianDay() - 1721425));
                            break;
                        case pxfTime:
                            PX_put_data_long(px, p, c.pxLength, QTime(0, 0).msecsTo(v.toTime()));
                            break;
                        case pxfTimestamp: {
                            const QDateTime t = v.toDateTime();
                            PX_put_data_double(
                                px, p, c.pxLength,
                                double(t.date().toJulianDay() - 1721425) * 86400000.0 +
                                    QTime(0, 0).msecsTo(t.time()));
                            break;
                        }
                        case pxfBytes: {
                            QByteArray bytes = v.toByteArray();
                            PX_put_data_bytes(px, p, c.pxLength, bytes.data());
                            break;
                        }
                    }
                }
                p += c.pxLength;
            }
            ASSERT_GE(PX_put_record(px, rec.data()), 0);
        }
    }
    for (RawRecord& r : rows)
        for (int i = 0; i < kCount; ++i)
            if (isBlob(kColumns[i])) r[i] = QVariant();

    // pxlib wrote no blob file; the empty one of a table of ours takes its place.
    QString err;
    ASSERT_TRUE(createParadoxFile(dir.filePath(QStringLiteral("prazdna.db")), sampleDefs(), &err));
    ASSERT_TRUE(QFile::copy(dir.filePath(QStringLiteral("prazdna.mb")),
                            dir.filePath(QStringLiteral("pxlib.mb"))));
    auto store = ParadoxStore::open(path, &err);
    ASSERT_TRUE(store) << err.toStdString();
    ASSERT_EQ(store->fieldDefs().size(), kCount);
    for (int i = 0; i < kCount; ++i) {
        EXPECT_EQ(store->fieldDefs()[i].name, QString::fromUtf8(kColumns[i].name));
        EXPECT_EQ(store->fieldDefs()[i].type, kColumns[i].type) << i;
    }
    QList<RawRecord> read;
    ASSERT_TRUE(store->readRows(0, store->rowCount(), &read, &err)) << err.toStdString();
    expectSameRows(read, rows, "ours");
}

}  // namespace
