#include "report/model/variant_list.h"

namespace dorvana {

TListVariant::TListVariant() {
    entries_.append({QStringLiteral("Základní varianta"), {}});
}

void TListVariant::setCapacity(int n) {
    capacity_ = qMax(1, n);
    while (count() > capacity_ && position_ > 0) {
        entries_.removeFirst();
        --position_;
    }
    while (count() > capacity_ && position_ < count() - 1) entries_.removeLast();
}

QStringList& TListVariant::add(const QString& name) {
    while (count() > position_ + 1) entries_.removeLast();
    // A full list drops its oldest entry (with a capacity that shrank, as many as needed).
    while (count() >= capacity_ && count() > 0) {
        entries_.removeFirst();
        if (position_ > 0) --position_;
    }
    entries_.append({name, {}});
    position_ = count() - 1;
    return entries_.last().lines;
}

void TListVariant::keepCurrentOnly() {
    const Entry kept = entries_[position_];
    entries_ = {kept};
    position_ = 0;
}

QString TListVariant::undoCaption() const {
    return canUndo() ? QStringLiteral("Zrušit ") + entries_[position_].name
                     : QStringLiteral("Zrušit změny");
}

QString TListVariant::redoCaption() const {
    return canRedo() ? QStringLiteral("Znovu ") + entries_[position_ + 1].name
                     : QStringLiteral("Znovu změny");
}

}  // namespace dorvana
