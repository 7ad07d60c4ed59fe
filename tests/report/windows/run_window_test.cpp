// The run window with its preview, driven through its real widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "base/code_page.h"
#include "report/layout/pages/corrections_file.h"
#include "report/render/page_output.h"
#include "support/fixture_printer_backend.h"
#include "report/render/printer/printer.h"
#include "report/run/preview_geometry.h"
#include "report/run/report_component.h"
#include "report/windows/preview_page.h"
#include "report/windows/report_windows.h"
#include "report/windows/run_window.h"
#include "support/scripted_messages.h"
#include "support/sample_label_job.h"
#include "support/test_support.h"
#include "report/render/render_fixture.h"

using namespace dorvana;

namespace {

FixturePrinter officePrinter() {
    FixturePrinter p;
    p.entry = {QStringLiteral("Kancelář"), QStringLiteral("HP LaserJet 4"),
               QStringLiteral("socket://10.0.0.5")};
    p.isDefault = true;
    return p;
}

// The sample price label (one 60 x 40 mm label a page, margins 0) over the
// sample goods, three pages; corrections in a temporary folder.
class RunWindowTest : public testing::Test, protected test::SampleLabelJob {
protected:
    void SetUp() override {
        prepare();
        auto backend = std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{officePrinter()});
        jobs = backend->jobs();
        printer = std::make_unique<Printer>(std::move(backend));
    }

    // A preview window as the preview operation prepares it.
    std::unique_ptr<TFormSestE_NOR> open() {
        auto w = std::make_unique<TFormSestE_NOR>(component, messages, *printer);
        w->setProfilePath(dir.filePath(QStringLiteral("win.ini")));
        EXPECT_TRUE(w->loadTemplate());
        w->buildPages();
        w->enterPreviewMode();
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        return w;
    }
    template <typename T>
    static T* child(QWidget& w, const char* name) {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static QString text(QWidget& w, const char* name) { return child<QLabel>(w, name)->text(); }
    // Clicks the page at a point of the printable area (0.01 in).
    // Runs then once the window is the user's: the build's progress window
    // (modal) has gone.
    static void whenBuilt(TFormSestE_NOR& w, std::function<void()> then) {
        auto* poll = new QTimer(&w);
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, &w, [poll, then] {
            if (QApplication::activeModalWidget()) return;
            poll->stop();
            then();
        });
        poll->start();
    }

    static void clickPage(TFormSestE_NOR& w, int x, int y) {
        const PagePaper& paper = w.document().pages().paper;
        const double z = w.document().zoom();
        const QPoint at(int((paper.leftMargin + x) * z) + 1, int((paper.topMargin + y) * z) + 1);
        QTest::mouseClick(w.page(), Qt::LeftButton, {}, at);
    }

    test::ScriptedMessages messages;
    std::shared_ptr<QList<RecordedJob>> jobs;
    std::unique_ptr<Printer> printer;
};

