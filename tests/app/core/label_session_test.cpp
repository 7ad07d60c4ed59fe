// The label table session: data modes, opening and creating label files,
// layout files, the saved state and its restore, queries, closing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/core/label_columns.h"
#include "app/core/label_session.h"
#include "app/core/layout_io.h"
#include "base/ini_file.h"
#include "data/dbase_file.h"
#include "data/label_file.h"
#include "support/cancel_after.h"
#include "support/scripted_messages.h"
#include "support/test_support.h"
#include "support/label_files.h"

namespace dorvana {
namespace {

// Counts the emissions of a signal.
struct Counter {
    int count = 0;
    template <typename Signal>
    Counter(LabelSession* s, Signal signal) {
        QObject::connect(s, signal, s, [this] { ++count; });
    }
};

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        start_ = dir_.filePath(QStringLiteral("start"));
        settings_ = dir_.filePath(QStringLiteral("config/dorvana/dorvana.ini"));
        QDir().mkpath(start_ + QStringLiteral("/data"));
    }
    std::unique_ptr<LabelSession> session() {
        return std::make_unique<LabelSession>(start_, settings_, messages_);
    }
    QString dataFile(const QString& name) const { return start_ + QStringLiteral("/data/") + name; }
    QString labelFile(const QString& name, int records) {
        return test::writeNumberedLabelFile(dataFile(name), records);
    }
    QString dbaseFile(const QString& name) {
        const QString path = dataFile(name);
        QString err;
        EXPECT_TRUE(createDbaseFile(path, {{QStringLiteral("KOD"), FieldType::String, 10, false},
                                           {QStringLiteral("CENA"), FieldType::Float, 0, false}},
                                    &err))
            << err.toStdString();
        return path;
    }

    QTemporaryDir dir_;
    QString start_, settings_;
    test::ScriptedMessages messages_;
};

TEST_F(SessionTest, StartupMakesTheDataAndSaveFolders) {
    QDir(start_).removeRecursively();
    auto s = session();
    EXPECT_TRUE(QFileInfo(start_ + QStringLiteral("/data")).isDir());
    EXPECT_TRUE(QFileInfo(start_ + QStringLiteral("/save")).isDir());
    EXPECT_EQ(s->caption(), QStringLiteral("Dorvana "));
    EXPECT_EQ(s->modeMark(), QStringLiteral("F"));
    EXPECT_TRUE(s->markingEnabled());
}

TEST_F(SessionTest, StartupRemovesWhatAStoppedRestoreLeft) {
    ASSERT_TRUE(test::writeBytes(start_ + QStringLiteral("/data/etikety.db.obnova"), "zbytek"));
    ASSERT_TRUE(test::writeBytes(start_ + QStringLiteral("/cenik.pts.obnova"), "zbytek"));
    ASSERT_TRUE(test::writeBytes(start_ + QStringLiteral("/data/etikety.db"), "tabulka"));
    auto s = session();
    EXPECT_FALSE(QFileInfo::exists(start_ + QStringLiteral("/data/etikety.db.obnova")));
    EXPECT_FALSE(QFileInfo::exists(start_ + QStringLiteral("/cenik.pts.obnova")));
    EXPECT_EQ(test::fileBytes(start_ + QStringLiteral("/data/etikety.db")), "tabulka");
}

