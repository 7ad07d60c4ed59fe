#pragma once
// TListVariant: named template texts with a current position. The run window
// keeps the template text in its first entry; the designer records a snapshot
// of the whole template for every step and moves through them for undo/redo.

#include <QList>
#include <QString>
#include <QStringList>

namespace dorvana {

class TListVariant {
public:
    struct Entry {
        QString name;
        QStringList lines;
    };

    static constexpr int kDefaultCapacity = 10;

    // One entry "Základní varianta" with empty text, position 0.
    TListVariant();

    int count() const { return int(entries_.size()); }
    int position() const { return position_; }
    int capacity() const { return capacity_; }
    const QString& name(int i) const { return entries_[i].name; }

    // The lines of entry i / of the current entry.
    QStringList& lines(int i) { return entries_[i].lines; }
    const QStringList& lines(int i) const { return entries_[i].lines; }
    QStringList& current() { return entries_[position_].lines; }
    const QStringList& current() const { return entries_[position_].lines; }

    // Capacity n (at least 1); too many entries are trimmed: older ones before
    // the current first, then newer ones after it.
    void setCapacity(int n);
    // Drops the entries after the current one, the first one when the list is
    // full, appends a new entry with empty lines and makes it current; returns
    // its lines.
    QStringList& add(const QString& name);
    // Drops every entry but the current one.
    void keepCurrentOnly();

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < count() - 1; }
    void undo() {
        if (canUndo()) --position_;
    }
    void redo() {
        if (canRedo()) ++position_;
    }
    // "Zrušit " + the current entry's name, or "Zrušit změny".
    QString undoCaption() const;
    // "Znovu " + the next entry's name, or "Znovu změny".
    QString redoCaption() const;

private:
    QList<Entry> entries_;
    int position_ = 0;
    int capacity_ = kDefaultCapacity;
};

}  // namespace dorvana
