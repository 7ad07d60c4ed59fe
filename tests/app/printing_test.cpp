// Printing from the main window, driven through the real window: the print
// bar with its template lists, preview and print of the marked records, new
// and deleted templates, the marks files, exclusion, the filter dialog and
// record generation.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

#include "app/filter_dialog.h"
#include "app/generation_dialog.h"
#include "app/main_form.h"
#include "app/main_form_printing.h"
#include "app/print_bar.h"
#include "base/progress.h"
#include "controls/marking_grid.h"
#include "data/data_set.h"
#include "data/label_file.h"
#include "report/render/printer/printer.h"
#include "report/windows/run_window.h"
#include "report/windows/template_combo.h"
#include "support/fixture_printer_backend.h"
#include "support/label_files.h"
#include "support/print_job_fixture.h"
#include "support/scripted_messages.h"
#include "support/test_support.h"
#include "support/widget_watch.h"
#include "report/render/barcode/render_helpers.h"
#include "report/render/render_fixture.h"

namespace dorvana {
namespace {

struct Goods {
    int cislo;
    const char* nazev;
    const char* barcode;
};
// Five goods of the sample data.
const Goods kGoods[] = {{10, "Brambory žluté", "8596581699839"},
                        {20, "Vánočka s rozinkami", "8598030654505"},
                        {30, "Mrkev", "8593188910374"},
                        {40, "Hřebík 50 mm", "8595392558199"},
                        {50, "Sýr eidam 30 %", "8592077357252"}};

// With DORVANA_SHOTS=folder the windows are saved as pictures there (to look at them).
void shot(QWidget* w, const char* name) {
    const QString folder = qEnvironmentVariable("DORVANA_SHOTS");
    if (!folder.isEmpty()) w->grab().save(QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
}

class PrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        start_ = dir_.filePath(QStringLiteral("start"));
        QDir().mkpath(start_ + QStringLiteral("/data"));
        for (const char* t : {"etiketa.pte", "cenik.pts", "zaklad.PTF"})
            QFile::copy(test::sourcePath(QStringLiteral("samples/templates/") + QString::fromLatin1(t)),
                        start_ + u'/' + QString::fromLatin1(t));
        labels_ = start_ + QStringLiteral("/data/etikety.db");
        QString err;
        QList<RawRecord> rows;
        for (const Goods& g : kGoods) {
            RawRecord r(16);
            r[0] = QVariant::fromValue<qint64>(g.cislo);
            r[1] = QString::fromUtf8(g.nazev);
            r[3] = QString::fromLatin1(g.barcode);
            r[6] = 12.5;
            r[7] = QStringLiteral("Zboží");
            rows << r;
        }
        ASSERT_TRUE(test::writeLabelRows(labels_, rows, &err)) << err.toStdString();

        FixturePrinter office;
        office.entry = {QStringLiteral("Kancelář"), QStringLiteral("HP LaserJet 4"), QStringLiteral("lpt1")};
        office.isDefault = true;
        auto backend = std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{office});
        jobs_ = backend->jobs();
        printer_ = std::make_unique<Printer>(std::move(backend));

        form_ = std::make_unique<TMainForm>(start_, dir_.filePath(QStringLiteral("dorvana.ini")), &messages_);
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
        form_->restoreOnce();
        ASSERT_TRUE(form_->openFile(1, labels_));
        features_ = form_->findChild<MainFormPrinting*>();
        ASSERT_NE(features_, nullptr);
        bar_ = &features_->printBar();
        bar_->host.printer = printer_.get();
    }
    void TearDown() override { form_.reset(); }

    TComboBoxPredloha* list() const { return bar_->templateList(); }
    void chooseTemplate(const QString& file) {
        const int i = findTemplate(list()->choice().entries(), file);
        ASSERT_GE(i, 0) << file.toStdString();
        list()->setCurrentIndex(i);
        emit list()->activated(i);
    }
    // Marks records by their numbers in the table (1 = first).
    void mark(std::initializer_list<int> records) {
        for (int r : records) form_->grid()->toggleValue(r);
    }
    void click(const char* action) { form_->action(QString::fromLatin1(action))->trigger(); }
    // Every text of every page of the preview that opens next; the preview is closed.
    QStringList previewTexts() {
        QStringList texts;
        bar_->host.opened = [&texts](TFormSestE_NOR& w) {
            const PageStore& pages = w.document().pages();
            for (int p = 0; p < pages.pageCount(); ++p)
                for (int e = 0; e < pages.page(p).count(); ++e) texts << pages.page(p).element(e).text;
            QTimer::singleShot(0, &w, [&w] { QTest::keyClick(&w, Qt::Key_Escape); });
        };
        click("ProhlizeniSestavy");
        bar_->host.opened = {};
        return texts;
    }
    QStringList names(const QStringList& texts) const {
        QStringList found;
        for (const Goods& g : kGoods)
            if (texts.contains(QString::fromUtf8(g.nazev))) found << QString::fromUtf8(g.nazev);
        return found;
    }