TEST_F(RunWindowTest, PagesFollowTheButtonsAndKeys) {
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "Prohlížení sestavy před tiskem - Cenovka 60 x 40 mm");
    EXPECT_EQ(text(*w, "PanelPrevCisloStrany"), "1");
    EXPECT_EQ(text(*w, "PanelPrevPocetStran"), "3");
    EXPECT_FALSE(child<QToolButton>(*w, "SBPrevPgUp")->isEnabled());

    QTest::keyClick(w.get(), Qt::Key_PageDown);
    EXPECT_EQ(text(*w, "PanelPrevCisloStrany"), "2");
    QTest::keyClick(w.get(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(text(*w, "PanelPrevCisloStrany"), "3");
    EXPECT_FALSE(child<QToolButton>(*w, "SBPrevPgDn")->isEnabled());
    QTest::keyClick(w.get(), Qt::Key_PageUp);
    EXPECT_EQ(text(*w, "PanelPrevCisloStrany"), "2");
    QTest::mouseClick(child<QToolButton>(*w, "SBPrevPgFi"), Qt::LeftButton);
    EXPECT_EQ(text(*w, "PanelPrevCisloStrany"), "1");
    QTest::mouseClick(child<QToolButton>(*w, "SBPrevPgLa"), Qt::LeftButton);
    EXPECT_EQ(w->document().currentPage(), 2);
    // Keys reach the window first, also from inside a field.
    QTest::keyClick(child<QLineEdit>(*w, "TextEdit"), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(w->document().currentPage(), 0);

    bool closed = false;
    QObject::connect(w.get(), &TFormSestE_NOR::closed, [&] { closed = true; });
    QTest::keyClick(w.get(), Qt::Key_Escape);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(RunWindowTest, ZoomButtonsResizeThePageAndKeepTheMiddleOfTheView) {
    auto w = open();
    w->resize(500, 400);  // smaller than the page at 300 %
    QApplication::processEvents();
    EXPECT_EQ(w->page()->size(), QSize(236, 157));
    EXPECT_TRUE(child<QToolButton>(*w, "SBPr100")->isChecked());
    QTest::mouseClick(child<QToolButton>(*w, "SBPr300"), Qt::LeftButton);
    EXPECT_EQ(w->page()->size(), QSize(708, 471));
    QScrollBar* h = w->scrollBox()->horizontalScrollBar();
    QScrollBar* v = w->scrollBox()->verticalScrollBar();
    h->setValue(100);
    v->setValue(50);
    const QSize view = w->scrollBox()->viewport()->size();
    const int oldX = h->value(), oldY = v->value();
    QTest::mouseClick(child<QToolButton>(*w, "SBPr200"), Qt::LeftButton);
    EXPECT_EQ(w->page()->size(), QSize(472, 314));
    EXPECT_DOUBLE_EQ(w->document().zoom(), 2.0);
    EXPECT_EQ(h->value(), qMin(h->maximum(), scrollAfterZoom(oldX, view.width(), 708, 472)));
    EXPECT_EQ(v->value(), qMin(v->maximum(), scrollAfterZoom(oldY, view.height(), 471, 314)));
    // Smaller than the view: centred.
    QTest::mouseClick(child<QToolButton>(*w, "SBPr32"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(w->page()->pos(),
              centredOrigin(w->page()->size(), w->scrollBox()->viewport()->size()));
}

TEST_F(RunWindowTest, EditingByClickKeysAndFieldsRecordsCorrections) {
    auto w = open();
    QToolButton* edit = child<QToolButton>(*w, "SBPrevEdit");
    ASSERT_TRUE(edit->isEnabled());
    EXPECT_EQ(w->page()->cursor().shape(), Qt::OpenHandCursor);
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_TRUE(w->document().editMode());
    EXPECT_EQ(w->page()->cursor().shape(), Qt::ArrowCursor);
    QLineEdit* x = child<QLineEdit>(*w, "XEdit");
    QLineEdit* t = child<QLineEdit>(*w, "TextEdit");
    EXPECT_FALSE(x->isEnabled());

    // The name on the label.
    clickPage(*w, 20, 15);
    EXPECT_EQ(w->document().selected(), 1);
    EXPECT_EQ(x->text(), "12");
    EXPECT_EQ(child<QLineEdit>(*w, "WEdit")->text(), "212");
    EXPECT_EQ(t->text(), w->document().pages().page(0).element(1).text);
    EXPECT_TRUE(t->isEnabled());

    // Ctrl + arrows move by the raster, Alt + arrows resize.
    QTest::keyClick(t, Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClick(t, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(x->text(), "20");
    EXPECT_EQ(child<QLineEdit>(*w, "HEdit")->text(), "30");
    EXPECT_EQ(QApplication::focusWidget(), t);

    // A new text, applied with Enter.
    t->setText("Opravený název");
    QTest::keyClick(t, Qt::Key_Return);
    const TPrevPrvek& e = w->document().pages().page(0).element(1);
    EXPECT_EQ(e.text, "Opravený název");
    EXPECT_EQ(e.X, 20);
    ASSERT_EQ(w->job().corrections().count(), 1);
    EXPECT_EQ(w->job().corrections().at(0).text, "Opravený název");

    // A geometry field that is not a number stops with a message there.
    child<QLineEdit>(*w, "YEdit")->setText("1a");
    QTest::keyClick(t, Qt::Key_Return);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0], "error: \"1a\" není platné celé číslo.");
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(*w, "YEdit"));

    // Alignment from the list.
    QComboBox* align = child<QComboBox>(*w, "Zarovnani");
    align->setCurrentIndex(1);
    emit align->activated(1);
    EXPECT_EQ(e.alignment() & 3, 1);
}

TEST_F(RunWindowTest, InsertingAndDeletingKeepElementNumbers) {
    auto w = open();
    QTest::mouseClick(child<QToolButton>(*w, "SBPrevEdit"), Qt::LeftButton);
    const int before = w->document().pages().page(0).count();

    // A text without a selection: the defaults.
    QTest::mouseClick(child<QToolButton>(*w, "NewPrvek"), Qt::LeftButton);
    EXPECT_EQ(w->page()->cursor().shape(), Qt::CrossCursor);
    clickPage(*w, 30, 140);
    ASSERT_EQ(w->document().pages().page(0).count(), before + 1);
    EXPECT_EQ(w->document().selected(), before);
    EXPECT_EQ(w->document().pages().page(0).element(before).text, "Nový text");
    EXPECT_EQ(w->document().tool(), PreviewDocument::Tool::Select);
    EXPECT_TRUE(child<QToolButton>(*w, "ZrusVlozeni")->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(*w, "TextEdit"));

    // A memo from the selected price: its width, three times its height.
    clickPage(*w, 80, 60);
    ASSERT_EQ(w->document().selected(), 4);
    QTest::mouseClick(child<QToolButton>(*w, "NewMemo"), Qt::LeftButton);
    clickPage(*w, 10, 100);
    const TPrevPrvek& memo = w->document().pages().page(0).element(before + 1);
    EXPECT_TRUE(memo.memo);
    EXPECT_EQ(QSize(memo.W, memo.H), QSize(152, 84));

    // The memo's lines are edited in the memo panel and applied with Ctrl+F2.
    ASSERT_EQ(w->document().selected(), before + 1);
    QWidget* panel = child<QWidget>(*w, "MemoPanel");
    EXPECT_TRUE(panel->isVisible());
    EXPECT_GE(panel->width(), 250);
    EXPECT_GE(panel->height(), 110);
    QPlainTextEdit* lines = child<QPlainTextEdit>(*w, "MemoEdit");
    lines->setPlainText("první\ndruhý\ntřetí");
    QTest::keyClick(lines, Qt::Key_F2, Qt::ControlModifier);
    EXPECT_EQ(memo.lines, QStringList({"první", "druhý", "třetí"}));

    // Deleting asks; No keeps the element, Yes blanks it and keeps the count.
    clickPage(*w, 20, 15);
    messages.answers = {Messages::Answer::No};
    QTest::mouseClick(child<QToolButton>(*w, "SmazPrvek"), Qt::LeftButton);
    EXPECT_EQ(messages.shown.last(), "confirm: Smazat vybraný prvek sestavy?");
    EXPECT_EQ(w->document().pages().page(0).element(1).W, 212);
    QTest::mouseClick(child<QToolButton>(*w, "SmazPrvek"), Qt::LeftButton);
    EXPECT_EQ(w->document().pages().page(0).element(1).W, 0);
    EXPECT_EQ(w->document().pages().page(0).count(), before + 2);
    EXPECT_EQ(w->document().selected(), -1);
}

TEST_F(RunWindowTest, ClosingSavesTheCorrectionsAndTheNextPreviewAppliesThem) {
    {
        auto w = open();
        QTest::mouseClick(child<QToolButton>(*w, "SBPrevEdit"), Qt::LeftButton);
        QTest::mouseClick(child<QToolButton>(*w, "SBPrevPgLa"), Qt::LeftButton);
        // Page 2 (from 0), element 5: the barcode.
        clickPage(*w, 100, 100);
        ASSERT_EQ(w->document().selected(), 5);
        QTest::keyClick(child<QLineEdit>(*w, "TextEdit"), Qt::Key_Right, Qt::ControlModifier);
        clickPage(*w, 20, 15);
        messages.answers = {Messages::Answer::Yes};
        QTest::mouseClick(child<QToolButton>(*w, "SmazPrvek"), Qt::LeftButton);
        QTest::mouseClick(child<QToolButton>(*w, "NewPrvek"), Qt::LeftButton);
        clickPage(*w, 30, 60);
        QTest::mouseClick(child<QToolButton>(*w, "NewMemo"), Qt::LeftButton);
        clickPage(*w, 30, 100);
        EXPECT_FALSE(QFile::exists(dir.filePath("opravy.txt")));
        w->close();
    }
    TListEdit saved;
    ASSERT_TRUE(loadCorrections(dir.filePath("opravy.txt"), &saved).isEmpty());
    ASSERT_EQ(saved.count(), 4);
    EXPECT_EQ(saved.at(0).key(), "2:5");
    EXPECT_EQ(saved.at(0).X, 28 + 8);
    EXPECT_EQ(saved.at(1).key(), "2:1");
    EXPECT_EQ(saved.at(2).key(), "2:7");
    EXPECT_EQ(saved.at(3).key(), "2:8");

    auto again = open();
    const PageStore& pages = again->document().pages();
    EXPECT_EQ(pages.page(2).element(5).X, 36);
    EXPECT_EQ(pages.page(2).element(1).W, 0);
    ASSERT_EQ(pages.page(2).count(), 9);
    EXPECT_EQ(pages.page(2).element(7).text, "Nový text");
    EXPECT_TRUE(pages.page(2).element(8).memo);
    EXPECT_EQ(pages.page(1).element(5).X, 28);  // other pages as built
}

TEST_F(RunWindowTest, AMalformedCorrectionsFileKeepsWhatWasReadAndWarns) {
    ASSERT_TRUE(test::writeBytes(
        dir.filePath("opravy.txt"),
        encode(u"0,1,5,6,70,18,\"Platná\",0,\"Arial\",10,0,0,238,\"\",\"\",0\r\n"
               u"0,2,x,6,70,18,\"Chybná\",0,\"Arial\",10,0,0,238,\"\",\"\",0\r\n",
               CodePage::Windows1250)));
    auto w = open();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].startsWith("warning: opravy.txt: Soubor oprav je chybný na řádku 2"))
        << messages.shown[0].toStdString();
    EXPECT_EQ(w->document().pages().page(0).element(1).text, "Platná");
}

TEST_F(RunWindowTest, ATemplateThatCannotBeReadEndsThePreviewWithItsMessage) {
    component.ReportName = QStringLiteral("neni.pts");
    ReportWindowHost host;
    host.printer = printer.get();
    EXPECT_FALSE(previewReport(component, messages, {}, host));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].startsWith(
        "error: Nebyl nalezen soubor s předlohou tiskové sestavy \""));
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() ||
                std::none_of(QApplication::topLevelWidgets().begin(),
                             QApplication::topLevelWidgets().end(),
                             [](QWidget* t) { return t->isVisible(); }));
}

