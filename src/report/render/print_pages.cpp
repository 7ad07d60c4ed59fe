#include "report/render/print_pages.h"

#include <QPainter>

#include "report/render/draw_page.h"
#include "report/render/large_buffers.h"

namespace dorvana {

DrawContext printerDrawContext(Printer& printer, const PageStore& pages) {
    const DeviceCaps caps = printer.deviceCaps();
    const int resX = caps.resolutionX > 0 ? caps.resolutionX : 100;
    const int resY = caps.resolutionY > 0 ? caps.resolutionY : 100;
    const int ox = pages.paper.leftMargin - caps.offsetX * 100 / resX;
    const int oy = pages.paper.topMargin - caps.offsetY * 100 / resY;
    const double sx = pages.printerScaleX > 0 ? pages.printerScaleX : resX / 100.0;
    const double sy = pages.printerScaleY > 0 ? pages.printerScaleY : resY / 100.0;
    return DrawContext::forDevice(sx, sy, resY, ox, oy);
}

bool printPages(Printer& printer, const PageStore& pages, int firstPage, int lastPage,
                Progress* progress, const QString& title, int copies, QString* error) {
    if (pages.pageCount() == 0) return true;
    firstPage = std::max(1, firstPage);
    lastPage = std::min(pages.pageCount(), lastPage);
    if (copies <= 0 || firstPage > lastPage) return true;

    const DrawContext context = printerDrawContext(printer, pages);
    const int total = lastPage - firstPage + 1;
    auto cancelled = [&] { return progress && progress->cancelled(); };
    // Printers are fed through Qt's PDF engine.
    const KeepLargeBuffersInHeap keepPageBuffers;
    DrawCache cache;
    for (int copy = 0; copy < copies; ++copy) {
        printer.title = title;
        if (!printer.beginDoc()) {
            if (error) *error = printer.lastError();
            return false;
        }
        bool failed = false;
        bool stop = false;
        for (int n = firstPage; n <= lastPage && !stop; ++n) {
            if (n > firstPage && !printer.newPage()) {
                failed = true;
                break;
            }
            QPainter* canvas = printer.canvas();
            if (!canvas || !canvas->isActive()) {
                failed = true;
                break;
            }
            stop = !drawPage(*canvas, pages.page(n - 1), context, progress, &cache);
            if (progress) progress->step(n - firstPage + 1, total, QString());
            stop = stop || cancelled();
        }
        QString failure = failed ? printer.lastError() : QString();
        if (cancelled()) {
            printer.abort();
        } else if (!printer.endDoc()) {
            failed = true;
            if (failure.isEmpty()) failure = printer.lastError();
        }
        if (printer.aborted()) {
            if (error) *error = QStringLiteral("Tisk byl přerušen.");
            return false;
        }
        if (failed) {
            if (error) *error = failure.isEmpty() ? QStringLiteral("Tisk se nepodařil.") : failure;
            return false;
        }
    }
    return true;
}

}  // namespace dorvana
