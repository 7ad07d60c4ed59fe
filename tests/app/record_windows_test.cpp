// The backup dialog, the new-table designer and the image window, driven
// offscreen as a user would.
#include <gtest/gtest.h>

#include <zip.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/backup_dialog.h"
#include "app/core/scanner.h"
#include "app/core/volume_label.h"
#include "app/image_window.h"
#include "app/new_database_dialog.h"
#include "data/data_set.h"
#include "support/scripted_messages.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

class FixedScanner final : public Scanner {
public:
    bool scan(QImage* image, QString*, Progress*) override {
        *image = QImage(30, 60, QImage::Format_RGB32);
        image->fill(Qt::gray);
        return true;
    }
};

class NoLabels final : public VolumeLabels {
public:
    bool labelOf(const QString&, QString*) override { return false; }
};

// With DORVANA_SHOTS=folder the windows are saved as pictures there (to look at them).
void shot(QWidget* w, const char* name) {
    const QString folder = qEnvironmentVariable("DORVANA_SHOTS");
    if (folder.isEmpty()) return;
    w->show();
    QApplication::processEvents();
    w->grab().save(QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
}

template <typename T>
T* child(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

TEST(BackupDialog, RestoresWritesAndSaysWhatWentWrong) {
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data")), start = dir.path();
    QDir().mkpath(data);
    ASSERT_TRUE(test::writeBytes(data + "/etikety.db", "tabulka"));
    ASSERT_TRUE(test::writeBytes(start + "/cenik.pts", "sestava"));
    test::ScriptedMessages messages;
    NoLabels labels;
    TZaloha dialog(data, start, dir.path(), messages, labels);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Zálohování dat"));
    // The archive goes to a mounted removable medium, never into /media
    // itself; the name's list offers every medium and the save folder.
    dialog.setMediaSource([&] { return QStringList{dir.filePath("USB DISK"), dir.filePath("KLIC")}; });
    dialog.prepare();
    EXPECT_EQ(dialog.archiveName(), dir.filePath(QStringLiteral("USB DISK/zdsave.zip")));
    auto* places = child<QComboBox>(&dialog, "Places");
    ASSERT_EQ(places->count(), 3);
    EXPECT_EQ(places->itemText(1), dir.filePath(QStringLiteral("KLIC/zdsave.zip")));
    EXPECT_EQ(places->itemText(2), dir.filePath(QStringLiteral("zdsave.zip")));
    dialog.setMediaSource([] { return QStringList(); });
    dialog.prepare();
    EXPECT_EQ(dialog.archiveName(), dir.filePath(QStringLiteral("zdsave.zip")));

    // Leaving the name field forces the extension.
    auto* name = child<QLineEdit>(&dialog, "Edit1");
    name->setText(dir.filePath(QStringLiteral("zaloha.txt")));
    emit name->editingFinished();
    EXPECT_EQ(dialog.archiveName(), dir.filePath(QStringLiteral("zaloha.zip")));

    QTest::mouseClick(child<QPushButton>(&dialog, "Button1"), Qt::LeftButton);  // "&Uložení"
    ASSERT_TRUE(QFile::exists(dir.filePath(QStringLiteral("zaloha.zip")))) << messages.shown.join('\n').toStdString();
    QFile::remove(data + "/etikety.db");
    QTest::mouseClick(child<QPushButton>(&dialog, "Button4"), Qt::LeftButton);  // "&Obnova"
    EXPECT_EQ(test::fileBytes(data + "/etikety.db"), "tabulka");
    EXPECT_EQ(child<QLabel>(&dialog, "Label1")->text(), QStringLiteral("HOTOVO"));
    shot(&dialog, "zalohovani");

    messages.shown.clear();
    dialog.setArchiveName(dir.filePath(QStringLiteral("neni")));
    QTest::mouseClick(child<QPushButton>(&dialog, "Button4"), Qt::LeftButton);
    EXPECT_EQ(messages.shown, QStringList{QStringLiteral("error: Soubor %1 neexistuje")
                                              .arg(dir.filePath(QStringLiteral("neni.zip")))});
}

TEST(NewDatabaseDialog, FieldDialogChecksAndTheListCreatesTables) {
    QTemporaryDir dir;
    test::ScriptedMessages messages;
    TBasForm form(dir.path(), messages);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Tvorba nové databáze"));

    FieldList list;
    list.add({QStringLiteral("cislo"), int(FieldType::Integer), 0});
    TFieldForm field(list, {}, -1, messages);
    EXPECT_EQ(field.windowTitle(), QStringLiteral("Nové pole"));
    child<QLineEdit>(&field, "NazevPole")->setText(QStringLiteral("pocet"));
    child<QComboBox>(&field, "TypPole")->setCurrentIndex(int(FieldType::Integer) - 1);
    child<QSpinBox>(&field, "Delka")->setValue(5);
    field.show();
    field.accept();
    EXPECT_TRUE(field.isVisible()) << "a wrong length keeps the dialog open";
    EXPECT_EQ(messages.shown.last(), QStringLiteral("error: Chybná délka pole"));
    child<QSpinBox>(&field, "Delka")->setValue(0);
    field.accept();
    EXPECT_EQ(field.result(), QDialog::Accepted);
    EXPECT_EQ(field.entry().text(), QStringLiteral("pocet;3;0"));

    // Loading a table's fields, removing one with Delete, creating a table.
    FieldList source;
    source.add({QStringLiteral("cislo"), int(FieldType::Integer), 0});
    source.add({QStringLiteral("nazev"), int(FieldType::String), 30});
    source.add({QStringLiteral("datum"), int(FieldType::Date), 0});
    ASSERT_TRUE(source.create(dir.filePath(QStringLiteral("zdroj.db")), TableKind::Paradox));
    ASSERT_TRUE(form.loadFrom(dir.filePath(QStringLiteral("zdroj.db"))));
    auto* view = child<QListWidget>(&form, "TrPol");
    ASSERT_EQ(view->count(), 3);
    view->setCurrentRow(2);
    form.show();
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(view->count(), 2);
    form.moveField(1, 0);
    EXPECT_EQ(view->item(0)->text(), QStringLiteral("nazev"));
    shot(&form, "nova_databaze");
    shot(&field, "nove_pole");
    ASSERT_TRUE(form.createAt(dir.filePath(QStringLiteral("nova.dbf")), TableKind::Dbase));
    QString error;
    auto table = openForeignTable(dir.filePath(QStringLiteral("nova.dbf")), &error);
    ASSERT_TRUE(table) << error.toStdString();
    EXPECT_EQ(table->field(0)->dataType(), FieldType::String);
    EXPECT_FALSE(form.loadFrom(dir.filePath(QStringLiteral("neni.db"))));
    EXPECT_GE(messages.beeps, 1);
}

TEST(NewDatabaseDialog, TheFieldListShowsItsFieldsWhichAreChosenByClickAndMovedByDropping) {
    QTemporaryDir dir;
    test::ScriptedMessages messages;
    TBasForm form(dir.path(), messages);
    FieldList source;
    for (const char* name : {"cislo", "nazev", "cena", "datum"})
        source.add({QString::fromLatin1(name), int(FieldType::Integer), 0});
    ASSERT_TRUE(source.create(dir.filePath(QStringLiteral("zdroj.dbf")), TableKind::Dbase));
    ASSERT_TRUE(form.loadFrom(dir.filePath(QStringLiteral("zdroj.dbf"))));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* view = child<QListWidget>(&form, "TrPol");

    // Every field is painted in its own row, in order.
    QStringList shown;
    for (int y = 1; y < view->viewport()->height(); ++y) {
        const QModelIndex at = view->indexAt(QPoint(10, y));
        if (at.isValid() && (shown.isEmpty() || shown.last() != at.data().toString())) shown << at.data().toString();
    }
    EXPECT_EQ(shown, QStringList({"CISLO", "NAZEV", "CENA", "DATUM"}));

    // A click chooses a field; Delete removes it.
    const QRect third = view->visualRect(view->model()->index(2, 0));
    ASSERT_TRUE(view->viewport()->rect().contains(third.center()));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, third.center());
    EXPECT_EQ(view->currentRow(), 2);
    EXPECT_TRUE(view->item(2)->isSelected());
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(form.fields().entries().size(), 3);
    EXPECT_EQ(view->count(), 3);

    // A field dropped onto another takes its place.
    view->setCurrentRow(2);  // DATUM
    std::unique_ptr<QMimeData> mime(view->model()->mimeData({view->model()->index(2, 0)}));
    const QPoint onto = view->visualRect(view->model()->index(0, 0)).center();
    QDragEnterEvent enter(onto, Qt::MoveAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(view->viewport(), &enter);
    QDropEvent drop(onto, Qt::MoveAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(view->viewport(), &drop);
    QStringList order;
    for (const FieldEntry& e : form.fields().entries()) order << e.name;
    EXPECT_EQ(order, QStringList({"DATUM", "CISLO", "NAZEV"}));
    EXPECT_EQ(view->item(0)->text(), QStringLiteral("DATUM"));
    EXPECT_EQ(view->count(), 3);
    shot(&form, "nova_databaze_pole");
}

TEST(NewDatabaseDialog, ATableIsNeverCreatedOverAnOpenTableAndReplacesAnotherOnlyAfterTheQuestion) {
    QTemporaryDir dir;
    test::ScriptedMessages messages;
    TBasForm form(dir.path(), messages);
    FieldList list;
    list.add({QStringLiteral("kod"), int(FieldType::String), 10});
    ASSERT_TRUE(list.create(dir.filePath(QStringLiteral("zdroj.db")), TableKind::Paradox));
    ASSERT_TRUE(form.loadFrom(dir.filePath(QStringLiteral("zdroj.db"))));

    // An open table (its file, or its memo file) is left alone.
    const QString open = dir.filePath(QStringLiteral("etikety.db"));
    ASSERT_TRUE(test::writeBytes(open, "otevřený soubor etiket"));
    form.setOpenFiles({open});
    EXPECT_FALSE(form.createAt(open, TableKind::Paradox));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].startsWith(QStringLiteral("error: Soubor etikety.db je otevřen")))
        << messages.shown[0].toStdString();
    EXPECT_EQ(test::fileBytes(open), QByteArray("otevřený soubor etiket"));

    // Another existing file: the program's question; No keeps it.
    const QString other = dir.filePath(QStringLiteral("stara.dbf"));
    ASSERT_TRUE(test::writeBytes(other, "stará tabulka"));
    messages.shown.clear();
    messages.answers = {Messages::Answer::No};
    EXPECT_FALSE(form.createAt(other, TableKind::Dbase));
    EXPECT_EQ(messages.shown, QStringList{"confirm: Soubor existuje - bude zrušen ?"});
    EXPECT_EQ(test::fileBytes(other), QByteArray("stará tabulka"));
    messages.answers = {Messages::Answer::Yes};
    ASSERT_TRUE(form.createAt(other, TableKind::Dbase));
    QString error;
    auto table = openForeignTable(other, &error);
    ASSERT_TRUE(table) << error.toStdString();
    EXPECT_EQ(table->field(0)->name(), QStringLiteral("KOD"));
    // Nothing of the work is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"etikety.db", "stara.dbf", "zdroj.db"}));
}

TEST(ImageWindow, ToolBarCommandsInOrderChangeThePicture) {
    PictureDocument picture;
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setImage(image);
    picture.setModified(false);
    test::ScriptedMessages messages;
    FixedScanner scanner;
    TObrForm window(picture, messages, nullptr, &scanner);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Obrázek"));
    QStringList hints;
    for (QAction* a : window.commands()) hints << a->objectName();
    EXPECT_EQ(hints, QStringList({"Sejmout Scanerem", "Načíst ze souboru", "Uložit", "Kopírovat",
                                  "Vložit", "Tisk", "Optimální vyplnění", "Vyplnění do šířky",
                                  "Vyplnění do výšky", "Vyplnění do okna", "Obnovení rozměrů",
                                  "Rotace vpravo", "Rotace vlevo", "Rotace 180",
                                  "Zrcadlo horizontálně", "Zrcadlo vertikálně", "Vyříznutí",
                                  "Zvětšení", "Zmenšení", "Paleta", "Operace s obrázkem",
                                  "Informace o obrázku", "O komponentě", "No Function"}));
    window.show();
    shot(&window, "obrazek");
    window.command(QStringLiteral("Rotace vpravo"))->trigger();
    EXPECT_EQ(picture.image().size(), QSize(20, 40));
    EXPECT_EQ(picture.image().pixel(19, 0), qRgb(255, 0, 0));
    EXPECT_TRUE(picture.isModified());
    window.setSelection(QRect(10, 0, 10, 5));
    window.command(QStringLiteral("Vyříznutí"))->trigger();
    EXPECT_EQ(picture.image().size(), QSize(10, 5));
    EXPECT_EQ(picture.image().pixel(9, 0), qRgb(255, 0, 0));
    window.command(QStringLiteral("Informace o obrázku"))->trigger();
    EXPECT_TRUE(messages.shown.last().startsWith(QStringLiteral("information: 10 × 5 bodů")));
    window.command(QStringLiteral("Sejmout Scanerem"))->trigger();
    EXPECT_EQ(picture.image().size(), QSize(30, 60));

    window.command(QStringLiteral("Zvětšení"))->trigger();
    const ImageWindowSettings remembered = window.settings();
    EXPECT_EQ(remembered.fit, FitStyle::Original);
    EXPECT_DOUBLE_EQ(remembered.zoom, 1.1);
    TObrForm again(picture, messages, nullptr, &scanner);
    again.setSettings(remembered);
    EXPECT_EQ(again.settings(), remembered);
}

}  // namespace
