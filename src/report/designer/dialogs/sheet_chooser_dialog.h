#pragma once
// "Arch etiket": choosing a label sheet by brand, part number or label size,
// with a drawing of the chosen sheet and its labels. The catalogue and the
// page made for a product live in report/model/paper; this is their view.

#include <QDialog>
#include <QList>

#include "report/model/paper/sheet_catalogue.h"
#include "report/model/paper/sheet_page.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace dorvana {

class SheetDrawing;

class TDlgArchEtiket : public QDialog {
public:
    explicit TDlgArchEtiket(SheetCatalogue catalogue, QWidget* parent = nullptr);
    void setSearchText(const QString& text);
    // The chosen product; null when none is chosen.
    const SheetProduct* chosen() const;
    // The page for the chosen product; false with a reason when the template
    // page cannot express it.
    bool page(SheetPage* page, QString* error) const;

private:
    void search();
    void showChosen();
    SheetCatalogue catalogue_;
    QList<const SheetProduct*> found_;
    QLineEdit* search_;
    QListWidget* list_;
    SheetDrawing* drawing_;
    QLabel* details_;
    QPushButton* use_;
};

}  // namespace dorvana
