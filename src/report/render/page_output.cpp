#include "report/render/page_output.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "base/rounding.h"
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

QString writeErrorText(const QString& path, const QString& reason) {
    return QStringLiteral("Soubor %1 nelze zapsat: %2").arg(path, reason);
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
    if (resolution <= 0) resolution = 1200;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return fail(error, writeErrorText(path, file.errorString()));
    bool cancelled = false;
    {
        const KeepLargeBuffersInHeap keepPageBuffers;
        DrawCache cache;
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Dorvana"));
        writer.setResolution(resolution);
        writer.setPageLayout(sheetLayout(pages.paper));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return fail(error, writeErrorText(path, QStringLiteral("PDF nelze začít")));
        }
        const double scale = resolution / 100.0;
        const DrawContext context = DrawContext::forDevice(
            scale, scale, resolution, pages.paper.leftMargin, pages.paper.topMargin);
        for (int n = 0; n < pages.pageCount() && !cancelled; ++n) {
            if (n > 0) writer.newPage();
            cancelled = !drawPage(painter, pages.page(n), context, progress, &cache);
            if (progress) {
                progress->step(n + 1, pages.pageCount(), QString());
                cancelled = cancelled || progress->cancelled();
            }
        }
        painter.end();
    }
    if (cancelled) {
        file.cancelWriting();
        file.commit();
        return fail(error, cancelledText());
    }
    if (!file.commit()) return fail(error, writeErrorText(path, file.errorString()));
    return true;
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
    if (dpi < 1 || dpi > 2400)
        return fail(error, QStringLiteral("Rozlišení %1 dpi není v rozsahu 1 až 2400.").arg(dpi));
    const double scale = dpi / 100.0;
    const qint64 width = roundHalfEven64(std::max(1, pages.paper.width) * scale);
    const qint64 height = roundHalfEven64(std::max(1, pages.paper.height) * scale);
    // QImage holds at most 2^31 bytes; stay well below.
    if (width * height > 400'000'000 || width > 32767 || height > 32767)
        return fail(error, QStringLiteral("Strana je při %1 dpi příliš velká pro obrázek.").arg(dpi));
    const DrawContext context =
        DrawContext::forDevice(scale, scale, dpi, pages.paper.leftMargin, pages.paper.topMargin);
    const int dotsPerMeter = roundHalfEven(dpi / 0.0254);
    DrawCache cache;
    for (int n = 0; n < pages.pageCount(); ++n) {
        QImage image(int(width), int(height), QImage::Format_RGB32);
        if (image.isNull()) return fail(error, QStringLiteral("Na obrázek strany není dost paměti."));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        image.fill(Qt::white);
        bool finished;
        {
            QPainter painter(&image);
            finished = drawPage(painter, pages.page(n), context, progress, &cache);
        }
        if (!finished || (progress && progress->cancelled())) return fail(error, cancelledText());
        const QString path = pngPagePath(outPath, n + 1);
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG")) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return fail(error, writeErrorText(path, reason));
        }
        if (!file.commit()) return fail(error, writeErrorText(path, file.errorString()));
        if (written) written->append(path);
        if (progress) progress->step(n + 1, pages.pageCount(), QString());
    }
    return true;
}

}  // namespace dorvana