    QTemporaryDir dir_;
    QString start_, labels_;
    test::ScriptedMessages messages_;
    std::shared_ptr<QList<RecordedJob>> jobs_;
    std::unique_ptr<Printer> printer_;
    std::unique_ptr<TMainForm> form_;
    MainFormPrinting* features_ = nullptr;
    PrintBar* bar_ = nullptr;
};

TEST_F(PrintingTest, TheTwoBarButtonsSwitchBetweenLabelAndReportTemplates) {
    QAction* labels = form_->action(QStringLiteral("PrintEti"));
    QAction* reports = form_->action(QStringLiteral("PrintSes"));
    // At start: the label templates, the report button off.
    EXPECT_TRUE(form_->printBar()->isVisible());
    EXPECT_TRUE(labels->isChecked());
    EXPECT_FALSE(reports->isEnabled());
    EXPECT_EQ(list()->choice().ReportMask, QStringLiteral("*.ptE"));
    EXPECT_EQ(list()->choice().Report, &features_->printing().Sestava2());
    EXPECT_EQ(list()->count(), 1);  // etiketa.pte
    chooseTemplate(QStringLiteral("etiketa.pte"));
    shot(form_.get(), "print_bar_labels");
    EXPECT_EQ(list()->maxVisibleItems(), 22);
    EXPECT_EQ(list()->toolTip(), QStringLiteral("Výběr volné sesravy"));

    labels->trigger();  // hides the bar
    EXPECT_FALSE(form_->printBar()->isVisible());
    EXPECT_FALSE(labels->isChecked());
    EXPECT_TRUE(reports->isEnabled());
    reports->trigger();
    EXPECT_TRUE(form_->printBar()->isVisible());
    EXPECT_TRUE(reports->isChecked());
    EXPECT_FALSE(labels->isEnabled());
    EXPECT_EQ(list()->choice().Report, &features_->printing().Sestava1());
    EXPECT_EQ(list()->count(), 1);  // cenik.pts
    chooseTemplate(QStringLiteral("cenik.pts"));
    shot(form_.get(), "print_bar_reports");

    // Choosing a template unticks "Jeden zaznam"; "Pozice etikety" is hidden
    // without a COPY column.
    auto* one = form_->printBar()->findChild<QCheckBox*>(QStringLiteral("JedenZaznam"));
    one->setChecked(true);
    chooseTemplate(QStringLiteral("cenik.pts"));
    EXPECT_FALSE(one->isChecked());
    EXPECT_FALSE(form_->printBar()->findChild<QSpinBox*>(QStringLiteral("PoziceEtikety"))->isVisible());
    EXPECT_EQ(form_->printBar()->findChild<QSpinBox*>(QStringLiteral("PoziceEtikety"))->maximum(), 999);
}

TEST_F(PrintingTest, NoTemplateChosenPutsTheFocusOnTheListAndDoesNothingElse) {
    list()->setCurrentIndex(-1);
    click("TiskSestavy");
    EXPECT_TRUE(list()->hasFocus());
    EXPECT_TRUE(jobs_->isEmpty());
    EXPECT_TRUE(messages_.shown.isEmpty());

    // A template deleted after it was chosen: its message, nothing printed.
    chooseTemplate(QStringLiteral("etiketa.pte"));
    ASSERT_TRUE(QFile::remove(start_ + QStringLiteral("/etiketa.pte")));
    click("TiskSestavy");
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown[0].startsWith("error: Nebyl nalezen soubor s předlohou tiskové sestavy"))
        << messages_.shown[0].toStdString();
    EXPECT_TRUE(jobs_->isEmpty());
    EXPECT_TRUE(form_->action(QStringLiteral("TiskSestavy"))->isEnabled());
}

