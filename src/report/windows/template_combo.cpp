#include "report/windows/template_combo.h"

namespace dorvana {

TComboBoxPredloha::TComboBoxPredloha(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(20);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling_) choice_.select(index);
    });
}

void TComboBoxPredloha::showEntries() {
    filling_ = true;
    clear();
    addItems(choice_.titles());
    setCurrentIndex(choice_.selectedIndex());
    filling_ = false;
}

void TComboBoxPredloha::setReportName(const QString& name) {
    choice_.setReportName(name);
    showEntries();
}

void TComboBoxPredloha::refreshAndSelect(const QString& fileName) {
    choice_.refreshAndSelect(fileName);
    showEntries();
}

void TComboBoxPredloha::showPopup() {
    choice_.dropDown();
    showEntries();
    QComboBox::showPopup();
}

}  // namespace dorvana
