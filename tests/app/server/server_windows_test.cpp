// The windows over label tables on the tests' server: the "Databázový
// server…" dialog and grids that show another clerk's change by themselves.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/core/label_columns.h"
#include "app/core/label_session.h"
#include "app/late_progress.h"
#include "app/main_form.h"
#include "app/query_builder_dialog.h"
#include "app/server_table_dialog.h"
#include "controls/data_set_model.h"
#include "controls/marking_grid.h"
#include "data/label_file.h"
#include "data/pg_table.h"
#include "data/query.h"
#include "data/server/test_server.h"
#include "support/scripted_messages.h"
#include "support/when_modal.h"

namespace dorvana {
namespace {

using test::testServerUri;
using test::uniqueTableName;

template <typename W>
W* byName(QWidget& parent, const QString& name) {
    for (W* w : parent.findChildren<W*>())
        if (w->accessibleName() == name) return w;
    ADD_FAILURE() << "no control named " << name.toStdString();
    return nullptr;
}

// The dialog's fields are found by their names; Enter tries the table and a
// server that cannot be reached is told by name with the table, the dialog
// staying open with what was typed; the right server opens the table and
// closes it; Esc closes it and opens nothing.
TEST(ServerTableDialogWindow, EnterOpensTheTableAWrongServerKeepsItOpenEscCancels) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir().mkpath(dir.filePath(QStringLiteral("start/data")));
    test::ScriptedMessages messages;
    LabelSession session(dir.filePath(QStringLiteral("start")), dir.filePath(QStringLiteral("d.ini")),
                         messages);
    const QString uri = test::serverLabelTable(QStringLiteral("dialog"), 2);
    const QString table = uri.section(u'=', -1);

    ServerTableDialog dlg(QString(), nullptr, &messages);
    int tried = 0;
    dlg.setAction([&](const QString& u) {
        ++tried;
        return session.openFile(1, u);
    });
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    auto* host = byName<QLineEdit>(dlg, QStringLiteral("Server nebo složka soketu"));
    auto* port = byName<QSpinBox>(dlg, QStringLiteral("Port"));
    auto* database = byName<QLineEdit>(dlg, QStringLiteral("Databáze"));
    auto* user = byName<QLineEdit>(dlg, QStringLiteral("Uživatel"));
    auto* tableEdit = byName<QLineEdit>(dlg, QStringLiteral("Tabulka"));
    auto* password = byName<QLineEdit>(dlg, QStringLiteral("Heslo"));
    ASSERT_TRUE(host && port && database && user && tableEdit && password);
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    // Tab goes down the fields in the order they stand.
    auto nextStop = [](QWidget* w) {
        // A spin box's own line edit is part of the spin box.
        do w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) ||
               qobject_cast<QAbstractSpinBox*>(w->parentWidget()));
        return w;
    };
    QWidget* stop = host;
    for (QWidget* next : std::initializer_list<QWidget*>{port, database, user, tableEdit, password}) {
        stop = nextStop(stop);
        EXPECT_EQ(stop, next) << next->accessibleName().toStdString();
    }

    const QString nowhere = dir.filePath(QStringLiteral("zadny-server"));
    host->setText(nowhere);
    database->setText(QStringLiteral("postgres"));
    user->setText(QStringLiteral("postgres"));
    tableEdit->setText(table);
    tableEdit->setFocus();
    QTest::keyClick(tableEdit, Qt::Key_Return);
    EXPECT_EQ(tried, 1);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].startsWith(QStringLiteral("error: ")));
    EXPECT_TRUE(messages.shown[0].contains(nowhere) && messages.shown[0].contains(table))
        << messages.shown[0].toStdString();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(host->text(), nowhere);
    EXPECT_TRUE(session.tablePath().isEmpty());

    messages.shown.clear();
    host->setText(test::testServerSocket());
    QTest::keyClick(tableEdit, Qt::Key_Return);
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join(u'\n').toStdString();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(session.tablePath(), uri);
    ASSERT_NE(session.dataSet(), nullptr);
    EXPECT_EQ(session.dataSet()->recordCount(), 2);

    // Opened again, the dialog shows where the table is; Esc leaves everything.
    ServerTableDialog again(session.tablePath(), nullptr, &messages);
    again.setAction([&](const QString&) { return ++tried, true; });
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    EXPECT_EQ(byName<QLineEdit>(again, QStringLiteral("Tabulka"))->text(), table);
    EXPECT_EQ(byName<QLineEdit>(again, QStringLiteral("Server nebo složka soketu"))->text(),
              test::testServerSocket());
    QTest::keyClick(byName<QLineEdit>(again, QStringLiteral("Tabulka")), Qt::Key_Escape);
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(again.result(), QDialog::Rejected);
    EXPECT_EQ(tried, 2);  // the wrong server and the right one
}

using test::whenModal;

