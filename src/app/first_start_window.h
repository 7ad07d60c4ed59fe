#pragma once
// The window of the installed program's first start: what the clerk does
// first (open or create a label file), where the templates and the label
// files are, with the main window's open and create commands at hand.

#include <QDialog>

#include "app/core/workspace.h"

namespace dorvana {

class TMainForm;

class FirstStartWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr const char16_t* kTitle = u"Dorvana - začínáme";

    FirstStartWindow(TMainForm& form, const Workspace& workspace);
};

}  // namespace dorvana
