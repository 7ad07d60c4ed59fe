#include "report/windows/report_windows.h"

#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "base/messages.h"
#include "report/layout/font_measurer.h"
#include "report/model/zoom_table.h"
#include "report/render/printer/printer.h"
#include "report/run/print_session.h"
#include "report/run/report_component.h"
#include "report/windows/printer_properties.h"
#include "report/windows/progress_window.h"
#include "report/windows/run_window.h"
#include "report/windows/window_print_prompts.h"

namespace dorvana {

namespace {

TSestava::Question askWith(Messages& messages) {
    return [&messages](const QString& text) { return messages.confirm(text); };
}

// Runs op in the component's frame; a failed check shows its message.
bool inFrame(TSestava& component, Messages& messages, const std::function<bool()>& op) {
    QString message;
    const bool result = component.run(op, askWith(messages), &message);
    if (!message.isEmpty()) messages.error(message);
    return result;
}

// Shows the window (as an MDI child or on its own); the MDI frame when there is one.
QPointer<QMdiSubWindow> showWindow(TFormSestE_NOR& window, const PreviewPlacement& placement,
                                   const ReportWindowHost& host) {
    QPointer<QMdiSubWindow> sub;
    if (host.mdiArea) {
        sub = host.mdiArea->addSubWindow(&window);
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        QObject::connect(&window, &TFormSestE_NOR::closed, sub, &QWidget::close);
        if (!placement.bounds.isEmpty()) sub->setGeometry(placement.bounds);
        sub->showMaximized();
    } else {
        window.setWindowFlag(Qt::Window);
        if (!placement.bounds.isEmpty()) window.setGeometry(placement.bounds);
        window.show();
        if (placement.centred && host.parent) {
            const QRect outer = host.parent->window()->frameGeometry();
            window.move(outer.center() - window.rect().center());
        }
    }
    window.activateWindow();
    return sub;
}

// Waits until the shown window closes (unless it has closed already).
void waitUntilClosed(TFormSestE_NOR& window, QPointer<QMdiSubWindow> sub, bool closed) {
    if (!closed) {
        QEventLoop loop;
        QObject::connect(&window, &TFormSestE_NOR::closed, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (sub) {
        sub->setWidget(nullptr);
        window.setParent(nullptr);
        delete sub.data();
    }
}

}  // namespace

Printer& hostPrinter(const ReportWindowHost& host) {
    return host.printer ? *host.printer : programPrinter();
}

bool previewReport(TSestava& component, Messages& messages, const PreviewPlacement& placement,
                   const ReportWindowHost& host) {
    return inFrame(component, messages, [&] {
        TFormSestE_NOR window(component, messages, hostPrinter(host),
                              host.mdiArea ? nullptr : host.parent);
        if (!window.loadTemplate()) return false;
        // Said before the pages show: fields the table lacks print nothing.
        const QStringList warnings = window.job().readingWarnings();
        if (!warnings.isEmpty()) messages.warning(warnings.join(QLatin1Char('\n')));
        window.setZoomStep(zoomStepForPercent(placement.zoomPercent));
        // The first page shows as soon as it is built; the rest follow
        // under the progress window.
        QPointer<QMdiSubWindow> sub;
        bool shown = false, closed = false;
        QObject::connect(&window, &TFormSestE_NOR::closed, &window, [&closed] { closed = true; });
        const auto show = [&] {
            window.enterPreviewMode();
            if (shown || closed) return;
            shown = true;
            if (host.opened) host.opened(window);
            sub = showWindow(window, placement, host);
        };
        window.firstPageBuilt = show;
        window.buildPages();
        window.firstPageBuilt = nullptr;
        show();
        if (!closed && window.job().run().stoppedAtPageLimit())
            messages.warning(QStringLiteral("Sestava pokračuje za stranou %1 (poslední stranou "
                                            "nastavenou pro tisk); další strany se nevytvořily.")
                                 .arg(window.job().pages().pageCount()));
        waitUntilClosed(window, sub, closed);
        window.saveCorrections();
        return false;
    });
}

bool printReport(TSestava& component, Messages& messages, int printerIndex,
                 const ReportWindowHost& host) {
    return inFrame(component, messages, [&] {
        PrintSession session(component, hostPrinter(host));
        FontMeasurer measurer;
        session.setTextMeasurer(&measurer);
        QString error;
        if (!session.load(&error)) {
            messages.error(error);
            return false;
        }
        if (!session.job().correctionsWarning().isEmpty())
            messages.warning(session.job().correctionsWarning());
        // Without prompts of the host's, the user is asked in dialogs and
        // follows the work in a progress window.
        PrintPrompts* prompts = host.printPrompts;
        Progress* progress = host.printProgress;
        std::unique_ptr<ProgressWindow> progressWindow;
        std::unique_ptr<WindowPrintPrompts> windowPrompts;
        if (!prompts || !progress) {
            progressWindow = std::make_unique<ProgressWindow>(host.parent);
            if (!progress) progress = progressWindow.get();
        }
        if (!prompts) {
            windowPrompts = std::make_unique<WindowPrintPrompts>(session.printer(), messages,
                                                                 *progressWindow, host.parent);
            windowPrompts->dialog = host.printDialog;
            windowPrompts->properties = [&](int index) {
                return editPrinterProperties(session, index, messages, host.parent);
            };
            prompts = windowPrompts.get();
        }
        PrintRequest request = session.request();
        request.printerIndex = printerIndex;
        const bool printed = session.print(request, *prompts, progress, &error);
        component.StartPage = request.startPage;
        component.EndPage = request.endPage;
        if (progressWindow) progressWindow->finish();
        if (!printed && !error.isEmpty() && !progress->cancelled()) messages.error(error);
        return printed;
    });
}

bool designAvailable(const ReportWindowHost& host) { return bool(host.designer); }

bool designReport(TSestava& component, Messages& messages, const ReportWindowHost& host) {
    if (!host.designer) return false;
    return inFrame(component, messages, [&] { return host.designer(component, host); });
}

}  // namespace dorvana