// "Založit soubor" offers "Databázový server…" beside the file name: it
// leads to the server dialog, which creates the table there and the window
// shows it. Asked again for the same table, the dialog says it exists and
// stays open.
TEST(ServerTableDialogWindow, ZalozitSouborCreatesTheTableOnTheServer) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString start = dir.filePath(QStringLiteral("start"));
    QDir().mkpath(start + QStringLiteral("/data"));
    test::ScriptedMessages messages;
    TMainForm form(start, dir.filePath(QStringLiteral("d.ini")), &messages);
    const QString table = uniqueTableName(QStringLiteral("zalozeny"));

    auto createThere = [&](int* shownMessages) {
        whenModal<QFileDialog>(&form, [&](QFileDialog& files) {
            QPushButton* server = nullptr;
            for (auto* b : files.findChildren<QPushButton*>())
                if (b->text() == QStringLiteral("Databázový server…")) server = b;
            ASSERT_NE(server, nullptr);
            whenModal<ServerTableDialog>(&form, [&](ServerTableDialog& dlg) {
                EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Založení tabulky na serveru"));
                byName<QLineEdit>(dlg, QStringLiteral("Server nebo složka soketu"))
                    ->setText(test::testServerSocket());
                byName<QLineEdit>(dlg, QStringLiteral("Databáze"))->setText(QStringLiteral("postgres"));
                byName<QLineEdit>(dlg, QStringLiteral("Uživatel"))->setText(QStringLiteral("postgres"));
                auto* t = byName<QLineEdit>(dlg, QStringLiteral("Tabulka"));
                t->setText(table);
                QTest::keyClick(t, Qt::Key_Return);
                *shownMessages = int(messages.shown.size());
                if (dlg.isVisible()) QTest::keyClick(t, Qt::Key_Escape);
            });
            server->click();
        });
        form.action(QStringLiteral("SpeedCreate"))->trigger();
    };
    int shown = -1;
    createThere(&shown);
    EXPECT_EQ(shown, 0) << messages.shown.join(u'\n').toStdString();
    EXPECT_TRUE(form.windowTitle().contains(table + QStringLiteral(" na serveru")))
        << form.windowTitle().toStdString();
    bool exists = false;
    QString err;
    ASSERT_TRUE(serverTableExists(test::testServerTarget(table), &exists, &err)) << err.toStdString();
    EXPECT_TRUE(exists);

    createThere(&shown);
    ASSERT_EQ(shown, 1);
    EXPECT_TRUE(messages.shown[0].contains(table + QStringLiteral(": tabulka už existuje")))
        << messages.shown[0].toStdString();
}

// The query builder takes a server table: its fields are listed, the
// statement names the table by its address and "Vyzkoušet" runs it on the
// server.
TEST(ServerQueryBuilder, ComposesAndTriesAStatementOverAServerTable) {
    const QString uri = test::serverLabelTable(QStringLiteral("sestavovac"), 5);
    test::ScriptedMessages messages;
    QueryBuilderDialog dlg(QDir::tempPath(), nullptr, &messages);
    ASSERT_TRUE(dlg.addTable(uri)) << messages.shown.join(u'\n').toStdString();
    dlg.setFieldTicked(QStringLiteral("T1.nazev1"), true);
    dlg.addCondition({QStringLiteral("T1.cislo"), QStringLiteral(">="), QStringLiteral("4")});
    EXPECT_TRUE(dlg.sqlEditor()->toPlainText().contains(QStringLiteral("\"%1\" T1").arg(uri)));
    ASSERT_TRUE(dlg.tryQuery()) << messages.shown.join(u'\n').toStdString();
    EXPECT_EQ(dlg.preview()->model()->rowCount(), 2);
    EXPECT_EQ(dlg.request().tables, QStringList{uri});
}

// A statement running on the server shows the query progress window
// ("Provádím dotaz ..."); its "Přeruš" has the server cancel it at once.
TEST(ServerQueryBuilder, PrerusInTheProgressWindowCancelsTheStatementOnTheServer) {
    const QString uri = test::serverLabelTable(QStringLiteral("preruseni"), 1);
    QWidget main;
    main.show();
    Query q;
    q.setDatabase(uri);
    q.setText(QStringLiteral("SELECT cislo, pg_sleep(60) FROM \"%1\"").arg(uri.section(u'=', -1)));
    LateProgress progress(&main, 0, kQueryRunningText);
    q.setProgress(&progress);
    QString status;
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, [&] {
        for (auto* b : QApplication::allWidgets())
            if (auto* button = qobject_cast<QPushButton*>(b);
                button && button->text() == QStringLiteral("Přeruš") && button->isVisible()) {
                for (auto* l : button->window()->findChildren<QLabel*>())
                    if (!l->text().isEmpty()) status = l->text();
                press.stop();
                button->click();
            }
    });
    press.start(100);
    QElapsedTimer clock;
    clock.start();
    QString err;
    EXPECT_FALSE(q.open(&err));
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_TRUE(err.contains(kQueryCancelledText)) << err.toStdString();
    EXPECT_EQ(status, kQueryRunningText);
}

