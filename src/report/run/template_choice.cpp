#include "report/run/template_choice.h"

#include "report/run/report_component.h"

namespace dorvana {

void TemplateChoice::setReportDir(const QString& dir) {
    reportDir_ = withTrailingSeparator(dir);
}

void TemplateChoice::fill() {
    entries_ = listTemplates(ReportDirIgnore ? programDirectory() : reportDir_, ReportMask);
    selected_ = -1;
}

QStringList TemplateChoice::titles() const {
    QStringList out;
    for (const TSouborPredlohy& e : entries_) out << e.title;
    return out;
}

QString TemplateChoice::reportName() const {
    return selected_ >= 0 ? entries_[selected_].fileName : QString();
}

void TemplateChoice::setReportName(const QString& name) {
    refreshAndSelect(name);
    tellReport();
}

void TemplateChoice::select(int index) {
    selected_ = index >= 0 && index < entries_.size() ? index : -1;
    tellReport();
}

void TemplateChoice::dropDown() {
    const QString shown = selected_ >= 0 ? entries_[selected_].title : QString();
    fill();
    if (!shown.isEmpty()) selected_ = int(titles().indexOf(shown));
}

void TemplateChoice::refreshAndSelect(const QString& fileName) {
    fill();
    selected_ = findTemplate(entries_, fileName);
}

bool TemplateChoice::sqlFlag() const {
    return selected_ >= 0 && entries_[selected_].info.sql;
}

QString TemplateChoice::orderText() const {
    return selected_ >= 0 ? entries_[selected_].info.orderText : QString();
}

QStringList TemplateChoice::sqlLines() const {
    return selected_ >= 0 ? entries_[selected_].info.sqlLines : QStringList();
}

void TemplateChoice::tellReport() {
    if (Report) Report->ReportName = reportName();
}

}  // namespace dorvana
