#include "app/core/per_record_print.h"

#include "app/core/print_table.h"
#include "data/data_set.h"
#include "report/expr/value_rules.h"

namespace dorvana {

namespace {

int recordCount(DataSet& source, int field) {
    double v = 0;
    if (field < 0 || source.field(field)->isNull() || !toReal(source.field(field)->value(), &v))
        return 0;
    return copyCount(v);
}

}  // namespace

int printPerRecord(DataSet& source, const QString& countField, ReportSettings& settings,
                   const PrintRecordJob& print) {
    const int field = source.fieldIndex(countField);
    source.first();
    settings.StartPage = 1;
    settings.EndPage = int(source.recordCount());
    settings.TiskJedenZaznam = true;
    settings.PrintCopies = recordCount(source, field);
    if (settings.PrintCopies == 0 || !print(settings, true)) return 0;
    int jobs = 1;
    source.next();
    const int limit = settings.EndPage;
    if (source.recNo() > 2) source.setRecNo(settings.StartPage);
    settings.StartPage = 1;
    while (!source.atEnd() && source.recNo() <= limit) {
        settings.PrintCopies = recordCount(source, field);
        if (settings.PrintCopies != 0 && print(settings, false)) ++jobs;
        source.next();
    }
    return jobs;
}

}  // namespace dorvana
