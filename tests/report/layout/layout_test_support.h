#pragma once
// Small tables, runs and page readings for the layout engine's tests.

#include <QList>
#include <QStringList>
#include <QVariant>
#include <memory>

#include "base/progress.h"
#include "data/data_set.h"
#include "report/layout/report_run.h"

namespace dorvana::test {

// A data set over rows held in memory.
std::unique_ptr<DataSet> memoryTable(const FieldDefs& defs, const QList<RawRecord>& rows);

// Records numbered 1..n in an Integer field "cislo", with a String field
// "kat" taken from cats (cycled) when given.
std::unique_ptr<DataSet> numberTable(int n, const QStringList& cats = {});

// A report run over a table, built from template lines.
struct Built {
    std::unique_ptr<DataSet> table;
    std::unique_ptr<ReportRun> run;
    bool result = false;
    // "text@x,y" for every element of page n, in page order (memo lines joined with '|').
    QStringList placed(int page) const;
    // The texts of page n, in page order.
    QStringList texts(int page) const;
};

using RunOptions = ReportSettings;

Built buildReport(const QStringList& lines, std::unique_ptr<DataSet> table,
                  const RunOptions& options = {}, Progress* progress = nullptr);

// Cancels once the build reports that it starts page `page`.
class CancelAtPage : public Progress {
public:
    explicit CancelAtPage(int page) : page_(page) {}
    void step(int done, int, const QString& text) override {
        lastText = text;
        if (done >= page_) cancel_ = true;
    }
    bool cancelled() override { return cancel_; }
    QString lastText;

private:
    int page_;
    bool cancel_ = false;
};

}  // namespace dorvana::test

#include <ostream>
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
