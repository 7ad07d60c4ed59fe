#pragma once
// The template being designed: the report model of one template, its undo
// history, the selection, the element clipboard and every change the
// designer's views make. Views never change the model themselves: they call
// this object, which makes each change one undo command (edit_commands.h),
// and repaint on its signals. Dialogs edit a copy (modelCopy, an element's
// clone) and hand it back. Runs without windows.

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "report/designer/document/change_kind.h"
#include "report/model/editor_options.h"
#include "report/designer/document/surface_geometry.h"
#include "report/designer/document/edit_history.h"
#include "report/model/report_model.h"

namespace dorvana {

class DataSet;
class DataSetFields;
class ReportFieldSource;
class Messages;
class TSesPrvek;
class TOddil;
class DocumentCommand;

// The position and size fields of the object bar ("L:", "H:", "Š:", "V:").
enum class GeometryField { Left, Top, Width, Height };

// What a value typed into a position or size field does.
enum class GeometryEntry {
    Set,        // set on the element(s) as typed
    Unchanged,  // the same value: nothing to do
    Outside,    // would put an element outside its section: refused
    Invalid,    // not a number, or a size below the smallest: refused
};

// The record navigation buttons.
enum class RecordMove { First, Prior, Next, Last };

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
    // Whether the template differs from the file (or the text) it was loaded
    // from or saved to: the history is not at its clean point.
    bool isModified() const { return modifiedBeyondHistory_ || !history_.isClean(); }
    // The template text of the model now, as saving writes it.
    QStringList templateLines() const;
    // Whether the loaded file had no line at all (the designer then starts a new template).
    bool loadedEmpty() const { return loadedEmpty_; }

    // --- the model ---
    const ReportModel& model() const { return *model_; }
    // A copy of the whole model for a dialog to edit (the settings dialog);
    // replaceModel takes it back.
    std::unique_ptr<ReportModel> modelCopy() const;
    // The edited copy becomes the model as one undo step of that kind (the
    // selection is cleared, the passes follow the sections). When its text
    // is the template's text now, nothing is recorded unless `always`.
    // False when nothing was recorded.
    bool replaceModel(std::unique_ptr<ReportModel> edited, ChangeKind kind, bool always = false);
    // The title ("Název") as one step "nastavení oddílů a skupin".
    void setTitle(const QString& title);
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
    // An element changed as a dialog changed its copy: `edit` gets a clone
    // of the element; when the clone differs afterwards it becomes the
    // element's state as one step of that kind, the element the only selected
    // one. False when nothing changed.
    bool changeElement(TSesPrvek* element, const std::function<void(TSesPrvek&)>& edit,
                       ChangeKind kind);

    // --- record navigation ---
    // Moves the data set and shows the field values of the new record.
    void moveRecord(RecordMove how);
    // Whether the data set can move towards its start / its end.
    bool canMoveBack() const;
    bool canMoveForward() const;

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
    const EditHistory& history() const { return history_; }
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    // "Zrušit " + the step's name, "Zrušit změny" when nothing can be undone;
    // "Znovu " + name, "Znovu změny" likewise.
    QString undoHint() const;
    QString redoHint() const;
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
    // A mouse drag of an element: its box as the drag has it now; when it
    // moved and is part of a multi-selection, the other selected elements
    // move by as much, each kept inside its section. Nothing is recorded
    // until endDrag, which records "posun prvku" when anything moved.
    void dragTo(TSesPrvek* element, const ElementBox& box);
    void endDrag();
    // The keyboard: moves or resizes the current and every selected element
    // of an unlocked section by "posun prvku"; repeated presses on the same
    // elements make one step. False when nothing moved.
    bool moveSelectionBy(int dx, int dy);
    bool resizeSelectionBy(int dx, int dy);
    // What Enter with a value in a position or size field would do, and the
    // message that says why a value is refused (empty when it is not).
    GeometryEntry checkGeometryValue(GeometryField field, int value) const;
    static QString geometryRefusal(GeometryEntry entry);
    // A position or size field: sets exactly the value on the current element
    // (or on every selected one) as one step "posun prvku". A value that
    // would put an element outside its section is refused, never changed.
    GeometryEntry setGeometryValue(GeometryField field, int value);
    // A section's height dragged to a new value (at least 2); records
    // "změna výšky oddílu" when it changed.
    bool setSectionHeight(int indexOdd, int height);
    // "Přenést dopředu" / "Přesunout dozadu": the current element drawn last /
    // first in its section; one step "nastavení prvku" when its place changed.
    void bringToFront();
    void sendToBack();
    // "Vyrovnat do rastru": left and top of the current and selected elements
    // to the nearest multiple of the template raster; one step "posun prvku"
    // when anything moved.
    void alignToRaster();

    // --- the object bar ---
    // Font name, size and style on the current element or every selected text element.
    void setFont(const QString& name, int size, int style);
    void setAlignment(int alignment);  // 0 left, 1 right, 2 centre
    // Rotation 0..3; an odd number of quarter turns swaps width and height.
    void setRotation(int rotation);
    // Typing in the text field: a static text's caption or a variable's
    // format at once; commitText records "změna textu" (Enter), and so does
    // any other change or selection that comes first.
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
    friend class DocumentCommand;
    // What a command changed, for the views.
    enum Effect { Elements = 1, Structure = 2, Functions = 4 };
    void afterCommand(int effects);
    void push(std::unique_ptr<DocumentCommand> command);
    void applyUndoLimit();
    void resetFromLines(const QStringList& lines);
    void saved();
    void afterReset();
    QStringList linesOf(const ReportModel& model) const;
    CaptionSources captionSources() const;
    QList<TSesPrvek*> targets(bool textOnly = false) const;
    template <typename Apply>
    bool applyToTargets(Apply apply, bool textOnly, ChangeKind kind);
    bool changeElements(const QList<TSesPrvek*>& elements,
                        const std::function<void(TSesPrvek&)>& edit, ChangeKind kind);
    enum class Nudge { None, Move, Resize };
    bool moveElementsTo(const QList<TSesPrvek*>& elements, const QList<ElementBox>& boxes,
                        Nudge nudge);
    bool reorderCurrent(int position);
    void removeElements(const QList<TSesPrvek*>& elements, ChangeKind kind);
    void commitPendingText();
    void forgetGone();
    void selectionMoved();

    Messages& messages_;
    EditorOptions options_;
    DataSet* dataSet_ = nullptr;
    std::unique_ptr<DataSetFields> fields_;
    QStringList parameters_;
    QString path_;
    std::unique_ptr<ReportModel> model_;
    EditHistory history_;
    // Set when the state without history differs from the file (a new
    // template from the wizard, changes the history no longer holds).
    bool modifiedBeyondHistory_ = false;
    bool loadedEmpty_ = false;
    // The boxes at the start of the mouse drag under way.
    QList<TSesPrvek*> dragged_;
    QList<ElementBox> dragStart_;
    // The element whose text is being typed, as it was before.
    std::unique_ptr<TSesPrvek> textBefore_;
    TSesPrvek* textElement_ = nullptr;
    // Key presses on the same selection make one step; the selection changing starts a new one.
    int nudgeSeries_ = 0;
    bool sortEnabled_ = false;

    TSesPrvek* current_ = nullptr;
    QList<TSesPrvek*> selected_;  // the multi-selection (the current element too while it exists)
    int selectionCount_ = 0;

    std::vector<std::unique_ptr<TSesPrvek>> clipboard_;
    int clipboardCurrent_ = 0;
    QPoint clipboardAnchor_;
};

}  // namespace dorvana
