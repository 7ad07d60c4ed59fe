#pragma once
// The print dialog's "&Vlastnosti..." for a print session: the cab or Tharo
// settings dialog (TCabSetForm) on the record the session gives for the
// printer, or the platform's printer setup for other printers; what the user
// confirms goes back to the session.

class QWidget;

namespace dorvana {

class Messages;
class PrintSession;

// True when the user confirmed new settings for printer index.
bool editPrinterProperties(PrintSession& session, int printerIndex, Messages& messages,
                           QWidget* parent);

}  // namespace dorvana
