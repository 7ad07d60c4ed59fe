// Fuzz target: a CSV file read from memory, typed and read, then written back
// and read again.
#include <QByteArray>
#include <QDir>
#include <QString>
#include <cstdint>

#include "data/csv_file.h"
#include "data/data_set.h"
#include "scratch.h"
#include "quiet_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString copy = QDir(fuzzScratchDir("csv")).filePath(QStringLiteral("kopie.csv"));
    QString error;
    auto store = dorvana::CsvStore::openBytes(
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), &error);
    if (!store) return 0;
    dorvana::DataSet ds(std::move(store));
    for (ds.first(); !ds.atEnd(); ds.next())
        for (int i = 0; i < ds.fieldCount(); ++i) (void)ds.field(i)->displayText();
    if (dorvana::writeCsvFile(copy, ds, &error)) {
        auto again = dorvana::CsvStore::open(copy, &error);
        if (!again || again->rowCount() != ds.recordCount()) __builtin_trap();
    }
    return 0;
}
