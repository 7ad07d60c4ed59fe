#pragma once
// Drawing a whole printed page, and the preview's paint of the current page.

#include <QPainter>

#include "base/progress.h"
#include "report/layout/pages/page_store.h"
#include "report/render/draw_cache.h"
#include "report/render/draw_context.h"

namespace dorvana {

// Draws every element of the page in page order. With a progress, its
// cancel flag is polled after each element and drawing stops at once when
// it is set; the result is then false. A cache shared by the pages of one
// output spares them making, measuring and shaping the same fonts and texts
// again; the pixels are the same.
bool drawPage(QPainter& painter, const TStranaPrvku& page, const DrawContext& context,
              Progress* progress = nullptr, DrawCache* cache = nullptr);

// The preview's paint: the current page of the store with the zoom as every
// scale and the margins as offsets; the selected element gets a gray
// (808080) frame around its box. Nothing is drawn without pages.
void paintPreview(QPainter& painter, const PageStore& store);

}  // namespace dorvana
