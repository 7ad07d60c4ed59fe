#pragma once
// Corrections of printed pages: what the user changed by hand in the preview
// (moved, resized, retyped, deleted or inserted elements), kept per element
// as TPolEdit records in a TListEdit and applied again after every build.

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

#include "report/layout/pages/page_store.h"

namespace dorvana {

// One correction record (TPolEdit): the state of one printed element.
struct TPolEdit {
    int page = 0;                    // 0-based page index
    int element = 0;                 // 0-based element index on that page
    int X = 0, Y = 0, W = 0, H = 0;  // all four 0 for a deleted element
    QString text;                    // single-line elements
    bool memo = false;               // the record carries lines: the element is a memo
    QStringList lines;
    int alignment = 0;  // the element's whole alignment word
    PrintedFont font;
    QString screenFont;     // at most 32 characters
    QString barcodeFormat;  // at most 32 characters
    int rotation = 0;

    // page + ":" + element, both decimal.
    QString key() const;
    bool operator==(const TPolEdit&) const = default;
};

// The correction records of a report (TListEdit), in the order they were made.
// There is at most one record per key: adding one under a key that exists
// replaces that record where it stands.
class TListEdit {
public:
    int count() const { return int(records_.size()); }
    bool isEmpty() const { return records_.empty(); }
    const TPolEdit& at(int i) const { return records_[size_t(i)]; }
    const std::vector<TPolEdit>& records() const { return records_; }

    // The record with that key, or none.
    const TPolEdit* find(int page, int element) const;
    // Adds a record, or replaces the one with the same key in place.
    void add(TPolEdit record);
    void clear() {
        records_.clear();
        index_.clear();
    }

    // Records a correction from an element of a page: finds the record with
    // the element's key or makes one, and copies the element's geometry, text
    // or lines, alignment, font, screen font, barcode format and rotation.
    const TPolEdit& record(int page, int element, const TPrevPrvek& from);

private:
    static qint64 keyOf(int page, int element) { return (qint64(page) << 32) | quint32(element); }
    int indexOf(int page, int element) const;
    int append(TPolEdit record);

    std::vector<TPolEdit> records_;
    QHash<qint64, int> index_;  // page:element -> position in records_
};

// Applies the records in list order to freshly built pages: a record for a
// page the build does not have is skipped; one for an element the page has
// changes it; any other appends a new kind-1 element to the page (a record
// with lines makes it a memo). barcodeByPrinter goes to appended elements.
void applyCorrections(const TListEdit& corrections, PageStore& pages, bool barcodeByPrinter = true);

// Blanks an element the way the preview deletes it: geometry 0 and no text.
// The element stays on its page, so the numbers of the others do not change.
void blankElement(TPrevPrvek& element);

}  // namespace dorvana