TEST_F(RunWindowTest, ThePreviewOperationShowsTheWindowUntilClosedAndSaves) {
    ReportWindowHost host;
    host.printer = printer.get();
    int shownPages = 0;
    QString countShown;
    host.opened = [&](TFormSestE_NOR& w) {
        // The window shows as soon as the first page is done (the second
        // begun); the user gets it when the progress window goes away.
        shownPages = w.document().pageCount();
        whenBuilt(w, [&w, &countShown] {
            countShown = text(w, "PanelPrevPocetStran");
            w.document().setEditMode(true);
            w.document().select(1);
            w.document().moveSelected(1, 0);
            QTest::keyClick(&w, Qt::Key_Escape);
        });
    };
    EXPECT_FALSE(previewReport(component, messages, PreviewPlacement{{}, true, 200}, host));
    EXPECT_EQ(shownPages, 2);
    EXPECT_EQ(countShown, "3");
    EXPECT_EQ(component.pageCount, 3);
    EXPECT_TRUE(QFile::exists(dir.filePath("opravy.txt")));
    // The component's checks come first.
    component.DataSource = nullptr;
    messages.shown.clear();
    EXPECT_FALSE(previewReport(component, messages, {}, host));
    EXPECT_EQ(messages.shown, QStringList({"error: Není definován zdroj dat."}));
}

