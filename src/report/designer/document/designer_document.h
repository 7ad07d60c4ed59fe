#pragma once
// The template being designed: the report model of one template, its undo
// snapshots, the selection, the element clipboard and every change the
// designer's views make. Views never change the model themselves; they call
// this object and repaint on its signals. Runs without windows.

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "report/designer/document/change_kind.h"
#include "report/model/editor_options.h"
#include "report/designer/document/surface_geometry.h"
#include "report/model/report_model.h"
#include "report/model/variant_list.h"

namespace dorvana {

class DataSet;
class DataSetFields;
class ReportFieldSource;
class Messages;
class TSesPrvek;
class TOddil;

// The position and size fields of the object bar ("L:", "H:", "Š:", "V:").
enum class GeometryField { Left, Top, Width, Height };

class DesignerDocument : public QObject {
    Q_OBJECT
public:
    explicit DesignerDocument(Messages& messages, const EditorOptions& options = {},
                              QObject* parent = nullptr);
    ~DesignerDocument() override;

    // --- what the template is designed over ---
    // The data set whose fields the palette offers and field elements show
    // (not owned; may be none).
    void setDataSet(DataSet* dataSet);
    DataSet* dataSet() const { return dataSet_; }
    QStringList fieldNames() const;
    // The data set's fields as the model and the dialogs see them.
    const ReportFieldSource* fieldSource() const;
    // Whether the report component sorts its records (SortEnabled): the sort
    // list and SQL text of the template are then kept and written.
    void setSortEnabled(bool on);
    bool sortEnabled() const { return sortEnabled_; }
    // The report parameters (the component's Parametry).
    void setParameters(const QStringList& parameters) { parameters_ = parameters; }
    const QStringList& parameters() const { return parameters_; }
    const EditorOptions& options() const { return options_; }
    // New options: the undo capacity is applied again (the template's raster stays).
    void setOptions(const EditorOptions& options);

    // --- loading and saving ---
    // Reads the template file. A missing or unreadable file asks whether to
    // create a new one; false when the designer cannot open (No, or creating
    // failed: the error has been shown).
    bool open(const QString& path);
    // Takes template lines as loaded text (path: where saving writes them).
    void loadLines(const QStringList& lines, const QString& path = QString());
    const QString& path() const { return path_; }
    // Writes the model to path() (saveAs: to a new path, which then becomes
    // path()) keeping the previous file as ".BAK". On failure shows
    // "Soubor s předlohou se nepodařilo uložit.", keeps the template file as
    // it was and stays modified.
    bool save();
    bool saveAs(const QString& path);
    // A template kept in memory instead of a file: the text to keep; the
    // document counts as saved.
    QStringList saveInMemory();
    bool isModified() const { return modified_; }
    // The template text of the model now, as saving writes it.
    QStringList templateLines() const;
    // Whether the loaded file had no line at all (the designer then starts a new template).
    bool loadedEmpty() const { return loadedEmpty_; }

    // --- the model ---
    const ReportModel& model() const { return model_; }
    // For changes made outside (the designer's dialogs): change the model,
    // then call recordChange with the kind of change.
    ReportModel& modelForChange() { return model_; }
    // Records an undo step of that kind: the whole template as a snapshot
    // after the current one (later ones are dropped, the oldest when full);
    // sets modified.
    void recordChange(ChangeKind kind);
    // The printable width: the width of every section.
    int sectionWidth() const;
    TOddil* section(int indexOdd) const;
    TOddil* sectionOf(const TSesPrvek* element) const;
    bool isLocked(const TSesPrvek* element) const;
    // The text an element shows on the surface: a static text its text, a
    // field value the current record's value, a field label the field's
    // label, a parameter its value, a variable its format or name, a function
    // its name.
    QString displayText(const TSesPrvek* element) const;
    // Field elements read the current record again (after record navigation).
    void refreshFieldValues();
    // Whether any section holds an element.
    bool hasElements() const;
    // After sections, plans or groups were added or removed in the model
    // (the settings dialog does so while it is open): the views rebuild. The
    // selection must have been cleared before such a change.
    void structureChanged();
    // After an element was configured in place (the element dialog): its
    // caption is read again, it becomes the only selected element and
    // "nastavení prvku" is recorded.
    void elementConfigured(TSesPrvek* element);
    // After the report settings were applied to the model: the passes follow
    // the sections, the views rebuild and "nastavení oddílů a skupin" is recorded.
    void settingsApplied();

    // --- a new template ("Nová předloha") ---
    // Empties the page as undo does (the title, the paper and the raster
    // stay), format 1.5, one pass, one column; the snapshot list keeps only
    // its current entry, emptied, and the SQL text is cleared. Not modified.
    void startNewTemplate();
    // Takes the lines the wizard wrote for the emptied template: they are read
    // into the model keeping the title, the paper, the data source and the
    // printers; the current snapshot becomes the whole text; modified.
    void takeNewTemplateLines(const QStringList& lines);

    // --- palette ---
    // The hint of a palette button; elements show it as their tooltip.
    QString paletteHint(int code) const;
    QString elementHint(const TSesPrvek* element) const;
    // Inserts the element of a palette code into an unlocked section at a
    // point in template units, with the options' initial properties; it
    // becomes current. Records "vložení prvku". Null when nothing was inserted.
    TSesPrvek* insertElement(int indexOdd, int paletteCode, QPoint at);

    // --- undo and redo ---
    const TListVariant& snapshots() const { return snapshots_; }
    bool canUndo() const { return snapshots_.canUndo(); }
    bool canRedo() const { return snapshots_.canRedo(); }
    QString undoHint() const { return snapshots_.undoCaption(); }
    QString redoHint() const { return snapshots_.redoCaption(); }
    void undo();
    void redo();

