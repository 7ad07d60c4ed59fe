#pragma once
// PreviewDocument: a built report as the preview shows and corrects it. It
// keeps the current page, the zoom step, edit mode, the insert tool and the
// selected element in the page store, and makes every hand correction the
// preview offers (moving, resizing, retyping, font, alignment, deleting,
// inserting) as a change of the printed element plus a correction record.
// The preview window is a view over it; tests drive it without a window.

#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

#include "report/layout/pages/corrections.h"
#include "report/layout/pages/page_store.h"
#include "report/layout/pages/preview_edits.h"

namespace dorvana {

// What the editor options give the preview's edits.
struct PreviewEditOptions {
    int rasterX = 8;  // step of Ctrl/Alt + left/right, 0.01 in
    int rasterY = 8;  // step of Ctrl/Alt + up/down
    InsertDefaults insert{200, 20, PrintedFont{QStringLiteral("Arial"), 10, 0xFF000000, 0, 238},
                          QString()};
};

// The edit panel's fields as the user typed them.
struct ElementFields {
    QString x, y, w, h;
    QString text;       // single-line elements
    QStringList lines;  // memo elements
};

class PreviewDocument : public QObject {
    Q_OBJECT
public:
    enum class Tool { Select, InsertText, InsertMemo };
    // The geometry fields in the order of the edit panel.
    enum Field { FieldX, FieldY, FieldW, FieldH };

    // The store and the list belong to the report job and must outlive this.
    PreviewDocument(PageStore& pages, TListEdit& corrections, QObject* parent = nullptr);

    PageStore& pages() { return pages_; }
    const PageStore& pages() const { return pages_; }
    const TListEdit& corrections() const { return corrections_; }

    void setEditOptions(const PreviewEditOptions& options) { options_ = options; }
    const PreviewEditOptions& editOptions() const { return options_; }
    // Gives the screen substitute of a font (empty: none); unset, none.
    std::function<QString(const PrintedFont&)> screenSubstitute;
    // Passed to inserted elements (the run window's barcode-by-printer flag).
    bool barcodeByPrinter = true;

    // --- pages ---
    int pageCount() const { return pages_.pageCount(); }
    int currentPage() const { return pages_.currentPage; }  // from 0
    // Each deselects and moves when it can; true when the page changed.
    bool firstPage();
    bool previousPage();
    bool nextPage();
    bool lastPage();
    // The store was built anew (its corrections applied): the current page
    // stays when the build still has it, else the last page; no selection.
    void pagesReplaced();

    // --- zoom ---
    int zoomStep() const { return zoomStep_; }
    double zoom() const { return pages_.zoom; }
    void setZoomStep(int step);
    // The page on the screen at the current zoom.
    QSize pageSize() const;

    // --- edit mode and tools ---
    // Whether corrections are allowed at all (the component's OpravyEnabled).
    bool editAllowed = true;
    bool editMode() const { return editMode_; }
    // Toggling deselects and leaves insert mode.
    void setEditMode(bool on);
    Tool tool() const { return tool_; }
    // The selection stays when an insert tool is chosen: the new element
    // takes over its properties.
    void setTool(Tool tool);

    // --- selection ---
    int selected() const { return pages_.selectedElement; }
    const TPrevPrvek* selectedElement() const;
    // The element under a pointer position (pixels on the page widget) that
    // can be selected: text kinds (below 7) without a picture; the last hit
    // in page order. -1 when none.
    int hitTest(QPoint pixel) const;
    // A click in edit mode with the selection tool: selects the hit element;
    // when that is the one selected already, or nothing is hit, deselects.
    void clickAt(QPoint pixel);
    void select(int element);
    void deselect() { select(-1); }

    // --- corrections: each changes the element, records it and tells views ---
    // By raster steps (Ctrl + arrows); false without a selection.
    bool moveSelected(int stepsX, int stepsY);
    // Width and height by raster steps (Alt + arrows); never below 1.
    bool resizeSelected(int stepsX, int stepsY);
    // Applies the fields to the selected element: geometry (each must be an
    // integer; the first that is not stops the applying with *badField and
    // a Czech message, nothing changed), then the text or the memo lines.
    bool applyFields(const ElementFields& fields, Field* badField = nullptr,
                     QString* error = nullptr);
    bool setSelectedFont(const PrintedFont& font);
    // 0 left, 1 right, 2 centre; the memo flags in the upper bits stay.
    bool setSelectedAlignment(int index);
    // Blanks the selected element (it stays, so no number changes), records
    // it, deselects. The window asks first.
    bool deleteSelected();
    // With an insert tool and a pointer position inside the printable area:
    // appends a new element there, records it, selects it and goes back to
    // the selection tool. The new element's index, or -1 when nothing happened.
    int insertAt(QPoint pixel);

    static QString deleteQuestion() { return QStringLiteral("Smazat vybraný prvek sestavy?"); }

signals:
    void pageChanged();       // another page is shown (or the pages were replaced)
    void zoomChanged();       // the zoom step changed
    void modeChanged();       // edit mode or tool changed
    void selectionChanged();  // another element is selected, or none
    // An element of the current page changed; repaint, refresh the fields.
    void elementChanged(int element);
    // A new element was inserted (and selected).
    void elementInserted(int element);

private:
    TPrevPrvek* selectedMutable();
    bool goTo(int page);
    void recordSelected();

    PageStore& pages_;
    TListEdit& corrections_;
    PreviewEditOptions options_;
    int zoomStep_ = 6;
    bool editMode_ = false;
    Tool tool_ = Tool::Select;
};

}  // namespace dorvana
