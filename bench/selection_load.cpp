// Loading a selection file of a million marks over the grid's mark list (the
// file toggles each value, as "Načtení" does), and loading it again (which
// unmarks them all).
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "app/core/selection_file.h"
#include "controls/mark_list.h"

using namespace dorvana;

namespace {

void BM_LoadMillionMarks(benchmark::State& state) {
    QList<qint32> values;
    values.reserve(1000000);
    for (qint64 i = 0; i < 1000000; ++i) values << qint32((i * 7919) % 1000003);  // no two alike
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("milion.sgn"));
    if (!writeSelectionFile(path, values)) state.SkipWithError("cannot write the file");
    for (auto _ : state) {
        MarkList marks;
        readSelectionFile(path, [&marks](qint32 v) { marks.toggle(v); });
        if (marks.count() != 1000000) state.SkipWithError("marks lost");
        readSelectionFile(path, [&marks](qint32 v) { marks.toggle(v); });
        if (marks.count() != 0) state.SkipWithError("marks left");
    }
    state.counters["marks/s"] = benchmark::Counter(2e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LoadMillionMarks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
