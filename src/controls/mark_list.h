#pragma once
// The record marks of a grid: key values in the order they were marked,
// without duplicates. Marking, unmarking and asking are constant time, so a
// selection file of a million marks loads in a moment.

#include <QHash>
#include <QList>
#include <vector>

namespace dorvana {

class MarkList {
public:
    int count() const { return int(index_.size()); }
    qint32 at(int i) const {
        compact();
        return i >= 0 && size_t(i) < order_.size() ? order_[size_t(i)] : 0;
    }
    bool contains(qint32 v) const { return index_.contains(v); }
    // Adds v when absent, else removes it; true when v is marked afterwards.
    bool toggle(qint32 v) {
        const auto it = index_.constFind(v);
        if (it != index_.cend()) {
            removed_[size_t(*it)] = true;
            ++holes_;
            index_.erase(it);
            return false;
        }
        append(v);
        return true;
    }
    void add(qint32 v) {
        if (!index_.contains(v)) append(v);
    }
    void clear() {
        order_.clear();
        removed_.clear();
        index_.clear();
        holes_ = 0;
    }
    QList<qint32> values() const {
        compact();
        return QList<qint32>(order_.begin(), order_.end());
    }

private:
    void append(qint32 v) {
        // Removed entries are dropped once they outnumber the marks.
        if (holes_ > 64 && holes_ > index_.size()) compact();
        index_.insert(v, qsizetype(order_.size()));
        order_.push_back(v);
        removed_.push_back(false);
    }
    void compact() const {
        if (holes_ == 0) return;
        size_t kept = 0;
        for (size_t k = 0; k < order_.size(); ++k) {
            if (removed_[k]) continue;
            order_[kept] = order_[k];
            index_[order_[kept]] = qsizetype(kept);
            ++kept;
        }
        order_.resize(kept);
        removed_.assign(kept, false);
        holes_ = 0;
    }

    // The marks in the order made, with the removed ones left in place
    // (flagged) until the list is compacted; index_ maps a mark to its place.
    mutable std::vector<qint32> order_;
    mutable std::vector<bool> removed_;
    mutable QHash<qint32, qsizetype> index_;
    mutable qsizetype holes_ = 0;
};

}  // namespace dorvana
