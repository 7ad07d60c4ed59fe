#pragma once
// Writing the report model as template lines, in the fixed writer order,
// stamped as version 1.5.

#include <QString>
#include <QStringList>

namespace dorvana {

class ReportModel;

struct TemplateWriteOptions {
    // The data set's field names, by index: they name the group fields when
    // the template names them and join the list of used field names.
    QStringList fieldNames;
};

// The template lines of the model.
QStringList writeTemplate(const ReportModel& model, const TemplateWriteOptions& options = {});

// The field names the template uses (the I,6 list): names carried by field
// value and field label elements, the group fields' names, and the names
// function expressions reference with '#', each once, in that order.
QStringList usedFieldNames(const ReportModel& model, const QStringList& fieldNames = {});

// Writes the template to a file (Windows-1250, CR LF, through a temporary file).
bool saveTemplateFile(const QString& path, const ReportModel& model,
                      const TemplateWriteOptions& options = {}, QString* error = nullptr);

}  // namespace dorvana
