// The main window's record commands through the real window: the note panel,
// the image window from the tool bar and from the grid's picture cells,
// backup and restore into the file shown, the new-table designer, and report
// windows opening inside the window's MDI area.
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

#include "app/backup_dialog.h"
#include "app/command_icons.h"
#include "app/generation_dialog.h"
#include "app/main_form_printing.h"
#include "app/core/backup_restore.h"
#include "app/description_panel.h"
#include "app/image_window.h"
#include "app/main_form.h"
#include "app/new_database_dialog.h"
#include "app/note_panel.h"
#include "controls/data_memo.h"
#include "controls/marking_grid.h"
#include "controls/navigator.h"
#include "data/label_file.h"
#include "data/table_open.h"
#include "report/run/report_component.h"
#include "report/windows/report_windows.h"
#include "report/windows/run_window.h"
#include "support/fixture_printer_backend.h"
#include "support/scripted_messages.h"
#include "support/when_modal.h"
#include "support/test_support.h"
#include "support/label_files.h"

namespace dorvana {
namespace {

QByteArray png(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

using test::whenModal;

// Closes with Esc whatever modal window comes up; counts them.
void closeModals(QObject* owner, int* count) {
    whenModal<QWidget>(owner, [count](QWidget& w) {
        ++*count;
        QTest::keyClick(&w, Qt::Key_Escape);
    });
}

class RecordCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        start_ = dir_.filePath(QStringLiteral("start"));
        settings_ = dir_.filePath(QStringLiteral("dorvana.ini"));
        QDir().mkpath(start_ + QStringLiteral("/data"));
    }
    // Record i has cislo i and nazev1 "Věc i"; pictures and notes by record number.
    QString labelFile(const QString& folder, const QString& name, int records,
                      const QMap<int, QByteArray>& logos = {}, const QMap<int, QString>& notes = {}) {
        return test::writeNumberedLabelFile(folder + QStringLiteral("/") + name, records, logos,
                                            notes);
    }
    QString dataDir() const { return start_ + QStringLiteral("/data"); }
    std::unique_ptr<TMainForm> form() {
        auto f = std::make_unique<TMainForm>(start_, settings_, &messages_);
        f->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(f.get()));
        f->restoreOnce();
        return f;
    }
    static int columnOf(TMainForm& f, const char* field) {
        const GridColumns& cols = f.grid()->columns();
        for (int c = 0; c < cols.size(); ++c)
            if (cols[c].fieldName.compare(QLatin1String(field), Qt::CaseInsensitive) == 0) return c;
        return -1;
    }
    static void clickCell(TMainForm& f, int row, int column) {
        TDbGridZelvan* g = f.grid();
        const QModelIndex index = g->model()->index(row, column);
        static_cast<QAbstractItemView*>(g)->scrollTo(index);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(index).center());
    }
    static QByteArray storedField(const QString& path, int record, const char* field) {
        QString err;
        auto ds = openLabelDataSet(path, &err);
        EXPECT_TRUE(ds) << err.toStdString();
        if (!ds) return {};
        ds->setRecNo(record);
        return ds->findField(QLatin1String(field))->blob();
    }

    QTemporaryDir dir_;
    QString start_, settings_;
    test::ScriptedMessages messages_;
    QObject watchers_;  // the modal watches of one test
};

TEST_F(RecordCommandsTest, TheNotePanelEditsTheNoteOfTheCurrentRecord) {
    const QString kuk = labelFile(dataDir(), QStringLiteral("kuk.db"), 3, {}, {{2, QStringLiteral("Křehké")}});
    auto f = form();
    ASSERT_TRUE(f->openFile(1, kuk));
    QAction* note = f->action(QStringLiteral("SpeedItem7"));
    ASSERT_TRUE(note->isEnabled());  // every field has a description line
    note->trigger();
    NotePanel* panel = f->notePanel();
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->caption(), QStringLiteral("Poznámka"));
    EXPECT_TRUE(panel->moveEnabled());
    EXPECT_TRUE(panel->memo()->toPlainText().isEmpty());
    f->navigator()->clickButton(nnNext);
    EXPECT_EQ(panel->memo()->toPlainText(), QStringLiteral("Křehké"));

    // Typed, then posted by moving on with the navigator.
    QApplication::setActiveWindow(f.get());
    panel->memo()->setFocus();
    panel->memo()->moveCursor(QTextCursor::End);
    QTest::keyClicks(panel->memo(), QStringLiteral(" sklo"));
    f->navigator()->clickButton(nnNext);
    EXPECT_EQ(storedField(kuk, 2, "pozn"), QStringLiteral("Křehké sklo").toUtf8());

    // Without a description line for the note its command goes off.
    f->action(QStringLiteral("SpeedItem8"))->trigger();
    QStringList lines = f->session().descriptionLines();
    lines[14] = QString();
    f->descriptionPanel()->setLines(lines);
    QTest::mouseClick(f->descriptionPanel()->okButton(), Qt::LeftButton);
    EXPECT_FALSE(note->isEnabled());
    EXPECT_TRUE(f->action(QStringLiteral("SpeedItem6"))->isEnabled());
}