TEST_F(PrintingTest, ThePreviewOfAReportHoldsExactlyTheMarkedRecords) {
    form_->action(QStringLiteral("PrintEti"))->trigger();
    form_->action(QStringLiteral("PrintSes"))->trigger();
    chooseTemplate(QStringLiteral("cenik.pts"));
    EXPECT_EQ(names(previewTexts()).size(), 5);  // nothing marked: the whole table

    mark({4, 2});
    EXPECT_EQ(names(previewTexts()), QStringList({"Vánočka s rozinkami", "Hřebík 50 mm"}));
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join(u'\n').toStdString();
    // Marks were used: the temporary table is gone, the buttons are back.
    EXPECT_TRUE(QDir(start_ + QStringLiteral("/data")).entryList({QStringLiteral("tempprn.*")}).isEmpty());
    EXPECT_TRUE(form_->action(QStringLiteral("TiskSestavy"))->isEnabled());
    EXPECT_TRUE(form_->action(QStringLiteral("ProhlizeniSestavy"))->isEnabled());

    // "Jeden zaznam": the current record only, straight from the table.
    form_->grid()->clearMarks();
    form_->session().dataSet()->setRecNo(3);
    form_->printBar()->findChild<QCheckBox*>(QStringLiteral("JedenZaznam"))->setChecked(true);
    EXPECT_EQ(names(previewTexts()), QStringList{"Mrkev"});
}

TEST_F(PrintingTest, PrintedLabelsOfTheMarkedRecordsCarryTheirBarcodes) {
    if (!test::popplerAvailable()) GTEST_SKIP() << "poppler-utils are not installed";
    if (!test::zbarAvailable()) GTEST_SKIP() << "zbarimg is not installed";
    chooseTemplate(QStringLiteral("etiketa.pte"));
    mark({1, 3});
    int dialogs = 0;
    bar_->host.printDialog = [&dialogs](PrintDialogValues&) {
        ++dialogs;
        return true;
    };
    click("TiskSestavy");
    EXPECT_EQ(dialogs, 1);
    ASSERT_EQ(jobs_->size(), 1) << messages_.shown.join(u'\n').toStdString();
    EXPECT_TRUE(jobs_->at(0).finished);
    EXPECT_EQ(jobs_->at(0).pages, 2);  // one 60 x 40 mm label a page
    const QString pdf = dir_.filePath(QStringLiteral("stitky.pdf"));
    ASSERT_TRUE(test::writeBytes(pdf, jobs_->at(0).pdf));
    QStringList read;
    for (int page = 1; page <= 2; ++page) {
        const QImage image = test::pdfPage(pdf, page, 300);
        ASSERT_FALSE(image.isNull()) << "page " << page << " of the printed PDF cannot be read";
        read << QString::fromStdString(test::zbarDecode(image));
    }
    EXPECT_EQ(read, QStringList({"EAN-13:8596581699839", "EAN-13:8593188910374"}));

    // Nothing marked: the label of the current record.
    form_->grid()->clearMarks();
    form_->session().dataSet()->setRecNo(5);
    click("TiskSestavy");
    ASSERT_EQ(jobs_->size(), 2);
    EXPECT_EQ(jobs_->at(1).pages, 1);
}

// Printing the marked records goes from the click to the job without a
// window of its own: with the questions and the progress given, not one
// widget is built. The job carries the template's title.
TEST_F(PrintingTest, PrintingMarkedRecordsBuildsNoWidget) {
    chooseTemplate(QStringLiteral("etiketa.pte"));
    mark({1, 3});
    test::ScriptedPrompts prompts;
    NoProgress progress;
    bar_->host.printPrompts = &prompts;
    bar_->host.printProgress = &progress;
    {
        test::WidgetConstructionWatch watch;
        click("TiskSestavy");
        EXPECT_EQ(watch.widgets(), 0);
    }
    EXPECT_EQ(prompts.dialogsShown.size(), 1);
    EXPECT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join(u'\n').toStdString();
    ASSERT_EQ(jobs_->size(), 1) << messages_.shown.join(u'\n').toStdString();
    EXPECT_EQ(jobs_->at(0).pages, 2);
    EXPECT_EQ(jobs_->at(0).title, QStringLiteral("Cenovka 60 x 40 mm"));
    // The watch does see a widget being made.
    test::WidgetConstructionWatch watch;
    QWidget made;
    EXPECT_EQ(watch.widgets(), 1);
}

