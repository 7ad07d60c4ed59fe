// Fuzz target: a dBase file image (and, after a 0xFF 0xFE 0xFD separator, its
// memo file) opened and every record read.
#include <QByteArray>
#include <QString>
#include <cstdint>

#include "data/data_set.h"
#include "data/dbase_file.h"
#include "quiet_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray all(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype sep = all.indexOf(QByteArray("\xFF\xFE\xFD", 3));
    const QByteArray dbf = sep < 0 ? all : all.left(sep);
    const QByteArray memo = sep < 0 ? QByteArray() : all.mid(sep + 3);
    QString error;
    auto store = dorvana::DbaseStore::openBytes(dbf, memo, &error);
    if (!store) return 0;
    dorvana::DataSet ds(std::move(store));
    for (ds.first(); !ds.atEnd(); ds.next())
        for (int i = 0; i < ds.fieldCount(); ++i) (void)ds.field(i)->displayText();
    return 0;
}
