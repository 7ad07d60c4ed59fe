// Every file the program writes, written onto a full disk: each writer says
// so in Czech naming the file, and the file keeps what it held.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <functional>

#include "app/core/filter_composer.h"
#include "app/core/label_printing.h"
#include "app/core/picture_document.h"
#include "app/core/query_design.h"
#include "app/core/selection_file.h"
#include "app/core/settings_store.h"
#include "data/csv_file.h"
#include "data/data_set.h"
#include "data/table_open.h"
#include "report/layout/pages/corrections.h"
#include "report/layout/pages/corrections_file.h"
#include "report/layout/pages/page_dump.h"
#include "report/layout/pages/page_store.h"
#include "report/model/editor_options.h"
#include "report/model/paper/format_list.h"
#include "report/model/report_model.h"
#include "report/model/template_writer.h"
#include "report/render/page_output.h"
#include "report/render/printer/device_settings.h"
#include "report/render/printer/settings_text.h"
#include "support/scripted_messages.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

PageStore onePage() {
    PageStore pages;
    pages.paper.width = 400;
    pages.paper.height = 200;
    TPrevPrvek frame;
    frame.W = 100;
    frame.H = 50;
    pages.addElement(0, frame);
    return pages;
}

// A writer: writes the file at path, its contents depending on n.
struct Writer {
    const char* what;
    QString file;
    std::function<bool(const QString& path, int n, QString* error)> write;
};

