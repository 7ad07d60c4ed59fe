#pragma once
// The visible operations of the report component TSestava: preview, print
// and the hand-off to the designer. Each runs in the component's frame
// (checks, current record kept) and opens one run window: inside the main
// window's MDI area when there is one, on its own otherwise.

#include <QRect>
#include <functional>

class QMdiArea;
class QWidget;

namespace dorvana {

class Messages;
class Printer;
class TSestava;
class TFormSestE_NOR;

struct PreviewPlacement {
    QRect bounds;            // empty: the default size
    bool centred = true;     // the position mode: centred over the parent, else as bounds say
    int zoomPercent = 100;   // turned into the nearest zoom step
};

// Where and with what the operations open their windows.
struct ReportWindowHost {
    QMdiArea* mdiArea = nullptr;  // the main window's; none: top-level windows
    QWidget* parent = nullptr;    // owner of message boxes and top-level windows
    Printer* printer = nullptr;   // none: the program's printer
    // Called with the run window before it is shown (tests drive it there);
    // a preview shows as soon as its first page is built.
    std::function<void(TFormSestE_NOR&)> opened;
};

// Preview: loads, builds, shows the preview until the user closes it, and
// saves the corrections. The window never ends with OK, so the result is
// false; the component holds the page count and whether the build was
// cancelled. The component's checks and a template that cannot be read end
// with their messages.
bool previewReport(TSestava& component, Messages& messages, const PreviewPlacement& placement,
                   const ReportWindowHost& host = {});

// Print: loads, applies the template's printers, builds and prints without
// showing the window. True when pages went to the printer.
bool printReport(TSestava& component, Messages& messages, int printerIndex = -1,
                 const ReportWindowHost& host = {});

// Design: opens the designer on the component's template through the
// launcher the designer installs. Until one is installed there is no
// designer: designAvailable() is false and design does nothing.
using DesignerLauncher = std::function<bool(TSestava& component, const ReportWindowHost& host)>;
void setDesignerLauncher(DesignerLauncher launcher);
bool designAvailable();
bool designReport(TSestava& component, Messages& messages, const ReportWindowHost& host = {});

}  // namespace dorvana
