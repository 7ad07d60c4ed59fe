// The lazily read rowid index: the same answers as a fully read sorted list
// under any mix of reads, look-ups, inserts and removals, reading little for
// the first and last screens, and staying consistent when the table changes
// behind it or cannot be read.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <limits>
#include <random>
#include <set>

#include "data/row_id_index.h"
#include "data/sqlite_db.h"
#include "data/sqlite_table.h"

using namespace dorvana;

namespace {

// A table's rowids with the index's read interface; counts what is read.
struct FakeTable {
    std::set<qint64> ids;
    qint64 rowsRead = 0;
    bool failing = false;

    RowIdIndex::Fetch fetch() {
        return [this](qint64 lo, qint64 hi, qint64 limit, bool descending,
                      std::vector<qint64>* out) {
            if (failing) return false;
            qint64 n = 0;
            if (descending) {
                for (auto it = ids.upper_bound(hi); it != ids.begin() && n < limit;) {
                    --it;
                    if (*it < lo) break;
                    out->push_back(*it);
                    ++n;
                }
            } else {
                for (auto it = ids.lower_bound(lo); it != ids.end() && *it <= hi && n < limit; ++it) {
                    out->push_back(*it);
                    ++n;
                }
            }
            rowsRead += n;
            return true;
        };
    }
    qint64 at(qint64 row) const { return *std::next(ids.begin(), row); }
};

// Every row's rowid, read through the index; whether they rise strictly.
bool readsInStrictOrder(RowIdIndex& index) {
    std::vector<qint64> rows;
    qint64 id = 0;
    for (qint64 row = 0; row < index.size(); ++row) {
        if (!index.rowIdAt(row, &id)) return false;
        rows.push_back(id);
    }
    return std::adjacent_find(rows.begin(), rows.end(), std::greater_equal<qint64>()) == rows.end();
}

constexpr qint64 kMin = std::numeric_limits<qint64>::min();
constexpr qint64 kMax = std::numeric_limits<qint64>::max();

}  // namespace

TEST(RowIdIndex, AnswersLikeTheFullListUnderRandomEdits) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937_64 rng(seed);
        FakeTable t;
        const int n = int(rng() % 6000);
        // Gaps of random size; some runs reach the ends of the rowid range.
        qint64 id = seed % 3 == 0 ? kMin : qint64(rng() % 100) - 50;
        for (int i = 0; i < n; ++i) {
            t.ids.insert(id);
            id += 1 + qint64(rng() % 5);
        }
        if (seed % 4 == 0) t.ids.insert(kMax);
        RowIdIndex index;
        index.reset(qint64(t.ids.size()), t.fetch());
        for (int op = 0; op < 400; ++op) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << " op " << op);
            ASSERT_EQ(index.size(), qint64(t.ids.size()));
            const qint64 size = index.size();
            const int what = int(rng() % 5);
            if (what == 0 && size > 0) {
                const qint64 row = qint64(rng() % size);
                qint64 got = 0;
                ASSERT_TRUE(index.rowIdAt(row, &got));
                ASSERT_EQ(got, t.at(row));
            } else if (what == 1 && size > 0) {
                const qint64 row = qint64(rng() % size);
                ASSERT_EQ(index.rowOf(t.at(row)), row);
                const qint64 absent = t.at(row) == kMax ? t.at(row) - 1 : t.at(row) + 1;
                if (!t.ids.count(absent)) {
                    ASSERT_EQ(index.rowOf(absent), -1);
                }
            } else if (what == 2) {
                // New records mostly at the end, some anywhere.
                const bool anywhere = rng() % 3 == 0 || t.ids.empty() || *t.ids.rbegin() == kMax;
                qint64 fresh = anywhere ? qint64(rng() % 40000) - 20000 : *t.ids.rbegin() + 1;
                if (t.ids.count(fresh) || fresh == kMin) continue;
                t.ids.insert(fresh);
                index.inserted(fresh);
                ASSERT_EQ(index.rowOf(fresh), qint64(std::distance(t.ids.begin(), t.ids.find(fresh))));
            } else if (what == 3 && size > 0) {
                // The store reads the row's rowid before it deletes the row.
                const qint64 row = qint64(rng() % size);
                const qint64 gone = t.at(row);
                index.removed(row);
                t.ids.erase(gone);
            } else {
                qint64 got = 0;
                ASSERT_FALSE(index.rowIdAt(size, &got));
                ASSERT_FALSE(index.rowIdAt(-1, &got));
            }
        }
        for (qint64 row = 0; row < index.size(); row += 97) {
            qint64 got = 0;
            ASSERT_TRUE(index.rowIdAt(row, &got));
            ASSERT_EQ(got, t.at(row)) << "seed " << seed << " row " << row;
        }
    }
}

