#pragma once
// Small printed elements and images to check the drawing rules by pixels.

#include <QImage>
#include <QRect>
#include <QString>
#include <memory>

#include "base/progress.h"
#include "report/layout/pages/printed_element.h"
#include "report/render/draw_context.h"

namespace dorvana::test {

// A progress whose user cancels at the n-th poll (1: at once).
struct CancelAfter : Progress {
    int polls = 0, limit;
    explicit CancelAfter(int n) : limit(n) {}
    void step(int, int, const QString&) override {}
    bool cancelled() override { return ++polls >= limit; }
};

// A printed element of the given kind and box with its own style.
TPrevPrvek makeElement(int kind, int x, int y, int w, int h);
// A text element (kind 1) in Liberation Sans ("Arial") of the given size.
TPrevPrvek makeText(int x, int y, int w, int h, const QString& text, int points = 10,
                    int alignment = 0, int rotation = 0);

// Figures for drawing 1:1 into an image (one unit one pixel, a point
// 100/72 pixels), not on the screen.
DrawContext unitContext();

// A white image of the size with the element drawn on it.
QImage drawn(const TPrevPrvek& element, QSize size, const DrawContext& context = unitContext());

// Whether a pixel is darker than middle gray.
bool dark(const QImage& image, int x, int y);
// The bounding box of the dark pixels (empty when there are none).
QRect inkBox(const QImage& image);
// The number of pixels whose colours differ by more than a quarter of the range.
int differingPixels(const QImage& a, const QImage& b);

// Whether pdftotext, pdftoppm and pdfinfo (poppler-utils) are installed: a
// test checks this once, skips without them and then fails on empty output.
bool popplerAvailable();
// The text pdftotext reads from a PDF (empty when it cannot be run).
QString pdfText(const QString& pdfPath);
// "Pages:" and "Page size:" lines of pdfinfo.
QString pdfInfo(const QString& pdfPath);
// Page n (from 1) of a PDF rendered at dpi, through pdftoppm.
QImage pdfPage(const QString& pdfPath, int page, int dpi);

}  // namespace dorvana::test