TEST_F(PrintingTest, PerRecordCountsPrintOneJobEachWithTheDialogOnlyForTheFirst) {
    if (!test::popplerAvailable()) GTEST_SKIP() << "poppler-utils are not installed";
    // cislo1 titled PCOPY: 2, 0, 1, 0, 3 copies.
    DataSet* shown = form_->session().dataSet();
    const double counts[] = {2, 0, 1, 0, 3};
    for (int i = 0; i < 5; ++i) {
        shown->setRecNo(i + 1);
        ASSERT_TRUE(shown->edit());
        ASSERT_TRUE(shown->findField(QStringLiteral("cislo1"))->setValue(TaggedValue(counts[i])));
        ASSERT_TRUE(shown->post());
    }
    GridColumns columns = form_->session().columns();
    for (GridColumn& c : columns)
        if (c.fieldName == u"cislo1") c.title = QStringLiteral("PCOPY");
    form_->session().setColumns(columns);
    chooseTemplate(QStringLiteral("etiketa.pte"));
    int dialogs = 0;
    bar_->host.printDialog = [&dialogs](PrintDialogValues&) {
        ++dialogs;
        return true;
    };
    click("TiskSestavy");
    EXPECT_EQ(dialogs, 1);
    ASSERT_EQ(jobs_->size(), 3) << messages_.shown.join(u'\n').toStdString();
    QList<int> copies, pages;
    for (const RecordedJob& j : *jobs_) {
        copies << j.settings.copies;
        pages << j.pages;
    }
    EXPECT_EQ(copies, QList<int>({2, 1, 3}));
    EXPECT_EQ(pages, QList<int>({1, 1, 1}));
    // Each job holds its own record's label.
    const char* expected[] = {"Brambory žluté", "Mrkev", "Sýr eidam 30 %"};
    for (int i = 0; i < 3; ++i) {
        const QString pdf = dir_.filePath(QStringLiteral("job%1.pdf").arg(i));
        ASSERT_TRUE(test::writeBytes(pdf, jobs_->at(i).pdf));
        const QString text = test::pdfText(pdf);
        ASSERT_FALSE(text.isEmpty()) << "job " << i << " printed a PDF without text";
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected[i]))) << i << text.toStdString();
    }
    EXPECT_EQ(features_->printing().Sestava2().EndPage, kDefaultEndPage);
}

TEST_F(PrintingTest, ANewTemplateFromAPrototypeAndDeletingIt) {
    click("NovaSestava");
    QFrame* panel = bar_->namePanel();
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(list()->choice().ReportMask, QStringLiteral("*.PTF"));
    EXPECT_EQ(bar_->nameEdit()->text(), QStringLiteral("Bez jména"));
    EXPECT_EQ(bar_->nameEdit()->selectedText(), QStringLiteral("Bez jména"));
    // The bars are off while the panel is shown.
    EXPECT_FALSE(form_->action(QStringLiteral("TiskSestavy"))->isEnabled());
    EXPECT_FALSE(form_->findChild<QToolBar*>(QStringLiteral("ToolBar1"))->isEnabled());

    bar_->nameEdit()->setText(QStringLiteral("Regál"));
    QTest::keyClick(bar_->nameEdit(), Qt::Key_Return);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(form_->action(QStringLiteral("TiskSestavy"))->isEnabled());
    EXPECT_TRUE(form_->findChild<QToolBar*>(QStringLiteral("ToolBar1"))->isEnabled());
    ASSERT_TRUE(QFile::exists(start_ + QStringLiteral("/Regál.pts")));
    EXPECT_EQ(list()->reportName(), QStringLiteral("Regál.pts"));
    EXPECT_EQ(list()->currentText(), QStringLiteral("Regál"));

    // Esc cancels: nothing is written, the report templates are listed.
    click("NovaSestava");
    QTest::keyClick(bar_->nameEdit(), Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(list()->choice().ReportMask, QStringLiteral("*.pts"));

    // Deleting asks first; No keeps the file.
    chooseTemplate(QStringLiteral("Regál.pts"));
    messages_.answers = {Messages::Answer::No};
    click("VymazSestavy");
    EXPECT_TRUE(QFile::exists(start_ + QStringLiteral("/Regál.pts")));
    click("VymazSestavy");
    EXPECT_EQ(messages_.shown.last(), QStringLiteral("confirm: Vymazat sestavu ?"));
    EXPECT_FALSE(QFile::exists(start_ + QStringLiteral("/Regál.pts")));
    EXPECT_EQ(list()->currentIndex(), -1);
}

TEST_F(PrintingTest, MarksAreSavedAndLoadedThroughSelectionFilesAndRecordsExcluded) {
    const QString file = dir_.filePath(QStringLiteral("vyber.sgn"));
    QList<FileRequest> asked;
    features_->chooseFile = [&](const FileRequest& r) {
        asked << r;
        return file;
    };
    click("Uloen1");
    EXPECT_EQ(messages_.shown, QStringList{"error: Není výběr"});
    EXPECT_FALSE(QFile::exists(file));

    mark({5, 2, 4});
    click("Uloen1");
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].title, QStringLiteral("Uložení výběru"));
    EXPECT_EQ(asked[0].filter, QStringLiteral("Soubory výběru položek|*.sgn"));
    EXPECT_TRUE(asked[0].save);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\x05\0\0\0\x02\0\0\0\x04\0\0\0", 12));
    f.close();

    // Loading toggles: 2 marked now is unmarked, 5 and 4 come back.
    form_->grid()->clearMarks();
    mark({2});
    click("Naten1");
    EXPECT_EQ(asked.last().title, QStringLiteral("Načtení výběru ze souboru"));
    EXPECT_EQ(form_->grid()->marks().values(), QList<qint32>({5, 4}));

    // Excluding asks "Vyloučit větu ?" and deletes the current record.
    DataSet* shown = form_->session().dataSet();
    shown->setRecNo(3);
    messages_.shown.clear();
    form_->grid()->setFocus();
    QTest::keyClick(form_->grid(), Qt::Key_Delete);
    EXPECT_EQ(messages_.shown, QStringList{"confirm: Vyloučit větu ?"});
    EXPECT_EQ(shown->recordCount(), 4);
    shown->setRecNo(3);
    EXPECT_EQ(shown->findField(QStringLiteral("cislo"))->displayText(), QStringLiteral("40"));
}

