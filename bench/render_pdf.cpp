// Pages per second of writing label sheets to PDF (3 x 8 labels a page: a
// frame and three texts each), against a floor: plain QPdfWriter drawing the
// same frames and texts directly, without the drawing rules. One core.
// And a season's price labels: 10,000 labels of three texts and an EAN-13
// on 417 A4 sheets of 3 x 8 (the process's peak memory as a counter; run
// it alone for its own peak):
//   bench_render_pdf --benchmark_filter=EanSheet --benchmark_repetitions=7
// With RENDER_PDF_KEEP=FILE the label sheets are written to FILE, to compare
// the output of two builds page by page.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QFileInfo>
#include <QTemporaryDir>

#include "bench_fixtures.h"
#include "report/render/page_output.h"
#include "report/layout/pages/printed_fonts.h"

using namespace dorvana;

namespace {

constexpr int kColumns = 3, kRows = 8;
constexpr int kLabelW = 262, kLabelH = 133;  // 0.01 in

struct LabelText {
    int x, y, w, h, points, style;
    QString text;
};

// The texts of one label, relative to its corner.
QList<LabelText> labelTexts(int n) {
    return {
        {8, 6, 246, 30, 10, 1, QStringLiteral("Mléko polotučné %1").arg(n)},
        {8, 40, 246, 50, 16, 1, QStringLiteral("%1,90 Kč").arg(10 + n % 90)},
        {8, 96, 246, 28, 8, 0, QStringLiteral("Kód %1  ·  1 l").arg(100000 + n)},
    };
}

std::shared_ptr<PrintedStyle> frameStyle() {
    auto s = std::make_shared<PrintedStyle>();
    s->kind = 8;
    s->lineWidth = 1;
    s->fillStyle = 1;
    return s;
}

PageStore labelSheets(int pages) {
    PageStore store;
    store.paper.width = 826;
    store.paper.height = 1169;
    store.paper.leftMargin = 20;
    store.paper.topMargin = 50;
    const auto frame = frameStyle();
    std::shared_ptr<PrintedStyle> textStyles[3];
    for (int i = 0; i < 3; ++i) {
        textStyles[i] = std::make_shared<PrintedStyle>();
        textStyles[i]->font.name = QStringLiteral("Arial");
        textStyles[i]->font.size = labelTexts(0)[i].points;
        textStyles[i]->font.style = labelTexts(0)[i].style;
        textStyles[i]->alignment = i == 1 ? 2 : 0;
    }
    int n = 0;
    for (int p = 0; p < pages; ++p)
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kColumns; ++c, ++n) {
                const int x = c * kLabelW, y = r * kLabelH;
                TPrevPrvek box(frame);
                box.X = x;
                box.Y = y;
                box.W = kLabelW;
                box.H = kLabelH;
                store.addElement(p, box);
                const QList<LabelText> texts = labelTexts(n);
                for (int i = 0; i < 3; ++i) {
                    TPrevPrvek t(textStyles[i]);
                    t.X = x + texts[i].x;
                    t.Y = y + texts[i].y;
                    t.W = texts[i].w;
                    t.H = texts[i].h;
                    t.text = texts[i].text;
                    store.addElement(p, t);
                }
            }
    return store;
}

