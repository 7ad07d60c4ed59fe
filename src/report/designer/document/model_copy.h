#pragma once
// A deep copy of a report model: settings, functions, printers, plans,
// groups, sections and a clone of every element, so that a dialog can edit
// the copy while the template stays as it is.

#include <memory>

namespace dorvana {

class ReportModel;
class ReportFieldSource;

// The copy writes the same template text as the model. Field value
// elements bound to memo or picture fields are found again through `fields`.
std::unique_ptr<ReportModel> copyReportModel(const ReportModel& model,
                                             const ReportFieldSource* fields = nullptr);

}  // namespace dorvana
