#pragma once
// A designer document over a copy of a sample template in a temporary
// folder, with the sample goods table as its data set.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

#include "data/table_open.h"
#include "report/designer/document/designer_document.h"
#include "support/scripted_messages.h"
#include "support/test_support.h"

namespace dorvana::test {

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QString error;
        table = openAnyTable(sourcePath(QStringLiteral("samples/data/zbozi.csv")), &error);
        ASSERT_TRUE(table) << error.toStdString();
        if (!table->isOpen()) {
            ASSERT_TRUE(table->open(&error)) << error.toStdString();
        }
    }

    // Copies a sample template into the folder and opens it in a new document.
    void openSample(const QString& name, const EditorOptions& options = {}) {
        path = dir.filePath(name);
        QFile::remove(path);
        ASSERT_TRUE(QFile::copy(sourcePath(QStringLiteral("samples/templates/") + name), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        original = fileBytes(path);
        doc = std::make_unique<DesignerDocument>(messages, options);
        doc->setDataSet(table.get());
        ASSERT_TRUE(doc->open(path));
    }

    // Changes the model as a dialog does: on a copy the document takes back
    // as one step.
    void editModel(const std::function<void(ReportModel&)>& change) {
        std::unique_ptr<ReportModel> copy = doc->modelCopy();
        change(*copy);
        doc->replaceModel(std::move(copy), ChangeKind::Settings, true);
    }

    // The written line of an element (its section code first).
    QString lineOf(const TSesPrvek* e) const {
        const QStringList lines = doc->templateLines();
        const QString pos = QStringLiteral(",%1,%2,%3,%4,").arg(e->X).arg(e->Y).arg(e->W).arg(e->H);
        for (const QString& l : lines)
            if (!l.startsWith(u'I') && !l.startsWith(u'F') && l.contains(pos)) return l;
        return QString();
    }

    QTemporaryDir dir;
    std::unique_ptr<DataSet> table;
    ScriptedMessages messages;
    std::unique_ptr<DesignerDocument> doc;
    QString path;
    QByteArray original;
};

}  // namespace dorvana::test
