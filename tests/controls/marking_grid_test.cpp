// The marking grid: marks by key value, the indicator column, locked columns,
// the active title, and the keys it turns into events.
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "controls/data_set_model.h"
#include "controls/indicator.h"
#include "controls/mark_list.h"
#include "controls/marking_grid.h"
#include "data/memory_store.h"
#include "label_fixture.h"
#include "support/scripted_messages.h"

namespace dorvana {
namespace {

GridColumns numberAndNames() {
    return {{QStringLiteral("cislo"), QStringLiteral("Číslo"), 64, false, {}},
            {QStringLiteral("nazev1"), QStringLiteral("Název1"), 160, false, {}},
            {QStringLiteral("nazev2"), QStringLiteral("Název2"), 160, false, {}},
            {QStringLiteral("barcode"), QStringLiteral("Barcode"), 120, false, {}}};
}

struct GridFixture : test::LabelFixture {
    test::ScriptedMessages messages;
    mutable TDbGridZelvan grid;

    explicit GridFixture(int count) : LabelFixture(count) {
        grid.setMessages(&messages);
        grid.setDataSet(dataSet.get());
        grid.setColumns(numberAndNames());
        grid.setKeyField(QStringLiteral("cislo"));
        grid.setCheckEnabled(true);
        grid.resize(640, 400);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }
    QPoint indicatorCell(int row) const {
        auto* h = grid.verticalHeader();
        return {h->width() / 2, h->sectionViewportPosition(row) + h->sectionSize(row) / 2};
    }
    QColor indicatorColour(int row) const {
        // Left part of the cell, away from any glyph.
        const QImage img = grid.grab().toImage();
        const QPoint p = grid.verticalHeader()->mapTo(&grid, indicatorCell(row)) -
                         QPoint(grid.verticalHeader()->width() / 2 - 3, 0);
        return img.pixelColor(p);
    }
};

TEST(MarkingGrid, TogglingKeepsTheOrderOfTheRemainingMarks) {
    GridFixture f(5);
    for (qint32 v : {30, 10, 50}) f.grid.toggleValue(v);
    f.grid.toggleValue(10);
    ASSERT_EQ(f.grid.markCount(), 2);
    EXPECT_EQ(f.grid.markAt(0), 30);
    EXPECT_EQ(f.grid.markAt(1), 50);
    f.grid.toggleValue(10);
    f.grid.toggleValue(10);
    EXPECT_EQ(f.grid.marks().values(), QList<qint32>({30, 50}));
    f.grid.clearMarks();
    EXPECT_EQ(f.grid.markCount(), 0);
}

// The mark list against the plain list it stands for, through many toggles
// of a few values (so that removed entries pile up and are dropped), adds,
// positions and a bulk toggle.
TEST(MarkingGrid, TheMarkListBehavesAsAPlainOrderedList) {
    MarkList marks;
    QList<qint32> plain;
    quint32 seed = 12345;
    for (int k = 0; k < 20000; ++k) {
        seed = seed * 1103515245u + 12345u;
        const qint32 v = qint32((seed >> 8) % 300) - 150;
        if (seed % 7 == 0) {
            marks.add(v);
            if (!plain.contains(v)) plain.append(v);
        } else {
            EXPECT_EQ(marks.toggle(v), !plain.contains(v));
            if (!plain.removeOne(v)) plain.append(v);
        }
        if (k % 997 == 0) {
            ASSERT_EQ(marks.values(), plain) << k;
            for (int i = 0; i < plain.size(); i += 17) EXPECT_EQ(marks.at(i), plain[i]);
        }
        ASSERT_EQ(marks.count(), plain.size());
        EXPECT_EQ(marks.contains(v), plain.contains(v));
    }
    EXPECT_EQ(marks.values(), plain);

    GridFixture f(5);
    f.grid.toggleValue(2);
    f.grid.toggleValues({7, 2, 9, 7, 7});  // 2 unmarked; 7 off and on again: last
    EXPECT_EQ(f.grid.marks().values(), QList<qint32>({9, 7}));
}

TEST(MarkingGrid, MarkingNeedsAKeyFieldAndSwitchingOffKeepsTheMarks) {
    test::LabelFixture data(3);
    test::ScriptedMessages messages;
    TDbGridZelvan grid;
    grid.setMessages(&messages);
    grid.setDataSet(data.dataSet.get());
    grid.setCheckEnabled(true);
    EXPECT_FALSE(grid.checkEnabled());
    EXPECT_EQ(messages.shown,
              QStringList({QStringLiteral("error: Položka \"KeyField\" musí být definována")}));
    grid.toggleValue(5);  // marking off: nothing happens
    EXPECT_EQ(grid.markCount(), 0);

    grid.setKeyField(QStringLiteral("cislo"));
    grid.setCheckEnabled(true);
    grid.toggleCurrent();
    EXPECT_EQ(grid.marks().values(), QList<qint32>({10}));
    grid.setCheckEnabled(false);
    EXPECT_EQ(grid.markCount(), 1);
}

TEST(MarkingGrid, CurrentKeyValueIsZeroWhenItCannotBeRead) {
    GridFixture f(3);
    f.dataSet->setRecNo(2);
    EXPECT_EQ(f.grid.currentKeyValue(), 20);
    f.grid.setKeyField(QStringLiteral("nazev1"));  // text, not a number
    EXPECT_EQ(f.grid.currentKeyValue(), 0);
    f.grid.setKeyField(QStringLiteral("chybi"));
    EXPECT_EQ(f.grid.currentKeyValue(), 0);
    f.grid.setDataSet(nullptr);
    f.grid.setKeyField(QStringLiteral("cislo"));
    EXPECT_EQ(f.grid.currentKeyValue(), 0);
}

TEST(MarkingGrid, AClickOnTheIndicatorMovesToTheRecordAndMarksIt) {
    GridFixture f(20);
    QSignalSpy checks(&f.grid, &TDbGridZelvan::checkClick);
    QTest::mouseClick(f.grid.verticalHeader()->viewport(), Qt::LeftButton, {}, f.indicatorCell(3));
    EXPECT_EQ(f.dataSet->recNo(), 4);
    EXPECT_EQ(f.grid.marks().values(), QList<qint32>({40}));
    EXPECT_EQ(checks.count(), 1);
    QTest::mouseClick(f.grid.verticalHeader()->viewport(), Qt::LeftButton, {}, f.indicatorCell(3));
    EXPECT_EQ(f.grid.markCount(), 0);
}

TEST(MarkingGrid, SpaceRaisesItsEventWithTheSelectedFieldAndIsSwallowed) {
    GridFixture f(5);
    QSignalSpy spaces(&f.grid, &TDbGridZelvan::clickSpace);
    QObject::connect(&f.grid, &TDbGridZelvan::clickSpace, &f.grid, [&] { f.grid.toggleCurrent(); });
    f.grid.setCurrentIndex(f.grid.model()->index(1, 1));
    QTest::keyClick(&f.grid, Qt::Key_Space);
    ASSERT_EQ(spaces.count(), 1);
    EXPECT_EQ(spaces[0][0].toString(), QStringLiteral("nazev1"));
    EXPECT_EQ(f.grid.marks().values(), QList<qint32>({20}));
    EXPECT_EQ(f.grid.indexWidget(f.grid.currentIndex()), nullptr);
    EXPECT_FALSE(f.grid.findChild<QLineEdit*>());  // no editor opened
    EXPECT_EQ(f.dataSet->state(), DataSet::State::Browse);
}

TEST(MarkingGrid, MarkColoursFollowTheRecordsWhenScrolling) {
    GridFixture f(500);
    f.grid.toggleValue(30);  // record 3, row 2
    EXPECT_EQ(f.indicatorColour(2), f.grid.checkedColor());
    EXPECT_NE(f.indicatorColour(1), f.grid.checkedColor());
    f.dataSet->last();
    QApplication::processEvents();
    EXPECT_EQ(f.grid.currentIndex().row(), 499);
    const int top = f.grid.rowAt(0);
    EXPECT_GT(top, 400);
    EXPECT_NE(f.indicatorColour(top), f.grid.checkedColor());
    f.dataSet->first();
    QApplication::processEvents();
    EXPECT_EQ(f.indicatorColour(2), f.grid.checkedColor());
    EXPECT_EQ(f.grid.marks().values(), QList<qint32>({30}));
}

// A store that counts the rows it is asked for.
class CountingStore : public MemoryStore {
public:
    using MemoryStore::MemoryStore;
    bool readRows(qint64 first, qint64 count, QList<RawRecord>* out, QString* e) override {
        rowsRead += std::max<qint64>(0, std::min(first + count, rowCount()) - first);
        return MemoryStore::readRows(first, count, out, e);
    }
    qint64 rowsRead = 0;
};

TEST(MarkingGrid, OnlyTheRowsShownAreRead) {
    const int n = 200000;
    QList<RawRecord> rows;
    rows.reserve(n);
    for (int i = 1; i <= n; ++i) rows << RawRecord{QVariant::fromValue<qint64>(i)};
    auto store = std::make_unique<CountingStore>(
        FieldDefs{{QStringLiteral("cislo"), FieldType::Integer, 0, false}}, rows);
    CountingStore* counting = store.get();
    DataSet ds(std::move(store));
    TDbGridZelvan grid;
    grid.setDataSet(&ds);
    grid.setColumns({{QStringLiteral("cislo"), QString(), 80, false, {}}});
    grid.resize(300, 400);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    ds.last();
    QApplication::processEvents();
    grid.grab();
    EXPECT_EQ(grid.currentIndex().row(), n - 1);
    EXPECT_EQ(grid.model()->index(n - 1, 0).data().toString(), QStringLiteral("200000"));
    EXPECT_LT(counting->rowsRead, 5000);
}

TEST(Indicator, GlyphOfARow) {
    const struct {
        bool current;
        RowState state;
        bool marked, signum;
        int glyph;
    } cases[] = {
        {true, RowState::Browse, false, false, 0},  {true, RowState::Edit, false, false, 1},
        {true, RowState::Insert, false, false, 2},  {false, RowState::Browse, false, true, -1},
        {false, RowState::Browse, true, false, -1},  // colour only
        {true, RowState::Browse, true, false, 0},    // the arrow stays
        {false, RowState::Browse, true, true, 3},   {true, RowState::Browse, true, true, 4},
        {true, RowState::Edit, true, true, 5},      {true, RowState::Insert, true, true, 6},
    };
    for (const auto& c : cases)
        EXPECT_EQ(indicatorGlyph(c.current, c.state, c.marked, c.signum), c.glyph)
            << c.current << int(c.state) << c.marked << c.signum;
}

TEST(Indicator, GlyphSitsOneOrTwoPixelsFromTheRightEdge) {
    const QRect cell(0, 100, 24, 21);
    const QSize glyph(11, 11);
    const QRect withLines = indicatorGlyphRect(cell, glyph, true);
    EXPECT_EQ(indicatorFillRect(cell, true), QRect(1, 101, 22, 19));
    EXPECT_EQ(withLines.right(), 1 + 22 - 1 - 1);  // 1 pixel inside the shrunken cell
    EXPECT_EQ(withLines.top(), 101 + (19 - 11) / 2);
    const QRect without = indicatorGlyphRect(cell, glyph, false);
    EXPECT_EQ(without.right(), 24 - 1 - 2);
    EXPECT_EQ(without.top(), 100 + (21 - 11) / 2);
}

TEST(MarkingGrid, LockedColumnsAreAppliedOnlyBelowTheColumnCountMinusOne) {
    GridFixture f(5);
    for (const auto& [n, applied] : {std::pair{0, false}, {1, true}, {2, true}, {3, false}, {9, false}}) {
        f.grid.setLockedCols(n);
        EXPECT_EQ(f.grid.lockingApplied(), applied) << n;
        EXPECT_EQ(f.grid.findChild<QTableView*>(QStringLiteral("lockedColumns")) != nullptr, applied) << n;
    }
    f.grid.setLockedCols(2);
    // Entering a locked column leads to the first unlocked one.
    f.grid.setCurrentIndex(f.grid.model()->index(1, 0));
    EXPECT_EQ(f.grid.currentIndex().column(), 2);
    QTest::keyClick(&f.grid, Qt::Key_Left);
    EXPECT_EQ(f.grid.currentIndex().column(), 2);
    QTest::keyClick(&f.grid, Qt::Key_Right);
    EXPECT_EQ(f.grid.currentIndex().column(), 3);
}

TEST(MarkingGrid, ATitleClickMakesItsColumnActiveUnlessTheHandlerRedirects) {
    GridFixture f(3);
    QSignalSpy titles(&f.grid, &TDbGridZelvan::clickTitle);
    auto clickTitle = [&](int column) {
        auto* h = f.grid.horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(column) + h->sectionSize(column) / 2,
                                 h->height() / 2));
    };
    clickTitle(1);
    EXPECT_EQ(titles.count(), 0);  // clicking titles is off by default
    f.grid.setClickTitleEnabled(true);
    clickTitle(1);
    ASSERT_EQ(titles.count(), 1);
    EXPECT_EQ(titles[0][0].toString(), QStringLiteral("nazev1"));
    EXPECT_EQ(titles[0][1].toInt(), 1);
    EXPECT_EQ(f.grid.activeTitleIndex(), 2);

