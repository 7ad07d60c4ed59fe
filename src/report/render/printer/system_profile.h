#pragma once
// The system profile of printer settings: a per-user ini file in the manner
// of Win.ini, where templates carried over from Windows find the sections of
// their printers' drivers ("name,port" with key=value lines such as
// Bcodeintrp=1) and [windows] device= may name the default printer.

#include <QString>
#include <QStringList>

namespace dorvana {

// "dorvana/win.ini" in the user's configuration folder.
QString defaultSystemProfilePath();

// The printer named before the first comma of device= in section
// [windows]; empty when there is none.
QString profileDefaultPrinter(const QString& profilePath);

// The key=value lines of the first section whose name, up to its first
// comma, is the printer's name (case ignored); empty when there is none.
QStringList printerProfileSettings(const QString& profilePath, const QString& printerName);

// Writes key=value lines into a section (created when missing), replacing
// the values of keys already there; lines without "=" are skipped. Other
// sections and keys stay as they are.
bool writePrinterProfileSettings(const QString& profilePath, const QString& section,
                                 const QStringList& lines, QString* error = nullptr);

}  // namespace dorvana
