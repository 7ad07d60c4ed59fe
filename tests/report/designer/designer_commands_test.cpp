// The designer's dialogs and the preview opened from the real designer
// window: each command, what OK writes into the template, the undo step it
// records, and Cancel.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include "base/text_file.h"
#include "report/designer/designer_launcher.h"
#include "report/designer/designer_window_fixture.h"
#include "report/designer/dialogs/barcode_dialog.h"
#include "report/designer/dialogs/editor_options_dialog.h"
#include "report/designer/dialogs/element_dialog.h"
#include "report/designer/dialogs/function_dialogs.h"
#include "report/designer/dialogs/new_report_dialog.h"
#include "report/designer/dialogs/report_settings_dialog.h"
#include "report/designer/dialogs/sheet_chooser_dialog.h"
#include "report/model/text_elements.h"
#include "report/render/printer/printer.h"
#include "report/run/report_environment.h"
#include "report/windows/report_windows.h"
#include "report/windows/run_window.h"
#include "support/fixture_printer_backend.h"

namespace dorvana::test {
namespace {

QAction* command(const TFormSestE& window, const char* name) {
    QAction* a = window.findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(a, nullptr) << name;
    return a;
}

QStringList linesStarting(const QStringList& lines, const QString& prefix) {
    QStringList out;
    for (const QString& l : lines)
        if (l.startsWith(prefix)) out << l;
    return out;
}

void clickButton(const QWidget* dialog, const char* name) {
    QPushButton* b = named<QPushButton>(dialog, name);
    if (b) b->click();
}

// No printer of the machine: the settings dialog lists none, the preview measures without one.
class DesignerCommands : public DesignerWindow {
protected:
    void SetUp() override {
        installPrinterBackend(std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{}));
        DesignerWindow::SetUp();
    }
};

TEST_F(DesignerCommands, TheElementDialogRetargetsAFieldLabelByName) {
    TSesPrvek* e = headerElement(2);  // the label of nazev1
    QTest::mouseClick(surface, Qt::LeftButton, {}, centre(e));
    bool seen = false;
    whenModal<TDlgKonfPrvku>([](TDlgKonfPrvku* d) {
        named<QComboBox>(d, "CBTypPrvku")->setCurrentIndex(6);  // cena
        named<QRadioButton>(d, "PodleNazvu")->setChecked(true);
        named<QLineEdit>(d, "EditSirka")->setText(QStringLiteral("x"));  // keeps the width
        named<QLineEdit>(d, "EditLevy")->setText(QStringLiteral("120"));
        clickButton(d, "Konec");
    }, &seen);
    QTest::mouseDClick(surface, Qt::LeftButton, {}, centre(e));
    ASSERT_TRUE(seen);
    e = doc->current();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->reference, 6);
    EXPECT_EQ(e->X, 120);
    EXPECT_EQ(e->W, 300);
    EXPECT_TRUE(doc->templateLines().contains(
        QStringLiteral("H,3,cena,120,24,300,18,Arial,9,0,1,0,8,1,238,\"\",\"\",0")));
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit nastavení prvku"));

    // Cancel changes nothing.
    const QStringList before = doc->templateLines();
    whenModal<TDlgKonfPrvku>([](TDlgKonfPrvku* d) {
        named<QComboBox>(d, "CBTypPrvku")->setCurrentIndex(1);
        d->reject();
    });
    command(*window, "configureElement")->trigger();
    EXPECT_EQ(doc->templateLines(), before);

    // Graphic elements have nothing to configure; an element of a field the
    // table does not have does not open the dialog.
    doc->select(doc->section(PlanSection::ReportEnd)->element(0));  // a line
    ASSERT_FALSE(doc->current()->isText());
    EXPECT_FALSE(command(*window, "configureElement")->isEnabled());
    headerElement(2)->reference = 40;
    doc->select(headerElement(2));
    EXPECT_FALSE(command(*window, "configureElement")->isEnabled());
}

