#include "report/windows/report_operations.h"

#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "report/model/zoom_table.h"
#include "base/messages.h"
#include "report/run/report_component.h"
#include "report/windows/run_window.h"

namespace dorvana {

namespace {

DesignerLauncher& launcher() {
    static DesignerLauncher l;
    return l;
}

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

bool previewReport(TSestava& component, Messages& messages, const PreviewPlacement& placement,
                   const ReportWindowHost& host) {
    return inFrame(component, messages, [&] {
        TFormSestE_NOR window(component, messages, host.mdiArea ? nullptr : host.parent);
        if (host.printer) window.setPrinter(host.printer);
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
        TFormSestE_NOR window(component, messages, host.parent);
        if (host.printer) window.setPrinter(host.printer);
        if (!window.loadTemplate()) return false;
        if (host.opened) host.opened(window);
        return window.print(printerIndex);
    });
}

void setDesignerLauncher(DesignerLauncher l) { launcher() = std::move(l); }

bool designAvailable() { return bool(launcher()); }

bool designReport(TSestava& component, Messages& messages, const ReportWindowHost& host) {
    if (!launcher()) return false;
    return inFrame(component, messages, [&] { return launcher()(component, host); });
}

}  // namespace dorvana
