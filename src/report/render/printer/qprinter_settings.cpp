#include "report/render/printer/qprinter_settings.h"

#include <QPageLayout>
#include <QPrinter>
#include <cmath>

namespace dorvana {

QPageSize pageSizeForSettings(const DeviceSettings& settings, const QPageSize& current) {
    if (settings.paperWidth > 0 && settings.paperLength > 0)
        return QPageSize(QSizeF(settings.paperWidth / 10.0, settings.paperLength / 10.0),
                         QPageSize::Millimeter);
    QPageSize size = current;
    const QPageSize::PageSizeId id = QPageSize::id(settings.paperSize);
    if (id != QPageSize::Custom) size = QPageSize(id);
    if (settings.paperLength > 0 && size.isValid()) {
        const QSizeF mm = size.size(QPageSize::Millimeter);
        const double length = settings.paperLength / 10.0;
        if (std::abs(mm.height() - length) > 0.05)
            size = QPageSize(QSizeF(mm.width(), length), QPageSize::Millimeter);
    }
    return size;
}

void applyDeviceSettings(QPrinter& printer, const DeviceSettings& settings) {
    const QPageSize size = pageSizeForSettings(settings, printer.pageLayout().pageSize());
    if (size.isValid()) printer.setPageSize(size);
    printer.setPageOrientation(settings.orientation == DeviceSettings::kLandscape
                                   ? QPageLayout::Landscape
                                   : QPageLayout::Portrait);
    printer.setCopyCount(std::max(1, settings.copies));  // no job prints nothing
}

DeviceSettings deviceSettingsOf(const QPrinter& printer) {
    DeviceSettings s;
    s.deviceName = printer.printerName();
    const QPageLayout layout = printer.pageLayout();
    s.orientation = layout.orientation() == QPageLayout::Landscape ? DeviceSettings::kLandscape
                                                                   : DeviceSettings::kPortrait;
    const QPageSize size = layout.pageSize();
    const int code = size.windowsId();
    if (code > 0 && size.id() != QPageSize::Custom) {
        s.paperSize = code;
        s.paperLength = 0;
        s.paperWidth = 0;
    } else {
        const QSizeF mm = size.size(QPageSize::Millimeter);
        s.paperSize = kUserPaperSize;
        s.paperLength = int(std::lround(mm.height() * 10));
        s.paperWidth = int(std::lround(mm.width() * 10));
    }
    s.copies = printer.copyCount();
    return s;
}

}  // namespace dorvana
