#pragma once
// The temporary print table "tempprn.db": the records of the shown table a
// print run uses — only the marked ones, under the table's filter, each as
// many times as its copy count says with its counters stepped, after the
// blank records that skip used labels of a sheet ("Pozice etikety") — and
// the picture files the records name, loaded into the picture field.

#include <QList>
#include <QString>

#include "app/core/print_roles.h"

namespace dorvana {

class DataSet;
class Progress;

inline constexpr int kMaxCopyCount = 65535;

struct PrintTableRequest {
    DataSet* shown = nullptr;   // in its current order and under its filter
    QList<qint32> marks;        // record numbers (calc); empty: every record
    QString markField;          // the record-number field the marks name ("calc" / "Calc")
    PrintRoles roles;
    QList<PrintCounter> counters;
    int labelPosition = 1;      // "Pozice etikety": n > 1 puts n blank COPY = -1 records first
    QString path;               // data directory + "tempprn.db"
    // Only the current record of the shown table (a label template without
    // marks); the shown table stays on it.
    bool currentRecordOnly = false;
    Progress* progress = nullptr;  // may be null
};

// Whether a run prints from the temporary table: marks, a copy count, a
// picture file field or a filter.
bool needsPrintTable(bool marks, const PrintRoles& roles, bool filtered);

// The copy count of a field value: rounded to a whole number, 0 ... 65535
// (negative counts print nothing, larger ones are capped).
int copyCount(double value);

// Creates the table anew (the stored fields of the shown table in their
// order; a picture file field becomes a picture) and fills it in one
// transaction. The shown table ends on its first record (on its current one
// with currentRecordOnly). False with a Czech
// message (the table may then be incomplete); cancelled through the progress.
bool buildPrintTable(const PrintTableRequest& request, int* written, QString* error);

}  // namespace dorvana
