#pragma once
// The about box: the program's name and "Verze : " with its version.

#include <QDialog>

namespace dorvana {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
    // "Verze : " and the application's version.
    static QString versionText();
};

}  // namespace dorvana