// The price label sheet: A4 without margins, 3 x 8 labels of 2.75 x 1.46 in,
// each a name and a price that repeat over the labels, a stock number and
// an EAN-13 that do not.
PageStore eanSheets(int labels) {
    PageStore store;
    store.paper.width = 826;
    store.paper.height = 1169;
    const QStringList names = {QStringLiteral("Mléko polotučné"), QStringLiteral("Chléb kmínový"),
                               QStringLiteral("Šunka dušená"), QStringLiteral("Jablka Golden"),
                               QStringLiteral("Káva zrnková"), QStringLiteral("Zubní pasta"),
                               QStringLiteral("Hřebík 50 mm"), QStringLiteral("Čaj černý")};
    const QStringList sizes = {QStringLiteral("250 g"), QStringLiteral("1 kg"),
                               QStringLiteral("0,5 l"), QStringLiteral("1 l"),
                               QStringLiteral("10 ks")};
    struct Part {
        int x, y, w, h, points, style, align;
    };
    const Part parts[4] = {{12, 8, 250, 22, 11, 1, 0},
                           {12, 32, 250, 28, 16, 1, 2},
                           {12, 62, 150, 14, 7, 0, 0},
                           {38, 76, 200, 62, 9, 0, 2}};
    std::shared_ptr<PrintedStyle> styles[4];
    for (int i = 0; i < 4; ++i) {
        styles[i] = std::make_shared<PrintedStyle>();
        styles[i]->font.name = QStringLiteral("Arial");
        styles[i]->font.size = parts[i].points;
        styles[i]->font.style = parts[i].style;
        styles[i]->alignment = parts[i].align;
    }
    styles[3]->barcodeFormat = QStringLiteral("031010100130010015+0");
    for (int n = 0; n < labels; ++n) {
        const int page = n / (kColumns * kRows), cell = n % (kColumns * kRows);
        const int x = cell % kColumns * 275, y = cell / kColumns * 146;
        QString ean = QStringLiteral("859%1").arg(n + 1, 9, 10, QLatin1Char('0'));
        int sum = 0;
        for (int i = 0; i < 12; ++i) sum += (ean[i].unicode() - '0') * (i % 2 ? 3 : 1);
        ean += QChar(u'0' + (10 - sum % 10) % 10);
        const QString texts[4] = {
            names[n * 7 % names.size()] + u' ' + sizes[n * 3 % sizes.size()],
            QStringLiteral("%1,90 Kč").arg(9 + n * 10 % 240),
            QStringLiteral("Č. zboží %1").arg(100001 + n), ean};
        for (int i = 0; i < 4; ++i) {
            TPrevPrvek t(styles[i]);
            t.X = x + parts[i].x;
            t.Y = y + parts[i].y;
            t.W = parts[i].w;
            t.H = parts[i].h;
            t.text = texts[i];
            store.addElement(page, t);
        }
    }
    return store;
}

void BM_WritePdfEanSheet(benchmark::State& state) {
    const PageStore store = eanSheets(int(state.range(0)));
    QTemporaryDir dir;
    const QString keep = qEnvironmentVariable("RENDER_PDF_KEEP");
    const QString path = keep.isEmpty() ? dir.filePath(QStringLiteral("labels.pdf")) : keep;
    for (auto _ : state) {
        QString error;
        if (!writePdf(store, path, &error)) state.SkipWithError(error.toStdString().c_str());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["pages"] = store.pageCount();
    state.counters["file MB"] = double(QFileInfo(path).size()) / 1e6;
    state.counters["peak MB"] = bench::peakMegabytes();
}

void BM_WritePdf(benchmark::State& state) {
    const int pages = int(state.range(0));
    const PageStore store = labelSheets(pages);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("labels.pdf"));
    for (auto _ : state) {
        QString error;
        if (!writePdf(store, path, &error)) state.SkipWithError(error.toStdString().c_str());
    }
    state.SetItemsProcessed(state.iterations() * pages);
    state.counters["pages/s"] =
        benchmark::Counter(double(pages), benchmark::Counter::kIsIterationInvariantRate);
}

// The floor: the same frames and texts at the same places, drawn straight
// into QPdfWriter (fonts made once, no measuring, cutting or alignment).
void BM_PlainQPdfWriter(benchmark::State& state) {
    const int pages = int(state.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("floor.pdf"));
    constexpr int kDpi = 1200;
    constexpr double s = kDpi / 100.0;
    QFont fonts[3];
    for (int i = 0; i < 3; ++i) {
        const LabelText t = labelTexts(0)[i];
        fonts[i] = printedQFont(QStringLiteral("Arial"), fontPixelSize(t.points, kDpi), t.style);
    }
    for (auto _ : state) {
        QPdfWriter writer(path);
        writer.setResolution(kDpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        QPainter painter(&writer);
        painter.setPen(QPen(Qt::black, s));
        int n = 0;
        for (int p = 0; p < pages; ++p) {
            if (p > 0) writer.newPage();
            for (int r = 0; r < kRows; ++r)
                for (int c = 0; c < kColumns; ++c, ++n) {
                    const int x = 20 + c * kLabelW, y = 50 + r * kLabelH;
                    painter.drawRect(QRectF(x * s, y * s, kLabelW * s, kLabelH * s));
                    const QList<LabelText> texts = labelTexts(n);
                    for (int i = 0; i < 3; ++i) {
                        painter.setFont(fonts[i]);
                        painter.drawText(QPointF((x + texts[i].x) * s,
                                                 (y + texts[i].y + texts[i].h * 5 / 6) * s),
                                         texts[i].text);
                    }
                }
        }
    }
    state.SetItemsProcessed(state.iterations() * pages);
    state.counters["pages/s"] =
        benchmark::Counter(double(pages), benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(BM_WritePdf)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainQPdfWriter)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePdfEanSheet)->Arg(10000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // Fonts need a GUI application; no display is needed.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
