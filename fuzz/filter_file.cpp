// Fuzz target: arbitrary bytes as a filter file (*.flt): its first line read
// as the filter dialog's "Načti" reads it, then applied to a small table of
// every field kind. Nothing crashes, however long or deep the text; a text
// the engine refuses always says why and leaves every record shown.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <cstdint>

#include "app/core/filter_composer.h"
#include "data/data_set.h"
#include "data/memory_store.h"
#include "quiet_log.h"

namespace {

dorvana::DataSet* table() {
    using dorvana::FieldType;
    static dorvana::DataSet* ds = [] {
        const dorvana::FieldDefs defs{{"cislo", FieldType::Integer, 0, false},
                                      {"nazev1", FieldType::String, 40, false},
                                      {"cena", FieldType::Currency, 0, false},
                                      {"datum1", FieldType::Date, 0, false},
                                      {"Název", FieldType::String, 10, false},
                                      {"ok", FieldType::Boolean, 0, false},
                                      {"pozn", FieldType::Memo, 0, false}};
        const QList<dorvana::RawRecord> rows{
            {QVariant::fromValue<qint64>(1), "ab", 12.5, QDate(2024, 1, 10), "Čaj", true, "x"},
            {QVariant::fromValue<qint64>(2), QVariant(), QVariant(), QVariant(), QVariant(),
             QVariant(), QVariant()},
            {QVariant::fromValue<qint64>(-7), "acž", -0.5, QDate(1999, 12, 31), "Žito", false, ""}};
        auto* d = new dorvana::DataSet;
        d->addCalculatedField(QStringLiteral("Calc"), FieldType::Integer, true);
        d->setStore(std::make_unique<dorvana::MemoryStore>(defs, rows));
        return d;
    }();
    return ds;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = dorvana::filterTextOfFile(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    dorvana::DataSet* ds = table();
    QString error;
    ds->setFiltered(false);
    ds->setFilter(text);
    if (ds->setFiltered(true, &error)) {
        int shown = 0;
        for (ds->first(); !ds->atEnd(); ds->next(), ++shown) (void)ds->field(7)->value();
        if (shown > 3) __builtin_trap();
    } else if (ds->recordCount() != 3 || (error.isEmpty() && !text.trimmed().isEmpty())) {
        __builtin_trap();
    }
    return 0;
}
