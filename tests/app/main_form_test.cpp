// The main window over the session: commands and captions, opening files,
// the description panel, the print bar's place, the status bar and closing.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "app/about_box.h"
#include "app/core/user_guide.h"
#include "app/user_guide_window.h"
#include "app/core/layout_io.h"
#include "base/ini_file.h"
#include "app/description_panel.h"
#include "app/main_form.h"
#include "controls/marking_grid.h"
#include "controls/navigator.h"
#include "report/windows/report_windows.h"
#include "data/label_file.h"
#include "support/scripted_messages.h"
#include "support/label_files.h"

namespace dorvana {
namespace {

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        start_ = dir_.filePath(QStringLiteral("start"));
        settings_ = dir_.filePath(QStringLiteral("dorvana.ini"));
        QDir().mkpath(start_ + QStringLiteral("/data"));
    }
    QString labelFile(const QString& name, int records) {
        return test::writeNumberedLabelFile(start_ + QStringLiteral("/data/") + name, records);
    }
    std::unique_ptr<TMainForm> form() {
        auto f = std::make_unique<TMainForm>(start_, settings_, &messages_);
        f->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(f.get()));
        f->restoreOnce();
        return f;
    }

    QTemporaryDir dir_;
    QString start_, settings_;
    test::ScriptedMessages messages_;
};

