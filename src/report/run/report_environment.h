#pragma once
// ReportEnvironment: what the report library keeps for the whole program.
// The application creates one when it starts and hands it to its report
// components and windows: the settings file "sestdll.ini" in the start
// directory (editor options and user paper formats) and the editor options
// read from it. Nothing else of the report library is process-wide.

#include <QString>

#include "report/model/editor_options.h"

namespace dorvana {

class ReportEnvironment {
public:
    // The settings file is "sestdll.ini" in the directory; the editor options
    // are read from it at once.
    explicit ReportEnvironment(const QString& directory);

    const QString& settingsFilePath() const { return settingsFilePath_; }

    const EditorOptions& editorOptions() const { return editorOptions_; }
    // Reads the options again, as every report window does when it opens
    // (nameFields/enabledTypeFields: the report component's settings).
    const EditorOptions& reloadEditorOptions(bool nameFields = true, bool enabledTypeFields = false);
    // Writes the options to the settings file and keeps them; false with a
    // Czech message when the file cannot be written (the options stay as they were).
    bool saveEditorOptions(const EditorOptions& options, QString* error = nullptr);

private:
    QString settingsFilePath_;
    EditorOptions editorOptions_;
};

}  // namespace dorvana
