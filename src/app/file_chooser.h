#pragma once
// The open and save dialogs of the main window's commands, behind one
// function so that tests can answer them.

#include <QString>
#include <functional>

class QWidget;

namespace dorvana {

struct FileRequest {
    QString title;          // "Uložení výběru" ...
    QString filter;         // "Soubory výběru položek|*.sgn": the caption, then the mask
    QString defaultSuffix;  // "sgn"
    QString directory;      // where the dialog starts
    bool save = false;
};

// The chosen file, empty when the user cancelled.
using FileChooser = std::function<QString(const FileRequest& request)>;

// A Qt file dialog (not the platform's, so that it speaks the program's
// language and tests and assistive technology can reach it).
QString chooseFileWithDialog(QWidget* parent, const FileRequest& request);

}  // namespace dorvana