TEST(RowIdIndex, TheFirstAndLastScreensReadOnlyTheirEnds) {
    FakeTable t;
    for (qint64 i = 0; i < 200000; ++i) t.ids.insert(3 * i + 3);
    RowIdIndex index;
    index.reset(200000, t.fetch());
    EXPECT_EQ(t.rowsRead, 0);
    qint64 id = 0;
    for (qint64 row = 0; row < 40; ++row) ASSERT_TRUE(index.rowIdAt(row, &id));
    for (qint64 row = 199960; row < 200000; ++row) ASSERT_TRUE(index.rowIdAt(row, &id));
    EXPECT_EQ(id, 600000);
    // Paging down a hundred screens reads about as far as it goes.
    for (qint64 row = 0; row < 4000; row += 40) ASSERT_TRUE(index.rowIdAt(row, &id));
    EXPECT_LT(t.rowsRead, 8000);
    // A record added at the end is found without reading the middle.
    t.ids.insert(600003);
    index.inserted(600003);
    EXPECT_EQ(index.rowOf(600003), 200000);
    EXPECT_LT(t.rowsRead, 8000);
    EXPECT_FALSE(index.isComplete());
    // The middle is read once, when asked for.
    ASSERT_TRUE(index.rowIdAt(100000, &id));
    EXPECT_EQ(id, 300003);
    EXPECT_EQ(index.rowOf(450000), 149999);
}

TEST(RowIdIndex, ATableChangedBehindItNeverGivesRowsOutOfOrder) {
    // Rows deleted by another writer after the count: the count shrinks.
    FakeTable t;
    for (qint64 i = 1; i <= 5000; ++i) t.ids.insert(i);
    RowIdIndex index;
    index.reset(5000, t.fetch());
    qint64 id = 0;
    ASSERT_TRUE(index.rowIdAt(0, &id));
    ASSERT_TRUE(index.rowIdAt(4999, &id));
    for (qint64 i = 2000; i < 3000; ++i) t.ids.erase(i);
    ASSERT_TRUE(index.rowIdAt(4500, &id));  // already read: as counted
    EXPECT_EQ(id, 4501);
    ASSERT_TRUE(index.rowIdAt(2500, &id));
    EXPECT_EQ(index.size(), 4000);
    EXPECT_TRUE(readsInStrictOrder(index));

    // Rows added by another writer: never more rows than counted.
    FakeTable grown;
    for (qint64 i = 1; i <= 5000; ++i) grown.ids.insert(2 * i);
    index.reset(5000, grown.fetch());
    ASSERT_TRUE(index.rowIdAt(4999, &id));
    for (qint64 i = 1; i <= 5000; ++i) grown.ids.insert(2 * i + 1);
    EXPECT_TRUE(readsInStrictOrder(index));
    EXPECT_EQ(index.size(), 5000);
}

TEST(RowIdIndex, AFailedReadIsReportedAndTheNextOneWorks) {
    FakeTable t;
    for (qint64 i = 1; i <= 5000; ++i) t.ids.insert(i * 10);
    RowIdIndex index;
    index.reset(5000, t.fetch());
    t.failing = true;
    qint64 id = 0;
    EXPECT_FALSE(index.rowIdAt(2500, &id));
    EXPECT_EQ(index.rowOf(25010), -1);
    EXPECT_EQ(index.size(), 5000);
    t.failing = false;
    ASSERT_TRUE(index.rowIdAt(2500, &id));
    EXPECT_EQ(id, 25010);
    EXPECT_EQ(index.rowOf(49990), 4998);
}

// The SQLite store over a table larger than one read-ahead: reading, looking
// up, deleting, inserting and changing keys in the unread middle.
TEST(RowIdIndex, TheSqliteStoreEditsATableItHasNotReadWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("velka.db"));
    {
        SqliteDb db;
        ASSERT_TRUE(db.open(path, SqliteDb::Mode::Create));
        ASSERT_TRUE(db.exec(QStringLiteral(
            "CREATE TABLE zbozi(kod INTEGER PRIMARY KEY, nazev VARCHAR(30));"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
            "INSERT INTO zbozi SELECT 5 * i, 'Zboží ' || (5 * i) FROM n;")));
    }
    QString err;
    auto store = SqliteTableStore::open(path, QString(), false, &err);
    ASSERT_TRUE(store) << err.toStdString();
    EXPECT_EQ(store->rowCount(), 20000);
    QList<RawRecord> rows;
    ASSERT_TRUE(store->readRows(19998, 5, &rows, &err)) << err.toStdString();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1][0].toLongLong(), 100000);

    ASSERT_TRUE(store->deleteRow(9999, &err)) << err.toStdString();  // kod 50000
    EXPECT_EQ(store->rowOfId(50000), -1);
    EXPECT_EQ(store->rowOfId(50005), 9999);
    qint64 row = -1;
    ASSERT_TRUE(store->insertRow({QVariant(qint64(12346)), QStringLiteral("Nové")}, &row, &err));
    EXPECT_EQ(row, 2469);
    ASSERT_TRUE(store->updateRow(row, {QVariant(qint64(100001)), QStringLiteral("Nové")}, &row, &err));
    EXPECT_EQ(row, 19999);
    EXPECT_FALSE(store->insertRow({QVariant(qint64(60000)), QStringLiteral("Dvojí")}, &row, &err));
    EXPECT_TRUE(err.contains(QStringLiteral("Duplicitní klíč"))) << err.toStdString();

    // Every row in key order, as a fresh read of the file gives them.
    auto reread = SqliteTableStore::open(path, QString(), true, &err);
    ASSERT_TRUE(reread);
    ASSERT_EQ(reread->rowCount(), store->rowCount());
    for (qint64 r = 0; r < store->rowCount(); r += 101)
        ASSERT_EQ(store->rowId(r), reread->rowId(r)) << r;
    EXPECT_EQ(store->rowId(19999), 100001);
}