TEST(FullDisk, EveryWriterSaysSoAndKeepsTheOldFile) {
    test::SmallDisk disk(256);
    if (!disk.mounted()) GTEST_SKIP() << disk.whyNot().toStdString();
    QTemporaryDir elsewhere;
    const QString prototype = elsewhere.filePath(QStringLiteral("etiketa.PTF"));
    const QString source = elsewhere.filePath(QStringLiteral("zdroj.csv"));
    ASSERT_TRUE(test::writeBytes(source, "cislo;nazev1\r\n1;Čaj\r\n2;Káva\r\n"));

    const QList<Writer> writers{
        {"program settings and layout files", "dorvana.ini",
         [](const QString& path, int n, QString* error) {
             test::ScriptedMessages messages;
             SettingsStore store;
             store.load(path);
             store.ini().setValue(u"Okno", u"Left", QString::number(n));
             const bool ok = store.save(messages);
             if (!ok) *error = messages.shown.join(u'\n');
             return ok;
         }},
        {"editor options", "sestdll.ini",
         [](const QString& path, int n, QString* error) {
             EditorOptions options;
             options.RastrX = 8 + n;
             return writeEditorOptions(path, options, error);
         }},
        {"paper formats", "formaty.ini",
         [](const QString& path, int, QString* error) { return SaveFormats(TListFormatu(), path, error); }},
        {"selection file", "vyber.sgn",
         [](const QString& path, int n, QString* error) { return writeSelectionFile(path, {1, 2, n + 3}, error); }},
        {"filter file", "filtr.flt",
         [](const QString& path, int n, QString* error) {
             return saveFilterFile(path, QStringLiteral("cislo > %1").arg(n), error);
         }},
        {"corrections", "opravy.opr",
         [](const QString& path, int n, QString* error) {
             TListEdit list;
             TPolEdit moved;
             moved.X = 10 + n;
             moved.W = moved.H = 20;
             moved.text = QStringLiteral("Čaj");
             list.add(moved);
             return saveCorrections(path, list, error);
         }},
        {"printer settings", "Def_Printer.drv",
         [](const QString& path, int n, QString* error) {
             DeviceSettings settings;
             settings.deviceName = QStringLiteral("Tiskarna");
             settings.copies = n + 1;
             return writeSettingsFile(path, settings, error);
         }},
        {"template from a prototype", "nova.pts",
         [&](const QString& path, int n, QString* error) {
             test::writeBytes(prototype, QByteArray("I,0,\"x\"\r\nI,1,") + QByteArray::number(n) + "\r\n");
             QString name;
             return createTemplateFromPrototype(prototype, QFileInfo(path).absolutePath(),
                                                QStringLiteral("nova"), &name, error);
         }},
        {"template", "cenik.pts",
         [](const QString& path, int n, QString* error) {
             ReportModel model;
             model.title = QStringLiteral("Ceník %1").arg(n);
             return saveTemplateFile(path, model, {}, error);
         }},
        {"query file", "dotaz.sql",
         [](const QString& path, int n, QString* error) {
             QueryDesign design;
             design.tables = {QStringLiteral("t")};
             return saveQueryFile(path, {QStringLiteral("SELECT %1").arg(n)}, design, error);
         }},
        {"picture", "logo.png",
         [](const QString& path, int n, QString* error) {
             QImage image(40, 40, QImage::Format_RGB32);
             image.fill(QColor(n * 40, 0, 0));
             PictureDocument picture;
             picture.setImage(image);
             return picture.saveFile(path, error);
         }},
        {"foreign CSV table, a cell edited", "tabulka.csv",
         [](const QString& path, int n, QString* error) {
             if (n == 0 && !test::writeBytes(path, "cislo;nazev1\r\n1;Čaj\r\n2;Káva\r\n")) return false;
             auto table = openForeignTable(path, error);
             if (!table) return false;
             table->first();
             return table->edit(error) && table->field(1)->setText(QStringLiteral("Čaj %1").arg(n), error) &&
                    table->post(error);
         }},
        {"foreign CSV table, a record added", "pridani.csv",
         [](const QString& path, int n, QString* error) {
             if (n == 0) {
                 // A file that fills its blocks: a record added needs a new one.
                 QByteArray bytes = "cislo;nazev1\r\n";
                 for (int i = 1; bytes.size() < 4096 - 250; ++i)
                     bytes += QByteArray::number(i) + ';' + QByteArray(200, 'a') + "\r\n";
                 bytes += "99;" + QByteArray(4096 - bytes.size() - 5, 'b') + "\r\n";
                 return test::writeBytes(path, bytes) && openForeignTable(path, error) != nullptr;
             }
             auto table = openForeignTable(path, error);
             if (!table) return false;
             return table->append(error) && table->field(0)->setText(QStringLiteral("100"), error) &&
                    table->field(1)->setText(QStringLiteral("Nový záznam"), error) && table->post(error);
         }},
        {"CSV export", "export.csv",
         [&](const QString& path, int, QString* error) {
             auto table = openForeignTable(source, error);
             return table && writeCsvFile(path, *table, error);
         }},
        {"page dump", "strany.json",
         [](const QString& path, int n, QString* error) { return writePageDumpFile(onePage(), path, n > 0, error); }},
        {"PDF", "strany.pdf",
         [](const QString& path, int, QString* error) { return writePdf(onePage(), path, error); }},
        {"PNG pages", "strana-1.png",
         [](const QString& path, int, QString* error) {
             return writePngs(onePage(), QFileInfo(path).dir().filePath(QStringLiteral("strana.png")), 50, error);
         }},
    };

    QList<QByteArray> old;
    for (const Writer& w : writers) {
        QString error;
        ASSERT_TRUE(w.write(disk.filePath(w.file), 0, &error)) << w.what << ": " << error.toStdString();
        old << test::fileBytes(disk.filePath(w.file));
        ASSERT_FALSE(old.last().isEmpty()) << w.what;
    }
    ASSERT_TRUE(disk.fill());
    for (qsizetype i = 0; i < writers.size(); ++i) {
        const Writer& w = writers[i];
        QString error;
        EXPECT_FALSE(w.write(disk.filePath(w.file), 1, &error)) << w.what;
        EXPECT_TRUE(error.contains(QStringLiteral("na disku není místo")) && error.contains(w.file))
            << w.what << ": " << error.toStdString();
        EXPECT_EQ(test::fileBytes(disk.filePath(w.file)), old[i]) << w.what;
    }
    // No temporary file is left behind.
    QStringList expected{QStringLiteral(".plnidlo")};
    for (const Writer& w : writers) expected << w.file;
    expected.sort();
    QStringList there = QDir(disk.path()).entryList(QDir::Files | QDir::Hidden);
    there.sort();
    EXPECT_EQ(there, expected);
}

}  // namespace