TEST_F(SessionTest, OpeningALabelFileAppliesAndWritesItsLayout) {
    const QString kuk = labelFile(QStringLiteral("kuk.db"), 3);
    auto s = session();
    s->restore();
    s->setDescriptionLines({QStringLiteral("Číslo"), QStringLiteral("Název")});
    Counter marks(s.get(), &LabelSession::marksCleared);
    ASSERT_TRUE(s->openFile(1, kuk));
    EXPECT_FALSE(s->externalMode());
    EXPECT_EQ(s->caption(), QStringLiteral("Dorvana soubor : kuk.db"));
    EXPECT_EQ(s->keyField(), QStringLiteral("calc"));
    EXPECT_EQ(s->dataSet()->recordCount(), 3);
    EXPECT_EQ(marks.count, 1);
    EXPECT_EQ(s->recentFiles().entries(), QStringList({kuk + QStringLiteral(";1")}));

    // No layout file yet: the lines of before are kept and written into it.
    IniFile layout;
    ASSERT_TRUE(layout.load(dataFile(QStringLiteral("kuk.svv"))));
    EXPECT_EQ(readDescriptionLines(layout), QStringList({"Číslo", "Název"}));
    EXPECT_EQ(layout.sections(), QStringList({"Popisy", "Sloupce"}));
    const GridColumns stored = readGridColumns(layout);
    ASSERT_EQ(stored.size(), 17);
    EXPECT_EQ(stored[1].title, QStringLiteral("Název"));
    EXPECT_EQ(stored[2].width, 0);
    EXPECT_GE(messages_.beeps, 2);  // the layout file and the settings

    // Another file with a layout file of its own takes its lines.
    const QString other = labelFile(QStringLiteral("jiny.db"), 1);
    IniFile own;
    writeDescriptionLines(own, {QStringLiteral("Kód"), QString(), QStringLiteral("Druhý")});
    ASSERT_TRUE(own.saveAs(dataFile(QStringLiteral("jiny.svv"))));
    ASSERT_TRUE(s->openFile(1, other));
    EXPECT_EQ(s->descriptionLines(), QStringList({"Kód", "", "Druhý"}));
    EXPECT_EQ(s->columns()[1].fieldName, QStringLiteral("nazev2"));
    EXPECT_EQ(s->columns()[1].title, QStringLiteral("Druhý"));
}

TEST_F(SessionTest, ALabelFileOpenedAsAForeignTableReadsNoLayout) {
    const QString kuk = labelFile(QStringLiteral("kuk.db"), 2);
    auto s = session();
    s->restore();
    ASSERT_TRUE(s->openFile(2, kuk));
    EXPECT_TRUE(s->externalMode());
    EXPECT_FALSE(QFile::exists(dataFile(QStringLiteral("kuk.svv"))));
    EXPECT_EQ(s->keyField(), QStringLiteral("Calc"));
    EXPECT_EQ(s->recentFiles().entries(), QStringList({kuk + QStringLiteral(";2")}));
    EXPECT_EQ(s->columns().last().fieldName, QStringLiteral("Calc"));
    EXPECT_EQ(s->columns().last().width, 0);
    EXPECT_TRUE(s->imageEditEnabled());
    EXPECT_FALSE(s->noteEditEnabled());
    // Reopened with the same path as a label file: a second entry.
    ASSERT_TRUE(s->openFile(1, kuk));
    EXPECT_EQ(s->recentFiles().entries().size(), 2);
}

