#pragma once
// The designer window on a copy of a sample template over the sample goods
// table, and a helper that acts on a modal dialog once the window opens it.

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "data/table_open.h"
#include "report/designer/designer_palette.h"
#include "report/designer/designer_surface.h"
#include "report/designer/document/designer_document.h"
#include "report/designer/designer_window.h"
#include "report/designer/object_bar.h"
#include "report/model/section.h"
#include "report/run/report_component.h"
#include "support/scripted_messages.h"
#include "support/test_support.h"

namespace dorvana::test {

// Calls act with the next modal widget of type D as soon as one is shown
// (the caller then opens it with a command that blocks until it closes).
// Gives up after thirty seconds; *seen tells whether it came.
template <typename D>
void whenModal(std::function<void(D*)> act, bool* seen = nullptr) {
    if (seen) *seen = false;
    auto* timer = new QTimer;
    timer->setInterval(10);
    auto tries = std::make_shared<int>(3000);
    QObject::connect(timer, &QTimer::timeout, [timer, act, seen, tries] {
        if (auto* d = dynamic_cast<D*>(QApplication::activeModalWidget()); d && d->isVisible()) {
            timer->stop();
            timer->deleteLater();
            if (seen) *seen = true;
            act(d);
        } else if (--*tries <= 0) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

template <typename W>
W* named(const QObject* parent, const char* name) {
    W* w = parent->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// The designer window on a copy of cenik.pts over the sample goods table.
class DesignerWindow : public ::testing::Test {
protected:
    void SetUp() override { openTemplate(QStringLiteral("cenik.pts")); }

    // Opens the designer on a copy of a sample template (an empty file for
    // a name that is not a sample).
    void openTemplate(const QString& name) {
        prepareComponent(name);
        openWindow();
    }

    // Opens the window on the prepared component (again, after a reset).
    void openWindow() {
        window = std::make_unique<TFormSestE>(component, messages, options, services);
        ASSERT_TRUE(window->load());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        surface = window->surface();
        doc = &window->document();
    }

    // The template file and the report component over the goods table.
    void prepareComponent(const QString& name) {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(name);
        const QString sample = sourcePath(QStringLiteral("samples/templates/") + name);
        if (QFile::exists(sample)) {
            ASSERT_TRUE(QFile::copy(sample, path));
        } else {
            QFile empty(path);
            ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
        }
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        original = fileBytes(path);
        QString error;
        table = openAnyTable(sourcePath(QStringLiteral("samples/data/zbozi.csv")), &error);
        ASSERT_TRUE(table);
        if (!table->isOpen()) {
            ASSERT_TRUE(table->open(&error));
        }
        source.dataSet = table.get();
        component.ReportDirIgnore = false;
        component.setReportDir(dir.path());
        component.ReportName = name;
        component.ReportSaveDialog = false;
        component.DataSource = &source;
        component.Parametry = {QStringLiteral("první"), QStringLiteral("druhý")};
    }

    // Drags with the left button from one surface point to another, in steps.
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {}) {
        QTest::mousePress(surface, Qt::LeftButton, mods, from);
        for (int i = 1; i <= 4; ++i) QTest::mouseMove(surface, from + (to - from) * i / 4);
        QTest::mouseRelease(surface, Qt::LeftButton, mods, to);
    }

    // Changes the model as a dialog does: on a copy the document takes back
    // as one step.
    void editModel(const std::function<void(ReportModel&)>& change) {
        std::unique_ptr<ReportModel> copy = doc->modelCopy();
        change(*copy);
        doc->replaceModel(std::move(copy), ChangeKind::Settings, true);
    }

    TSesPrvek* headerElement(int i) const { return doc->section(PlanSection::PageHeader)->element(i); }
    QPoint centre(const TSesPrvek* e) const { return surface->elementRect(e).center(); }

    QTemporaryDir dir;
    QString path;
    QByteArray original;
    std::unique_ptr<DataSet> table;
    ReportDataSource source;
    TSestava component;
    ScriptedMessages messages;
    EditorOptions options;
    DesignerServices services;  // as the window is opened with
    std::unique_ptr<TFormSestE> window;
    DesignerSurface* surface = nullptr;
    DesignerDocument* doc = nullptr;
};

}  // namespace dorvana::test
