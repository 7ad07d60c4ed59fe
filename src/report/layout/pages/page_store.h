#pragma once
// TStranaPrvku and the page store: the pages a build produced, as the preview
// holds them. A page's element order is its drawing order and the numbering
// corrections address.

#include <cassert>
#include <deque>
#include <vector>

#include "report/layout/pages/printed_element.h"

namespace dorvana {

class TStranaPrvku {
public:
    int count() const { return int(elements_.size()); }
    TPrevPrvek& element(int i) { return elements_[size_t(i)]; }
    const TPrevPrvek& element(int i) const { return elements_[size_t(i)]; }
    // Appends and returns the new element (references stay valid while the page lives).
    TPrevPrvek& append(TPrevPrvek element);
    const std::deque<TPrevPrvek>& elements() const { return elements_; }

private:
    std::deque<TPrevPrvek> elements_;
};

// The paper the pages were built for, in hundredths of an inch.
struct PagePaper {
    int width = 826, height = 1169;  // after the orientation swap
    int orientation = 0;
    int leftMargin = 0, rightMargin = 0, topMargin = 0, bottomMargin = 0;
    bool operator==(const PagePaper&) const = default;
};

class PageStore {
public:
    int pageCount() const { return int(pages_.size()); }
    TStranaPrvku& page(int n) {
        assert(n >= 0 && n < pageCount());
        return pages_[size_t(n)];
    }
    const TStranaPrvku& page(int n) const {
        assert(n >= 0 && n < pageCount());
        return pages_[size_t(n)];
    }
    // Creates empty pages up to n when needed, then appends to page n.
    TPrevPrvek& addElement(int n, TPrevPrvek element);
    // Creates empty pages until there are at least n (a page may have no elements).
    void ensurePages(int n);
    // Frees all pages and their elements; the current page becomes 0, no selection.
    void clear();

    int currentPage = 0;
    int selectedElement = -1;  // on the current page; -1 none
    PagePaper paper;
    double zoom = 1.0;
    double printerScaleX = 1.0, printerScaleY = 1.0;  // device pixels per 0.01 in

private:
    std::deque<TStranaPrvku> pages_;
};

}  // namespace dorvana