TEST_F(DesignerCommands, TheBarcodeButtonSetsTheFormatOfTheCurrentText) {
    TSesPrvek* e = doc->section(PlanSection::Body)->element(0);
    QTest::mouseClick(surface, Qt::LeftButton, {}, centre(e));
    QPushButton* barcode = window->objectBar()->barcodeButton();
    ASSERT_TRUE(barcode->isEnabled());
    QString chosen;
    whenModal<TDlgBarCode>([&chosen](TDlgBarCode* d) {
        named<QComboBox>(d, "CKTypBarcode")->setCurrentIndex(1);
        chosen = d->format();
        d->accept();
    });
    barcode->click();
    ASSERT_FALSE(chosen.isEmpty());
    EXPECT_EQ(static_cast<TSesText*>(doc->current())->BcFormat(), chosen);
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit nastavení prvku"));
}

TEST_F(DesignerCommands, SettingsOkWritesColumnsAndIsOneUndoStep) {
    const QStringList loaded = doc->templateLines();
    whenModal<TSestDlg>([](TSestDlg* d) {
        named<QLineEdit>(d, "EditSloupcu")->setText(QStringLiteral("3"));
        named<QLineEdit>(d, "EditMezera")->setText(QStringLiteral("10"));
        named<QLineEdit>(d, "Nazev")->setText(QStringLiteral("Tři sloupce"));
        clickButton(d, "Konec");
    });
    command(*window, "settings")->trigger();
    EXPECT_EQ(linesStarting(doc->templateLines(), "I,2,").value(0),
              QStringLiteral("I,2,0,826,1169,50,50,70,70,3,10,8,8,0,1"));
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit nastavení oddílů a skupin"));
    EXPECT_TRUE(window->windowTitle().startsWith(
        QStringLiteral("Oprava předlohy tiskové sestavy - Tři sloupce \"cenik.pts\"")));
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join(u'\n').toStdString();
    command(*window, "undo")->trigger();
    EXPECT_EQ(doc->templateLines(), loaded);
    EXPECT_EQ(doc->model().columns(), 1);
}

TEST_F(DesignerCommands, MarginsBelowThePrintersAreRaisedWhenTheUserAgrees) {
    // 100 unprintable pixels at 600 dpi on each side: 16 units at least.
    FixturePrinter office;
    office.entry = {QStringLiteral("Kancelář"), QStringLiteral("HP LaserJet 4"),
                    QStringLiteral("socket://10.0.0.5")};
    office.isDefault = true;
    installPrinterBackend(std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{office}));
    messages.answers = {Messages::Answer::Yes};
    whenModal<TSestDlg>([](TSestDlg* d) {
        named<QLineEdit>(d, "EditLevy")->setText(QStringLiteral("0"));
        named<QLineEdit>(d, "EditHorni")->setText(QStringLiteral("10"));
        clickButton(d, "Konec");
    });
    command(*window, "settings")->trigger();
    EXPECT_EQ(messages.shown.value(0).left(50),
              QStringLiteral("ask: Nastavené okraje tisku jsou menší, než umožňu"));
    EXPECT_EQ(linesStarting(doc->templateLines(), "I,2,").value(0),
              QStringLiteral("I,2,0,826,1169,16,50,16,70,1,0,8,8,0,1"));
}

TEST_F(DesignerCommands, AChosenPrinterOfTheHostKeepsItsDriverSettingsInTheTemplate) {
    // The program's printer has none; the window works with the one it was given.
    installPrinterBackend(std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{}));
    FixturePrinter office;
    office.entry = {QStringLiteral("Kancelář"), QStringLiteral("HP LaserJet 4"),
                    QStringLiteral("socket://10.0.0.5")};
    office.isDefault = true;
    Printer hostPrinter(std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{office}));
    window.reset();
    services.printer = &hostPrinter;
    openWindow();
    messages.answers = {Messages::Answer::No};  // no restart now
    whenModal<TSestDlg>([](TSestDlg* d) {
        d->tabs()->setCurrentIndex(d->pageIndex(5));
        named<QRadioButton>(d, "Vybranou")->setChecked(true);
        auto* installed = named<QListWidget>(d, "LBInstalovane");
        ASSERT_EQ(installed->count(), 1);
        installed->item(0)->setSelected(true);
        clickButton(d, "PridatTiskarnu");
        auto* chosen = named<QListWidget>(d, "LBVybrane");
        ASSERT_EQ(chosen->count(), 1);
        const QRect item = chosen->visualItemRect(chosen->item(0));
        QTest::mouseClick(chosen->viewport(), Qt::LeftButton, {}, item.center());
        EXPECT_TRUE(named<QPushButton>(d, "NastavitTiskarny")->isEnabled());
        clickButton(d, "Konec");
    });
    command(*window, "settings")->trigger();
    ASSERT_EQ(doc->model().printers.size(), 1);
    EXPECT_FALSE(doc->model().printers[0].settings.isEmpty());
    const QStringList printers = linesStarting(doc->templateLines(), "I,8,");
    EXPECT_GT(printers.size(), 1) << printers.join(u'\n').toStdString();
    EXPECT_TRUE(printers.value(0).contains(QStringLiteral("Kancelář")));
}

