#include "report/expr/functions/function_list.h"

#include "base/names.h"
#include "report/expr/value_source.h"

namespace dorvana {

TRadekFunkce* TListFunkci::item(int i) {
    return i >= 0 && i < count() ? rows_[static_cast<size_t>(i)].get() : nullptr;
}

const TRadekFunkce* TListFunkci::item(int i) const {
    return i >= 0 && i < count() ? rows_[static_cast<size_t>(i)].get() : nullptr;
}

TRadekFunkce& TListFunkci::add(const FunctionDefinition& definition) {
    rows_.push_back(std::make_unique<TRadekFunkce>(definition));
    return *rows_.back();
}

TRadekFunkce& TListFunkci::insert(int i, const FunctionDefinition& definition) {
    if (i < 0 || i >= count()) return add(definition);
    auto at = rows_.insert(rows_.begin() + i, std::make_unique<TRadekFunkce>(definition));
    return **at;
}

bool TListFunkci::remove(int i) {
    if (i < 0 || i >= count()) return false;
    rows_.erase(rows_.begin() + i);
    return true;
}

int TListFunkci::indexOf(const QString& name) const {
    for (int i = 0; i < count(); ++i)
        if (sameName(rows_[static_cast<size_t>(i)]->name(), name)) return i;
    return -1;
}

QString TListFunkci::displayText(int i) const {
    const TRadekFunkce* row = item(i);
    if (!row) return {};
    return QLatin1Char('#') + (QString::number(i + 1) + QStringLiteral("  ")).left(3) + row->name();
}

QStringList TListFunkci::names() const {
    QStringList list;
    for (const auto& row : rows_) list.append(row->name());
    return list;
}

void TListFunkci::ResetAll(int scope) {
    for (auto& row : rows_) row->Reset(scope);
}

void TListFunkci::AccumulateAll() {
    for (auto& row : rows_) row->Accumulate(source_);
}

void TListFunkci::AccumulateCurrentAll() {
    for (auto& row : rows_) row->AccumulateCurrent(source_);
}

void TListFunkci::PageStartAll() {
    for (auto& row : rows_) row->PageStart(source_);
}

void TListFunkci::CommitCurrentAll() {
    for (auto& row : rows_) row->CommitCurrent();
}

TaggedValue TListFunkci::currentValue(int i) const {
    const TRadekFunkce* row = item(i);
    return row ? row->currentValue() : TaggedValue::integer(0);
}

}  // namespace dorvana