// What the command line warns of, the preview says in a box: fields the
// table lacks (before the pages show) and a build cut at the last page set
// for printing; a template over its own table with no cut says nothing.
TEST_F(RunWindowTest, ThePreviewSaysWhatTheBuildLeftOut) {
    QByteArray lines = test::fileBytes(test::sourcePath(QStringLiteral("samples/templates/etiketa.pte")));
    ASSERT_TRUE(lines.contains("T,2,nazev2,"));
    lines.replace("T,2,nazev2,", "T,2,vyrobce,");
    ASSERT_TRUE(test::writeBytes(dir.filePath(QStringLiteral("jina.pte")), lines));
    ReportWindowHost host;
    host.printer = printer.get();
    QStringList shownWhenOpened;
    host.opened = [&](TFormSestE_NOR& w) {
        shownWhenOpened = messages.shown;
        whenBuilt(w, [&w] { w.close(); });
    };
    const QString cut = QStringLiteral(
        "warning: Sestava pokračuje za stranou 3 (poslední stranou nastavenou pro tisk); další "
        "strany se nevytvořily.");

    component.setReportDir(dir.path());
    component.ReportName = QStringLiteral("jina.pte");
    EXPECT_FALSE(previewReport(component, messages, {}, host));
    EXPECT_EQ(shownWhenOpened,
              QStringList({"warning: Tabulka nemá pole vyrobce; prvky s nimi zůstanou prázdné"}));
    EXPECT_EQ(messages.shown.value(1), cut);
    EXPECT_EQ(messages.shown.size(), 2);

    messages.shown.clear();
    component.setReportDir(test::sourcePath(QStringLiteral("samples/templates")));
    component.ReportName = QStringLiteral("etiketa.pte");
    component.EndPage = 9999;
    EXPECT_FALSE(previewReport(component, messages, {}, host));
    EXPECT_EQ(component.pageCount, 300);
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join('\n').toStdString();
}

