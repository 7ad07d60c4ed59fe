#pragma once
// A label file with numbered records for the control tests: record i (1-based)
// has cislo = 10 * i and nazev1 "Položka i".

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "data/label_file.h"

namespace dorvana::test {

inline bool writeNumberedLabels(const QString& path, int count, QString* error) {
    if (!createLabelFile(path, error)) return false;
    auto store = LabelFileStore::open(path, error);
    if (!store) return false;
    QList<RawRecord> rows;
    for (int i = 1; i <= count; ++i) {
        RawRecord r(labelRecordFields().size());
        r[0] = QVariant::fromValue<qint64>(10 * i);
        r[1] = QStringLiteral("Položka %1").arg(i);
        rows << r;
    }
    return rows.isEmpty() || store->insertMany(rows, error);
}

struct LabelFixture {
    QTemporaryDir dir;
    QString path;
    std::unique_ptr<DataSet> dataSet;

    explicit LabelFixture(int count) {
        path = dir.filePath(QStringLiteral("etikety.db"));
        QString err;
        EXPECT_TRUE(writeNumberedLabels(path, count, &err)) << err.toStdString();
        dataSet = openLabelDataSet(path, &err);
        EXPECT_TRUE(dataSet) << err.toStdString();
    }
};

}  // namespace dorvana::test
