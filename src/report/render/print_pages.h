#pragma once
// Printing a range of printed pages on the printer.

#include <QString>

#include "base/progress.h"
#include "report/layout/pages/page_store.h"
#include "report/render/draw_context.h"
#include "report/render/printer/printer.h"

namespace dorvana {

// The drawing figures for the printer's current device: offsets = the
// store's left and top margins less the printer's unprintable border (in
// 0.01 in, pixels x 100 div resolution), scales = the store's printer scale
// factors, font scale = sy x 100 / vertical resolution.
DrawContext printerDrawContext(Printer& printer, const PageStore& pages);

// Prints pages firstPage..lastPage (from 1; clamped to the pages there are)
// copies times, each copy one print job titled title. The cancel flag of
// progress is polled after every element; cancelling aborts the open job.
// True at once when there are no pages, no page in the range or copies <= 0.
// False when the printer reports the job aborted (cancelled), when a job
// cannot be started or a page cannot be begun or the job ended; error gets
// the reason (the printer's message, or "Tisk byl přerušen." on cancel).
bool printPages(Printer& printer, const PageStore& pages, int firstPage, int lastPage,
                Progress* progress, const QString& title, int copies, QString* error = nullptr);

}  // namespace dorvana
