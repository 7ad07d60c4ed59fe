#pragma once
// TComboBoxPredloha: the template combo box. A drop-down list (no free text)
// of the templates of a directory under their titles; the chosen template's
// file name goes to a bound report component.

#include <QComboBox>

#include "report/run/template_choice.h"

namespace dorvana {

class TComboBoxPredloha : public QComboBox {
    Q_OBJECT
public:
    explicit TComboBoxPredloha(QWidget* parent = nullptr);

    // The list's settings (ReportMask, ReportDir, ReportDirIgnore, Report).
    TemplateChoice& choice() { return choice_; }
    const TemplateChoice& choice() const { return choice_; }

    // Fills the list and chooses the entry with that file name; the bound
    // component gets it.
    void setReportName(const QString& name);
    QString reportName() const { return choice_.reportName(); }
    // Fills the list and chooses the entry with that file name, leaving the
    // bound component alone.
    void refreshAndSelect(const QString& fileName);

    // Of the chosen entry, for the print flow: SQL flag, order text, SQL lines.
    bool sqlFlag() const { return choice_.sqlFlag(); }
    QString orderText() const { return choice_.orderText(); }
    QStringList sqlLines() const { return choice_.sqlLines(); }

    // Dropping the list down fills it anew and keeps the shown entry chosen.
    void showPopup() override;

private:
    void showEntries();

    TemplateChoice choice_;
    bool filling_ = false;
};

}  // namespace dorvana