    QObject::connect(&f.grid, &TDbGridZelvan::changeTitle, &f.grid, [](int* target) { *target = 2; });
    clickTitle(3);  // redirected to the already active title: nothing happens
    EXPECT_EQ(titles.count(), 1);
    EXPECT_EQ(f.grid.activeTitleIndex(), 2);
}

TEST(MarkingGrid, EnterActsAsTabWhenAsked) {
    GridFixture f(3);
    QSignalSpy enters(&f.grid, &TDbGridZelvan::clickEnter);
    f.grid.setCurrentIndex(f.grid.model()->index(0, 0));
    QTest::keyClick(&f.grid, Qt::Key_Return);
    EXPECT_EQ(f.grid.currentIndex().column(), 0);
    EXPECT_EQ(enters.count(), 1);
    f.grid.setEnterIsTab(true);
    QTest::keyClick(&f.grid, Qt::Key_Return);
    EXPECT_EQ(f.grid.currentIndex().column(), 1);
    EXPECT_EQ(enters.count(), 1);
}

TEST(MarkingGrid, InsertAndEscWithoutHandlersInsertAndCancel) {
    GridFixture f(3);
    f.dataSet->setRecNo(2);
    QTest::keyClick(&f.grid, Qt::Key_Insert);
    EXPECT_EQ(f.dataSet->state(), DataSet::State::Insert);
    EXPECT_EQ(f.grid.model()->rowCount(), 4);  // the insert row
    EXPECT_EQ(f.grid.currentIndex().row(), 1);
    QTest::keyClick(&f.grid, Qt::Key_Escape);
    EXPECT_EQ(f.dataSet->state(), DataSet::State::Browse);
    EXPECT_EQ(f.grid.model()->rowCount(), 3);

    QSignalSpy ins(&f.grid, &TDbGridZelvan::clickIns);
    QSignalSpy del(&f.grid, &TDbGridZelvan::clickDel);
    QSignalSpy esc(&f.grid, &TDbGridZelvan::clickEsc);
    QTest::keyClick(&f.grid, Qt::Key_Insert);
    QTest::keyClick(&f.grid, Qt::Key_Delete);
    QTest::keyClick(&f.grid, Qt::Key_Escape);
    EXPECT_EQ(ins.count(), 1);  // a handler replaces the insert
    EXPECT_EQ(del.count(), 1);
    EXPECT_EQ(esc.count(), 1);
    EXPECT_EQ(f.dataSet->state(), DataSet::State::Browse);
    EXPECT_EQ(f.dataSet->recordCount(), 3);
}

