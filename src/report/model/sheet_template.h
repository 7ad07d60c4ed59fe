#pragma once
// A label sheet's page put into a template: the paper and margins, the
// columns and their gap, and the body section as high as one row of labels.
// Everything else of the template stays as it was.

#include <QString>
#include <QStringList>

#include "report/model/paper/sheet_page.h"

namespace dorvana {

class ReportModel;

// Sets the model's page, columns and gap and its body height (the body made
// visible). A note in *notes (Czech, one per line) when other visible
// sections of the main plan take room from the rows.
void applySheetPage(const SheetPage& page, ReportModel* model, QStringList* notes = nullptr);

// The template lines with its page line (I,2) and its body line (I,3,2)
// replaced by those of the model; every other line as it was. A line the
// template lacks is added after the lines before it.
QStringList withSheetPageLines(const QStringList& lines, const ReportModel& model);

}  // namespace dorvana
