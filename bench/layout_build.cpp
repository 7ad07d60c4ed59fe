// The layout engine alone over a 3 x 8 label sheet (three text fields, a
// price function and a frame per label) and 100,000 or 240,000 records (about
// 4,200 or 10,000 pages) held in memory: pages built, printed elements per
// second, heap bytes per printed element held by the built pages, and the
// process's peak resident memory (run one size alone for its own peak).
//   bench_layout_build --benchmark_filter=records:240000
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include "base/progress.h"
#include "data/data_set.h"
#include "data/memory_store.h"
#include "report/layout/report_run.h"

using namespace dorvana;

namespace {

std::unique_ptr<DataSet> labels(int records) {
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

// A4 without margins, three columns of eight labels 146 high.
const QStringList kTemplate = {
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

qint64 heapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return qint64(m.uordblks + m.hblkhd);
}

double peakMegabytes() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0;
}

void BM_LabelSheet(benchmark::State& state) {
    auto table = labels(int(state.range(0)));
    ReportRun run;
    run.setDataSet(table.get());
    QStringList lines = kTemplate;
    // Without the price function (its number formatting) the engine's own share shows.
    if (state.range(1) == 0) lines.removeIf([](const QString& l) { return l.startsWith("T,6"); });
    run.loadTemplate(lines);
    run.settings.EndPage = 0;  // no page limit (the component stops at 9999 by default)
    NoProgress progress;
    qint64 elements = 0, heldBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        run.pages().clear();
        const qint64 before = heapInUse();
        state.ResumeTiming();
        run.build(progress);
        state.PauseTiming();
        heldBytes = heapInUse() - before;
        elements = 0;
        for (int p = 0; p < run.pages().pageCount(); ++p) elements += run.pages().page(p).count();
        state.ResumeTiming();
    }
    state.counters["pages"] = run.pageCount();
    state.counters["elements"] = double(elements);
    state.counters["elements/s"] =
        benchmark::Counter(double(elements), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["bytes/element"] = elements ? double(heldBytes) / double(elements) : 0.0;
    state.counters["peakMB"] = peakMegabytes();
}
BENCHMARK(BM_LabelSheet)
    ->ArgNames({"records", "price"})
    ->Args({100000, 1})
    ->Args({240000, 1})
    ->Args({100000, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
