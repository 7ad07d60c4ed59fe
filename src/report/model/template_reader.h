#pragma once
// Reading a template (the lines of a .pts, .pte or .PTF file) into the report model.

#include <QString>
#include <QStringList>
#include <functional>

namespace dorvana {

class ReportModel;

class ReportFieldSource;

struct TemplateReadOptions {
    // Options whose field names are the data set's.
    static TemplateReadOptions forFields(const ReportFieldSource* fields);

    // The data set's field index of a field name (letters compared without
    // regard to case); -1 when not found. Unset: names find no field.
    std::function<int(const QString&)> fieldIndex;
    // Editor defaults (ini keys RastrX, RastrY, ImplCharSet).
    int defaultRasterX = 8;
    int defaultRasterY = 8;
    int defaultCharset = 238;
    // Directory that picture file names are taken relative to; empty: none loaded.
    QString templateDirectory;
};

// The most elements a template may have: the pages of a larger one would
// not fit in memory. A template with more is not read (tooLarge).
inline constexpr int kMaxTemplateElements = 20000;

struct TemplateReadResult {
    // False when a failure stopped reading; what was read before stays in the model.
    bool complete = true;
    int failedLine = -1;  // 0-based index of the line that stopped reading
    QString failure;      // what stopped it
    // Lines recognised as template lines (info, function and element lines
    // of a known section); none means the text is no template at all.
    int templateLines = 0;
    // More than kMaxTemplateElements element lines: no element was read.
    bool tooLarge = false;
    int elementCount = 0;
    // Field names of elements and groups the field source does not have, in
    // the order first met; those elements print nothing. Empty without a
    // field source.
    QStringList unknownFieldNames;
};

// Reads the lines into the model (cleared first; the paper size stays when
// the file does not set it). Info lines are read first, then function lines,
// then element lines section by section, each in file order. Malformed
// tokens take their defaults; a colour index outside 0..15 stops reading.
TemplateReadResult readTemplate(const QStringList& lines, ReportModel* model,
                                const TemplateReadOptions& options = {});

// After reading for a thermal label printer whose device fonts are known:
// text elements set in one of those fonts with a character set below 3 get
// character set 0 (2 on systems outside the NT family).
void adjustDeviceFontCharsets(ReportModel* model, const QStringList& deviceFonts,
                              bool ntFamily = true);

// Reads a template file (Windows-1250, or UTF-8 with a byte-order mark).
// False with a message when the file cannot be read (the model is then
// cleared); otherwise true, with the reading's outcome in *result.
bool loadTemplateFile(const QString& path, ReportModel* model, TemplateReadOptions options = {},
                      TemplateReadResult* result = nullptr, QString* error = nullptr);

}  // namespace dorvana