TEST_F(RecordCommandsTest, AFilledPictureOrNoteCellOpensItsEditorInsteadOfBeingSelected) {
    const QString kuk = labelFile(dataDir(), QStringLiteral("kuk.db"), 4, {{3, png(40, 20)}},
                                  {{4, QStringLiteral("Pozor")}});
    auto f = form();
    ASSERT_TRUE(f->openFile(1, kuk));
    const int logo = columnOf(*f, "logo"), pozn = columnOf(*f, "pozn");
    ASSERT_GE(logo, 0);
    ASSERT_GE(pozn, 0);

    // An empty picture cell is selected as any other.
    int modals = 0;
    clickCell(*f, 0, logo);
    EXPECT_EQ(f->grid()->currentIndex().column(), logo);
    clickCell(*f, 1, 1);

    // A filled one opens the image window on its record; the picture is
    // turned and kept after "Uložit obrázek ?" -> Yes.
    bool opened = false;
    whenModal<TObrForm>(
        &watchers_,
        [](TObrForm& w) {
            w.command(QStringLiteral("Rotace vpravo"))->trigger();
            w.command(QStringLiteral("Zvětšení"))->trigger();
            QTest::keyClick(&w, Qt::Key_Escape);
        },
        &opened);
    clickCell(*f, 2, logo);
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened; }));
    EXPECT_EQ(f->grid()->dataSet()->recNo(), 3);
    EXPECT_EQ(f->grid()->currentIndex().column(), 1) << "the picture cell is not selected";
    EXPECT_FALSE(f->grid()->selectionModel()->isSelected(f->grid()->model()->index(2, logo)));
    EXPECT_TRUE(f->grid()->selectionModel()->isSelected(f->grid()->currentIndex()));
    EXPECT_TRUE(messages_.shown.contains(QStringLiteral("confirm: Uložit obrázek ?")));
    QImage stored;
    ASSERT_TRUE(stored.loadFromData(storedField(kuk, 3, "logo")));
    EXPECT_EQ(stored.size(), QSize(20, 40));

    // The tool bar command opens it too; closing without a change asks nothing.
    messages_.shown.clear();
    closeModals(&watchers_, &modals);
    f->action(QStringLiteral("SpeedItem6"))->trigger();
    EXPECT_EQ(modals, 1);
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join(u'\n').toStdString();
    // The window's zoom is remembered with the program's settings.
    EXPECT_EQ(f->session().imageWindowSettings().fit, FitStyle::Original);
    EXPECT_TRUE(f->close());
    auto again = form();
    EXPECT_DOUBLE_EQ(again->session().imageWindowSettings().zoom, 1.1);

    // A filled note cell shows the note panel instead.
    clickCell(*again, 3, pozn);
    EXPECT_TRUE(QTest::qWaitFor([&] { return again->notePanel()->isVisible(); }));
    EXPECT_EQ(again->notePanel()->memo()->toPlainText(), QStringLiteral("Pozor"));
    EXPECT_NE(again->grid()->currentIndex().column(), pozn);
}

