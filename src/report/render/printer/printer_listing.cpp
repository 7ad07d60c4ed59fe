#include "report/render/printer/printer_listing.h"

#include "report/render/printer/printer_kind.h"

namespace dorvana {

QList<ListedPrinter> listPrinters(Printer& printer) {
    const QList<PrinterEntry>& entries = printer.entries();
    const int def = entries.isEmpty() ? -1 : printer.defaultPrinterIndex();
    QList<ListedPrinter> out;
    for (int i = 0; i < entries.size(); ++i) {
        const PrinterEntry& e = entries[i];
        out.append({e.name, e.driverName, e.port, printerKind(e.driverName, i == def)});
    }
    return out;
}

}  // namespace dorvana
