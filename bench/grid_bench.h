#pragma once
// What the marking-grid benchmarks share: a paint that waits for the event
// loop, the grid set up over a label data set as the main window shows it,
// and timings printed as their median and worst.
#include <QApplication>
#include <QElapsedTimer>
#include <QList>
#include <algorithm>
#include <cstdio>

#include "app/core/label_columns.h"
#include "controls/marking_grid.h"

namespace dorvana::bench {

inline void paint(QWidget& w) {
    w.repaint();
    QApplication::processEvents();
}

// The grid over ds with the label columns, keyed and checkable, shown at
// 1000 x 600 and painted once.
inline void showLabelGrid(TDbGridZelvan& grid, DataSet* ds) {
    grid.setDataSet(ds);
    grid.setColumns(defaultLabelColumns());
    grid.setKeyField(QStringLiteral("calc"));
    grid.setCheckEnabled(true);
    grid.resize(1000, 600);
    grid.show();
    paint(grid);
}

struct Figures {
    QList<double> ms;
    void add(const QElapsedTimer& t) { ms << double(t.nsecsElapsed()) / 1e6; }
    void print(const char* what) {
        std::sort(ms.begin(), ms.end());
        std::printf("%-36s median %7.1f ms   worst %7.1f ms\n", what, ms[ms.size() / 2], ms.last());
    }
};

}  // namespace dorvana::bench
