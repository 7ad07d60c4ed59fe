#pragma once
// The installed printers as the print dialog lists them: name, driver, port
// and kind, the system's default printer marked with "-" before its kind.

#include <QList>
#include <QString>

#include "report/render/printer/printer.h"

namespace dorvana {

struct ListedPrinter {
    QString name;
    QString driverName;
    QString port;
    QString kind;  // "NOR", "3", ... ; "-NOR", "-3" for the default printer

    bool operator==(const ListedPrinter&) const = default;
};

QList<ListedPrinter> listPrinters(Printer& printer);

}  // namespace dorvana
