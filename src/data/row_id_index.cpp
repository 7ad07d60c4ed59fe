#include "data/row_id_index.h"

#include <algorithm>
#include <limits>

namespace dorvana {

namespace {

// Rowids read beyond the row asked for, so that paging on reads rarely.
constexpr qint64 kReadAhead = 1024;
constexpr qint64 kMinId = std::numeric_limits<qint64>::min();
constexpr qint64 kMaxId = std::numeric_limits<qint64>::max();

}  // namespace

void RowIdIndex::reset(qint64 count, Fetch fetch) {
    fetch_ = std::move(fetch);
    count_ = std::max<qint64>(0, count);
    head_.clear();
    tail_.clear();
    complete_ = count_ == 0;
}

void RowIdIndex::closeGapIfRead() {
    if (complete_ || gapSize() > 0) return;
    head_.insert(head_.end(), tail_.rbegin(), tail_.rend());
    tail_.clear();
    count_ = qint64(head_.size());
    complete_ = true;
}

bool RowIdIndex::gapBounds(qint64* lo, qint64* hi) const {
    if ((!head_.empty() && head_.back() == kMaxId) || (!tail_.empty() && tail_.back() == kMinId))
        return false;
    *lo = head_.empty() ? kMinId : head_.back() + 1;
    *hi = tail_.empty() ? kMaxId : tail_.back() - 1;
    return *lo <= *hi;
}

bool RowIdIndex::dropGap() {
    count_ -= std::max<qint64>(0, gapSize());
    closeGapIfRead();
    return true;
}

bool RowIdIndex::extendHead(qint64 n, const qint64* upTo) {
    const qint64 gap = gapSize();
    qint64 lo, gapHi;
    if (gap <= 0 || !gapBounds(&lo, &gapHi)) return dropGap();
    const qint64 hi = upTo ? std::min(gapHi, *upTo) : gapHi;
    if (lo > hi) return true;  // nothing up to *upTo is left unread
    const qint64 limit = upTo ? gap : std::min(gap, n);
    const size_t before = head_.size();
    if (!fetch_ || !fetch_(lo, hi, limit, false, &head_)) {
        head_.resize(before);
        return false;
    }
    const qint64 got = qint64(head_.size() - before);
    // The gap holds fewer rows than counted: the table shrank meanwhile.
    if (got < limit && hi == gapHi) count_ -= gap - got;
    closeGapIfRead();
    return true;
}

bool RowIdIndex::extendTail(qint64 n) {
    const qint64 gap = gapSize();
    qint64 lo, hi;
    if (gap <= 0 || !gapBounds(&lo, &hi)) return dropGap();
    const qint64 limit = std::min(gap, n);
    const size_t before = tail_.size();
    if (!fetch_ || !fetch_(lo, hi, limit, true, &tail_)) {
        tail_.resize(before);
        return false;
    }
    const qint64 got = qint64(tail_.size() - before);
    if (got < limit) count_ -= gap - got;
    closeGapIfRead();
    return true;
}

bool RowIdIndex::rowIdAt(qint64 row, qint64* id) {
    // Each pass either finds the row or reads the gap up to it (or finds
    // the table shorter), so two passes are enough; the third is a guard.
    for (int pass = 0; pass < 3; ++pass) {
        if (row < 0 || row >= count_) return false;
        if (row < qint64(head_.size())) {
            *id = head_[size_t(row)];
            return true;
        }
        const qint64 fromEnd = count_ - 1 - row;
        if (fromEnd < qint64(tail_.size())) {
            *id = tail_[size_t(fromEnd)];
            return true;
        }
        const qint64 belowHead = row - qint64(head_.size());
        const qint64 aboveTail = fromEnd - qint64(tail_.size());
        const bool ok = belowHead <= aboveTail ? extendHead(belowHead + 1 + kReadAhead)
                                               : extendTail(aboveTail + 1 + kReadAhead);
        if (!ok) return false;
    }
    return false;
}

qint64 RowIdIndex::rowOf(qint64 id) {
    auto inHead = [&]() -> qint64 {
        const auto it = std::lower_bound(head_.begin(), head_.end(), id);
        return it != head_.end() && *it == id ? qint64(it - head_.begin()) : -1;
    };
    auto inTail = [&]() -> qint64 {
        const auto it = std::lower_bound(tail_.begin(), tail_.end(), id, std::greater<qint64>());
        return it != tail_.end() && *it == id ? count_ - 1 - qint64(it - tail_.begin()) : -1;
    };
    if (!head_.empty() && id <= head_.back()) return inHead();
    if (!tail_.empty() && id >= tail_.back()) return inTail();
    if (complete_) return -1;
    // Records added at the end are looked for most: try the bottom first.
    if (tail_.empty()) {
        if (!extendTail(kReadAhead)) return -1;
        if (!tail_.empty() && id >= tail_.back()) return inTail();
        if (complete_) return inHead();
    }
    if (!extendHead(0, &id)) return -1;
    if (!head_.empty() && id <= head_.back()) return inHead();
    return complete_ ? inHead() : -1;
}

void RowIdIndex::inserted(qint64 id) {
    if (complete_ || (!head_.empty() && id <= head_.back())) {
        head_.insert(std::lower_bound(head_.begin(), head_.end(), id), id);
    } else if (!tail_.empty() && id >= tail_.back()) {
        tail_.insert(std::lower_bound(tail_.begin(), tail_.end(), id, std::greater<qint64>()), id);
    }
    // Otherwise it lies in the unread middle, where a later read finds it.
    ++count_;
}

void RowIdIndex::removed(qint64 row) {
    qint64 id;
    if (!rowIdAt(row, &id)) return;
    if (row < qint64(head_.size()))
        head_.erase(head_.begin() + row);
    else
        tail_.erase(tail_.begin() + (count_ - 1 - row));
    --count_;
}

}  // namespace dorvana
