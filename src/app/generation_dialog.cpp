#include "app/generation_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/late_progress.h"
#include "base/messages.h"
#include "data/data_set.h"

namespace dorvana {

TGenForm::TGenForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GenForm"));
    setWindowTitle(QStringLiteral("Generování vět"));

    auto* tahBox = new QGroupBox(QStringLiteral("Tažená pole"), this);
    tahList_ = new QListWidget(tahBox);
    tahList_->setObjectName(QStringLiteral("TahList"));
    tahList_->setAccessibleName(QStringLiteral("Tažená pole"));
    for (int i = 0; i < kDraggedFieldCount; ++i) {
        auto* item = new QListWidgetItem(draggedFieldCaption(DraggedField(i)), tahList_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    auto* tahLay = new QVBoxLayout(tahBox);
    tahLay->addWidget(tahList_);

    auto* incBox = new QGroupBox(QStringLiteral("Inkrementované pole"), this);
    incBox->setObjectName(QStringLiteral("IncList"));
    auto* incLay = new QVBoxLayout(incBox);
    auto* group = new QButtonGroup(this);
    const char* const captions[] = {"Číslo", "Číslo1", "Číslo2", "Cena"};
    const char* const names[] = {"IncCislo", "IncCislo1", "IncCislo2", "IncCena"};
    for (int i = 0; i < 4; ++i) {
        inc_[i] = new QRadioButton(QString::fromUtf8(captions[i]), incBox);
        inc_[i]->setObjectName(QString::fromLatin1(names[i]));
        group->addButton(inc_[i], i);
        incLay->addWidget(inc_[i]);
    }
    incLay->addStretch(1);

    pocet_ = new QSpinBox(this);
    pocet_->setObjectName(QStringLiteral("Pocet"));
    pocet_->setRange(1, 99999);
    pocet_->setValue(1);
    pocet_->setAccessibleName(QStringLiteral("Počet generovaných vět"));
    krok_ = new QSpinBox(this);
    krok_->setObjectName(QStringLiteral("Krok"));
    krok_->setRange(-999999, 999999);
    krok_->setValue(1);
    krok_->setAccessibleName(QStringLiteral("Inkrement"));
    connect(krok_, &QSpinBox::valueChanged, this, &TGenForm::KrokChange);
    gennew_ = new QCheckBox(QStringLiteral("Generovat nové věty"), this);
    gennew_->setObjectName(QStringLiteral("gennew"));
    gennew_->setChecked(true);
    connect(gennew_, &QCheckBox::toggled, this, &TGenForm::gennewClick);

    auto* numbers = new QFormLayout;
    numbers->addRow(QStringLiteral("Počet generovaných vět"), pocet_);
    numbers->addRow(QStringLiteral("Inkrement"), krok_);
    numbers->addRow(gennew_);

    auto* right = new QVBoxLayout;
    right->addWidget(incBox);
    right->addLayout(numbers);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(tahBox, 1);
    top->addLayout(right);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("&Zrušit"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Button2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top, 1);
    lay->addWidget(buttons);
    setTabOrder(tahList_, inc_[0]);
    setTabOrder(inc_[3], pocet_);
    setTabOrder(pocet_, krok_);
    setTabOrder(krok_, gennew_);
    setTabOrder(gennew_, ok);
    setTabOrder(ok, cancel);
    resize(440, 330);
}

void TGenForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    previousStep_ = 1;
    gennewClick();
    tahList_->setFocus();
    if (tahList_->currentRow() < 0) tahList_->setCurrentRow(0);
}

void TGenForm::gennewClick() {
    const bool generate = gennew_->isChecked();
    inc_[0]->setEnabled(generate);
    for (int i = 1; i < 4; ++i) inc_[i]->setEnabled(!generate);
    inc_[generate ? 0 : 1]->setChecked(true);
}

void TGenForm::KrokChange(int value) {
    const int stepped = steppedIncrement(previousStep_, value);
    previousStep_ = stepped;
    if (stepped != value) krok_->setValue(stepped);  // comes back here with the new value
}

GenerationSettings TGenForm::settings() const {
    GenerationSettings s;
    for (int i = 0; i < kDraggedFieldCount; ++i)
        if (tahList_->item(i)->checkState() == Qt::Checked) s.dragged << DraggedField(i);
    for (int i = 0; i < 4; ++i)
        if (inc_[i]->isChecked()) s.increment = IncrementField(i);
    s.count = pocet_->value();
    s.step = krok_->value();
    s.generateNew = gennew_->isChecked();
    return s;
}

bool runRecordGeneration(DataSet& labels, Messages& messages, QWidget* parent,
                         const std::function<bool(TGenForm&)>& ask) {
    if (!labels.isOpen() || labels.isEmpty()) {
        messages.beep();
        return false;
    }
    const DragBuffer buffer = readDragBuffer(labels);
    TGenForm form(parent);
    const bool ok = ask ? ask(form) : form.exec() == QDialog::Accepted;
    if (!ok) return false;
    LateProgress progress(parent);
    const GenerationResult result = generateRecords(labels, buffer, form.settings(), &progress);
    progress.finish();
    if (!result.error.isEmpty()) messages.error(result.error);
    return true;
}

}  // namespace dorvana
