#pragma once
// What several benchmarks measure against: the process's peak memory, a
// million-record label file made once in $TMPDIR, and a 3 x 8 label sheet
// template with its records held in memory.
#include <sys/resource.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <memory>

#include "data/data_set.h"
#include "data/label_file.h"
#include "data/memory_store.h"

namespace dorvana::bench {

inline double peakMegabytes() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;
}

inline constexpr qint64 kMillion = 1000000;

// $TMPDIR/dorvana-bench-1m.db: a label file of a million records, made on
// first use (under another name, renamed when whole) and then reused.
inline QString millionLabelFile() {
    const QString path = QDir::temp().filePath(QStringLiteral("dorvana-bench-1m.db"));
    if (QFileInfo::exists(path)) return path;
    const QString tmp = path + QStringLiteral(".tvorba");
    if (!createLabelFile(tmp, nullptr)) return {};
    auto store = LabelFileStore::open(tmp, nullptr);
    QList<RawRecord> batch;
    for (qint64 i = 1; i <= kMillion; ++i) {
        RawRecord r(16);
        r[0] = QVariant::fromValue<qint64>(i * 3);
        r[1] = QStringLiteral("Položka číslo %1").arg(i);
        r[3] = QStringLiteral("859%1").arg(i, 10, 10, QLatin1Char('0'));
        r[6] = double(i % 10000) / 100.0;
        r[11] = QDate(2024, 1, 1).addDays(i % 365);
        batch << r;
        if (batch.size() == 50000 || i == kMillion) {
            if (!store->insertMany(batch, nullptr)) return {};
            batch.clear();
        }
    }
    store.reset();
    QFile::rename(tmp, path);
    return path;
}

// Records for the label sheet: number, name, barcode and price.
inline std::unique_ptr<DataSet> labelSheetRecords(int records) {
    FieldDefs defs{{QStringLiteral("cislo"), FieldType::Integer, 0, false},
                   {QStringLiteral("nazev1"), FieldType::String, 40, false},
                   {QStringLiteral("bcode"), FieldType::String, 20, false},
                   {QStringLiteral("cena"), FieldType::Currency, 0, false}};
    QList<RawRecord> rows;
    rows.reserve(records);
    for (int i = 1; i <= records; ++i)
        rows.append({QVariant::fromValue<qint64>(i), QStringLiteral("Položka číslo %1").arg(i),
                     QStringLiteral("859%1").arg(i, 10, 10, QLatin1Char('0')),
                     double(i % 10000) / 100.0});
    return std::make_unique<DataSet>(std::make_unique<MemoryStore>(defs, rows));
}

// A4 without margins, three columns of eight labels 146 high: three text
// fields, a price function and a frame per label.
inline const QStringList kLabelSheetTemplate = {
    QStringLiteral("I,0,\"Etikety 3 x 8\""),
    QStringLiteral("I,1,1,5,1,0,0"),
    QStringLiteral("I,2,0,826,1169,0,0,0,0,3,0"),
    QStringLiteral("I,3,2,1,146"),
    QStringLiteral("F,0,Cena,\"\",0,\"0\",0,\"#cena\",0,15,2,2,\"\""),
    QStringLiteral("T,2,nazev1,10,10,250,20,Arial,10,0,1,0,0,1,238"),
    QStringLiteral("T,2,cislo,10,35,120,15,Arial,8,0,0,0,0,1,238"),
    QStringLiteral("T,2,bcode,10,55,250,50,Arial,8,0,0,0,0,1,238,\"\",\"\",0"),
    QStringLiteral("T,6,Cena,150,110,110,25,Arial,12,0,1,1,0,1,238"),
    QStringLiteral("T,8,0,0,0,270,146,,1,0,0,15,15,1,0"),
};

}  // namespace dorvana::bench
