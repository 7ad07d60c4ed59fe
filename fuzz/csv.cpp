// Fuzz target: a CSV file opened, typed and read, then written back and read again.
#include <unistd.h>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>

#include "data/csv_file.h"
#include "data/data_set.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path =
        QDir::temp().filePath(QStringLiteral("fuzz-csv-%1.csv").arg(getpid()));
    static const QString copy =
        QDir::temp().filePath(QStringLiteral("fuzz-csv-%1-kopie.csv").arg(getpid()));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    f.write(reinterpret_cast<const char*>(data), qint64(size));
    f.close();
    QString error;
    auto store = dorvana::CsvStore::open(path, &error);
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
