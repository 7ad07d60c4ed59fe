#include "support/print_job_fixture.h"

namespace dorvana::test {

QList<FixturePrinter> fixturePrinters() {
    FixturePrinter office;
    office.entry = {"Kancelář", "HP LaserJet 4", "socket://10.0.0.5"};
    office.isDefault = true;

    FixturePrinter label;
    label.entry = {"Etikety", "Apollo 3/300", "usb://cab/A3"};
    label.resolutionX = label.resolutionY = 300;
    label.paperWidth = 1200;  // 4 x 6 in
    label.paperHeight = 1800;
    label.offsetX = label.offsetY = 0;
    label.printableWidth = 1200;
    label.printableHeight = 1800;
    label.paperSize = 256;
    label.privateSize = 84;
    label.fonts = {"Swiss 721", "Monospace 821"};

    FixturePrinter store;
    store.entry = {"Sklad", "HP LaserJet 4", "ipp://sklad/q"};
    store.resolutionX = store.resolutionY = 300;
    store.paperWidth = 2480;
    store.paperHeight = 3508;
    store.offsetX = store.offsetY = 50;
    store.printableWidth = 2380;
    store.printableHeight = 3408;

    FixturePrinter small = label;
    small.entry = {"Malá", "Generic", "usb://small"};
    small.privateSize = 0;
    small.fonts.clear();

    return {office, label, store, small};
}

std::unique_ptr<FixturePrinterBackend> fixtureBackend() {
    return std::make_unique<FixturePrinterBackend>(fixturePrinters());
}

bool ScriptedPrompts::printDialog(PrintDialogValues& values) {
    dialogsShown << values;
    paperNotes << (values.paperNote ? values.paperNote(values.printerIndex) : QString());
    if (!dialogAnswer) return false;
    if (dialogChoice.printerIndex >= 0) values.printerIndex = dialogChoice.printerIndex;
    if (dialogChoice.firstPage >= 0) values.firstPage = dialogChoice.firstPage;
    if (dialogChoice.lastPage >= 0) values.lastPage = dialogChoice.lastPage;
    if (dialogChoice.copies >= 0) values.copies = dialogChoice.copies;
    return true;
}

bool ScriptedPrompts::waitForPrinter() {
    ++waits;
    return waitsBeforeCancel < 0 || waits < waitsBeforeCancel;
}

}  // namespace dorvana::test
