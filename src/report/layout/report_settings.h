#pragma once
// The settings of a report run that the report component carries and the run
// and the layout engine read: parameters, page and record limits, one-record
// printing and copies.

#include <QStringList>

namespace dorvana {

// The last page a run builds unless told otherwise.
inline constexpr int kDefaultEndPage = 9999;

struct ReportSettings {
    QStringList Parametry;          // report parameters
    int StartPage = 1;              // the first page shown and printed
    int EndPage = kDefaultEndPage;  // the last page to build; 0 or less: no limit
    int MaxRecords = 0;             // 0 = every record; else MaxRecords + 1 records print
    bool TiskJedenZaznam = false;   // print the data set's current record only
    int PrintCopies = 1;
};

}  // namespace dorvana