// The shown page and page 1 of a PDF written from the same pages, both at
// 100 dpi (the preview at 100 %).
struct ScreenAndPaper {
    QImage screen, printed;
};

ScreenAndPaper screenAndPaper(TFormSestE_NOR& w, const QString& pdf) {
    ScreenAndPaper out;
    QString error;
    EXPECT_TRUE(writePdf(w.document().pages(), pdf, &error)) << error.toStdString();
    out.printed = test::pdfPage(pdf, 1, 100);
    out.screen = w.page()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return out;
}

// Dark pixels of a inside area with no dark pixel of b at most a pixel
// away; ink gets the dark pixels of a inside area.
int unmatchedInk(const QImage& a, const QImage& b, const QRect& area, int* ink) {
    int n = 0;
    *ink = 0;
    const QRect r = area & a.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            if (!test::dark(a, x, y)) continue;
            ++*ink;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx) near = test::dark(b, x + dx, y + dy);
            n += near ? 0 : 1;
        }
    return n;
}

// The elements of the shown page (at 100 %) whose ink differs between the
// screen and the paper by more than glyph rasterisation does: screen fonts
// come in whole pixels and are hinted, so a few strokes lie a pixel apart
// (today 9 of 4,500 dark pixels), never more. One line per element that
// differs.
QStringList misplacedElements(TFormSestE_NOR& w, const ScreenAndPaper& images) {
    const PageStore& pages = w.document().pages();
    EXPECT_EQ(pages.zoom, 1.0);
    QStringList out;
    const TStranaPrvku& page = pages.page(pages.currentPage);
    for (int i = 0; i < page.count(); ++i) {
        const TPrevPrvek& e = page.element(i);
        const QRect box(e.X + pages.paper.leftMargin, e.Y + pages.paper.topMargin, e.W, e.H);
        int screenInk = 0, printedInk = 0;
        const int lost = unmatchedInk(images.screen, images.printed, box, &screenInk);
        const int extra = unmatchedInk(images.printed, images.screen, box, &printedInk);
        if (lost + extra > 2 + (screenInk + printedInk) / 25)
            out << QStringLiteral("prvek %1: %2 z %3 bodů obrazovky chybí na papíře, %4 z %5 "
                                  "bodů papíru chybí na obrazovce")
                       .arg(i)
                       .arg(lost)
                       .arg(screenInk)
                       .arg(extra)
                       .arg(printedInk);
    }
    return out;
}

