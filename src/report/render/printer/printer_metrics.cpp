#include "report/render/printer/printer_metrics.h"

#include <algorithm>
#include <limits>

namespace dorvana {

PrinterMetrics ReportPrinter::metrics() const {
    PrinterMetrics m;
    m.scaleX = scaleX_;
    m.scaleY = scaleY_;
    if (!present_) {
        m.physicalWidth = geometry_.paperWidth;
        m.physicalHeight = geometry_.paperHeight;
        return m;
    }
    m.present = true;
    m.resolutionX = caps_.resolutionX;
    m.resolutionY = caps_.resolutionY;
    m.offsetX = caps_.offsetX;
    m.offsetY = caps_.offsetY;
    m.physicalWidth = caps_.physicalWidth;
    m.physicalHeight = caps_.physicalHeight;
    m.printableWidth = caps_.printableWidth;
    m.printableHeight = caps_.printableHeight;
    return m;
}

void ReportPrinter::readDevice() {
    caps_ = printer_.deviceCaps();
    if (!caps_.valid()) present_ = false;
}

void ReportPrinter::SelectReportPrinter(int index) {
    scaleX_ = scaleY_ = 1.0f;
    present_ = false;
    caps_ = {};
    const int n = printer_.count();
    if (n == 0) return;
    if (index == -1) index = printer_.printerIndex();
    if (index < 0 || index >= n) return;
    if (!printer_.setPrinterIndex(index)) return;
    present_ = true;
    readDevice();
    if (!present_) return;
    scaleX_ = caps_.resolutionX / 100.0f;
    scaleY_ = caps_.resolutionY / 100.0f;
}

void ReportPrinter::ApplyOrientation(bool turned) {
    if (!present_) return;
    printer_.setOrientation((geometry_.orientation > 0) != turned ? DeviceSettings::kLandscape
                                                                  : DeviceSettings::kPortrait);
    readDevice();
}

bool ReportPrinter::PaperFits() const {
    if (!present_) return true;
    const qint64 a = qint64(caps_.physicalWidth) * 101 / caps_.resolutionX;
    const qint64 b = qint64(caps_.physicalHeight) * 101 / caps_.resolutionY;
    return a >= geometry_.pageWidth() && b >= geometry_.pageHeight();
}

void ReportPrinter::FitToPaper() {
    if (!present_) return;
    const qint64 a = qint64(caps_.physicalWidth) * 101 / caps_.resolutionX;
    const qint64 b = qint64(caps_.physicalHeight) * 101 / caps_.resolutionY;
    // A page side of no length sets no limit.
    constexpr double kNone = std::numeric_limits<double>::infinity();
    const double f = geometry_.pageWidth() > 0 ? double(a) / geometry_.pageWidth() : kNone;
    const double g = geometry_.pageHeight() > 0 ? double(b) / geometry_.pageHeight() : kNone;
    double m = std::min(f, g);
    if (m == kNone || m <= 0) m = 1.0;
    scaleX_ = float(caps_.resolutionX / 100.0 * m);
    scaleY_ = float(caps_.resolutionY / 100.0 * m);
}

MinimumMargins ReportPrinter::minimumMargins() const {
    if (!present_) return {};
    MinimumMargins m;
    m.left = caps_.offsetX * 100 / caps_.resolutionX;
    m.top = caps_.offsetY * 100 / caps_.resolutionY;
    m.right =
        (caps_.physicalWidth - caps_.printableWidth - caps_.offsetX) * 100 / caps_.resolutionX;
    m.bottom =
        (caps_.physicalHeight - caps_.printableHeight - caps_.offsetY) * 100 / caps_.resolutionY;
    return m;
}

bool ReportPrinter::MarginsFit() {
    if (!present_) return true;
    ApplyOrientation();
    if (!present_) return true;
    const MinimumMargins m = minimumMargins();
    return geometry_.leftMargin >= m.left && geometry_.topMargin >= m.top &&
           geometry_.rightMargin >= m.right && geometry_.bottomMargin >= m.bottom;
}

void ReportPrinter::RaiseMargins() {
    if (!present_) return;
    const MinimumMargins m = minimumMargins();
    geometry_.leftMargin = std::max(geometry_.leftMargin, m.left);
    geometry_.topMargin = std::max(geometry_.topMargin, m.top);
    geometry_.rightMargin = std::max(geometry_.rightMargin, m.right);
    geometry_.bottomMargin = std::max(geometry_.bottomMargin, m.bottom);
}

int ReportPrinter::pageToPrintableX(int x) const {
    const PrinterMetrics m = metrics();
    return x - m.offsetX * 100 / m.resolutionX;
}

int ReportPrinter::pageToPrintableY(int y) const {
    const PrinterMetrics m = metrics();
    return y - m.offsetY * 100 / m.resolutionY;
}

ReportPrinter& reportPrinter() {
    static ReportPrinter metrics(programPrinter(), programPageGeometry());
    return metrics;
}

}  // namespace dorvana
