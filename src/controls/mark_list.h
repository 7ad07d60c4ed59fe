#pragma once
// The record marks of a grid: key values in the order they were marked,
// without duplicates.

#include <QList>

namespace dorvana {

class MarkList {
public:
    int count() const { return int(values_.size()); }
    qint32 at(int i) const { return values_.value(i); }
    bool contains(qint32 v) const { return values_.contains(v); }
    // Adds v when absent, else removes it; true when v is marked afterwards.
    bool toggle(qint32 v) {
        if (values_.removeOne(v)) return false;
        values_.append(v);
        return true;
    }
    void add(qint32 v) {
        if (!values_.contains(v)) values_.append(v);
    }
    void clear() { values_.clear(); }
    const QList<qint32>& values() const { return values_; }

private:
    QList<qint32> values_;
};

}  // namespace dorvana
