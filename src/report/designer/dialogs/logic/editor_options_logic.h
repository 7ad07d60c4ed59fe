#pragma once
// The logic of the editor options dialog ("Prostředí editoru sestav"): the
// zoom list and the numeric fields, converted when the dialog closes with OK.

#include <QString>
#include <QStringList>
#include <optional>

#include "report/model/editor_options.h"

namespace dorvana {

// "32 %" ... "300 %" for the sixteen zoom steps.
QStringList zoomItems();

// The numeric fields as typed.
struct EditorOptionsTexts {
    QString rasterX, rasterY, undoSteps, width, height;
};

EditorOptionsTexts editorOptionsTexts(const EditorOptions& options);

// The options with the typed numbers; nothing, with a Czech message naming
// the entry, when one of them is not an integer (the file is then not written).
std::optional<EditorOptions> applyEditorOptionsTexts(EditorOptions options,
                                                     const EditorOptionsTexts& texts,
                                                     QString* error);

}  // namespace dorvana
