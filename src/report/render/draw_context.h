#pragma once
// Where and how large printed elements come out on a canvas: the same drawing
// rules serve the preview, the printer, PDF and PNG; only these figures differ.

namespace dorvana {

// Dots per inch of the files the pages are written to (PDF), and the fine
// printer whose rounding of barcode bars the preview shows.
inline constexpr int kFineResolution = 1200;

struct DrawContext {
    // Added to an element's position (0.01 in) before scaling: the page
    // margins, less the printer's unprintable border on a printer.
    double ox = 0.0, oy = 0.0;
    // Device pixels per 0.01 in.
    double sx = 1.0, sy = 1.0;
    // Multiplies font sizes in points (the result is rounded to whole points).
    double fontScale = 1.0;
    // Device pixels per inch of the canvas's fonts: a point is fontDpi / 72 pixels.
    double fontDpi = 100.0;
    // The preview on the screen: screen fonts apply there only.
    bool screen = false;
    // Multiplies the narrowest bar of barcodes laid out at the canvas's own
    // resolution: the zoom on the screen, 1 elsewhere.
    double barcodeScale = 1.0;
    // Barcodes are laid out at this resolution and scaled onto the canvas;
    // 0: at the canvas's own. Screen pixels are too coarse to round bars to
    // (a 12-thousandths bar is 1 pixel at 100 %, 14.4 dots at 1200 dpi, and
    // the symbol would come out a sixth narrower than printed), so the
    // preview shows them as a fine printer draws them.
    int barcodeDpi = 0;

    // The preview: every scale is the zoom, the margins are the offsets, and
    // at zoom 1 one unit is one pixel; barcodes at the fine resolution.
    static DrawContext forScreen(double zoom, int leftMargin, int topMargin);
    // A printer or a file of the given resolution: the margins less the
    // unprintable border (0.01 in) as offsets; scale factors in device
    // pixels per 0.01 in (resolution / 100, or less when the print is fitted
    // to the paper); the font scale follows the vertical scale.
    static DrawContext forDevice(double sx, double sy, int resolutionY, double ox, double oy);
};

}  // namespace dorvana
