// Peak memory of printing a logo: 50 labels, each with the same 5000 x 5000
// picture in its record (as a label file's logo field holds it, one copy of
// the bytes per record), stretched into a 2 x 1.2 in box, built and written
// to PDF. Each decoded logo at full size is about 100 MB; the pictures are
// decoded once per distinct picture and at the size they print. Run it alone
// for its own peak:
//   bench_logo_memory
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "base/progress.h"
#include "bench_fixtures.h"
#include "data/data_set.h"
#include "data/memory_store.h"
#include "report/layout/report_run.h"
#include "report/render/page_output.h"

using namespace dorvana;

namespace {

QByteArray bigLogo() {
    QImage logo(5000, 5000, QImage::Format_RGB32);
    logo.fill(Qt::white);
    QPainter p(&logo);
    p.setBrush(QColor(0, 90, 160));
    for (int i = 0; i < 10; ++i) p.drawEllipse(QPoint(2500, 2500), 2400 - i * 240, 2400 - i * 240);
    p.end();
    QByteArray png;
    QBuffer out(&png);
    out.open(QIODevice::WriteOnly);
    logo.save(&out, "PNG");
    return png;
}

void BM_LogoLabels(benchmark::State& state) {
    const int records = int(state.range(0));
    static const QByteArray png = bigLogo();
    FieldDefs defs{{QStringLiteral("cislo"), FieldType::Integer, 0, false},
                   {QStringLiteral("logo"), FieldType::Graphic, 0, false}};
    QList<RawRecord> rows;
    for (int i = 1; i <= records; ++i)
        rows.append({QVariant::fromValue<qint64>(i), QByteArray(png.constData(), png.size())});
    DataSet table(std::make_unique<MemoryStore>(defs, rows));
    ReportRun run;
    run.setDataSet(&table);
    run.loadTemplate({QStringLiteral("I,0,\"Loga\""), QStringLiteral("I,1,1,5,1,0,0"),
                      QStringLiteral("I,2,0,826,1169,0,0,0,0,3,0"), QStringLiteral("I,3,2,1,146"),
                      // stretched, keeping its proportions (align 16 + 32)
                      QStringLiteral("T,2,logo,10,10,200,120,Arial,10,0,0,48,0,1,238"),
                      QStringLiteral("T,2,cislo,220,10,40,15,Arial,8,0,0,0,0,1,238")});
    run.settings.EndPage = 0;
    QTemporaryDir dir;
    NoProgress progress;
    for (auto _ : state) {
        run.build(progress);
        QString error;
        if (!writePdf(run.pages(), dir.filePath(QStringLiteral("loga.pdf")), &error))
            state.SkipWithError(error.toUtf8().constData());
    }
    state.counters["pages"] = run.pageCount();
    state.counters["blobMB"] = double(png.size()) / 1048576.0;
    state.counters["peakMB"] = bench::peakMegabytes();
}
BENCHMARK(BM_LogoLabels)->ArgName("records")->Arg(50)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