TEST_F(PrintingTest, TheFilterDialogComposesGroupsAppliesSavesAndLoads) {
    const QString flt = dir_.filePath(QStringLiteral("filtr.flt"));
    features_->chooseFile = [&](const FileRequest&) { return flt; };
    QString saved;
    features_->filterDialogShown = [&](TfmFilter2& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Volba filtru"));
        QApplication::setActiveWindow(&d);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        QListWidget* fields = d.fieldList();
        const auto row = [fields](const char* label) {
            const auto found = fields->findItems(QString::fromLatin1(label), Qt::MatchExactly);
            return found.isEmpty() ? -1 : fields->row(found.first());
        };
        ASSERT_GE(row("cislo"), 0);
        EXPECT_LT(row("pozn"), 0);  // memo and picture fields are not listed
        // cislo 20 ... 30, typed and left with Tab.
        const QRect r = fields->visualItemRect(fields->item(row("cislo")));
        QTest::mouseClick(fields->viewport(), Qt::LeftButton, {}, r.center());
        ASSERT_TRUE(d.fromInput()) << r.x() << "," << r.y() << " " << fields->count();
        EXPECT_TRUE(d.fromInput()->hasFocus()) << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "none");
        QTest::keyClicks(d.fromInput(), QStringLiteral("20"));
        QTest::keyClick(d.fromInput(), Qt::Key_Tab);
        EXPECT_EQ(d.toInput()->text(), QStringLiteral("20"));
        EXPECT_TRUE(d.toInput()->hasFocus());
        d.toInput()->selectAll();
        QTest::keyClicks(d.toInput(), QStringLiteral("30"));
        QTest::keyClick(d.toInput(), Qt::Key_Return);
        EXPECT_FALSE(d.toInput()->isEnabled());
        // A reversed range: "Chybné zadání", nothing added.
        fields->setCurrentRow(row("cislo"));
        emit fields->itemClicked(fields->item(row("cislo")));
        d.fromInput()->setText(QStringLiteral("9"));
        QTest::keyClick(d.fromInput(), Qt::Key_Return);
        d.toInput()->setText(QStringLiteral("5"));
        QTest::keyClick(d.toInput(), Qt::Key_Return);
        EXPECT_EQ(messages_.shown, QStringList{"error: Chybné zadání"});
        EXPECT_EQ(d.composer().conditionCount(), 1);
        // "&Dále" twice, then nazev1 from "Mr" to "Mr".
        d.findChild<QPushButton*>(QStringLiteral("Button3"))->click();
        d.findChild<QPushButton*>(QStringLiteral("Button3"))->click();
        emit fields->itemClicked(fields->item(row("nazev1")));
        QTest::keyClicks(d.fromInput(), QStringLiteral("Mr"));
        QTest::keyClick(d.fromInput(), Qt::Key_Tab);
        QTest::keyClick(d.toInput(), Qt::Key_Return);
        d.findChild<QPushButton*>(QStringLiteral("SaveButton"))->click();
        shot(&d, "filter_two_groups");
        saved = d.composer().filterText();
        d.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        EXPECT_FALSE(d.isVisible());
    };
    click("Nastaven1");
    const QString expected = QStringLiteral("((cislo>=20)and(cislo<=30)) or ((nazev1>='Mr')and(nazev1<='Mr") +
                             QString(38, u'ž') + QStringLiteral("'))");
    EXPECT_EQ(saved, expected);
    DataSet* shown = form_->session().dataSet();
    EXPECT_EQ(shown->filter(), expected);
    EXPECT_TRUE(shown->isFiltered());
    EXPECT_EQ(shown->recordCount(), 2);  // 20, 30 (Mrkev)
    QString fileText;
    {
        QFile f(flt);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        fileText = QString::fromLatin1(f.readAll());
    }
    EXPECT_TRUE(fileText.startsWith(QStringLiteral("((cislo>=20)"))) << fileText.toStdString();

    // OK with no condition switches the filter off.
    features_->filterDialogShown = [](TfmFilter2& d) { d.Button1Click(); };
    click("Nastaven1");
    EXPECT_FALSE(shown->isFiltered());
    EXPECT_EQ(shown->recordCount(), 5);

    // "&Načti" applies the file; a line the engine refuses keeps the state.
    features_->filterDialogShown = [](TfmFilter2& d) { d.LoadButtonClick(); };
    click("Nastaven1");
    EXPECT_TRUE(shown->isFiltered());
    EXPECT_EQ(shown->recordCount(), 2);
    ASSERT_TRUE(test::writeBytes(flt, "((neni_pole=1))\r\n"));
    messages_.shown.clear();
    click("Nastaven1");
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown[0].startsWith("error: ")) << messages_.shown[0].toStdString();
    EXPECT_EQ(shown->filter(), expected);
    EXPECT_TRUE(shown->isFiltered());
}

