#include "report/render/page_output.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "base/rounding.h"
#include "base/safe_file.h"
#include "report/render/draw_page.h"
#include "report/render/large_buffers.h"

namespace dorvana {

namespace {

bool fail(QString* error, const QString& message) {
    if (error) *error = message;
    return false;
}

QString noPagesText() {
    return QStringLiteral("Sestava nemá žádnou stranu.");
}

QString cancelledText() {
    return QStringLiteral("Výstup byl přerušen.");
}


// A paper of no size is no page to draw (a template that sets it so is
// damaged); said as such rather than as a lack of memory or a 1 x 1 sheet.
bool paperSizeValid(const PagePaper& paper, QString* error) {
    if (paper.width > 0 && paper.height > 0) return true;
    return fail(error, QStringLiteral("Neplatný rozměr papíru %1 x %2 setin palce.")
                           .arg(paper.width)
                           .arg(paper.height));
}

QString pageStepText(const char* kind, int page, int pages) {
    return QStringLiteral("Zápis %1: strana %2 z %3").arg(QLatin1String(kind)).arg(page).arg(pages);
}

// The sheet of the pages' paper, in inches, as oriented.
QPageLayout sheetLayout(const PagePaper& paper) {
    const double w = std::max(1, paper.width) / 100.0;
    const double h = std::max(1, paper.height) / 100.0;
    const bool landscape = paper.orientation == 1 && w > h;
    const QPageSize size(landscape ? QSizeF(h, w) : QSizeF(w, h), QPageSize::Inch, QString(),
                         QPageSize::ExactMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
}

}  // namespace

bool writePdf(const PageStore& pages, const QString& path, QString* error, Progress* progress,
              int resolution) {
    if (pages.pageCount() == 0) return fail(error, noPagesText());
    if (!paperSizeValid(pages.paper, error)) return false;
    if (resolution <= 0) resolution = kFineResolution;
    SafeFile file(path);
    if (!file.open(error)) return false;
    bool cancelled = false;
    {
        const KeepLargeBuffersInHeap keepPageBuffers;
        DrawCache cache;
        QPdfWriter writer(file.device());
        writer.setCreator(QStringLiteral("Dorvana"));
        writer.setResolution(resolution);
        writer.setPageLayout(sheetLayout(pages.paper));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.discard();
            return fail(error, writeFailureText(path, QStringLiteral("PDF nelze začít")));
        }
        const double scale = resolution / 100.0;
        const DrawContext context = DrawContext::forDevice(
            scale, scale, resolution, pages.paper.leftMargin, pages.paper.topMargin);
        for (int n = 0; n < pages.pageCount() && !cancelled; ++n) {
            if (n > 0) writer.newPage();
            cancelled = !drawPage(painter, pages.page(n), context, progress, &cache);
            if (progress) {
                progress->step(n + 1, pages.pageCount(),
                               pageStepText("PDF", n + 1, pages.pageCount()));
                cancelled = cancelled || progress->cancelled();
            }
        }
        painter.end();
    }
    if (cancelled) {
        file.discard();
        return fail(error, cancelledText());
    }
    return file.commit(error);
}

QString pngPagePath(const QString& outPath, int page) {
    QString base = outPath;
    if (base.endsWith(u".png", Qt::CaseInsensitive)) base.chop(4);
    return base + QStringLiteral("-%1.png").arg(page);
}

bool writePngs(const PageStore& pages, const QString& outPath, int dpi, QString* error,
               QStringList* written, Progress* progress) {
    if (written) written->clear();
    if (pages.pageCount() == 0) return fail(error, noPagesText());
    if (!paperSizeValid(pages.paper, error)) return false;
    if (dpi < 1 || dpi > 2400)
        return fail(error, QStringLiteral("Rozlišení %1 dpi není v rozsahu 1 až 2400.").arg(dpi));
    const double scale = dpi / 100.0;
    const qint64 width = roundHalfEven64(pages.paper.width * scale);
    const qint64 height = roundHalfEven64(pages.paper.height * scale);
    // QImage holds at most 2^31 bytes; stay well below.
    if (width * height > 400'000'000 || width > 32767 || height > 32767)
        return fail(error, QStringLiteral("Strana je při %1 dpi příliš velká pro obrázek.").arg(dpi));
    const DrawContext context =
        DrawContext::forDevice(scale, scale, dpi, pages.paper.leftMargin, pages.paper.topMargin);
    const int dotsPerMeter = roundHalfEven(dpi / 0.0254);
    DrawCache cache;
    // Every page goes to a temporary file first; the set is renamed into
    // place only when all are written, so a failure leaves no partial set.
    std::vector<std::unique_ptr<SafeFile>> parts;
    auto removeParts = [&parts] { parts.clear(); };
    for (int n = 0; n < pages.pageCount(); ++n) {
        QImage image(int(width), int(height), QImage::Format_RGB32);
        if (image.isNull()) {
            removeParts();
            return fail(error, QStringLiteral("Na obrázek strany není dost paměti."));
        }
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        image.fill(Qt::white);
        bool finished;
        {
            QPainter painter(&image);
            finished = drawPage(painter, pages.page(n), context, progress, &cache);
        }
        if (!finished || (progress && progress->cancelled())) {
            removeParts();
            return fail(error, cancelledText());
        }
        const QString path = pngPagePath(outPath, n + 1);
        auto file = std::make_unique<SafeFile>(path);
        if (!file->open(error)) {
            removeParts();
            return false;
        }
        const bool saved = image.save(file->device(), "PNG");
        if (!file->finish(error)) {
            removeParts();
            return false;
        }
        if (!saved) {
            removeParts();
            return fail(error, writeFailureText(path, QStringLiteral("obrázek PNG nelze uložit")));
        }
        parts.push_back(std::move(file));
        if (progress)
            progress->step(n + 1, pages.pageCount(), pageStepText("PNG", n + 1, pages.pageCount()));
    }
    for (const auto& part : parts) {
        if (!part->replace(error)) {
            removeParts();
            return false;
        }
        if (written) written->append(part->path());
    }
    // Pages of an earlier, longer run under the same name would mix with this one.
    for (int n = int(parts.size()) + 1; QFileInfo::exists(pngPagePath(outPath, n)); ++n)
        QFile::remove(pngPagePath(outPath, n));
    return true;
}

}  // namespace dorvana