TEST_F(RecordCommandsTest, AForeignTableEditsOnlyItsPictureColumnAndShowsMemosOnDoubleClick) {
    const QString kuk = labelFile(dataDir(), QStringLiteral("kuk.db"), 2, {}, {{1, QStringLiteral("Lepit")}});
    auto f = form();
    ASSERT_TRUE(f->openFile(2, kuk));  // a label file opened as a foreign table
    EXPECT_TRUE(f->action(QStringLiteral("SpeedItem6"))->isEnabled());
    EXPECT_FALSE(f->action(QStringLiteral("SpeedItem7"))->isEnabled());
    int modals = 0;
    f->grid()->setCurrentIndex(f->grid()->model()->index(0, columnOf(*f, "nazev1")));
    closeModals(&watchers_, &modals);
    f->action(QStringLiteral("SpeedItem6"))->trigger();
    QTest::qWait(50);
    EXPECT_EQ(modals, 0) << "a text column has no picture to edit";

    const QModelIndex memo = f->grid()->model()->index(0, columnOf(*f, "pozn"));
    emit f->grid()->doubleClicked(memo);
    ASSERT_TRUE(f->notePanel()->isVisible());
    EXPECT_EQ(f->notePanel()->memo()->dataSet(), f->grid()->dataSet());
    EXPECT_EQ(f->notePanel()->memo()->toPlainText(), QStringLiteral("Lepit"));
}

