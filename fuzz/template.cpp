// Arbitrary bytes as a template file: reading never crashes, and what the
// writer makes of the model reads back into a model it writes identically.
#include <QCoreApplication>
#include <cstddef>
#include <cstdint>

#include "base/code_page.h"
#include "base/text_file.h"
#include "report/model/report_model.h"
#include "report/model/template_reader.h"
#include "report/model/template_writer.h"
#include "quiet_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace dorvana;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = splitLines(decodeSystemText(bytes));
    TemplateReadOptions options;
    options.fieldIndex = [](const QString& name) {
        return name.compare(QLatin1String("nazev1"), Qt::CaseInsensitive) == 0 ? 1 : -1;
    };
    ReportModel model;
    readTemplate(lines, &model, options);
    const QStringList written = writeTemplate(model);
    // The writer's text survives the file's code page unchanged.
    const QStringList stored = splitLines(
        decode(encode(joinLines(written), CodePage::Windows1250), CodePage::Windows1250));
    ReportModel again;
    const TemplateReadResult r = readTemplate(stored, &again, options);
    if (!r.complete || writeTemplate(again) != stored) __builtin_trap();
    return 0;
}