TEST_F(PrintingTest, RecordGenerationFromTheCurrentRecord) {
    DataSet* shown = form_->session().dataSet();
    shown->setRecNo(5);  // cislo 50
    // Cancel changes nothing.
    features_->generationDialog = [](TGenForm&) { return false; };
    click("SpeedDrag");
    EXPECT_EQ(shown->recordCount(), 5);

    features_->generationDialog = [](TGenForm& d) {
        d.show();
        EXPECT_TRUE(d.incrementButton(IncrementField::Cislo)->isChecked());
        EXPECT_FALSE(d.incrementButton(IncrementField::Cena)->isEnabled());
        d.gennew()->setChecked(false);
        EXPECT_TRUE(d.incrementButton(IncrementField::Cislo1)->isChecked());
        EXPECT_FALSE(d.incrementButton(IncrementField::Cislo)->isEnabled());
        d.gennew()->setChecked(true);
        // The step skips 0 with the arrows.
        d.Krok()->stepDown();
        EXPECT_EQ(d.Krok()->value(), -1);
        d.Krok()->stepUp();
        EXPECT_EQ(d.Krok()->value(), 1);
        d.Krok()->setValue(5);
        d.Pocet()->setValue(3);
        d.TahList()->item(0)->setCheckState(Qt::Checked);  // Název1
        shot(&d, "record_generation");
        return true;
    };
    click("SpeedDrag");
    EXPECT_EQ(shown->recordCount(), 8);
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join(u'\n').toStdString();
    ASSERT_TRUE(shown->findKey(TaggedValue(qint32(65))));
    EXPECT_EQ(shown->findField(QStringLiteral("nazev1"))->displayText(), QStringLiteral("Sýr eidam 30 %"));

    // Numbers already taken are counted and said once.
    shown->setRecNo(1);  // 10: 20, 30, 40 are taken
    features_->generationDialog = [](TGenForm& d) {
        d.Krok()->setValue(10);
        d.Pocet()->setValue(3);
        return true;
    };
    click("SpeedDrag");
    EXPECT_EQ(messages_.shown, QStringList{"error: Nebylo zapsáno 3 vět - Duplicita klíče"});
}

}  // namespace
}  // namespace dorvana