TEST_F(RecordCommandsTest, ARestoreReplacesTheFileShownWhichIsOpenedAgain) {
    // A backup of a workspace whose kuk.db holds two records.
    QTemporaryDir other;
    QDir().mkpath(other.filePath(QStringLiteral("data")));
    labelFile(other.filePath(QStringLiteral("data")), QStringLiteral("kuk.db"), 2);
    const QString archive = dir_.filePath(QStringLiteral("zaloha.zip"));
    QString err;
    ASSERT_TRUE(writeBackup(archive, other.filePath(QStringLiteral("data")), other.path(), nullptr, &err))
        << err.toStdString();

    const QString kuk = labelFile(dataDir(), QStringLiteral("kuk.db"), 5);
    auto f = form();
    ASSERT_TRUE(f->openFile(1, kuk));
    ASSERT_EQ(f->grid()->model()->rowCount(), 5);
    bool opened = false;
    whenModal<TZaloha>(
        &watchers_,
        [&](TZaloha& d) {
            EXPECT_EQ(f->grid()->dataSet(), nullptr) << "the file is closed while the dialog is open";
            d.setArchiveName(archive);
            // Enter in the name completes it; it starts no restore.
            QTest::keyClick(d.findChild<QLineEdit*>(QStringLiteral("Edit1")), Qt::Key_Return);
            EXPECT_TRUE(d.isVisible());
            EXPECT_TRUE(d.findChild<QLabel*>(QStringLiteral("Label1"))->text().isEmpty());
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("Button4")), Qt::LeftButton);
            QTest::keyClick(&d, Qt::Key_Escape);
        },
        &opened);
    f->action(QStringLiteral("Archivace1"))->trigger();
    ASSERT_TRUE(opened);
    EXPECT_TRUE(messages_.shown.filter(QStringLiteral("error")).isEmpty()) << messages_.shown.join(u'\n').toStdString();
    EXPECT_EQ(f->grid()->model()->rowCount(), 2);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Dorvana soubor : kuk.db"));

    // "Tvorba databáze" opens the table designer over the data folder; it
    // creates no table over the label file shown.
    QString title;
    bool created = true;
    whenModal<TBasForm>(&watchers_, [&](TBasForm& d) {
        title = d.windowTitle();
        EXPECT_TRUE(d.loadFrom(kuk));
        created = d.createAt(kuk, TableKind::Paradox);
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    messages_.shown.clear();
    f->action(QStringLiteral("DBDesktop1"))->trigger();
    EXPECT_EQ(title, QStringLiteral("Tvorba nové databáze"));
    EXPECT_FALSE(created);
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_EQ(messages_.shown[0], QStringLiteral("error: Soubor kuk.db je otevřen - tabulku přes něj nelze založit"));
    EXPECT_TRUE(openLabelDataSet(kuk, &err)) << "the label file is as it was";
    EXPECT_EQ(f->grid()->model()->rowCount(), 2);
}

TEST_F(RecordCommandsTest, AReportWindowOpensInsideTheMainWindowAndTheGridComesBack) {
    auto f = form();
    auto* stack = f->findChild<QStackedWidget*>(QStringLiteral("CentralStack"));
    ASSERT_TRUE(stack);
    QWidget* gridPage = stack->currentWidget();
    EXPECT_TRUE(gridPage->isAncestorOf(f->grid()));

    QString err;
    auto data = openAnyTable(test::sourcePath(QStringLiteral("samples/data/zbozi.csv")), &err);
    ASSERT_TRUE(data) << err.toStdString();
    ReportDataSource source;
    source.dataSet = data.get();
    TSestava component;
    component.DataSource = &source;
    component.ReportDirIgnore = false;
    component.setReportDir(test::sourcePath(QStringLiteral("samples/templates")));
    component.ReportName = QStringLiteral("etiketa.pte");
    component.setOpravyDir(dir_.path());
    component.OpravyName = QStringLiteral("opravy.txt");
    component.EndPage = 1;
    FixturePrinter office;
    office.entry = {QStringLiteral("Kancelář"), QStringLiteral("HP LaserJet 4"),
                    QStringLiteral("socket://10.0.0.5")};
    office.isDefault = true;
    Printer printer(std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{office}));

    ReportWindowHost host;
    host.mdiArea = f->mdiArea();
    host.parent = f.get();
    host.printer = &printer;
    bool inside = false;
    host.opened = [&](TFormSestE_NOR& w) {
        auto* poll = new QTimer(&w);
        QObject::connect(poll, &QTimer::timeout, &w, [&, poll] {
            if (stack->currentWidget() != f->mdiArea()) return;
            poll->stop();
            const auto subs = f->mdiArea()->subWindowList();
            inside = subs.size() == 1 && subs[0]->widget() == &w && subs[0]->isMaximized();
            // Nothing replaces the table under it meanwhile.
            EXPECT_FALSE(f->action(QStringLiteral("Otevi1"))->isEnabled());
            EXPECT_FALSE(f->action(QStringLiteral("Konec1"))->isEnabled());
            EXPECT_FALSE(f->close());
            // With DORVANA_SHOTS=folder the window with its preview is kept as a picture.
            const QString shots = qEnvironmentVariable("DORVANA_SHOTS");
            if (!shots.isEmpty()) f->grab().save(QDir(shots).filePath(QStringLiteral("hlavni_okno_nahled.png")));
            QTest::keyClick(&w, Qt::Key_Escape);
        });
        poll->start(10);
    };
    previewReport(component, messages_, {}, host);
    EXPECT_TRUE(inside);
    EXPECT_TRUE(QTest::qWaitFor([&] { return stack->currentWidget() == gridPage; }));
    EXPECT_TRUE(f->mdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(f->action(QStringLiteral("Otevi1"))->isEnabled());
}

TEST_F(RecordCommandsTest, EscCancelsTheRecordsEditAlsoAfterARefusedValue) {
    const QString kuk = labelFile(dataDir(), QStringLiteral("kuk.db"), 3);
    // Real message boxes: a refused value's box takes the focus from the cell.
    TMainForm f(start_, settings_, nullptr);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    f.restoreOnce();
    ASSERT_TRUE(f.openFile(1, kuk));
    QApplication::setActiveWindow(&f);
    TDbGridZelvan* g = f.grid();
    DataSet* ds = g->dataSet();
    const int nazev = columnOf(f, "nazev1"), cislo1 = columnOf(f, "cislo1");
    const auto type = [](const QString& text) {
        QTest::keyClick(QApplication::focusWidget(), text.at(0).toLatin1());
        QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();  // the editor commits and closes
    };
    g->setFocus();
    g->setCurrentIndex(g->model()->index(1, nazev));
    type(QStringLiteral("Nove jmeno"));
    ASSERT_EQ(ds->state(), DataSet::State::Edit);
    g->setCurrentIndex(g->model()->index(1, cislo1));
    int boxes = 0;
    whenModal<QMessageBox>(&watchers_, [&boxes](QMessageBox& box) {
        ++boxes;
        box.accept();
    });
    type(QStringLiteral("abc"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return boxes == 1; }));
    QApplication::processEvents();
    ASSERT_EQ(ds->state(), DataSet::State::Edit) << "the refused value leaves the record edited";
    QApplication::setActiveWindow(&f);  // the window is active again after the box
    QApplication::processEvents();

    // One Esc: the record is back as stored, as the navigator's "Zrušit změny" does it.
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &f, Qt::Key_Escape);
    EXPECT_EQ(ds->state(), DataSet::State::Browse);
    EXPECT_EQ(ds->findField(QStringLiteral("nazev1"))->displayText(), QStringLiteral("Věc 2"));
    EXPECT_EQ(ds->recNo(), 2);

    // Esc in an open cell editor of an edited record cancels the record too.
    QApplication::setActiveWindow(&f);
    g->setFocus();
    g->setCurrentIndex(g->model()->index(1, nazev));
    type(QStringLiteral("Jine"));
    ASSERT_EQ(ds->state(), DataSet::State::Edit);
    QTest::keyClick(QApplication::focusWidget(), 'X');  // an editor opens on the cell
    ASSERT_TRUE(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(ds->state(), DataSet::State::Browse);
    EXPECT_EQ(ds->findField(QStringLiteral("nazev1"))->displayText(), QStringLiteral("Věc 2"));
}