TEST_F(DesignerCommands, TheQueryBuilderWorksOnTheTemplatesQueryFile) {
    // Without a builder "Vytvoř SQL" stays disabled.
    whenModal<TSestDlg>([](TSestDlg* d) {
        EXPECT_FALSE(named<QPushButton>(d, "VytvorSQL")->isEnabled());
        d->reject();
    });
    command(*window, "settings")->trigger();

    const QString queryFile = dir.filePath(QStringLiteral("cenik-pts.stm"));
    const QString builderFile = dir.filePath(QStringLiteral("SqlBuild.stm"));
    ASSERT_TRUE(writeFileAtomically(queryFile, "SELECT 1"));
    QByteArray seen;
    // The window opened with a builder.
    window.reset();
    services.queryBuilder = [&](TSestava& c, const QString& sql, QWidget*) -> std::optional<QString> {
        EXPECT_EQ(&c, &component);
        EXPECT_TRUE(sql.isEmpty());
        seen = fileBytes(builderFile);
        return QStringLiteral("SELECT * FROM zbozi");
    };
    openWindow();
    messages.answers = {Messages::Answer::No};  // no restart now
    whenModal<TSestDlg>([](TSestDlg* d) {
        named<QRadioButton>(d, "Kombinovany")->setChecked(true);
        clickButton(d, "VytvorSQL");
        clickButton(d, "Konec");
    });
    command(*window, "settings")->trigger();
    EXPECT_EQ(seen, QByteArray("SELECT 1"));
    EXPECT_EQ(fileBytes(queryFile), QByteArray("SELECT 1"));  // back under its own name
    EXPECT_FALSE(QFile::exists(builderFile));
    EXPECT_EQ(linesStarting(doc->templateLines(), "I,5,"),
              QStringList{"I,5,1,\"SELECT * FROM zbozi\""});
}

TEST_F(DesignerCommands, APlanAddedAndCancelledStaysAsOneUndoStep) {
    const int sections = doc->model().page().sections().size();
    whenModal<TSestDlg>([](TSestDlg* d) {
        EXPECT_EQ(d->tabs()->currentIndex(), d->pageIndex(2));  // "Oddíly"
        clickButton(d, "PlanIns");
        d->reject();
    });
    // A double click on the body's caption strip.
    const QRect body = surface->sectionRect(PlanSection::Body);
    QTest::mouseDClick(surface, Qt::LeftButton, {}, QPoint(body.left() + 300, body.bottom() + 8));
    EXPECT_EQ(doc->model().planCount(), 2);
    EXPECT_EQ(int(doc->model().page().sections().size()), sections + 7);
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit nastavení oddílů a skupin"));
    EXPECT_EQ(linesStarting(doc->templateLines(), "I,7,").size(), 1);

    // A group's section opens the page "Skupiny" on its group.
    whenModal<TSestDlg>([](TSestDlg* d) {
        EXPECT_EQ(d->tabs()->currentIndex(), d->pageIndex(3));
        EXPECT_EQ(named<QListWidget>(d, "LBSkupiny")->currentRow(), 0);
        d->reject();
    });
    window->openSettings(7 * doc->model().planCount());
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit nastavení oddílů a skupin"));
    EXPECT_EQ(doc->history().count(), 1);  // nothing changed the second time
}

