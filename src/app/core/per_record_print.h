#pragma once
// Printing each record as a print job of its own ("PCOPY"): the first job
// shows the print dialog, which may narrow the records to print; the others
// follow without it, each with its record's count of copies.

#include <QString>
#include <functional>

#include "report/layout/report_settings.h"

namespace dorvana {

class DataSet;

// Prints the source's current record with settings.PrintCopies copies;
// showDialog asks for the print dialog (which may change StartPage and
// EndPage). True when something was printed.
using PrintRecordJob = std::function<bool(ReportSettings& settings, bool showDialog)>;

// Runs the jobs over the source from its first record: the first record's
// job with the dialog, then every record up to the last page the dialog left,
// one job each with its own count (a count of 0 prints nothing for that
// record). When the first record's count is 0 or its print is cancelled,
// nothing more prints. Returns the number of jobs printed.
int printPerRecord(DataSet& source, const QString& countField, ReportSettings& settings,
                   const PrintRecordJob& print);

}  // namespace dorvana
