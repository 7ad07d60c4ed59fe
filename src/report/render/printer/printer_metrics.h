#pragma once
// The printer metrics that tie template units (0.01 in) to device pixels, and
// the checks of paper size and margins against the selected printer. Without
// a printer the metrics keep their defaults and every check passes.

#include "report/model/paper/page_geometry.h"
#include "report/render/printer/printer.h"

namespace dorvana {

struct PrinterMetrics {
    bool present = false;
    int resolutionX = 100;  // dots per inch
    int resolutionY = 100;
    int offsetX = 50;  // unprintable left / top border in device pixels
    int offsetY = 72;
    int physicalWidth = 0;   // the sheet in device pixels (without a printer:
    int physicalHeight = 0;  // the page geometry's paper width and height)
    int printableWidth = 0;  // printable area in device pixels
    int printableHeight = 0;
    float scaleX = 1.0f;  // device pixels per template unit
    float scaleY = 1.0f;
};

// The smallest margins the printer can print, in template units.
struct MinimumMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const MinimumMargins&) const = default;
};

class ReportPrinter {
public:
    ReportPrinter(Printer& printer, PageGeometry& geometry)
        : printer_(printer), geometry_(geometry) {}

    // The metrics as they stand (the device values as of the last selection
    // or orientation change).
    PrinterMetrics metrics() const;

    // Selects the printer for a report: -1 the current one. The scales become
    // resolution / 100; no printer (none installed, an index outside the list,
    // a device that cannot be opened) leaves the printer absent.
    void SelectReportPrinter(int index);
    // Sets the printer's orientation from the page geometry; turned: the
    // other one (the sheet is the page's, turned).
    void ApplyOrientation(bool turned = false);
    // Whether the printer's sheet (in template units) holds the page.
    bool PaperFits() const;
    // Scales the print down (or up) to the printer's sheet.
    void FitToPaper();
    // Applies the orientation, then tells whether every margin of the page
    // geometry is at least the printer's minimum.
    bool MarginsFit();
    // Raises every margin below its minimum to the minimum.
    void RaiseMargins();
    MinimumMargins minimumMargins() const;
    const PageGeometry& geometry() const { return geometry_; }

    // A template coordinate of the page relative to the printable area.
    int pageToPrintableX(int x) const;
    int pageToPrintableY(int y) const;

private:
    void readDevice();

    Printer& printer_;
    PageGeometry& geometry_;
    bool present_ = false;
    DeviceCaps caps_;
    float scaleX_ = 1.0f;
    float scaleY_ = 1.0f;
};

// The metrics of the program: the program's printer and page geometry.
ReportPrinter& reportPrinter();

}  // namespace dorvana
