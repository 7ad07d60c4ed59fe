// The table engine over a million records: a label file opened, positioned
// on its last record and back, and scanned reading three fields; and a
// million-row CSV file through a query with ORDER BY. Reports records per
// second and the process's peak resident memory. The files are made once in
// $TMPDIR (dorvana-bench-*) and reused.
//   bench_data_engine --benchmark_filter=LabelFile   (one benchmark per run
//   gives the peak memory of that benchmark alone)
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "bench_fixtures.h"
#include "data/label_file.h"
#include "data/query.h"
#include "data/table_open.h"

using namespace dorvana;
using bench::peakMegabytes;

namespace {

constexpr qint64 kRecords = bench::kMillion;

QString benchFile(const char* name) {
    return QDir::temp().filePath(QString::fromLatin1(name));
}

QString csvFile() {
    const QString path = benchFile("dorvana-bench-1m.csv");
    if (QFileInfo::exists(path)) return path;
    QFile f(path + QStringLiteral(".tvorba"));
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write("cislo;nazev;cena;datum\r\n");
    QByteArray chunk;
    for (qint64 i = 1; i <= kRecords; ++i) {
        // Names in a scrambled order, so that ORDER BY really sorts.
        const qint64 k = (i * 7919) % kRecords;
        chunk += QStringLiteral("%1;Zboží %2;%3,%4;%5\r\n")
                     .arg(i)
                     .arg(k, 7, 10, QLatin1Char('0'))
                     .arg(i % 1000)
                     .arg(i % 100, 2, 10, QLatin1Char('0'))
                     .arg(QDate(2024, 1, 1).addDays(i % 365).toString(Qt::ISODate))
                     .toUtf8();
        if (chunk.size() > (1 << 20)) {
            f.write(chunk);
            chunk.clear();
        }
    }
    f.write(chunk);
    f.close();
    QFile::rename(path + QStringLiteral(".tvorba"), path);
    return path;
}

// Reads three fields of every record; returns the number of records.
qint64 scan(DataSet& ds, int a, int b, int c) {
    qint64 n = 0;
    double sum = 0;
    for (ds.first(); !ds.atEnd(); ds.next()) {
        sum += ds.field(a)->value().asInteger();
        sum += ds.field(b)->displayText().size();
        sum += ds.field(c)->value().asReal();
        ++n;
    }
    benchmark::DoNotOptimize(sum);
    return n;
}

void LabelFileOpenSeekScan(benchmark::State& state) {
    const QString path = bench::millionLabelFile();
    if (path.isEmpty()) return state.SkipWithError("label file not created");
    qint64 records = 0;
    for (auto _ : state) {
        QString err;
        auto ds = openLabelDataSet(path, &err);
        if (!ds) return state.SkipWithError(err.toStdString().c_str());
        ds->last();
        benchmark::DoNotOptimize(ds->field(1)->displayText());
        ds->first();
        records = scan(*ds, 0, 1, 6);
    }
    state.counters["records"] = double(records);
    state.counters["records_per_s"] =
        benchmark::Counter(double(records) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["peak_rss_MB"] = peakMegabytes();
}

void LabelFileLastAndBack(benchmark::State& state) {
    const QString path = bench::millionLabelFile();
    auto ds = openLabelDataSet(path, nullptr);
    if (!ds) return state.SkipWithError("label file not opened");
    for (auto _ : state) {
        ds->last();
        benchmark::DoNotOptimize(ds->field(1)->displayText());
        ds->first();
        benchmark::DoNotOptimize(ds->field(1)->displayText());
    }
    state.counters["peak_rss_MB"] = peakMegabytes();
}

void CsvQueryOrderByScan(benchmark::State& state) {
    const QString path = csvFile();
    if (path.isEmpty()) return state.SkipWithError("CSV file not created");
    qint64 records = 0;
    for (auto _ : state) {
        Query q;
        q.setSql({QStringLiteral("SELECT T1.*"), QStringLiteral("FROM \"%1\" T1").arg(path),
                  QStringLiteral("ORDER BY %ORDER")});
        q.setMacro(QStringLiteral("ORDER"), QStringLiteral("nazev DESC"));
        QString err;
        if (!q.open(&err)) return state.SkipWithError(err.toStdString().c_str());
        DataSet& ds = *q.dataSet();
        ds.last();
        ds.first();
        records = scan(ds, 0, 1, 2);
    }
    state.counters["records"] = double(records);
    state.counters["records_per_s"] =
        benchmark::Counter(double(records) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["peak_rss_MB"] = peakMegabytes();
}

}  // namespace

BENCHMARK(LabelFileOpenSeekScan)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(LabelFileLastAndBack)->Unit(benchmark::kMicrosecond);
BENCHMARK(CsvQueryOrderByScan)->Unit(benchmark::kMillisecond)->Iterations(1);
