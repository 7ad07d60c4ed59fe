#include "report/layout/pages/page_store.h"

namespace dorvana {

TPrevPrvek& TStranaPrvku::append(TPrevPrvek element) {
    elements_.push_back(std::move(element));
    return elements_.back();
}

TPrevPrvek& PageStore::addElement(int n, TPrevPrvek element) {
    while (pageCount() <= n) pages_.emplace_back();
    return pages_[size_t(n)].append(std::move(element));
}

void PageStore::ensurePages(int n) {
    while (pageCount() < n) pages_.emplace_back();
}

void PageStore::clear() {
    pages_.clear();
    currentPage = 0;
    selectedElement = -1;
}

}  // namespace dorvana
