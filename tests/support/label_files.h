#pragma once
// Label files for the tests, written through the table engine.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <gtest/gtest.h>

#include "data/label_file.h"

namespace dorvana::test {

// A new label file holding the rows; false with the message on failure.
inline bool writeLabelRows(const QString& path, const QList<RawRecord>& rows, QString* error) {
    if (!createLabelFile(path, error)) return false;
    auto store = LabelFileStore::open(path, error);
    if (!store) return false;
    return rows.isEmpty() || store->insertMany(rows, error);
}

// A new label file of numbered records: record i (from 1) has cislo i and
// nazev1 "Věc i", its picture (logo) and note from the maps by number.
// Failures fail the test; gives the path.
inline QString writeNumberedLabelFile(const QString& path, int records,
                                      const QMap<int, QByteArray>& logos = {},
                                      const QMap<int, QString>& notes = {}) {
    QList<RawRecord> rows;
    for (int i = 1; i <= records; ++i) {
        RawRecord r(labelRecordFields().size());
        r[0] = QVariant::fromValue<qint64>(i);
        r[1] = QStringLiteral("Věc %1").arg(i);
        if (logos.contains(i)) r[13] = logos[i];
        if (notes.contains(i)) r[14] = notes[i].toUtf8();
        rows << r;
    }
    QString error;
    EXPECT_TRUE(writeLabelRows(path, rows, &error)) << error.toStdString();
    return path;
}

}  // namespace dorvana::test
