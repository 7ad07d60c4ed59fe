#pragma once
// The designer's editing surface: the template's visible sections drawn one
// under another at the zoom, with their captions, raster and elements, and
// the mouse and keyboard handling of selecting, dragging, resizing, section
// heights and the rubber band. All changes go through the document; the
// surface keeps only view state (zoom, section places, drag state).

#include <QList>
#include <QPointer>
#include <QWidget>

#include "report/designer/document/surface_geometry.h"

namespace dorvana {

class DesignerDocument;
class TOddil;
class TSesPrvek;

class DesignerSurface : public QWidget {
    Q_OBJECT
public:
    // Height of the caption strip under every section, in pixels.
    static constexpr int kStripHeight = 16;

    explicit DesignerSurface(DesignerDocument& document, QWidget* parent = nullptr);

    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    // The active palette tool (0 = the arrow) and paste mode, as the window sets them.
    void setTool(int code);
    int tool() const { return tool_; }
    void setPasteMode(bool on);
    bool pasteMode() const { return pasteMode_; }

    // Whether the elements' boxes, handles and selection show over the
    // elements (on by default; off, the surface shows the sections as they print).
    void setEditingMarks(bool shown);
    bool editingMarks() const { return editingMarks_; }

    // Where things are on the surface, in pixels.
    QRect sectionRect(int indexOdd) const;  // the section without its strip
    QRect elementRect(const TSesPrvek* element) const;
    // The visible sections top to bottom.
    QList<TOddil*> shownSections() const;
    static constexpr int kMargin = 8;

signals:
    // A click with a tool or in paste mode, at a template point (snapped when snapping is on).
    void sectionClicked(int indexOdd, QPoint point);
    // The arrow tool again (a click on an element or a section strip).
    void arrowRequested();
    // Pointer coordinates in template units; (-1, -1) blanks them.
    void pointerAt(int x, int y);
    void elementDoubleClicked(TSesPrvek* element);
    void sectionDoubleClicked(int indexOdd);
    // Copy, cut or paste mode changed by a key: the window refreshes its commands.
    void clipboardChanged();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    struct Place {
        int indexOdd;
        int top;  // pixels
        int height;  // pixels, the strip included
    };
    void relayout();
    TOddil* sectionAt(QPoint p, bool* inStrip = nullptr) const;
    TSesPrvek* elementAt(QPoint p) const;
    void paintSection(QPainter& p, const Place& place);
    // The element's box, handles or selection corners, and where a picture is missing.
    void paintMarks(QPainter& p, const TSesPrvek* e);
    void updateCursor(QPoint p);
    void showPointer(QPoint p);

    DesignerDocument& doc_;
    double zoom_ = 1.0;
    int tool_ = 0;
    bool pasteMode_ = false;
    bool editingMarks_ = true;
    QList<Place> places_;

    enum class Drag { None, Element, Height, Band };
    Drag drag_ = Drag::None;
    TSesPrvek* dragged_ = nullptr;
    int zone_ = 0;
    QPoint pressPos_;
    ElementBox atDown_;
    ElementBox lastBox_;
    int heightSection_ = -1;
    int heightAtDown_ = 0;
    QPoint bandEnd_;
};

}  // namespace dorvana