TEST_F(RunWindowTest, ThePreviewedPageLooksLikeThePdfPageOfTheSameBuild) {
    if (!test::popplerAvailable()) GTEST_SKIP() << "poppler-utils are not installed";
    auto w = open();
    const ScreenAndPaper images = screenAndPaper(*w, dir.filePath("stejne.pdf"));
    ASSERT_FALSE(images.printed.isNull()) << "the PDF page cannot be read";
    // The PDF's page size in points may round up by a pixel.
    ASSERT_LE(qAbs(images.printed.width() - images.screen.width()), 1);
    ASSERT_LE(qAbs(images.printed.height() - images.screen.height()), 1);
    ASSERT_GT(test::inkBox(images.screen).width(), 200);
    // Text, frame, rounded box and the barcode with its digits (whose bars
    // the screen shows as the fine printer rounds them) all in place.
    EXPECT_EQ(misplacedElements(*w, images).join('\n').toStdString(), "");
    EXPECT_EQ(test::inkBox(images.screen), test::inkBox(images.printed));
}

TEST_F(RunWindowTest, TheComparisonWithThePdfFindsATextTwoUnitsOff) {
    if (!test::popplerAvailable()) GTEST_SKIP() << "poppler-utils are not installed";
    auto w = open();
    // The paper gets the pages as built; the screen "Cena:" (element 3,
    // 10 points) moved two units right.
    const QString pdf = dir.filePath("posun.pdf");
    QString error;
    ASSERT_TRUE(writePdf(w->document().pages(), pdf, &error)) << error.toStdString();
    w->document().setEditMode(true);
    w->document().select(3);
    const TPrevPrvek& e = *w->document().selectedElement();
    ASSERT_TRUE(w->document().applyFields({QString::number(e.X + 2), QString::number(e.Y),
                                           QString::number(e.W), QString::number(e.H), e.text, {}}));
    w->document().deselect();
    w->document().setEditMode(false);
    const ScreenAndPaper images{w->page()->grab().toImage().convertToFormat(QImage::Format_RGB32),
                                test::pdfPage(pdf, 1, 100)};
    ASSERT_FALSE(images.printed.isNull()) << "the PDF page cannot be read";
    const QStringList misplaced = misplacedElements(*w, images);
    ASSERT_EQ(misplaced.size(), 1) << misplaced.join('\n').toStdString();
    EXPECT_TRUE(misplaced[0].startsWith("prvek 3:")) << misplaced[0].toStdString();
}

TEST_F(RunWindowTest, PrintingFromThePreviewPrintsTheCorrectedPages) {
    if (!test::popplerAvailable()) GTEST_SKIP() << "poppler-utils are not installed";
    auto w = open();
    w->document().setEditMode(true);
    w->document().select(1);
    ElementFields f{"12", "10", "212", "22", "Ručně opraveno", {}};
    ASSERT_TRUE(w->document().applyFields(f));
    PrintDialogValues asked;
    w->printDialogOverride = [&](PrintDialogValues& v) {
        asked = v;
        v.lastPage = 1;
        return true;
    };
    QTest::mouseClick(child<QToolButton>(*w, "SBPrevTisk"), Qt::LeftButton);
    EXPECT_EQ(asked.firstPage, 1);
    EXPECT_EQ(asked.lastPage, 3);
    ASSERT_EQ(jobs->size(), 1) << messages.shown.join('\n').toStdString();
    EXPECT_TRUE(jobs->at(0).finished);
    EXPECT_EQ(jobs->at(0).pages, 1);
    const QString pdf = dir.filePath("tisk.pdf");
    ASSERT_TRUE(test::writeBytes(pdf, jobs->at(0).pdf));
    const QString printedText = test::pdfText(pdf);
    ASSERT_FALSE(printedText.isEmpty()) << "the printed PDF holds no text";
    EXPECT_TRUE(printedText.contains("Ručně opraveno")) << printedText.toStdString();
    EXPECT_TRUE(w->isEnabled());
}

TEST_F(RunWindowTest, PrintingWithoutThePreviewBuildsAndPrints) {
    component.ReportPrintDialog = false;
    ReportWindowHost host;
    host.printer = printer.get();
    EXPECT_TRUE(printReport(component, messages, 0, host))
        << messages.shown.join('\n').toStdString();
    ASSERT_EQ(jobs->size(), 1);
    EXPECT_EQ(jobs->at(0).pages, 3);
}

}  // namespace
