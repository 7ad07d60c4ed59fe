#include "report/layout/pages/corrections.h"

#include <memory>

namespace dorvana {

QString TPolEdit::key() const {
    return QString::number(page) + QLatin1Char(':') + QString::number(element);
}

int TListEdit::indexOf(int page, int element) const {
    return index_.value(keyOf(page, element), -1);
}

int TListEdit::append(TPolEdit record) {
    const int i = count();
    index_.insert(keyOf(record.page, record.element), i);
    records_.push_back(std::move(record));
    return i;
}

const TPolEdit* TListEdit::find(int page, int element) const {
    const int i = indexOf(page, element);
    return i < 0 ? nullptr : &records_[size_t(i)];
}

void TListEdit::add(TPolEdit record) {
    const int i = indexOf(record.page, record.element);
    if (i >= 0)
        records_[size_t(i)] = std::move(record);
    else
        append(std::move(record));
}

const TPolEdit& TListEdit::record(int page, int element, const TPrevPrvek& from) {
    int i = indexOf(page, element);
    if (i < 0) {
        TPolEdit fresh;
        fresh.page = page;
        fresh.element = element;
        i = append(std::move(fresh));
    }
    TPolEdit& r = records_[size_t(i)];
    r.page = page;
    r.element = element;
    r.X = from.X;
    r.Y = from.Y;
    r.W = from.W;
    r.H = from.H;
    r.memo = from.memo;
    if (from.memo) {
        r.lines = from.lines;
        r.text.clear();
    } else {
        r.lines.clear();
        r.text = from.text;
    }
    const PrintedStyle& style = from.style();
    r.alignment = style.alignment;
    r.font = style.font;
    r.screenFont = style.screenFont;
    r.barcodeFormat = style.barcodeFormat;
    r.rotation = style.rotation;
    return r;
}

namespace {

bool styleMatches(const PrintedStyle& s, const TPolEdit& r) {
    return s.alignment == r.alignment && s.font == r.font && s.screenFont == r.screenFont &&
           s.barcodeFormat == r.barcodeFormat && s.rotation == r.rotation;
}

void setStyle(PrintedStyle& s, const TPolEdit& r) {
    s.alignment = r.alignment;
    s.font = r.font;
    s.screenFont = r.screenFont;
    s.barcodeFormat = r.barcodeFormat;
    s.rotation = r.rotation;
}

}  // namespace

void applyCorrections(const TListEdit& corrections, PageStore& pages, bool barcodeByPrinter) {
    for (const TPolEdit& r : corrections.records()) {
        if (r.page < 0 || r.page >= pages.pageCount() || r.element < 0) continue;
        TStranaPrvku& page = pages.page(r.page);
        if (r.element < page.count()) {
            TPrevPrvek& e = page.element(r.element);
            e.X = r.X;
            e.Y = r.Y;
            e.W = r.W;
            e.H = r.H;
            if (e.memo && r.memo)
                e.lines = r.lines;
            else
                e.text = r.text;
            // Only a real change gives the element a style of its own; the
            // others keep sharing theirs.
            if (!styleMatches(e.style(), r)) setStyle(e.editStyle(), r);
            continue;
        }
        auto style = std::make_shared<PrintedStyle>();
        style->kind = 1;
        style->barcodeByPrinter = barcodeByPrinter;
        setStyle(*style, r);
        TPrevPrvek e(std::move(style));
        e.X = r.X;
        e.Y = r.Y;
        e.W = r.W;
        e.H = r.H;
        e.memo = r.memo;
        if (r.memo)
            e.lines = r.lines;
        else
            e.text = r.text;
        page.append(std::move(e));
    }
}

void blankElement(TPrevPrvek& element) {
    element.X = element.Y = element.W = element.H = 0;
    element.text.clear();
}

}  // namespace dorvana
