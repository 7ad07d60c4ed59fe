#pragma once
// The texts the print pipeline shows.

#include <QString>

namespace dorvana::print_messages {

// Names the printer settings of the system (CUPS), where a Linux user adds a printer.
inline const QString kNoPrinter = QStringLiteral(
    "V systému není nainstalována příslušná tiskárna. Nainstaluj příslušnou tiskárnu "
    "prostřednictvím nastavení tiskáren systému (CUPS).");
inline const QString kPartialReport = QStringLiteral(
    "Sestava není kompletně vytvořena - Tvorba sestavy byla přerušena uživatelem! Chcete přesto "
    "vytisknout vytvořenou část sestavy?");
inline const QString kWrongPrinterLead = QStringLiteral(
    "Vybraná sestava nelze správně vytisknout na vybrané tiskárně. Sestava byla navržena pro "
    "tiskárnu:");
// The two below name the system's printers (CUPS), where a Linux user looks.
inline const QString kNotInstalled = QStringLiteral(", která není v systému (CUPS) nainstalována. ");
inline const QString kPleaseInstall =
    QStringLiteral("Nainstalujte si prosím příslušnou tiskárnu !");
inline const QString kInstalled = QStringLiteral(", která je v systému (CUPS) nainstalována. ");
inline const QString kPleaseSelect = QStringLiteral("Vyberte tuto tiskárnu a zopakujte tisk !");
inline const QString kPaperTooSmall = QStringLiteral(
    "Tisková sestava byla navržena pro větší formát papíru, než je nastaven na tiskárně. Upravit "
    "velikost tisku podle možností tiskárny?");
inline const QString kWaitingForPrinter = QStringLiteral("Čekám na uvolnění tiskárny ...");
inline const QString kSending = QStringLiteral("Odesílám data do tiskárny ...");

}  // namespace dorvana::print_messages
