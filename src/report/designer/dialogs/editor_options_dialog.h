#pragma once
// TSestKonfigDlg ("Prostředí editoru sestav"): the editor options on the
// pages "Pr" (the editor) and "Ph" (initial properties of inserted elements).

#include <QDialog>
#include <QFont>
#include <functional>

#include "report/designer/dialogs/logic/editor_options_logic.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace dorvana {

class Messages;

// The sample text of the initial font, sized as an inserted element.
class FontSample : public QWidget {
public:
    explicit FontSample(QWidget* parent = nullptr);
    void setSample(const QFont& font, QColor colour, int width, int height, int alignment);
    QSize sizeHint() const override { return {240, 90}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QFont font_;
    QColor colour_;
    int width_ = 200, height_ = 20, alignment_ = 0;
};

struct EditorOptionsContext {
    bool enabledTypeFields = false;  // "Sledovat podle názvu" may be changed
    Messages* messages = nullptr;
    // The font dialog of "Předvolené písmo ..." (the platform's when unset).
    std::function<bool(QFont&)> chooseFont;
    // "&Tiskárna..": the printer setup. Unset: the button is disabled.
    std::function<void()> printerSetup;
};

class TSestKonfigDlg : public QDialog {
public:
    TSestKonfigDlg(const EditorOptions& options, const EditorOptionsContext& context,
                   QWidget* parent = nullptr);
    // The options as the controls hold them; nothing when a number is not an integer.
    std::optional<EditorOptions> options(QString* error = nullptr) const;
    QTabWidget* tabs() const { return tabs_; }
    void accept() override;

private:
    void updateSample();
    EditorOptions base_;
    EditorOptionsContext context_;
    QTabWidget* tabs_;
    QComboBox *zoom_, *alignment_;
    QLineEdit *rasterX_, *rasterY_, *undo_, *width_, *height_;
    QCheckBox *showRaster_, *snap_, *askOne_, *askMany_, *undoSave_, *fieldList_, *byName_;
    FontSample* sample_;
};

// Shows the dialog; the options on "&Konec" (the caller writes them).
std::optional<EditorOptions> editEditorOptions(const EditorOptions& options,
                                               const EditorOptionsContext& context,
                                               QWidget* parent = nullptr);

}  // namespace dorvana
