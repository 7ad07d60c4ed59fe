#pragma once
// Printer kinds: "NOR" for ordinary printers, a number for the cab Apollo and
// Tharo Gemini label printers, told apart by the driver name. The system's
// default printer gets a "-" in front ("-NOR", "-3").

#include <QString>

namespace dorvana {

// "3", "2", "1", "8", "4", "12", "11" for the label printer drivers, else "NOR".
QString printerKind(const QString& driverName, bool isDefault = false);

// A kind that reads as an integer marks a cab printer ("-3" included).
bool isCabKind(const QString& kind);

// "CAB , připravena" for a cab printer, else "Připravena".
QString printerStatusText(const QString& kind);

// Whether a driver belongs to a thermal label printer: the cab and Tharo
// drivers of the kinds table. Their device fonts are offered to templates.
bool isThermalPrinterDriver(const QString& driverName);

}  // namespace dorvana