// Whether a grid shows text in some cell.
bool gridShows(const TDbGridZelvan& grid, const QString& text) {
    const QAbstractItemModel* m = grid.model();
    for (int r = 0; r < m->rowCount(); ++r)
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->index(r, c).data().toString() == text) return true;
    return false;
}

// Two clerks' grids over one server table in one program: what one posts,
// the other grid shows within a second, read on the event loop when the
// server's notice arrives (nothing polls).
TEST(LiveServerGrid, AnotherGridsChangeIsShownWithinASecond) {
    const QString uri = test::serverLabelTable(QStringLiteral("zive"), 3);
    QString err;
    auto a = openServerLabelDataSet(uri, &err);
    ASSERT_TRUE(a) << err.toStdString();
    auto b = openServerLabelDataSet(uri, &err);
    ASSERT_TRUE(b) << err.toStdString();
    TDbGridZelvan gridA, gridB;
    for (auto [grid, ds] : {std::pair{&gridA, a.get()}, std::pair{&gridB, b.get()}}) {
        grid->setDataSet(ds);
        grid->setColumns(defaultLabelColumns());
        grid->resize(600, 300);
        grid->show();
    }
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&gridB));
    ASSERT_TRUE(gridShows(gridB, QStringLiteral("Věc 2")));

    a->setRecNo(2);
    ASSERT_TRUE(a->edit(&err)) << err.toStdString();
    ASSERT_TRUE(a->findField(QStringLiteral("nazev1"))->setText(QStringLiteral("Přeceněno"), &err));
    ASSERT_TRUE(a->post(&err)) << err.toStdString();
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return gridShows(gridB, QStringLiteral("Přeceněno")); }, 1000))
        << "after " << clock.elapsed() << " ms";
    EXPECT_FALSE(gridShows(gridB, QStringLiteral("Věc 2")));

    ASSERT_TRUE(a->append(&err)) << err.toStdString();
    ASSERT_TRUE(a->findField(QStringLiteral("cislo"))->setText(QStringLiteral("4"), &err));
    ASSERT_TRUE(a->findField(QStringLiteral("nazev1"))->setText(QStringLiteral("Nová věc"), &err));
    ASSERT_TRUE(a->post(&err)) << err.toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return gridShows(gridB, QStringLiteral("Nová věc")); }, 1000));
    EXPECT_EQ(b->recordCount(), 4);
}

// A large table opens in a grid from the server's estimate of its rows; the
// exact count, made meanwhile on the side, arrives on the event loop and the
// grid shows exactly the rows there are. Opened for reading every row, the
// table is counted exactly at once.
TEST(LiveServerGrid, ALargeTableOpensFromTheEstimateAndTheGridGetsTheExactCount) {
    const QString table = uniqueTableName(QStringLiteral("velka"));
    const PgTarget target = test::testServerTarget(table);
    QString err;
    ASSERT_TRUE(createServerLabelTable(target, false, &err)) << err.toStdString();
    const qint64 rows = PgTableStore::kEstimatedFrom + 20000;
    {
        PgConnection c;
        ASSERT_TRUE(c.connect(target, &err)) << err.toStdString();
        const QString t = pgIdentifier(table);
        for (const QString& sql :
             {QStringLiteral("INSERT INTO %1 (cislo, nazev1) SELECT g, 'Věc ' || g FROM "
                             "generate_series(1, %2) g")
                  .arg(t)
                  .arg(rows),
              QStringLiteral("ANALYZE %1").arg(t),
              // The statistics overstate the table (as after many deletes).
              QStringLiteral("UPDATE pg_class SET reltuples = %1 WHERE oid = '%2'::regclass")
                  .arg(rows * 2)
                  .arg(t)}) {
            const PgResult r = c.exec(sql);
            ASSERT_TRUE(r.ok()) << r.error().toStdString();
        }
    }
    auto exact = openServerLabelDataSet(target.uri, &err);
    ASSERT_TRUE(exact) << err.toStdString();
    EXPECT_EQ(exact->recordCount(), rows);

    auto shown = openServerLabelDataSet(target.uri, &err, RowCounting::Estimated);
    ASSERT_TRUE(shown) << err.toStdString();
    EXPECT_EQ(shown->recordCount(), rows * 2);  // the estimate, until the count arrives
    TDbGridZelvan grid;
    grid.setDataSet(shown.get());
    grid.setColumns(defaultLabelColumns());
    grid.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown->recordCount() == rows; }, 5000))
        << shown->recordCount();
    EXPECT_EQ(grid.model()->rowCount(), rows);
    shown->last();
    EXPECT_EQ(shown->recNo(), rows);
    EXPECT_EQ(shown->findField(QStringLiteral("nazev1"))->displayText(),
              QStringLiteral("Věc %1").arg(rows));
}

}  // namespace
}  // namespace dorvana
