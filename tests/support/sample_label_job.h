#pragma once
// The sample price label template (etiketa.pte: one 60 x 40 mm label a page)
// over the sample goods table, set up in a report component limited to three
// pages, with its corrections file (opravy.txt) in a temporary folder.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "data/data_set.h"
#include "data/table_open.h"
#include "report/run/report_component.h"
#include "support/test_support.h"

namespace dorvana::test {

struct SampleLabelJob {
    // Opens the table and sets the component up; a failure fails the test.
    void prepare() {
        QString error;
        data = openAnyTable(sourcePath(QStringLiteral("samples/data/zbozi.csv")), &error);
        ASSERT_TRUE(data) << error.toStdString();
        source.dataSet = data.get();
        component.DataSource = &source;
        component.ReportDirIgnore = false;
        component.setReportDir(sourcePath(QStringLiteral("samples/templates")));
        component.ReportName = QStringLiteral("etiketa.pte");
        component.setOpravyDir(dir.path());
        component.OpravyName = QStringLiteral("opravy.txt");
        component.EndPage = 3;
    }
    QString correctionsPath() const { return dir.filePath(QStringLiteral("opravy.txt")); }

    QTemporaryDir dir;
    std::unique_ptr<DataSet> data;
    ReportDataSource source;
    TSestava component;
};

}  // namespace dorvana::test