TEST_F(DesignerCommands, ASortChangeSavesAndRestartsWhenTheUserAgrees) {
    // "±" on one entry of the sort sequence.
    auto toggleEntry = [](int row) {
        return [row](TSestDlg* d) {
            auto* sequence = named<QListWidget>(d, "LBPoradi");
            sequence->clearSelection();
            sequence->item(row)->setSelected(true);
            clickButton(d, "TridToggle");
            clickButton(d, "Konec");
        };
    };
    messages.answers = {Messages::Answer::No};
    whenModal<TSestDlg>(toggleEntry(0));
    command(*window, "settings")->trigger();
    EXPECT_EQ(messages.shown.value(0).left(40),
              QStringLiteral("confirm: Aby se mohly uplatnit změny par"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(component.restartRequested);
    EXPECT_EQ(fileBytes(path), original);

    messages.answers = {Messages::Answer::Yes};
    whenModal<TSestDlg>(toggleEntry(1));
    command(*window, "settings")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(component.restartRequested);
    EXPECT_EQ(messages.shown.size(), 2);  // saved without the question on closing
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("cenik.BAK"))), original);
    QStringList saved;
    ASSERT_TRUE(readTextLines(path, &saved));
    EXPECT_EQ(linesStarting(saved, "I,5,"), QStringList{"I,5,0,\"-popis1,-nazev1\""});
}

TEST_F(DesignerCommands, FunctionsAreAddedAndEditedThroughTheFunctionDialog) {
    DesignerPalette* palette = window->palette();
    palette->setPage(DesignerPalette::Functions);
    ASSERT_TRUE(palette->addFunctionButton()->isEnabled());
    EXPECT_FALSE(palette->editFunctionButton()->isEnabled());
    whenModal<TFunkceDlg>([](TFunkceDlg* d) {
        EXPECT_EQ(named<QLineEdit>(d, "EditFnNaz")->text(), QStringLiteral("Funkce_3"));
        named<QLineEdit>(d, "EditFnVyr")->setText(QStringLiteral("#cena*2"));
        // "Kontrola" evaluates against the template and the current record:
        // names of fields and functions are found.
        whenModal<TSest_FnEditVyraz>([](TSest_FnEditVyraz* e) {
            named<QLineEdit>(e, "EditVyraz")->setText(QStringLiteral("#cena*2+@Celkem"));
            e->check();
            e->reject();
        });
        d->openExpressionEditor();
        clickButton(d, "Konec");
    });
    palette->addFunctionButton()->click();
    EXPECT_EQ(messages.shown, QStringList{"information: Výraz je v pořádku."});
    ASSERT_EQ(doc->model().functions.size(), 3);
    EXPECT_EQ(doc->model().functions[2].expression, QStringLiteral("#cena*2"));
    EXPECT_EQ(palette->buttons().size(), 3);
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit přidání funkce"));

    // Cancel adds nothing.
    whenModal<TFunkceDlg>([](TFunkceDlg* d) { d->reject(); });
    palette->addFunctionButton()->click();
    EXPECT_EQ(doc->model().functions.size(), 3);

    QTest::mouseClick(palette->button(10002), Qt::LeftButton);
    ASSERT_TRUE(palette->editFunctionButton()->isEnabled());
    whenModal<TFunkceDlg>([](TFunkceDlg* d) {
        named<QLineEdit>(d, "EditFnPop")->setText(QStringLiteral("dvojnásobek"));
        clickButton(d, "Konec");
    });
    palette->editFunctionButton()->click();
    EXPECT_EQ(doc->model().functions[2].description, QStringLiteral("dvojnásobek"));
    EXPECT_EQ(palette->button(10002)->toolTip(), QStringLiteral("Funkce Funkce_3 [dvojnásobek]"));
    EXPECT_EQ(doc->undoHint(), QStringLiteral("Zrušit oprava funkce"));
}

