#include "report/render/job/unattended_prompts.h"

#include <QCoreApplication>
#include <QThread>

namespace dorvana {

UnattendedPrintPrompts::UnattendedPrintPrompts(int busyWaitSeconds)
    : deadline_(busyWaitSeconds * 1000) {}

PrintPrompts::Answer UnattendedPrintPrompts::ask(const QString&) {
    scaled = true;
    return Answer::Yes;  // fit the page to the printer's paper
}

bool UnattendedPrintPrompts::waitForPrinter() {
    if (deadline_.hasExpired()) {
        message = QStringLiteral("Tiskárna je stále zaneprázdněna předchozí úlohou.");
        return false;
    }
    QCoreApplication::processEvents();
    QThread::msleep(200);
    return true;
}

}  // namespace dorvana
