#include "report/run/report_environment.h"

#include <QDir>

namespace dorvana {

ReportEnvironment::ReportEnvironment(const QString& directory)
    : settingsFilePath_(QDir(directory).filePath(QStringLiteral("sestdll.ini"))) {
    reloadEditorOptions();
}

const EditorOptions& ReportEnvironment::reloadEditorOptions(bool nameFields,
                                                            bool enabledTypeFields) {
    editorOptions_ = readEditorOptions(settingsFilePath_, nameFields, enabledTypeFields);
    return editorOptions_;
}

bool ReportEnvironment::saveEditorOptions(const EditorOptions& options, QString* error) {
    if (!writeEditorOptions(settingsFilePath_, options, error)) return false;
    editorOptions_ = options;
    return true;
}

}  // namespace dorvana
