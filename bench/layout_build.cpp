// The layout engine alone over a 3 x 8 label sheet (three text fields, a
// price function and a frame per label) and 100,000 or 240,000 records (about
// 4,200 or 10,000 pages) held in memory: pages built, printed elements per
// second, heap bytes per printed element held by the built pages, and the
// process's peak resident memory (run one size alone for its own peak).
//   bench_layout_build --benchmark_filter=records:240000
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "base/progress.h"
#include "bench_fixtures.h"
#include "data/data_set.h"
#include "data/memory_store.h"
#include "report/layout/report_run.h"

using namespace dorvana;

namespace {

qint64 heapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return qint64(m.uordblks + m.hblkhd);
}

void BM_LabelSheet(benchmark::State& state) {
    auto table = bench::labelSheetRecords(int(state.range(0)));
    ReportRun run;
    run.setDataSet(table.get());
    QStringList lines = bench::kLabelSheetTemplate;
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
    state.counters["peakMB"] = bench::peakMegabytes();
}
BENCHMARK(BM_LabelSheet)
    ->ArgNames({"records", "price"})
    ->Args({100000, 1})
    ->Args({240000, 1})
    ->Args({100000, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
