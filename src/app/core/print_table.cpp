#include "app/core/print_table.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSet>
#include <algorithm>

#include "base/names.h"
#include "base/progress.h"
#include "base/rounding.h"
#include "data/data_set.h"
#include "data/sqlite_db.h"
#include "data/table_open.h"
#include "report/expr/value_rules.h"

namespace dorvana {

namespace {

// The picture a file holds, as the file's bytes; empty when the file is
// missing or is no picture Qt reads.
QByteArray pictureFile(const QString& path) {
    if (path.trimmed().isEmpty()) return {};
    QFile f(path.trimmed());
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    QImageReader probe(&f);
    f.seek(0);
    return probe.canRead() ? bytes : QByteArray();
}

bool isWholeNumber(FieldType t) {
    return t == FieldType::Smallint || t == FieldType::Integer || t == FieldType::Word ||
           t == FieldType::Autoinc;
}

// A numeric field's value; 0 when it has none.
double number(const Field& f) {
    double v = 0;
    return !f.isNull() && toReal(f.value(), &v) ? v : 0.0;
}

struct Counter {
    int field;  // position among the stored fields
    double value;
    double step;
    bool whole;
};

}  // namespace

bool needsPrintTable(bool marks, const PrintRoles& roles, bool filtered) {
    return marks || roles.copy || roles.picture || filtered;
}

int copyCount(double value) {
    const qint64 n = roundHalfEven64(value);
    return int(std::clamp<qint64>(n, 0, kMaxCopyCount));
}

bool buildPrintTable(const PrintTableRequest& r, int* written, QString* error) {
    *written = 0;
    DataSet& shown = *r.shown;
    // The stored fields, in order; the picture file field becomes a picture.
    QList<int> stored;
    FieldDefs defs;
    int pictureAt = -1;
    for (int i = 0; i < shown.fieldCount(); ++i) {
        const Field* f = shown.field(i);
        if (f->isCalculated()) continue;
        FieldDef d = f->def();
        if (r.roles.picture && sameName(f->name(), r.roles.pictureField)) {
            d.type = FieldType::Graphic;
            d.size = 0;
            pictureAt = int(stored.size());
        }
        stored << i;
        defs << d;
    }
    if (!createTable(r.path, TableKind::Sqlite, defs, error)) return false;
    SqliteDb db;
    if (!db.open(r.path, SqliteDb::Mode::ReadWrite, error)) return false;
    QStringList names, marks;
    for (const FieldDef& d : defs) {
        names << sqlIdentifier(d.name);
        marks << QStringLiteral("?");
    }
    SqliteStatement insert;
    if (!db.exec(QStringLiteral("BEGIN"), error) ||
        !insert.prepare(db,
                        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(sqlIdentifier(QFileInfo(r.path).completeBaseName()),
                                 names.join(u','), marks.join(u',')),
                        error))
        return false;
    auto add = [&](const QList<QVariant>& values) {
        for (int k = 0; k < values.size(); ++k) insert.bind(k + 1, values[k]);
        const bool ok = insert.execute(error);
        insert.reset();
        insert.clearBindings();
        if (ok) ++*written;
        return ok;
    };

    // Blank records for the labels of a sheet that are used already.
    int copyAt = -1;
    for (int k = 0; k < defs.size(); ++k)
        if (sameName(defs[k].name, QLatin1String("COPY"))) copyAt = k;
    if (copyAt >= 0 && r.labelPosition > 1)
        for (int n = 0; n < r.labelPosition; ++n) {
            QList<QVariant> blank(defs.size());
            blank[copyAt] = -1;
            if (!add(blank)) return false;
        }

    const int copyField = r.roles.copy ? shown.fieldIndex(r.roles.copyField) : -1;
    const int markField = r.marks.isEmpty() ? -1 : shown.fieldIndex(r.markField);
    const QSet<qint32> marked(r.marks.cbegin(), r.marks.cend());
    // The current record with its copies; false when writing failed.
    auto addRecord = [&]() {
        if (markField >= 0 && !marked.contains(qint32(number(*shown.field(markField))))) return true;
        const int count = copyField >= 0 ? copyCount(number(*shown.field(copyField))) : 1;
        if (count == 0) return true;
        QList<QVariant> values;
        for (int i : stored) values << shown.rawValue(i);
        if (pictureAt >= 0) values[pictureAt] = pictureFile(shown.rawValue(stored[pictureAt]).toString());
        QList<Counter> counters;
        for (const PrintCounter& c : r.counters) {
            const int at = int(stored.indexOf(shown.fieldIndex(c.field)));
            if (at < 0) continue;
            const Field* f = shown.field(stored[at]);
            counters.append({at, number(*f), c.step, isWholeNumber(f->dataType())});
        }
        if (!add(values)) return false;
        for (int k = 1; k < count; ++k) {
            for (const Counter& c : counters) {
                const double v = c.value + k * c.step;
                values[c.field] = c.whole ? QVariant(qint64(roundHalfEven64(v))) : QVariant(v);
            }
            if (!add(values)) return false;
        }
        return true;
    };

    if (r.currentRecordOnly) {
        if (!shown.isEmpty() && !addRecord()) return false;
    } else {
        const qint64 total = shown.recordCount();
        shown.disableControls();
        struct Release {
            DataSet& d;
            ~Release() {
                d.first();
                d.enableControls();
            }
        } release{shown};
        qint64 done = 0;
        for (shown.first(); !shown.isEmpty() && !shown.atEnd(); shown.next()) {
            if (r.progress) {
                if (r.progress->cancelled()) {
                    if (error) *error = QStringLiteral("Příprava tisku byla přerušena.");
                    return false;
                }
                ++done;
                r.progress->step(int(done), int(total),
                                 QStringLiteral("Připravuji záznamy k tisku: %1 z %2").arg(done).arg(total));
            }
            if (!addRecord()) return false;
        }
    }
    insert.finalize();
    return db.exec(QStringLiteral("COMMIT"), error);
}

}  // namespace dorvana