TEST_F(RecordCommandsTest, ADoubleClickAfterACancelledGenerationAsksAgainAndOpensNoCellEditor) {
    const QString kuk = labelFile(dataDir(), QStringLiteral("kuk.db"), 3);
    auto f = form();
    ASSERT_TRUE(f->openFile(1, kuk));
    auto* features = f->findChild<MainFormPrinting*>();
    ASSERT_NE(features, nullptr);
    int asked = 0;
    features->generationDialog = [&asked](TGenForm&) {
        ++asked;
        return false;  // "&Zrušit"
    };
    TDbGridZelvan* g = f->grid();
    const QPoint cell = g->visualRect(g->model()->index(1, columnOf(*f, "nazev1"))).center();
    const auto editorOpen = [g] {
        for (QLineEdit* e : g->viewport()->findChildren<QLineEdit*>())
            if (e->isVisible()) return true;
        return false;
    };
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell);  // the record is the current one
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    for (int round = 1; round <= 2; ++round) {
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cell);
        QTest::qWait(QApplication::doubleClickInterval() + 50);  // a delayed edit would show by now
        EXPECT_EQ(asked, round);
        EXPECT_FALSE(editorOpen()) << round;
    }
    EXPECT_EQ(g->dataSet()->state(), DataSet::State::Browse);
}

TEST_F(RecordCommandsTest, ThePrinterSetupConfirmsWithOkAsItPrintsNothing) {
    auto f = form();
    QString okText;
    bool seen = false;
    whenModal<QPrintDialog>(
        &watchers_,
        [&okText](QPrintDialog& d) {
            if (auto* box = d.findChild<QDialogButtonBox*>()) okText = box->button(QDialogButtonBox::Ok)->text();
            d.reject();
        },
        &seen);
    f->action(QStringLiteral("SpeedPrinter"))->trigger();
    ASSERT_TRUE(seen);
    EXPECT_EQ(okText, QStringLiteral("OK"));
}

TEST_F(RecordCommandsTest, DefaultColumnsShowWholeDatesPricesAndTitlesAndAUsersWidthStays) {
    const QString path = dataDir() + QStringLiteral("/kuk.db");
    QString err;
    ASSERT_TRUE(createLabelFile(path, &err));
    {
        auto store = LabelFileStore::open(path, &err);
        RawRecord r(16);
        r[0] = QVariant::fromValue<qint64>(1);
        r[6] = 987654.25;
        r[11] = QDate(2026, 7, 10);
        r[12] = QDate(2026, 12, 28);
        r[13] = png(8, 8);
        r[14] = QByteArray("Křehké");
        ASSERT_TRUE(store->insertMany({r}, &err)) << err.toStdString();
    }
    auto f = form();
    ASSERT_TRUE(f->openFile(1, path));
    TDbGridZelvan* g = f->grid();
    const int cellMargins = 2 * (g->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, g) + 1);
    const int titleMargins = 2 * g->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, g);
    for (const char* field : {"datum1", "datum2", "cena", "logo", "pozn"}) {
        const int c = columnOf(*f, field);
        const QModelIndex cell = g->model()->index(0, c);
        const QString text = cell.data().toString();
        if (QByteArray(field) != "pozn") {
            EXPECT_GE(g->visualRect(cell).width() - cellMargins, g->fontMetrics().horizontalAdvance(text))
                << field << " " << text.toStdString();
        }
        const QString title = g->model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_GE(g->columnWidth(c) - titleMargins, g->horizontalHeader()->fontMetrics().horizontalAdvance(title))
            << field << " " << title.toStdString();
    }
    EXPECT_TRUE(g->model()->index(0, columnOf(*f, "datum1")).data().toString().endsWith(QStringLiteral("2026")));
    EXPECT_EQ(g->model()->index(0, columnOf(*f, "logo")).data().toString(), QStringLiteral("(GRAPHIC)"));
    // With DORVANA_SHOTS=folder the window is kept as a picture (both bars, the grid).
    const QString shots = qEnvironmentVariable("DORVANA_SHOTS");
    if (!shots.isEmpty()) f->grab().save(QDir(shots).filePath(QStringLiteral("hlavni_okno_sloupce.png")));

    // A width the user set stays, also after the description lines apply
    // again and after a post; the widened ones are stored as given.
    const int datum2 = columnOf(*f, "datum2");
    g->setColumnWidth(datum2, 40);
    f->session().dopfields();
    EXPECT_EQ(g->columnWidth(datum2), 40);
    DataSet* ds = g->dataSet();
    ASSERT_TRUE(ds->edit(&err));
    ds->findField(QStringLiteral("nazev1"))->setText(QStringLiteral("Jiný"), &err);
    ASSERT_TRUE(ds->post(&err)) << err.toStdString();
    EXPECT_EQ(g->columnWidth(datum2), 40);
    const GridColumns kept = g->columnsWithWidths();
    EXPECT_EQ(kept[datum2].width, 40);
    EXPECT_EQ(kept[columnOf(*f, "datum1")].width, 64);
}

