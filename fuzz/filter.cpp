// Fuzz target: a filter text compiled against a small table and applied.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <cstdint>

#include "data/data_set.h"
#include "data/record_store.h"
#include "quiet_log.h"

namespace {

class Table : public dorvana::RecordStore {
public:
    Table() {
        defs_ = {{"cislo", dorvana::FieldType::Integer, 0, false},
                 {"nazev1", dorvana::FieldType::String, 40, false},
                 {"cena", dorvana::FieldType::Currency, 0, false},
                 {"datum1", dorvana::FieldType::Date, 0, false},
                 {"Název", dorvana::FieldType::String, 10, false},
                 {"ok", dorvana::FieldType::Boolean, 0, false},
                 {"pozn", dorvana::FieldType::Memo, 0, false}};
        rows_ = {
            {QVariant::fromValue<qint64>(1), "ab", 12.5, QDate(2024, 1, 10), "Čaj", true, "x"},
            {QVariant::fromValue<qint64>(2), QVariant(), QVariant(), QVariant(), QVariant(),
             QVariant(), QVariant()},
            {QVariant::fromValue<qint64>(-7), "acž", -0.5, QDate(1999, 12, 31), "Žito", false, ""}};
    }
    QString kindName() const override { return QStringLiteral("fuzz"); }
    const dorvana::FieldDefs& fieldDefs() const override { return defs_; }
    qint64 rowCount() const override { return rows_.size(); }
    bool readRows(qint64 first, qint64 count, QList<dorvana::RawRecord>* out, QString*) override {
        for (qint64 i = first; i < std::min(first + count, rowCount()); ++i) out->append(rows_[i]);
        return true;
    }

private:
    dorvana::FieldDefs defs_;
    QList<dorvana::RawRecord> rows_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static dorvana::DataSet* ds = [] {
        auto* d = new dorvana::DataSet;
        d->addCalculatedField(QStringLiteral("Calc"), dorvana::FieldType::Integer, true);
        d->setStore(std::make_unique<Table>());
        return d;
    }();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    ds->setFiltered(false);
    ds->setFilter(text);
    if (ds->setFiltered(true, &error)) {
        for (ds->first(); !ds->atEnd(); ds->next()) (void)ds->field(0)->value();
    } else if (error.isEmpty() && !text.trimmed().isEmpty()) {
        __builtin_trap();  // a rejected text always says why
    }
    return 0;
}
