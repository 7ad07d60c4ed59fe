#pragma once
// TFormSestE: the designer window of one template. It shows the document's
// page on the editing surface with the palette, the object bar, the tool
// bar's commands (saving, closing, undo and redo, zoom, record navigation,
// element commands) and the pointer coordinates in the status bar.

#include <QMainWindow>
#include <functional>

#include "report/designer/designer_services.h"
#include "report/model/editor_options.h"
#include "report/model/paper/format_list.h"

class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QToolButton;

namespace dorvana {

class DesignerDocument;
enum class RecordMove;
class DesignerPalette;
class DesignerSurface;
class Messages;
class ObjectBar;
class Printer;
class TSestava;
class ValueSource;
struct FunctionEditContext;
struct ReportSettingsContext;

class TFormSestE : public QMainWindow {
    Q_OBJECT
public:
    TFormSestE(TSestava& component, Messages& messages, const EditorOptions& options = {},
               DesignerServices services = {}, QWidget* parent = nullptr);
    ~TFormSestE() override;

    // Loads the component's template (its in-memory text or its file); false
    // when it cannot be loaded: the window must not open.
    bool load();
    // Opens the designer for the component's template and returns when the
    // window has closed. The result is false: every way of closing it cancels.
    static bool edit(TSestava& component, Messages& messages, const EditorOptions& options = {},
                     DesignerServices services = {}, QWidget* parent = nullptr);

    DesignerDocument& document() { return *doc_; }
    DesignerSurface* surface() const { return surface_; }
    DesignerPalette* palette() const { return palette_; }
    ObjectBar* objectBar() const { return objectBar_; }
    // The zoom list's index (0..15; 6 = 100 %).
    void setZoomIndex(int index);
    int zoomIndex() const;
    // "Uložení předlohy": false when nothing was written.
    bool saveTemplate();
    // "Nastavení předlohy": the report settings dialog (on the page of a
    // section when one is given).
    void openSettings(int indexOdd = -1);
    // "Nastavení prostředí": the editor options dialog.
    void openOptions();
    // "Nová předloha": the page emptied, then the wizard.
    void newTemplate();
    // "Nastavit prvek" (a double click on the current element).
    void configureElement();
    // "Ukázka před tiskem" and "Tisk sestavy" over the template as it is now.
    void previewTemplate();
    void printTemplate();
    // The function buttons "Přidej" and "Oprav".
    void addFunction();
    void editFunction();
    // The window's caption as it should read now.
    QString captionText() const;

signals:
    // The window has closed (the user agreed to it).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addCommand(const QString& caption, const QString& objectName, const QString& glyph);
    void buildToolBar();
    void refreshCommands();
    void toolChanged(int code);
    void sectionClicked(int indexOdd, QPoint point);
    void moveRecord(RecordMove how);
    void openFontDialog();
    void openBarcodeDialog();
    FunctionEditContext functionContext(ValueSource* source) const;
    ReportSettingsContext settingsContext();
    QString settingsFilePath() const;
    // The reduced settings dialog of a template saved under a new name.
    void confirmNewName(const QString& path);
    // The tool bars and the page, greyed while a preview shows.
    void setDesignEnabled(bool on);
    // Runs a report operation over the template as it is now (preview, print).
    void runOverTemplate(const std::function<void()>& operation);
    // The printer the settings and options work with.
    Printer& printer() const;

    TSestava& component_;
    Messages& messages_;
    DesignerServices services_;
    DesignerDocument* doc_;
    DesignerSurface* surface_ = nullptr;
    DesignerPalette* palette_ = nullptr;
    ObjectBar* objectBar_ = nullptr;
    TListFormatu formats_;
    // Set by "save and restart": closing saves without asking.
    bool saveWithoutAsking_ = false;
    // The component holds the template text in memory, not in a file.
    bool inMemory_ = false;
    QScrollArea* scroll_ = nullptr;
    QComboBox* zoom_ = nullptr;
    QLabel* coordinates_ = nullptr;
    QAction *save_, *close_, *undo_, *redo_, *newTemplate_, *settings_, *options_, *preview_,
        *print_;
    QAction *first_, *prior_, *next_, *last_;
    QAction *delete_, *configure_, *cut_, *copy_, *paste_;
};

}  // namespace dorvana