TEST_F(DesignerCommands, OptionsAreWrittenAndTheUndoCapacityFollows) {
    ReportEnvironment environment(dir.path());
    component.Environment = &environment;
    doc->setSectionHeight(PlanSection::Body, 40);
    ASSERT_TRUE(doc->canUndo());
    whenModal<TSestKonfigDlg>([](TSestKonfigDlg* d) {
        EXPECT_TRUE(named<QPushButton>(d, "Tiskarna")->isEnabled());  // the printer setup
        named<QLineEdit>(d, "PocetUndo")->setText(QStringLiteral("1"));
        named<QCheckBox>(d, "VybSezna")->setChecked(false);
        clickButton(d, "Konec");
    });
    command(*window, "options")->trigger();
    EXPECT_EQ(doc->options().PocetUndo, 1);
    EXPECT_FALSE(doc->canUndo());
    EXPECT_EQ(readEditorOptions(environment.settingsFilePath()).PocetUndo, 1);
    window->palette()->setPage(DesignerPalette::Fields);
    EXPECT_FALSE(named<QComboBox>(window->palette(), "fieldList")->isVisible());
    doc->setSectionHeight(PlanSection::Body, 48);
    EXPECT_FALSE(doc->canUndo());

    // A number that is not one keeps the dialog open with a message.
    whenModal<TSestKonfigDlg>([](TSestKonfigDlg* d) {
        named<QLineEdit>(d, "RastrX")->setText(QStringLiteral("x"));
        clickButton(d, "Konec");
        EXPECT_TRUE(d->isVisible());
        d->reject();
    });
    command(*window, "options")->trigger();
    EXPECT_EQ(doc->options().RastrX, 8);
}

// The wizard writes its lines into the emptied template; the title stays.
void chooseThreeFieldsInRows(TDlgNovaSestava* d) {
    for (int i : {0, 1, 6}) d->availableList()->item(i)->setSelected(true);
    clickButton(d, "Pridat");
    named<QToolButton>(d, "SBRadek")->click();
    clickButton(d, "Provedt");
}

TEST_F(DesignerCommands, ANewTemplateAsksFirstThenRunsTheWizard) {
    messages.answers = {Messages::Answer::No};
    command(*window, "newTemplate")->trigger();
    EXPECT_EQ(messages.shown,
              QStringList{"confirm: Zrušit všechny prvky a začít s návrhem nové předlohy?"});
    EXPECT_FALSE(doc->isModified());
    EXPECT_TRUE(doc->hasElements());

    bool seen = false;
    whenModal<TDlgNovaSestava>(chooseThreeFieldsInRows, &seen);
    command(*window, "newTemplate")->trigger();
    ASSERT_TRUE(seen);
    const QStringList lines = doc->templateLines();
    EXPECT_EQ(lines.value(0), QStringLiteral("I,0,\"Ceník zboží podle skupin\""));
    // Rows: labels 12 x 7 = 84 wide, values at 92 no wider than the rest of
    // the printable width 726; by name as the option SledPodle says.
    EXPECT_EQ(linesStarting(lines, "T,2,"),
              (QStringList{"T,2,cislo,92,0,97,20,Arial,10,0,0,1,0,1,238,\"\",\"\",0",
                           "T,2,nazev1,92,20,634,20,Arial,10,0,0,0,0,1,238,\"\",\"\",0",
                           "T,2,cena,92,40,90,20,Arial,10,0,0,1,0,1,238,\"\",\"\",0"}))
        << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("I,3,2,1,76,0,0")));
    EXPECT_TRUE(linesStarting(lines, "F,").isEmpty());  // the functions went with the page
    EXPECT_TRUE(doc->isModified());
    EXPECT_FALSE(doc->canUndo());
    EXPECT_FALSE(doc->canRedo());
}

