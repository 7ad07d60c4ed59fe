#pragma once
// The driver settings a template keeps for each of its printers, as the
// report settings dialog's page "Tiskárny" takes and edits them: the
// settings text of an installed printer as its driver has it now, and the
// cab/Tharo label settings (or the print system's page setup for other
// printers) edited on the template's stored settings. The program's current
// printer stays the current one.

#include <QStringList>

class QWidget;

namespace dorvana {

class Messages;
class Printer;
struct TPolTisk;

// The settings text of the installed printer with that full name; empty
// when there is no such printer.
QStringList currentPrinterSettingsText(Printer& printer, const QString& fullName);

// Opens the settings of a template printer on its stored settings; true with
// the printer's settings text replaced when the user confirmed.
bool editTemplatePrinterSettings(Printer& printer, TPolTisk& templatePrinter, Messages& messages,
                                 QWidget* parent);

}  // namespace dorvana