TEST_F(MainFormTest, MenusCarryTheirCaptionsAndShortcuts) {
    auto f = form();
    QStringList menus;
    for (QAction* a : f->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, QStringList({"&Soubor", "Se&rvis", "Help"}));
    QStringList file;
    for (QAction* a : f->fileMenu()->actions()) file << a->text();
    EXPECT_EQ(file, QStringList({"Otevři", "Databázový server…", "SQL", "Založ", "Označení", "&Filtr", "", "Konec"}));
    EXPECT_EQ(f->action(QStringLiteral("Kalkulaka1"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F8));
    EXPECT_EQ(f->action(QStringLiteral("Nastaven1"))->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F));
    EXPECT_EQ(f->action(QStringLiteral("Konec1"))->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Dorvana  !!! Není soubor !!!"));  // nothing stored yet
    // The print bar is at work; designing waits for a designer.
    EXPECT_TRUE(f->templateList()->isEnabled());
    for (const char* name : {"TiskSestavy", "ProhlizeniSestavy", "NovaSestava", "VymazSestavy"})
        EXPECT_TRUE(f->action(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_FALSE(f->action(QStringLiteral("TvorbaSestavy"))->isEnabled());  // no designer given
    auto* nav = f->navigator();
    EXPECT_EQ(nav->hint(nnDelete), QStringLiteral("Vyloučit záznam"));
    EXPECT_FALSE(nav->button(nnRefresh)->isVisible());
    EXPECT_FALSE(nav->button(nnFind)->isVisible());
    EXPECT_TRUE(nav->button(nnCancel)->isVisible());
}

TEST_F(MainFormTest, OpeningALabelFileShowsItsRecordsAndAddsARecentEntry) {
    const QString kuk = labelFile(QStringLiteral("kuk.db"), 25);
    auto f = form();
    ASSERT_TRUE(f->openFile(1, kuk));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Dorvana soubor : kuk.db"));
    EXPECT_EQ(f->grid()->model()->rowCount(), 25);
    EXPECT_EQ(f->grid()->keyField(), QStringLiteral("calc"));
    EXPECT_TRUE(f->grid()->checkEnabled());
    const auto actions = f->fileMenu()->actions();
    ASSERT_EQ(actions.size(), 9);
    EXPECT_EQ(actions.last()->text(), QStringLiteral("kuk.db"));
    // Space marks the current record by its record number.
    f->grid()->setFocus();
    f->navigator()->clickButton(nnNext);
    QTest::keyClick(f->grid(), Qt::Key_Space);
    EXPECT_EQ(f->grid()->marks().values(), QList<qint32>({2}));
    // Opening another file clears the marks.
    const QString other = labelFile(QStringLiteral("jiny.db"), 3);
    ASSERT_TRUE(f->openFile(2, other));
    EXPECT_EQ(f->grid()->markCount(), 0);
    EXPECT_EQ(f->grid()->keyField(), QStringLiteral("Calc"));
    // Eight fixed items ("Databázový server…" after "Otevři") and the two recent files.
    EXPECT_EQ(f->fileMenu()->actions().size(), 10);
    // A failing open leaves the window as it was.
    messages_.shown.clear();
    EXPECT_FALSE(f->openFile(2, start_ + QStringLiteral("/data/chybi.dbf")));
    EXPECT_EQ(f->grid()->model()->rowCount(), 3);
    EXPECT_EQ(messages_.shown.size(), 1);
}

TEST_F(MainFormTest, DescriptionLinesSetTheColumnsAndAreKeptInTheLayoutFile) {
    const QString kuk = labelFile(QStringLiteral("kuk.db"), 5);
    auto f = form();
    ASSERT_TRUE(f->openFile(1, kuk));
    f->action(QStringLiteral("SpeedItem8"))->trigger();
    DescriptionPanel* panel = f->descriptionPanel();
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->caption(), QStringLiteral("Popisy polí"));
    panel->editor()->setPlainText(QStringLiteral("Číslo\nZboží\n\n\n\n\nCena;# ##0.00"));
    QTest::mouseClick(panel->okButton(), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
    const GridColumns cols = f->grid()->columns();
    EXPECT_EQ(cols[1].title, QStringLiteral("Zboží"));
    EXPECT_EQ(cols[2].fieldName, QStringLiteral("cena"));
    EXPECT_EQ(f->grid()->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Cena"));
    EXPECT_TRUE(f->grid()->isColumnHidden(3));
    IniFile layout;
    ASSERT_TRUE(layout.load(start_ + QStringLiteral("/data/kuk.svv")));
    EXPECT_EQ(readDescriptionLines(layout).value(6), QStringLiteral("Cena;# ##0.00"));

    // The list keeps 15 lines: a 16th is deleted at once.
    f->action(QStringLiteral("SpeedItem8"))->trigger();
    QStringList sixteen;
    for (int i = 1; i <= 16; ++i) sixteen << QString::number(i);
    panel->editor()->setPlainText(sixteen.join(QLatin1Char('\n')));
    EXPECT_EQ(panel->editor()->document()->blockCount(), 15);
    // The close button hides the panel without applying the lines.
    QTest::mouseClick(panel->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(f->grid()->columns()[1].title, QStringLiteral("Zboží"));
}

TEST_F(MainFormTest, ARestartRestoresTheFileAndAClosingNoKeepsTheWindow) {
    const QString kuk = labelFile(QStringLiteral("kuk.db"), 4);
    {
        auto f = form();
        ASSERT_TRUE(f->openFile(1, kuk));
        messages_.answers = {Messages::Answer::No};
        EXPECT_FALSE(f->close());
        EXPECT_TRUE(f->isVisible());
        EXPECT_TRUE(messages_.shown.contains(QStringLiteral("confirm: Ukončit program ?")));
        EXPECT_TRUE(f->close());  // Yes
    }
    auto f = form();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Dorvana soubor : kuk.db"));
    EXPECT_EQ(f->grid()->model()->rowCount(), 4);
    EXPECT_EQ(f->fileMenu()->actions().last()->text(), QStringLiteral("kuk.db"));
}

// A window position far off every screen in the settings file opens the
// window on a screen, and that place, not the stored one, is written back.
TEST_F(MainFormTest, AnOffScreenPlacementOpensOnAScreenAndIsNotSavedBack) {
    IniFile ini;
    ini.setValue(u"Okno", u"Umisteni", QStringLiteral("-2000000000,2000000000,500000,400,0"));
    ASSERT_TRUE(ini.saveAs(settings_));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    {
        auto f = form();
        EXPECT_TRUE(screen.contains(f->geometry())) << f->geometry().x() << "," << f->geometry().y() << " screen " << screen.width() << "x" << screen.height() << "+" << screen.x() << "+" << screen.y();
        messages_.answers = {Messages::Answer::Yes};
        EXPECT_TRUE(f->close());
    }
    IniFile saved;
    ASSERT_TRUE(saved.load(settings_));
    const QStringList p = saved.value(u"Okno", u"Umisteni").split(QLatin1Char(','));
    ASSERT_GE(p.size(), 4);
    EXPECT_TRUE(screen.contains(QRect(p[0].toInt(), p[1].toInt(), p[2].toInt(), p[3].toInt())))
        << saved.value(u"Okno", u"Umisteni").toStdString();
}

TEST_F(MainFormTest, StatusBarShowsTheLongHintAndTheClock) {
    auto f = form();
    QStatusTipEvent tip(QStringLiteral("Otevření souboru databáze"));
    QApplication::sendEvent(f.get(), &tip);
    EXPECT_EQ(f->hintPanel()->text(), QStringLiteral("Otevření souboru databáze"));
    EXPECT_EQ(f->action(QStringLiteral("Otevi1"))->statusTip(), QStringLiteral("Otevření souboru databáze"));
    EXPECT_EQ(f->action(QStringLiteral("Archivace1"))->statusTip(), QStringLiteral("Archivace dat - Obnova dat"));
    EXPECT_EQ(f->clockPanel()->text().count(QLatin1Char(':')), 2);
    // Icon-only tool bar buttons are named by their captions.
    auto* open = f->findChild<QToolButton*>(QStringLiteral("SpeedOpenButton"));
    ASSERT_TRUE(open);
    EXPECT_EQ(open->accessibleName(), QStringLiteral("Otevřít soubor"));
    EXPECT_EQ(open->toolTip(), QStringLiteral("Otevřít soubor"));
}

TEST_F(MainFormTest, TheAboutBoxShowsTheVersion) {
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2.3"));
    AboutBox box;
    EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("Version"))->text(), QStringLiteral("Verze : 1.2.3"));
}

TEST_F(MainFormTest, HelpShowsTheUserGuideWithItsPictures) {
    // The guide of the source tree, as a program run from the build tree finds it.
    const QString guide = findUserGuide(userGuideFolders(QCoreApplication::applicationDirPath()));
    ASSERT_FALSE(guide.isEmpty());
    QFile file(guide);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString heading = QString::fromUtf8(file.readLine()).trimmed().mid(2);  // "# ..."
    ASSERT_FALSE(heading.isEmpty());

    auto f = form();
    QMenu* help = nullptr;
    for (QAction* a : f->menuBar()->actions())
        if (a->text() == u"Help") help = a->menu();
    ASSERT_TRUE(help);
    QStringList entries;
    for (QAction* a : help->actions()) entries << a->text();
    EXPECT_EQ(entries, QStringList({"Uživatelská příručka", "About"}));
    QAction* entry = help->actions().first();
    EXPECT_EQ(entry->shortcut(), QKeySequence(Qt::Key_F1));
    entry->trigger();
    UserGuideWindow* window = f->userGuideWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(messages_.shown.isEmpty()) << messages_.shown.join(u'\n').toStdString();
    QTextDocument* doc = window->browser()->document();
    EXPECT_EQ(doc->begin().text(), heading);
    EXPECT_EQ(window->browser()->accessibleName(), QStringLiteral("Text příručky"));
    // Every picture of the guide is found beside it and shown as wide as the
    // page allows, never wider than itself.
    QTest::qWait(50);
    const int page = window->browser()->viewport()->width();
    ASSERT_GT(page, 400);
    int pictures = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (!it.fragment().charFormat().isImageFormat()) continue;
            const QTextImageFormat image = it.fragment().charFormat().toImageFormat();
            ++pictures;
            const QImage picture(QFileInfo(guide).absolutePath() + QLatin1Char('/') + image.name());
            ASSERT_FALSE(picture.isNull()) << image.name().toStdString() << " is not beside the guide";
            EXPECT_LE(image.width(), page) << image.name().toStdString();
            EXPECT_GE(image.width(), std::min(picture.width(), page - 40)) << image.name().toStdString();
        }
    EXPECT_GE(pictures, 1);
}

TEST_F(MainFormTest, AMissingUserGuideIsSaidInCzech) {
    auto f = form();
    for (const QString& path : {dir_.filePath(QStringLiteral("nothing/uzivatelska-prirucka.md")), QString()}) {
        messages_.shown.clear();
        f->setUserGuidePath(path);
        f->action(QStringLiteral("Prirucka1"))->trigger();
        ASSERT_EQ(messages_.shown.size(), 1) << path.toStdString();
        EXPECT_TRUE(messages_.shown[0].startsWith(QStringLiteral("error: Uživatelsk"))) << messages_.shown[0].toStdString();
        EXPECT_TRUE(messages_.shown[0].contains(u"uzivatelska-prirucka.md")) << messages_.shown[0].toStdString();
        EXPECT_TRUE(!f->userGuideWindow() || !f->userGuideWindow()->isVisible());
    }
}

TEST(UserGuide, TheInstalledCopyComesFirst) {
    QTemporaryDir dir;
    const QString installed = dir.filePath(QStringLiteral("share/help/cs/dorvana"));
    const QString source = dir.filePath(QStringLiteral("docs"));
    QDir().mkpath(installed);
    QDir().mkpath(source);
    EXPECT_EQ(findUserGuide({installed, source}), QString());
    QFile(source + QStringLiteral("/uzivatelska-prirucka.md")).open(QIODevice::WriteOnly);
    EXPECT_EQ(findUserGuide({installed, source}), source + QStringLiteral("/uzivatelska-prirucka.md"));
    QFile(installed + QStringLiteral("/uzivatelska-prirucka.md")).open(QIODevice::WriteOnly);
    EXPECT_EQ(findUserGuide({installed, source}), installed + QStringLiteral("/uzivatelska-prirucka.md"));
    // The installed place is the guide folder beside bin/.
    EXPECT_EQ(userGuideFolders(dir.filePath(QStringLiteral("bin"))).first(), installed);
}

}  // namespace
}  // namespace dorvana