TEST_F(DesignerCommands, TheWizardsLabelSheetGivesThePageAndOneLabel) {
    messages.answers = {Messages::Answer::Yes};  // empty the page
    SheetPage sheet;
    bool chooserSeen = false, seen = false;
    whenModal<TDlgNovaSestava>(
        [&](TDlgNovaSestava* d) {
            whenModal<TDlgArchEtiket>(
                [&](TDlgArchEtiket* c) {
                    QTest::keyClicks(named<QLineEdit>(c, "EditHledat"), QStringLiteral("L7163"));
                    QString error;
                    ASSERT_TRUE(c->page(&sheet, &error)) << error.toStdString();
                    clickButton(c, "Pouzit");
                },
                &chooserSeen);
            clickButton(d, "ArchEtiket");
            for (int i : {0, 1, 6}) d->availableList()->item(i)->setSelected(true);
            clickButton(d, "Pridat");
            clickButton(d, "Provedt");
        },
        &seen);
    command(*window, "newTemplate")->trigger();
    ASSERT_TRUE(seen);
    ASSERT_TRUE(chooserSeen);
    ASSERT_EQ(sheet.columns, 2);
    // The sheet's paper and columns stay under the wizard's lines.
    const ReportModel& m = doc->model();
    EXPECT_EQ(m.paper.paperWidth, sheet.geometry.paperWidth);
    EXPECT_EQ(m.paper.leftMargin, sheet.geometry.leftMargin);
    EXPECT_EQ(m.paper.topMargin, sheet.geometry.topMargin);
    EXPECT_EQ(m.columns(), sheet.columns);
    EXPECT_EQ(m.columnGap(), sheet.gap);
    const QStringList lines = doc->templateLines();
    EXPECT_TRUE(lines.contains(QStringLiteral("I,3,2,1,%1,0,0").arg(sheet.rowPitch)))
        << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("I,3,0,0,96,0,0")));  // no title on a sheet
    // Every field within one label.
    const QStringList fields = linesStarting(lines, "T,2,");
    ASSERT_EQ(fields.size(), 3);
    for (const QString& f : fields) {
        const QStringList v = f.split(u',');
        EXPECT_LE(v[3].toInt() + v[5].toInt(), sheet.labelWidth) << f.toStdString();
        EXPECT_LE(v[4].toInt() + v[6].toInt(), sheet.rowPitch) << f.toStdString();
    }
    EXPECT_TRUE(doc->isModified());
}

class DesignerOnEmptyTemplate : public DesignerWindow {
protected:
    void SetUp() override {
        installPrinterBackend(std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{}));
    }
};

TEST_F(DesignerOnEmptyTemplate, TheWizardOpensAtOnceAndManualLeavesAnEmptyPage) {
    bool seen = false;
    whenModal<TDlgNovaSestava>([](TDlgNovaSestava* d) { clickButton(d, "Rucne"); }, &seen);
    openTemplate(QStringLiteral("nova.pts"));
    QTRY_VERIFY(seen);
    QApplication::processEvents();
    EXPECT_FALSE(doc->hasElements());
    EXPECT_FALSE(doc->isModified());
    EXPECT_TRUE(messages.shown.isEmpty());  // nothing to lose: no question
}

TEST_F(DesignerOnEmptyTemplate, TheWizardsTemplateIsSavedAsItsFile) {
    bool seen = false;
    whenModal<TDlgNovaSestava>(chooseThreeFieldsInRows, &seen);
    openTemplate(QStringLiteral("nova.pts"));
    QTRY_VERIFY(seen);
    QTRY_VERIFY(doc->isModified());
    ASSERT_TRUE(window->saveTemplate());
    QStringList saved;
    ASSERT_TRUE(readTextLines(path, &saved));
    EXPECT_EQ(saved, doc->templateLines());
    EXPECT_EQ(linesStarting(saved, "T,2,").size(), 3);
}

TEST_F(DesignerCommands, SavingUnderANewNameTakesTheTitleAndTheQueryFile) {
    component.ReportSaveDialog = true;
    // A combined data source with its query file beside the template.
    editModel([](ReportModel& m) {
        m.dataSource.kind = DataSourceSettings::Combined;
        m.dataSource.sqlLines = {QStringLiteral("select * from zbozi")};
    });
    ASSERT_TRUE(writeFileAtomically(dir.filePath(QStringLiteral("cenik-pts.stm")), "SELECT 1"));

    bool reduced = false;
    whenModal<QFileDialog>([&](QFileDialog* d) {
        d->selectFile(dir.filePath(QStringLiteral("Novy.PTSX")));
        whenModal<TSestDlg>([&](TSestDlg* s) {
            reduced = !s->tabs()->isTabVisible(1) && s->tabs()->currentIndex() == 0;
            named<QLineEdit>(s, "Nazev")->setText(QStringLiteral("Nový ceník"));
            clickButton(s, "Konec");
        });
        static_cast<QDialog*>(d)->accept();
    });
    ASSERT_TRUE(window->saveTemplate());
    EXPECT_TRUE(reduced);
    const QString saved = dir.filePath(QStringLiteral("novy.pts"));
    QStringList lines;
    ASSERT_TRUE(readTextLines(saved, &lines));
    EXPECT_EQ(lines.value(0), QStringLiteral("I,0,\"Nový ceník\""));
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("novy-pts.stm"))), QByteArray("SELECT 1"));
    EXPECT_EQ(fileBytes(path), original);  // the old template is untouched
    EXPECT_EQ(component.ReportName, QStringLiteral("novy.pts"));
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("Nový ceník \"novy.pts\"")));
    EXPECT_FALSE(doc->isModified());

    // Cancelling the file dialog writes nothing.
    doc->setSectionHeight(PlanSection::Body, 40);
    whenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_FALSE(window->saveTemplate());
    EXPECT_TRUE(doc->isModified());
}

