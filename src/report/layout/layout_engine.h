#pragma once
// The page layout engine: runs the report's data set once per pass, places
// the sections of every plan and group for every record on pages of printed
// elements, breaks pages with carried-over and carried-forward sections,
// fills pages and groups with empty body rows, keeps the report variables and
// user functions up to date and finally fills in the numbers known only at
// the end (total pages, pages of a pass, pages of a group).

#include <QList>
#include <QStringList>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "report/layout/report_settings.h"
#include "report/model/model_sources.h"

namespace dorvana {

class DataSet;
class PageStore;
class Progress;
class ReportModel;
class TListFunkci;
class TListPromenna;
class TOddil;
class TPrevPrvek;
class TSesPrvek;
class TSesPromenna;
struct PrintedStyle;

// What one build works on. The model, lists and captions belong to the run.
struct LayoutInput {
    ReportModel* model = nullptr;
    TListFunkci* functions = nullptr;
    TListPromenna* variables = nullptr;
    DataSet* dataSet = nullptr;  // null: no records
    // Fields of the data set's current record, parameters, function values,
    // text measurer, date texts and picture library for the elements.
    CaptionSources captions;
    ReportSettings settings;
    bool barcodeByPrinter = true;  // passed to every printed element
};

struct LayoutResult {
    int pageCount = 0;
    bool cancelled = false;  // the user cancelled: the pages are partial
    bool stopped = false;    // EndPage was reached with more to print
    // What the user should know about the pages: pictures that could not be
    // drawn (a box stands in their place), one line per field.
    QStringList warnings;
};

// The text a page progress shows: "Připravuji tisk stránky číslo: N".
QString pageProgressText(int page);

class LayoutEngine {
public:
    LayoutEngine(const LayoutInput& input, PageStore& pages, Progress& progress);
    ~LayoutEngine();
    LayoutEngine(const LayoutEngine&) = delete;
    LayoutEngine& operator=(const LayoutEngine&) = delete;

    // Discards the pages and builds them again. Cancelling is polled once per
    // record and before every section.
    LayoutResult build();

private:
    // A printed element that shows a number known only later, with the
    // variable element whose format writes it.
    struct Placeholder {
        TPrevPrvek* printed;
        const TSesPromenna* source;
    };
    enum class Test { A, B };  // A: printed values of condition functions, B: current values

    // --- sections (section_output.cpp) ---
    bool passes(const TOddil* s, Test t) const;
    int heightIf(const TOddil* s, Test t) const;
    TOddil* planSection(int p, int offset) const;
    TOddil* groupSection(int g, int offset) const;
    // Outputs the section when it passes the test; true when it was output.
    // A body row (the main body, or a plan body) advances by columns.
    bool outputIf(TOddil* s, Test t, bool bodyRow = false);
    void outputSection(TOddil* s, bool bodyRow);
    void emitElement(TSesPrvek* e, const std::shared_ptr<const PrintedStyle>& style, int growth,
                     int growthBottom);
    // The styles of the section's elements, in element order.
    const std::vector<std::shared_ptr<const PrintedStyle>>& stylesOf(const TOddil* s);
    void finishRow();
    // True when the page limit leaves no room for another page.
    bool lastPageReached() const;
    // The growth of the section's first growing memo from the end, by the
    // data set's current record.
    int sectionGrowthAtRecord(const TOddil* s) const;
    bool poll();

    // --- fit tests (fit_tests.cpp) ---
    bool nextRecordFits(bool hasNext) const;
    bool fillRowFits(bool atEnd, bool groupFill) const;
    int bodyGrowthAtRecord(Test t) const;

    // --- pages (page_break.cpp) ---
    void pageEnd();
    void newPage();
    void pageBreak();
    void pageFilling(bool atEnd);
    // Each filler row steps the last group's row-in-group variable and
    // refreshes the functions' current values, which the fill body's test reads.
    void groupFilling(bool atEnd);

    // --- records (advance.cpp) ---
    bool advanceToNextRecord();
    void refreshFieldElements();
    void refreshFunctionElements(bool empty = false);
    QString groupText(int g) const;

    // --- variables and placeholders (build.cpp) ---
    void showVariable(int index);
    void stepVariable(int index);
    void resetVariable(int index, int scope);
    void writePlaceholders(QList<Placeholder>& list, int value);
    void runPass();

    LayoutInput in_;
    PageStore& pages_;
    Progress& progress_;
    const FunctionValueSource* functionValues_;

    int pageIndex_ = 0;
    int y_ = 0;
    int columnOffset_ = 0;
    int columnNumber_ = 1;
    // The largest memo growth among the body rows of the unfinished column
    // row: the row ends below the tallest of them.
    int rowGrowth_ = 0;
    int pageHeight_ = 0;
    int printableWidth_ = 0;
    int columns_ = 1;
    int gap_ = 0;
    int pass_ = 1;
    bool stopped_ = false;
    bool cancelled_ = false;
    bool anyPageFill_ = false;
    bool anyGroupFill_ = false;
    bool empty_ = false;
    int groupCount_ = 0;
    int planCount_ = 1;
    // Per group: its page count when it ended at the current record without
    // asking for a new page, -1 otherwise. A page break at that record closes
    // the ended group's last page, whose placeholders take that count.
    std::vector<int> endedPageCount_;

    QList<Placeholder> totalPlaceholders_;
    QList<Placeholder> passPlaceholders_;
    std::vector<QList<Placeholder>> groupPlaceholders_;
    // Variable elements by the variable they show.
    std::vector<std::vector<TSesPromenna*>> variableElements_;
    // Pictures that could not be drawn, by field: the first record, how
    // many times, and why.
    struct PictureProblem {
        qint64 firstRecord = 0;
        int count = 0;
        QString reason;
    };
    std::map<QString, PictureProblem> pictureProblems_;
    // One shared style per template element for the whole build.
    std::unordered_map<const TOddil*, std::vector<std::shared_ptr<const PrintedStyle>>> styles_;
};

}  // namespace dorvana
