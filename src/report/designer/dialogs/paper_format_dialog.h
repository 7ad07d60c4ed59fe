#pragma once
// TDlgFormatPapiru ("Formát papíru"): shows one paper format, and edits it
// when it is a user format.

#include <QDialog>

#include "report/model/paper/paper_format.h"

class QLabel;
class QLineEdit;

namespace dorvana {

class TDlgFormatPapiru : public QDialog {
public:
    TDlgFormatPapiru(const TFormatPapiru& format, bool editable, QWidget* parent = nullptr);
    // The format with the texts stored as OK stores them.
    TFormatPapiru result() const;

private:
    void updateMillimetres();
    TFormatPapiru format_;
    QLineEdit* name_;
    QLineEdit* width_;
    QLineEdit* height_;
    QLabel* millimetres_;
};

// Shows the dialog on the format; true when it was closed with "Konec" (the
// format then holds the edited values).
bool EditFormat(TFormatPapiru& format, bool editable, QWidget* parent = nullptr);

}  // namespace dorvana