TEST_F(DesignerCommands, ThePreviewShowsTheUnsavedTemplateAndComesBack) {
    // An unsaved change: the preview must show it, the file stays as it was.
    doc->setTitle(QStringLiteral("Neuložený titul"));
    bool seen = false;
    QString caption;
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [&, timer] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* run = dynamic_cast<TFormSestE_NOR*>(w); run && run->isVisible()) {
                timer->stop();
                timer->deleteLater();
                seen = true;
                caption = run->windowTitle();
                EXPECT_TRUE(run->isModal());
                run->close();
                return;
            }
    });
    timer->start();
    command(*window, "preview")->trigger();
    ASSERT_TRUE(seen);
    EXPECT_TRUE(caption.contains(QStringLiteral("Neuložený titul"))) << caption.toStdString();
    EXPECT_GT(component.pageCount, 0);
    EXPECT_TRUE(component.inMemoryTemplate.isEmpty());
    EXPECT_EQ(fileBytes(path), original);
    EXPECT_TRUE(doc->isModified());
}

TEST_F(DesignerCommands, PrintingSendsThePagesOfTheUnsavedTemplate) {
    FixturePrinter office;
    office.entry = {QStringLiteral("Kancelář"), QStringLiteral("HP LaserJet 4"),
                    QStringLiteral("socket://10.0.0.5")};
    office.isDefault = true;
    auto backend = std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{office});
    const auto jobs = backend->jobs();
    installPrinterBackend(std::move(backend));
    component.ReportPrintDialog = false;
    component.EndPage = 1;
    doc->setTitle(QStringLiteral("Tištěno z návrhu"));
    command(*window, "print")->trigger();
    ASSERT_EQ(jobs->size(), 1);
    EXPECT_TRUE(jobs->first().finished);
    EXPECT_EQ(jobs->first().pages, 1);
    EXPECT_TRUE(component.inMemoryTemplate.isEmpty());
    EXPECT_EQ(fileBytes(path), original);
}

TEST_F(DesignerOnEmptyTemplate, ATemplateHeldInMemoryIsEditedAndSavedThere) {
    prepareComponent(QStringLiteral("cenik.pts"));
    ASSERT_TRUE(readTextLines(path, &component.inMemoryTemplate));
    ASSERT_TRUE(QFile::remove(path));
    const QStringList loaded = component.inMemoryTemplate;
    TFormSestE designer(component, messages, options);
    ASSERT_TRUE(designer.load());
    designer.document().setSectionHeight(PlanSection::Body, 40);
    ASSERT_TRUE(designer.saveTemplate());
    EXPECT_FALSE(designer.document().isModified());
    EXPECT_EQ(component.inMemoryTemplate, designer.document().templateLines());
    EXPECT_NE(component.inMemoryTemplate, loaded);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(DesignerOnEmptyTemplate, TheReportWindowsOpenTheDesignerTheHostGives) {
    prepareComponent(QStringLiteral("cenik.pts"));
    ReportWindowHost host;
    EXPECT_FALSE(designAvailable(host));
    EXPECT_FALSE(designReport(component, messages, host));
    host.designer = designerLauncher();
    ASSERT_TRUE(designAvailable(host));
    QString caption;
    whenModal<TFormSestE>([&caption](TFormSestE* w) {
        caption = w->windowTitle();
        w->close();
    });
    EXPECT_FALSE(designReport(component, messages, host));
    EXPECT_EQ(caption, QStringLiteral(
                           "Oprava předlohy tiskové sestavy - Ceník zboží podle skupin \"cenik.pts\""));
}

}  // namespace
}  // namespace dorvana::test
