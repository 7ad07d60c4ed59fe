#include "app/core/print_roles.h"

#include "base/names.h"
#include "data/data_set.h"
#include "report/expr/format/number_format.h"

namespace dorvana {

namespace {

bool is(const QString& text, const char* word) {
    return sameName(text, QLatin1String(word));
}

bool isNumeric(FieldType t) {
    switch (t) {
        case FieldType::Smallint:
        case FieldType::Integer:
        case FieldType::Word:
        case FieldType::Float:
        case FieldType::Currency:
        case FieldType::BCD:
        case FieldType::Autoinc:
            return true;
        default:
            return false;
    }
}

}  // namespace

PrintRoles readPrintRoles(const QList<PrintColumn>& columns, bool labelFileMode, bool oneRecord) {
    PrintRoles r;
    for (const PrintColumn& c : columns) {
        if (labelFileMode) {
            if (c.fieldName != u"cislo1") continue;
            if (is(c.title, "COPY")) {
                r.copy = true;
                r.copyField = c.fieldName;
            } else if (is(c.title, "PCOPY")) {
                r.perRecord = true;
                r.perRecordField = c.fieldName;
            }
        } else if (is(c.fieldName, "PCOPY")) {
            r.perRecord = true;
            r.perRecordField = c.fieldName;
        } else if (is(c.fieldName, "COPY")) {
            r.copy = true;
            r.copyField = c.fieldName;
        } else if (is(c.fieldName, "PICTURE")) {
            r.picture = true;
            r.pictureField = c.fieldName;
        }
    }
    if (oneRecord) r.copy = false;
    return r;
}

double counterStep(const QString& description) {
    const qsizetype hash = description.indexOf(u'#');
    if (hash < 0) return 1;
    double step = 0;
    const QString text = description.mid(hash + 1, 20).trimmed();
    return parseReal(text, &step) ? step : 1;
}

QList<PrintCounter> printCounters(const QList<PrintColumn>& columns, const DataSet& shown) {
    QList<PrintCounter> out;
    for (const PrintColumn& c : columns) {
        if (out.size() >= kMaxCounters) break;
        if (!c.description.startsWith(QLatin1String("COUNTER"), Qt::CaseInsensitive)) continue;
        const Field* f = shown.findField(c.fieldName);
        if (f && isNumeric(f->dataType())) out.append({f->name(), counterStep(c.description)});
    }
    return out;
}

}  // namespace dorvana