    // --- selection ---
    TSesPrvek* current() const { return current_; }
    bool isSelected(const TSesPrvek* element) const;  // part of a multi-selection
    int selectionCount() const { return selectionCount_; }
    // The current element and every selected one, in page order.
    QList<TSesPrvek*> selectedElements() const;
    void select(TSesPrvek* element);
    void addToSelection(TSesPrvek* element);
    void removeFromSelection(TSesPrvek* element);
    // What a Shift-click does: remove when current or selected, else add.
    void toggleSelection(TSesPrvek* element);
    void clearSelection();

    // --- geometry ---
    static ElementBox box(const TSesPrvek* element);
    // Sets an element's box while it is dragged (no undo step: the drag
    // records one when it ends).
    void setBox(TSesPrvek* element, const ElementBox& box);
    // Moves every selected element but `except` by (dx, dy), each kept inside its section.
    void moveOthersBy(const TSesPrvek* except, int dx, int dy);
    // The keyboard: moves or resizes the current and every selected element
    // of an unlocked section; records "posun prvku". False when nothing moved.
    bool moveSelectionBy(int dx, int dy);
    bool resizeSelectionBy(int dx, int dy);
    // A position or size field: sets the value on the current element (or on
    // every selected one); records "posun prvku" when anything changed.
    bool setGeometryValue(GeometryField field, int value);
    // A section's height dragged to a new value (at least 2); records
    // "změna výšky oddílu" when it changed.
    bool setSectionHeight(int indexOdd, int height);
    // "Přenést dopředu" / "Přesunout dozadu": the current element drawn last /
    // first in its section (no undo step).
    void bringToFront();
    void sendToBack();
    // "Vyrovnat do rastru": left and top of the current and selected elements
    // to the nearest multiple of the template raster (no undo step).
    void alignToRaster();

    // --- the object bar ---
    // Font name, size and style on the current element or every selected text element.
    void setFont(const QString& name, int size, int style);
    void setAlignment(int alignment);  // 0 left, 1 right, 2 centre
    // Rotation 0..3; an odd number of quarter turns swaps width and height.
    void setRotation(int rotation);
    // Typing in the text field: a static text's caption or a variable's
    // format at once; commitText records "změna textu" (Enter).
    void setText(const QString& text);
    void commitText();
    void setBorders(int bits);  // text elements: left 1, top 2, right 4, bottom 8
    void setBarcodeFormat(const QString& format);
    // Lines: colour index, style 0..3, width 1..16 (above 1 the style becomes
    // solid), edges and diagonals as LineBit bits.
    void setLineColour(int colourIndex);
    void setLineStyle(int style);
    void setLineWidth(int width);
    void setLineEdges(int bits);
    // Frames: fill and outline colour for all selected frames; fill style and
    // outline width for a single current frame only.
    void setFillColour(int colourIndex);
    void setOutlineColour(int colourIndex);
    void setFillStyle(int style);
    void setOutlineWidth(int width);
    // Pictures (a single current picture only): the file name relative to the
    // template's folder, stretching and keeping the aspect ratio.
    void setPictureFile(const QString& name);
    void setPictureStretch(bool on);
    void setPictureKeepRatio(bool on);

    // --- clipboard and deleting ---
    // Copies the current element and the selected elements of its section.
    void copy();
    // Copies, then removes them (not in a locked section); "vystřižení do úschovy".
    void cut();
    bool canPaste() const { return !clipboard_.empty(); }
    // Pastes into an unlocked section so that the copied current element's
    // corner lands on the point; "vložení z úschovy". False when nothing was pasted.
    bool paste(int indexOdd, QPoint at);
    // "Výmaz prvku": asks as the options say, removes the element(s) outside
    // locked sections, records "zrušení prvku" (also when declined).
    void deleteSelection();

    // --- user functions ---
    void addFunction(const FunctionDefinition& function);               // "přidání funkce"
    void replaceFunction(int index, const FunctionDefinition& function);  // "oprava funkce"
    // Asks "Smazat vybranou funkci?"; removes the last function, section
    // conditions on it go back to none; "zrušení funkce". False when declined.
    bool removeLastFunction();

signals:
    // Every element and section object may be new (loading, undo, redo).
    void modelReset();
    // Elements or sections changed in place (added, removed, moved, restyled).
    void changed();
    void selectionChanged();
    // The undo/redo state or the modified flag changed.
    void historyChanged();
    void functionsChanged();

private:
    void resetFromLines(const QStringList& lines);
    void saved(const QStringList& lines);
    void afterReset();
    QList<TSesPrvek*> targets(bool textOnly = false) const;
    template <typename Apply>
    bool applyToTargets(Apply apply, bool textOnly, ChangeKind kind);
    void removeElements(const QList<TSesPrvek*>& elements);
    void setCurrentFlags(TSesPrvek* current);

    Messages& messages_;
    EditorOptions options_;
    DataSet* dataSet_ = nullptr;
    std::unique_ptr<DataSetFields> fields_;
    QStringList parameters_;
    QString path_;
    ReportModel model_;
    TListVariant snapshots_;
    bool modified_ = false;
    bool loadedEmpty_ = false;
    bool sortEnabled_ = false;

    TSesPrvek* current_ = nullptr;
    QList<TSesPrvek*> selected_;  // the multi-selection (the current element too while it exists)
    int selectionCount_ = 0;

    std::vector<std::unique_ptr<TSesPrvek>> clipboard_;
    int clipboardCurrent_ = 0;
    QPoint clipboardAnchor_;
};

}  // namespace dorvana