TEST(MarkingGrid, AnEditIsPostedWhenAnotherRecordBecomesCurrent) {
    GridFixture f(3);
    const QModelIndex name = f.grid.model()->index(0, 1);
    ASSERT_TRUE(f.grid.model()->setData(name, QStringLiteral("Nový název")));
    EXPECT_EQ(f.dataSet->state(), DataSet::State::Edit);
    f.grid.setCurrentIndex(f.grid.model()->index(2, 1));
    EXPECT_EQ(f.dataSet->state(), DataSet::State::Browse);
    EXPECT_EQ(f.dataSet->recNo(), 3);
    EXPECT_EQ(f.grid.model()->index(0, 1).data().toString(), QStringLiteral("Nový název"));

    // A post the table refuses keeps the record current and says why.
    ASSERT_TRUE(f.grid.model()->setData(f.grid.model()->index(2, 0), QStringLiteral("10")));
    f.grid.setCurrentIndex(f.grid.model()->index(0, 1));
    EXPECT_EQ(f.dataSet->recNo(), 3);
    EXPECT_EQ(f.grid.currentIndex().row(), 2);
    ASSERT_EQ(f.messages.shown.size(), 1);
    EXPECT_TRUE(f.messages.shown[0].startsWith(QStringLiteral("error: ")));
}

TEST(MarkingGrid, ARereadKeepsTheCursorInItsColumn) {
    GridFixture f(3);
    f.grid.setCurrentIndex(f.grid.model()->index(1, 2));
    // The record is written from outside the grid (a dialog, a panel).
    QString err;
    ASSERT_TRUE(f.dataSet->edit(&err));
    ASSERT_TRUE(f.dataSet->findField(QStringLiteral("nazev2"))->setText(QStringLiteral("Jinak"), &err));
    ASSERT_TRUE(f.dataSet->post(&err));
    EXPECT_EQ(f.grid.currentIndex(), f.grid.model()->index(1, 2));
    EXPECT_EQ(f.grid.model()->index(1, 2).data().toString(), QStringLiteral("Jinak"));
}

}  // namespace
}  // namespace dorvana