TEST_F(RecordCommandsTest, EveryToolBarCommandHasAnIconOfItsOwnNamedAsTheDesktopNamesIt) {
    auto f = form();
    // Every command button of both bars is in the table.
    QStringList commands;
    for (QToolBar* bar : f->findChildren<QToolBar*>())
        for (QToolButton* b : bar->findChildren<QToolButton*>())
            if (QAction* a = b->defaultAction(); a && !a->objectName().isEmpty()) commands << a->objectName();
    for (const CommandIcon& entry : commandIcons())
        EXPECT_TRUE(commands.contains(QLatin1String(entry.command))) << entry.command;
    QStringList names;
    QList<QImage> drawn;
    for (const QString& command : commands) {
        const QString name = themeIconName(command);
        EXPECT_FALSE(name.isEmpty()) << command.toStdString();
        EXPECT_FALSE(names.contains(name)) << command.toStdString() << " shares " << name.toStdString();
        names << name;
        EXPECT_FALSE(f->action(command)->icon().isNull()) << command.toStdString();
        const QImage image = drawnCommandIcon(command).pixmap(24, 24).toImage();
        ASSERT_FALSE(image.isNull()) << command.toStdString();
        for (int k = 0; k < drawn.size(); ++k)
            EXPECT_NE(image, drawn[k]) << command.toStdString() << " looks like " << commands[k].toStdString();
        drawn << image;
    }
    EXPECT_EQ(themeIconName(QStringLiteral("TiskSestavy")), QStringLiteral("document-print"));
    EXPECT_EQ(themeIconName(QStringLiteral("ProhlizeniSestavy")), QStringLiteral("document-print-preview"));
    EXPECT_EQ(themeIconName(QStringLiteral("SpeedOpen")), QStringLiteral("document-open"));
    EXPECT_EQ(themeIconName(QStringLiteral("SpeedPrinter")), QStringLiteral("printer"));
    EXPECT_FALSE(names.contains(QStringLiteral("document-save"))) << "nothing here saves";

    // With DORVANA_SHOTS=folder both bars are kept as pictures: our drawings,
    // and the desktop theme's icons where one is installed.
    const QString shots = qEnvironmentVariable("DORVANA_SHOTS");
    if (!shots.isEmpty()) {
        f->findChild<QToolBar*>(QStringLiteral("ToolBar1"))->grab().save(QDir(shots).filePath(QStringLiteral("nastroje_kresby.png")));
        f->printBar()->grab().save(QDir(shots).filePath(QStringLiteral("tisk_kresby.png")));
        const QString theme = QIcon::themeName();
        useDesktopIconTheme();
        auto themed = form();
        themed->findChild<QToolBar*>(QStringLiteral("ToolBar1"))->grab().save(QDir(shots).filePath(QStringLiteral("nastroje_tema.png")));
        themed->printBar()->grab().save(QDir(shots).filePath(QStringLiteral("tisk_tema.png")));
        QIcon::setThemeName(theme);
    }
}

}  // namespace
}  // namespace dorvana
