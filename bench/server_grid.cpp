// The marking grid over a million-record label table on a PostgreSQL server
// reached through a local Unix socket, offscreen: opening the table and
// painting the first screen, jumping to the last record, 100 page-downs
// (each painted, timed one by one), with the process's peak resident memory.
// Then 10,000 labels rendered by dorvana-cli from a server table and from a
// label file holding the same records (bench/data/label-sheet-3x8.pte).
//
// The bench starts its own server (scripts/pg-test-server, data folder
// $TMPDIR/dorvana-bench-pg, kept between runs with its tables) and stops it
// at the end. The million records come from $TMPDIR/dorvana-bench-1m.db
// (shared with bench_grid_open), imported once.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <cstdio>

#include "bench_fixtures.h"
#include "data/label_import.h"
#include "data/pg_table.h"
#include "grid_bench.h"

using namespace dorvana;
using namespace dorvana::bench;

namespace {

const QString kServerFolder = QDir::temp().filePath(QStringLiteral("dorvana-bench-pg"));

bool server(const char* command) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(QStringLiteral(DORVANA_SOURCE_DIR "/scripts/pg-test-server"),
            {QString::fromLatin1(command), kServerFolder});
    return p.waitForFinished(120000) && p.exitCode() == 0;
}

QString uriOf(const QString& table) {
    QFile f(kServerFolder + QStringLiteral("/socket"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return serverTableUri(QString::fromUtf8(f.readAll()).trimmed(), 0, QStringLiteral("postgres"),
                          QStringLiteral("postgres"), table);
}

// The table, imported from source unless it already holds rows records.
bool ensureTable(const QString& uri, const QString& source, qint64 rows) {
    QString err;
    if (auto s = PgTableStore::open(uri, &err); s && s->rowCount() == rows) return true;
    QElapsedTimer t;
    t.start();
    ImportOptions o;
    o.replace = true;
    if (!importToLabelFile(source, uri, nullptr, &err, o)) {
        std::fprintf(stderr, "server_grid: import failed: %s\n", qPrintable(err));
        return false;
    }
    std::printf("imported %lld records in %.1f s\n", rows, double(t.elapsed()) / 1000.0);
    return true;
}

// Median milliseconds of dorvana-cli rendering the label sheet from table.
double renderMs(const QString& table) {
    QList<double> ms;
    for (int run = 0; run < 3; ++run) {
        QProcess p;
        QElapsedTimer t;
        t.start();
        p.start(QStringLiteral(DORVANA_BINARY_DIR "/src/cli/dorvana-cli"),
                {QStringLiteral("render"),
                 QStringLiteral(DORVANA_SOURCE_DIR "/bench/data/label-sheet-3x8.pte"),
                 QStringLiteral("--table"), table, QStringLiteral("--out"),
                 QDir::temp().filePath(QStringLiteral("dorvana-bench-labels.pdf"))});
        if (!p.waitForFinished(600000) || p.exitCode() != 0) {
            std::fprintf(stderr, "server_grid: render failed: %s\n",
                         p.readAllStandardError().constData());
            return -1;
        }
        ms << double(t.nsecsElapsed()) / 1e6;
    }
    std::sort(ms.begin(), ms.end());
    return ms[1];
}

int run() {
    const QString million = bench::millionLabelFile();
    const QString uri = uriOf(QStringLiteral("bench_1m"));
    if (million.isEmpty() || uri.isEmpty() || !ensureTable(uri, million, bench::kMillion)) return 1;

    Figures open, last, pageDown;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        QString err;
        auto ds = openLabelDataSet(uri, &err, RowCounting::Estimated);
        if (!ds) {
            std::fprintf(stderr, "server_grid: %s\n", qPrintable(err));
            return 1;
        }
        TDbGridZelvan grid;
        showLabelGrid(grid, ds.get());
        open.add(t);

        t.restart();
        ds->last();
        paint(grid);
        last.add(t);

        ds->first();
        paint(grid);
        grid.setFocus();
        for (int i = 0; i < 100; ++i) {
            t.restart();
            QTest::keyClick(&grid, Qt::Key_PageDown);
            paint(grid);
            pageDown.add(t);
        }
        if (run == 0)
            std::printf("after 100 page-downs: record %lld of %lld\n", ds->recNo(),
                        ds->recordCount());
        grid.setDataSet(nullptr);
    }
    open.print("open + first paint");
    last.print("last record + paint");
    pageDown.print("one page-down + paint");
    std::printf("peak resident memory %.0f MB\n", peakMegabytes());

    // 10,000 labels: a label file and the same records on the server.
    const QString file = QDir::temp().filePath(QStringLiteral("dorvana-bench-10k.db"));
    if (!QFileInfo::exists(file)) {
        QString err;
        if (!createLabelFile(file, &err)) return 1;
        auto store = LabelFileStore::open(file, &err);
        QList<RawRecord> rows;
        for (qint64 i = 1; i <= 10000; ++i) {
            RawRecord r(16);
            r[0] = QVariant::fromValue<qint64>(i);
            r[1] = QStringLiteral("Položka číslo %1").arg(i);
            r[3] = QStringLiteral("859%1").arg(i, 10, 10, QLatin1Char('0'));
            r[6] = double(i % 10000) / 100.0;
            rows << r;
        }
        if (!store || !store->insertMany(rows, &err)) return 1;
    }
    const QString uri10k = uriOf(QStringLiteral("bench_10k"));
    if (!ensureTable(uri10k, file, 10000)) return 1;
    const double fromFile = renderMs(file), fromServer = renderMs(uri10k);
    if (fromFile < 0 || fromServer < 0) return 1;
    std::printf("10,000 labels from a label file       %7.0f ms\n", fromFile);
    std::printf("10,000 labels from the server table   %7.0f ms  (%.2f x)\n", fromServer,
                fromServer / fromFile);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!server("start")) {
        std::fprintf(stderr, "server_grid: the PostgreSQL server did not start\n");
        return 1;
    }
    const int rc = run();
    server("stop");
    return rc;
}
