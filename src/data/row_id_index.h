#pragma once
// The rowids of a table in ascending order, indexed by row, read from the
// table only as far as they are asked for. A table of a million rows opens
// with its row count alone; its first and last screens need a few hundred
// rowids each (read from the top and from the bottom), paging on extends the
// part already read, and only a jump into the middle reads up to there. Rows
// read stay in memory (8 bytes a row).
//
// The index is a snapshot of the table taken at reset(): a later read of the
// unread middle never gives more rows than the count had room for, and when
// the middle holds fewer (rows deleted by another writer in between) the
// count shrinks to what is there.

#include <QtGlobal>
#include <functional>
#include <vector>

namespace dorvana {

class RowIdIndex {
public:
    // Appends to out at most limit rowids of the table in [lo, hi], in
    // ascending order, or in descending order from hi when descending is set.
    // False when the table cannot be read.
    using Fetch = std::function<bool(qint64 lo, qint64 hi, qint64 limit, bool descending,
                                     std::vector<qint64>* out)>;

    // Starts over on a table of count rows; nothing is read yet.
    void reset(qint64 count, Fetch fetch);
    qint64 size() const { return count_; }
    // Whether every rowid has been read.
    bool isComplete() const { return complete_; }

    // The rowid of row, reading it when not read yet; false when row is out
    // of range or the table cannot be read.
    bool rowIdAt(qint64 row, qint64* id);
    // The row holding id, -1 when none (or the table cannot be read).
    qint64 rowOf(qint64 id);

    // A row was added with id (not in the table before); its row follows
    // from rowOf(id).
    void inserted(qint64 id);
    // Row (which rowIdAt has read) was removed.
    void removed(qint64 row);

private:
    // The rows between what was read from the top and from the bottom.
    qint64 gapSize() const { return count_ - qint64(head_.size()) - qint64(tail_.size()); }
    // Reads about n more rows of the gap from the top (or the bottom); with
    // upTo, every row with a rowid up to it instead.
    bool extendHead(qint64 n, const qint64* upTo = nullptr);
    bool extendTail(qint64 n);
    // The rowids the gap can hold; false when none can lie between the two.
    bool gapBounds(qint64* lo, qint64* hi) const;
    // The gap is known to be empty: the count shrinks to what was read.
    bool dropGap();
    // Joins head and tail once the gap is read.
    void closeGapIfRead();

    Fetch fetch_;
    qint64 count_ = 0;
    bool complete_ = true;
    std::vector<qint64> head_;  // rows 0, 1, ... ascending
    std::vector<qint64> tail_;  // rows count-1, count-2, ... descending
};

}  // namespace dorvana
