#pragma once
// A read-only table held in memory: records the program made itself (or a
// test or benchmark fixture) served through the ordinary data-set interface.

#include <QList>

#include "data/record_store.h"

namespace dorvana {

class MemoryStore : public RecordStore {
public:
    MemoryStore(FieldDefs defs, QList<RawRecord> rows)
        : defs_(std::move(defs)), rows_(std::move(rows)) {}
    QString kindName() const override { return QStringLiteral("paměť"); }
    const FieldDefs& fieldDefs() const override { return defs_; }
    qint64 rowCount() const override { return rows_.size(); }
    bool readRows(qint64 first, qint64 count, QList<RawRecord>* out, QString*) override {
        for (qint64 i = std::max<qint64>(first, 0); i < std::min(first + count, rowCount()); ++i)
            out->append(rows_[i]);
        return true;
    }

private:
    FieldDefs defs_;
    QList<RawRecord> rows_;
};

}  // namespace dorvana