TEST_F(SessionTest, AFileOfTheWrongShapeOpensAsAForeignTableAndBadFilesChangeNothing) {
    const QString dbf = dbaseFile(QStringLiteral("zbozi.dbf"));
    const QString kuk = labelFile(QStringLiteral("kuk.db"), 2);
    auto s = session();
    s->restore();
    ASSERT_TRUE(s->openFile(1, dbf));
    EXPECT_TRUE(s->externalMode());
    EXPECT_EQ(s->recentFiles().entries().first(), dbf + QStringLiteral(";2"));

    ASSERT_TRUE(s->openFile(1, kuk));
    QFile junk(dataFile(QStringLiteral("junk.db")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is not a table at all");
    junk.close();
    for (const QString& bad : {junk.fileName(), dataFile(QStringLiteral("chybi.db"))}) {
        messages_.shown.clear();
        EXPECT_FALSE(s->openFile(1, bad));
        ASSERT_EQ(messages_.shown.size(), 1) << bad.toStdString();
        EXPECT_TRUE(messages_.shown[0].startsWith(QStringLiteral("error: ")));
        EXPECT_FALSE(s->externalMode());
        EXPECT_EQ(s->tablePath(), kuk);
        EXPECT_EQ(s->dataSet()->recordCount(), 2);
    }
}

TEST_F(SessionTest, CreatingOverAnExistingFileWithNoChangesNothing) {
    const QString kuk = labelFile(QStringLiteral("kuk.db"), 4);
    const QString other = labelFile(QStringLiteral("jiny.db"), 1);
    auto s = session();
    s->restore();
    ASSERT_TRUE(s->openFile(1, kuk));
    Counter marks(s.get(), &LabelSession::marksCleared);
    messages_.answers = {Messages::Answer::No};
    EXPECT_FALSE(s->createLabelFile(other));
    EXPECT_EQ(messages_.shown.last(), QStringLiteral("confirm: Soubor existuje - bude zrušen ?"));
    EXPECT_EQ(s->tablePath(), kuk);
    EXPECT_EQ(s->dataSet()->recordCount(), 4);
    EXPECT_EQ(marks.count, 0);

    Counter panel(s.get(), &LabelSession::descriptionPanelRequested);
    ASSERT_TRUE(s->createLabelFile(other));  // Yes: replaced by an empty file
    EXPECT_EQ(s->dataSet()->recordCount(), 0);
    EXPECT_EQ(s->descriptionLines(), QStringList({"Číslo"}));
    EXPECT_EQ(panel.count, 1);
    EXPECT_EQ(s->caption(), QStringLiteral("Dorvana soubor : jiny.db"));
    EXPECT_EQ(marks.count, 1);
}

TEST_F(SessionTest, ARestartRestoresModeFileAndLayout) {
    const QString kuk = labelFile(QStringLiteral("kuk.db"), 3);
    const QString dbf = dbaseFile(QStringLiteral("zbozi.dbf"));
    {
        auto s = session();
        s->restore();
        s->setDescriptionLines({QStringLiteral("Č"), QStringLiteral("N;>L")});
        ASSERT_TRUE(s->openFile(1, kuk));
        s->printBar().templateName = QStringLiteral("etiketa.pte");
        ASSERT_TRUE(s->closeRequested());
    }
    {
        auto s = session();
        ASSERT_TRUE(s->restore());
        EXPECT_FALSE(s->externalMode());
        EXPECT_EQ(s->tablePath(), kuk);
        EXPECT_EQ(s->caption(), QStringLiteral("Dorvana soubor : kuk.db"));
        EXPECT_EQ(s->descriptionLines(), QStringList({"Č", "N;>L"}));
        EXPECT_EQ(s->printBar().templateName, QStringLiteral("etiketa.pte"));
        EXPECT_EQ(s->dataSet()->recordCount(), 3);
        ASSERT_TRUE(s->openFile(3, dbf));
        ASSERT_TRUE(s->closeRequested());
    }
    auto s = session();
    ASSERT_TRUE(s->restore());
    EXPECT_TRUE(s->externalMode());
    EXPECT_EQ(s->tablePath(), dbf);
    EXPECT_EQ(s->keyField(), QStringLiteral("Calc"));
    EXPECT_EQ(s->recentFiles().entries(), QStringList({dbf + ";2", kuk + ";1"}));
}

TEST_F(SessionTest, AStoredFileThatIsGoneLeavesAUsableWindowWithoutAFile) {
    const QString kuk = labelFile(QStringLiteral("kuk.db"), 1);
    {
        auto s = session();
        s->restore();
        ASSERT_TRUE(s->openFile(1, kuk));
        ASSERT_TRUE(s->closeRequested());
    }
    QFile::remove(kuk);
    auto s = session();
    EXPECT_FALSE(s->restore());
    EXPECT_EQ(s->caption(), QStringLiteral("Dorvana  !!! Není soubor !!!"));
    EXPECT_EQ(s->titleText(), QStringLiteral("NIL"));
    EXPECT_FALSE(s->labelFileLoaded());
    EXPECT_EQ(s->dataSet(), nullptr);
    {
        // The file back: the next start shows it, and the caption names it.
        ASSERT_TRUE(s->saveSettings());  // the title "NIL" is stored
        labelFile(QStringLiteral("kuk.db"), 1);
        auto again = session();
        ASSERT_TRUE(again->restore());
        EXPECT_EQ(again->caption(), QStringLiteral("Dorvana soubor : kuk.db"));
        EXPECT_TRUE(again->labelFileLoaded());
        QFile::remove(kuk);
    }
    // Nothing to write a layout for; opening another file works.
    EXPECT_TRUE(s->PPOKClick());
    const QString other = labelFile(QStringLiteral("jiny.db"), 2);
    EXPECT_TRUE(s->openFile(1, other));
}

TEST_F(SessionTest, TablesClosedForARestoreOpenAgainOrLeaveNoFile) {
    const QString kuk = labelFile(QStringLiteral("kuk.db"), 3);
    const QString foreign = dbaseFile(QStringLiteral("ceny.dbf"));
    auto s = session();
    s->restore();
    struct Case {
        int kind;
        QString path;
    };
    for (const Case& c : {Case{1, kuk}, Case{2, foreign}}) {
        ASSERT_TRUE(s->openFile(c.kind, c.path));
        s->closeTablesForRestore();
        EXPECT_EQ(s->dataSet(), nullptr) << c.kind;
        EXPECT_TRUE(s->reopenTablesAfterRestore()) << c.kind;
        ASSERT_NE(s->dataSet(), nullptr) << c.kind;
        EXPECT_EQ(s->externalMode(), c.kind != 1);
    }
    // The restore took the file away: the window is left without one.
    ASSERT_TRUE(s->openFile(1, kuk));
    s->closeTablesForRestore();
    QFile::remove(kuk);
    messages_.shown.clear();
    EXPECT_FALSE(s->reopenTablesAfterRestore());
    EXPECT_EQ(s->dataSet(), nullptr);
    EXPECT_EQ(s->caption(), QStringLiteral("Dorvana  !!! Není soubor !!!"));
    EXPECT_FALSE(s->labelFileLoaded());
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown[0].startsWith(QStringLiteral("error: ")));
}

TEST_F(SessionTest, AnUnreadableSettingsFileIsPutAsideNotOverwritten) {
    QDir().mkpath(QFileInfo(settings_).absolutePath());
    QFile bad(settings_);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray("[Soubor]\r\nCesta=\0\0\0garbage", 24));
    bad.close();
    auto s = session();
    EXPECT_FALSE(s->restore());
    EXPECT_EQ(s->caption(), QStringLiteral("Dorvana  !!! Není soubor !!!"));
    ASSERT_FALSE(messages_.shown.isEmpty());
    EXPECT_TRUE(messages_.shown[0].startsWith(QStringLiteral("warning: ")));
    ASSERT_TRUE(s->saveSettings());
    EXPECT_TRUE(QFile::exists(settings_ + QStringLiteral(".chybny")));
    EXPECT_EQ(QFileInfo(settings_ + QStringLiteral(".chybny")).size(), 24);
    IniFile fresh;
    ASSERT_TRUE(fresh.load(settings_));
    EXPECT_EQ(fresh.value(u"Okno", u"Titulek"), QStringLiteral("NIL"));
}

