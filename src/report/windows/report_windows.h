#pragma once
// The report windows a component's operations open: preview, print and the
// hand-off to the designer. Each runs in the component's frame (checks,
// current record kept). A preview opens one run window, inside the main
// window's MDI area when there is one, on its own otherwise; a print runs a
// print session with no window of its own (its questions, print dialog and
// progress window come from the host or are shown over its parent).

#include <QRect>
#include <functional>

#include "report/render/job/print_pipeline.h"

class QMdiArea;
class QWidget;

namespace dorvana {

class Messages;
class PrintPrompts;
class Printer;
class Progress;
class TSestava;
class TFormSestE_NOR;

struct PreviewPlacement {
    QRect bounds;            // empty: the default size
    bool centred = true;     // the position mode: centred over the parent, else as bounds say
    int zoomPercent = 100;   // turned into the nearest zoom step
};

struct ReportWindowHost;

// Opens the designer on the component's template once (modal) and tells
// whether the template was saved; "save and restart" leaves the component's
// restartRequested set for the caller (designUntilDone).
using DesignerLauncher = std::function<bool(TSestava& component, const ReportWindowHost& host)>;

// Where and with what the operations open their windows, and the services
// they use: the printer, the designer.
struct ReportWindowHost {
    QMdiArea* mdiArea = nullptr;  // the main window's; none: top-level windows
    QWidget* parent = nullptr;    // owner of message boxes and top-level windows
    Printer* printer = nullptr;   // none: the program's printer
    // Called with the run window before it is shown (tests drive it there);
    // a preview shows as soon as its first page is built.
    std::function<void(TFormSestE_NOR&)> opened;
    // A print's questions and progress; none: message boxes, the print
    // dialog and a progress window over parent.
    PrintPrompts* printPrompts = nullptr;
    Progress* printProgress = nullptr;
    // Stands in for the print dialog of a print without printPrompts
    // (tests); unset: the real dialog.
    std::function<bool(PrintDialogValues&)> printDialog;
    // The designer; none: there is none (design does nothing).
    DesignerLauncher designer;
};

// The printer the host prints on.
Printer& hostPrinter(const ReportWindowHost& host);

// Preview: loads, builds, shows the preview until the user closes it, and
// saves the corrections. The window never ends with OK, so the result is
// false; the component holds the page count and whether the build was
// cancelled. The component's checks and a template that cannot be read end
// with their messages.
bool previewReport(TSestava& component, Messages& messages, const PreviewPlacement& placement,
                   const ReportWindowHost& host = {});

// Print: loads, applies the template's printers, builds and prints through a
// print session; no window is built for it. True when pages went to the
// printer.
bool printReport(TSestava& component, Messages& messages, int printerIndex = -1,
                 const ReportWindowHost& host = {});

// Design: opens the host's designer on the component's template in the
// component's frame. Without a designer nothing happens (false).
bool designAvailable(const ReportWindowHost& host);
bool designReport(TSestava& component, Messages& messages, const ReportWindowHost& host);

}  // namespace dorvana
