// The marking grid over a million-record label file, offscreen: opening the
// file and painting the first screen, jumping to the last record and
// painting, back to the first, and 100 page-downs with a paint after each;
// then the first jump into the middle (the scroll bar dragged there), which
// reads the rowids up to it once.
// Each step is run 5 times (the file in the page cache after the first run);
// the median and the worst are printed, with the process's peak resident
// memory. The file is made once in $TMPDIR (dorvana-bench-1m.db, shared with
// bench_data_engine) and reused.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>
#include <algorithm>
#include <cstdio>

#include "bench_fixtures.h"
#include "data/label_file.h"
#include "grid_bench.h"

using namespace dorvana;
using namespace dorvana::bench;

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path = bench::millionLabelFile();
    if (path.isEmpty()) {
        std::fprintf(stderr, "grid_open: the label file could not be made\n");
        return 1;
    }
    Figures open, last, first, pages, middle;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        auto ds = openLabelDataSet(path, nullptr);
        TDbGridZelvan grid;
        showLabelGrid(grid, ds.get());
        open.add(t);

        t.restart();
        ds->last();
        paint(grid);
        last.add(t);

        t.restart();
        ds->first();
        paint(grid);
        first.add(t);

        grid.setFocus();
        t.restart();
        for (int i = 0; i < 100; ++i) {
            QTest::keyClick(&grid, Qt::Key_PageDown);
            paint(grid);
        }
        pages.add(t);
        if (run == 0)
            std::printf("after 100 page-downs: record %lld of %lld\n", ds->recNo(),
                        ds->recordCount());

        t.restart();
        ds->setRecNo(bench::kMillion / 2);
        paint(grid);
        middle.add(t);
        grid.setDataSet(nullptr);
    }
    open.print("open + first paint");
    last.print("last record + paint");
    first.print("first record + paint");
    pages.print("100 page-downs, each painted");
    middle.print("first jump to the middle + paint");
    std::printf("peak resident memory %.0f MB\n", peakMegabytes());
    return 0;
}