TEST_F(SessionTest, AQueryBecomesTheDataSourceAndAFailingOneChangesNothing) {
    const QString kuk = labelFile(QStringLiteral("kuk.db"), 5);
    {
        auto s = session();
        s->restore();
        ASSERT_TRUE(s->openFile(1, kuk));
        messages_.shown.clear();
        EXPECT_FALSE(s->openQuery({{QStringLiteral("SELECT nic FROM \"%1\" T1").arg(kuk)}, false, {}}));
        ASSERT_EQ(messages_.shown.size(), 1);
        EXPECT_TRUE(messages_.shown[0].startsWith(QStringLiteral("error: ")));
        EXPECT_FALSE(s->queryMode());
        EXPECT_EQ(s->dataSet()->recordCount(), 5);

        const QueryRequest byHand{{QStringLiteral("SELECT T1.cislo, T1.nazev1"), QStringLiteral("FROM "),
                                   QStringLiteral("kuk.db"), QStringLiteral("WHERE T1.cislo > 2")},
                                  true,
                                  {dataFile(QString())}};
        ASSERT_TRUE(s->openQuery(byHand));
        EXPECT_TRUE(s->queryMode());
        EXPECT_TRUE(s->externalMode());
        EXPECT_FALSE(s->markingEnabled());
        EXPECT_EQ(s->modeMark(), QStringLiteral("T"));
        EXPECT_EQ(s->caption(), QStringLiteral("Dorvana soubor : SQL"));
        EXPECT_EQ(s->dataSet()->recordCount(), 3);
        EXPECT_EQ(s->columns().size(), 3);  // cislo, nazev1, Calc
        EXPECT_EQ(s->columns().last().width, 0);
        ASSERT_TRUE(s->closeRequested());
    }
    auto s = session();
    ASSERT_TRUE(s->restore());
    EXPECT_TRUE(s->queryMode());
    EXPECT_EQ(s->dataSet()->recordCount(), 3);
}

