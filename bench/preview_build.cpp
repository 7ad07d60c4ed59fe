// The preview of a 10,000-page report (a 3 x 8 label sheet over 240,000
// records in memory) in the real run window: time until the first page is
// painted, the build's total, the peak resident memory, and how soon a
// press of "Přeruš" stops a build.
//   QT_QPA_PLATFORM=offscreen bench_preview_build [records]
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "base/messages.h"
#include "bench_fixtures.h"
#include "data/data_set.h"
#include "data/memory_store.h"
#include "report/render/printer/printer.h"
#include "report/run/report_component.h"
#include "report/windows/preview_page.h"
#include "report/windows/progress_window.h"
#include "report/windows/run_window.h"

using namespace dorvana;

namespace {

class Silent : public Messages {
public:
    void error(const QString& t) override { std::fprintf(stderr, "error: %s\n", qPrintable(t)); }
    void warning(const QString&) override {}
    void information(const QString&) override {}
    bool confirm(const QString&) override { return true; }
    Answer ask(const QString&) override { return Answer::Yes; }
    void beep() override {}
};

// Paints the page once it is shown and notes when.
class FirstPaint : public QObject {
public:
    QElapsedTimer* clock = nullptr;
    qint64 at = -1;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && at < 0) at = clock->elapsed();
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 240000;
    auto data = bench::labelSheetRecords(records);
    ReportDataSource source{data.get()};
    TSestava component;
    component.DataSource = &source;
    component.inMemoryTemplate = bench::kLabelSheetTemplate;
    component.EndPage = 0;  // no limit
    component.OpravyName.clear();
    Silent messages;

    {
        QElapsedTimer clock;
        clock.start();
        TFormSestE_NOR window(component, messages, programPrinter());
        FirstPaint paint;
        paint.clock = &clock;
        if (!window.loadTemplate()) return 1;
        window.page()->installEventFilter(&paint);
        const qint64 loaded = clock.elapsed();
        // As the preview operation does: the first page shows once built.
        window.firstPageBuilt = [&] {
            window.enterPreviewMode();
            window.show();
        };
        window.buildPages();
        const qint64 built = clock.elapsed();
        window.enterPreviewMode();
        while (paint.at < 0 && clock.elapsed() < built + 10000) app.processEvents();
        std::printf("records %d, pages %d\n", records, window.document().pageCount());
        std::printf("template loaded      %8lld ms\n", loaded);
        std::printf("build total          %8lld ms\n", built - loaded);
        std::printf("first page painted   %8lld ms after start\n", paint.at);
        std::printf("peak resident memory %8.0f MB\n", bench::peakMegabytes());
        window.close();
    }
    {
        // Cancelling: "Přeruš" pressed 1 s into a build.
        TFormSestE_NOR window(component, messages, programPrinter());
        if (!window.loadTemplate()) return 1;
        QElapsedTimer clock;
        qint64 pressed = -1;
        QTimer::singleShot(1000, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* p = qobject_cast<ProgressWindow*>(w)) {
                    pressed = clock.elapsed();
                    p->cancelButton()->click();
                }
        });
        clock.start();
        window.buildPages();
        const qint64 stopped = clock.elapsed();
        std::printf("cancel: pressed at %lld ms, build ended %lld ms later with %d pages\n",
                    pressed, stopped - pressed, window.document().pageCount());
    }
    return 0;
}
