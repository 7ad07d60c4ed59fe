#pragma once
// The field description panel "Popisy polí": the row names of the label
// record beside an editable list of at most 15 description lines, with the
// button "&OK". It floats over the grid; its close button hides it without
// applying anything.

#include "controls/floating_panel.h"

class QPlainTextEdit;
class QPushButton;

namespace dorvana {

class DescriptionPanel : public TPlovouciPanel {
    Q_OBJECT
public:
    explicit DescriptionPanel(QWidget* parent = nullptr);

    void setLines(const QStringList& lines);
    // The lines as edited (at most 15).
    QStringList lines() const;
    QPlainTextEdit* editor() const { return edit_; }
    QPushButton* okButton() const { return ok_; }
    // Shows the panel with the cursor in the list.
    void showForEditing();

signals:
    // "&OK" was pressed (PPOKClick).
    void accepted();

private:
    void keepFifteenLines();
    QPlainTextEdit* edit_;
    QPushButton* ok_;
    bool trimming_ = false;
};

}  // namespace dorvana