// A recursive query that never ends, run from the builder or restored at
// start, is ended by the progress's cancel: the message says so and the
// window is left as it was (or, at start, without a file).
TEST_F(SessionTest, AnEndlessQueryIsCancelledAndReported) {
    const QString kuk = labelFile(QStringLiteral("kuk.db"), 5);
    const QStringList endless{
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n)"),
        QStringLiteral("SELECT T1.cislo, n.i FROM \"%1\" T1, n").arg(kuk)};
    int made = 0;
    {
        auto s = session();
        s->setProgressSource([&made] { return std::make_unique<test::CancelAfterPolls>(20, &made); });
        s->restore();
        ASSERT_TRUE(s->openQuery({{QStringLiteral("SELECT T1.* FROM \"%1\" T1").arg(kuk)}, false, {}}));
        messages_.shown.clear();
        made = 0;
        EXPECT_FALSE(s->openQuery({endless, false, {}}));
        EXPECT_EQ(made, 1);
        EXPECT_EQ(messages_.shown, QStringList{QStringLiteral("error: Dotaz byl přerušen")});
        EXPECT_EQ(s->dataSet()->recordCount(), 5);  // the former result stays
        ASSERT_TRUE(s->closeRequested());
    }
    // The same query saved as the state of the last session.
    IniFile ini;
    ASSERT_TRUE(ini.load(settings_));
    EXPECT_EQ(ini.value(u"Soubor", u"Rezim"), QStringLiteral("T"));
    ini.setValue(u"Dotaz", u"Pocet", QString::number(endless.size()));
    for (int k = 0; k < endless.size(); ++k)
        ini.setValue(u"Dotaz", QStringLiteral("Radek%1").arg(k + 1), endless[k]);
    ASSERT_TRUE(ini.save());
    messages_.shown.clear();
    auto s = session();
    s->setProgressSource([&made] { return std::make_unique<test::CancelAfterPolls>(20, &made); });
    made = 0;
    EXPECT_FALSE(s->restore());
    EXPECT_EQ(made, 1);
    EXPECT_EQ(messages_.shown, QStringList{QStringLiteral("error: Dotaz byl přerušen")});
    EXPECT_EQ(s->caption(), QStringLiteral("Dorvana  !!! Není soubor !!!"));
    EXPECT_EQ(s->dataSet(), nullptr);
    EXPECT_TRUE(s->openFile(1, kuk));  // the window goes on working
}

TEST_F(SessionTest, ClosingAsksAndOnYesDropsThePrinterSettingsFile) {
    auto s = session();
    s->restore();
    QFile drv(start_ + QStringLiteral("/Def_Printer.drv"));
    ASSERT_TRUE(drv.open(QIODevice::WriteOnly));
    drv.close();
    messages_.answers = {Messages::Answer::No};
    EXPECT_FALSE(s->closeRequested());
    EXPECT_TRUE(drv.exists());
    EXPECT_FALSE(QFile::exists(settings_));
    EXPECT_TRUE(s->closeRequested());
    EXPECT_FALSE(drv.exists());
    EXPECT_TRUE(QFile::exists(settings_));
    EXPECT_TRUE(messages_.shown.contains(QStringLiteral("confirm: Ukončit program ?")));
}

}  // namespace
}  // namespace dorvana
