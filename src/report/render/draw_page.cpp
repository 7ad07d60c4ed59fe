#include "report/render/draw_page.h"

#include "report/render/page_canvas.h"

namespace dorvana {

bool drawPage(QPainter& painter, const TStranaPrvku& page, const DrawContext& context,
              Progress* progress, DrawCache* cache) {
    bool finished = true;
    {
        PageCanvas canvas(painter, context, cache);
        for (const TPrevPrvek& element : page.elements()) {
            canvas.drawElement(element);
            if (progress && progress->cancelled()) {
                finished = false;
                break;
            }
        }
    }
    if (cache) cache->endPage();
    return finished;
}

void paintPreview(QPainter& painter, const PageStore& store) {
    if (store.currentPage < 0 || store.currentPage >= store.pageCount()) return;
    const TStranaPrvku& page = store.page(store.currentPage);
    const DrawContext context =
        DrawContext::forScreen(store.zoom, store.paper.leftMargin, store.paper.topMargin);
    PageCanvas canvas(painter, context);
    for (const TPrevPrvek& element : page.elements()) canvas.drawElement(element);
    if (store.selectedElement >= 0 && store.selectedElement < page.count()) {
        const QRect box = canvas.elementBox(page.element(store.selectedElement));
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 0));
        // A one-pixel frame just outside the box.
        painter.drawRect(box.adjusted(-1, -1, 0, 0));
        painter.restore();
    }
}

}  // namespace dorvana
