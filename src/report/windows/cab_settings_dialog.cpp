#include "report/windows/cab_settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "report/expr/format/format_settings.h"

namespace dorvana {

namespace {

QCheckBox* checkBox(const QString& name, const QString& caption, QWidget* parent) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    return c;
}

// Millimetres the Czech way ("1,5"), as the program formats numbers; a
// decimal point typed out of habit counts as the comma.
class MillimetreBox : public QDoubleSpinBox {
public:
    explicit MillimetreBox(QWidget* parent) : QDoubleSpinBox(parent) {
        setLocale(formatSettings().locale);
    }
    QValidator::State validate(QString& text, int& pos) const override {
        text = withLocaleSeparator(text);
        return QDoubleSpinBox::validate(text, pos);
    }
    double valueFromText(const QString& text) const override {
        return QDoubleSpinBox::valueFromText(withLocaleSeparator(text));
    }

private:
    QString withLocaleSeparator(QString text) const {
        const QString separator = locale().decimalPoint();
        if (separator != QStringLiteral(".")) text.replace(u'.', separator);
        return text;
    }
};

QDoubleSpinBox* millimetres(const QString& name, const QString& caption, double min, double max,
                            QWidget* parent) {
    auto* s = new MillimetreBox(parent);
    s->setObjectName(name);
    s->setAccessibleName(caption);
    s->setRange(min, max);
    s->setDecimals(2);
    s->setSingleStep(0.1);
    s->setSuffix(QStringLiteral(" mm"));
    return s;
}

void setChecked(QButtonGroup* group, int index) {
    if (QAbstractButton* b = group->button(index)) b->setChecked(true);
}

int checkedIndex(QButtonGroup* group) { return qMax(0, group->checkedId()); }

}  // namespace

QGroupBox* TCabSetForm::radioGroup(const QString& name, const QString& title,
                                   const QStringList& items, QButtonGroup** group) {
    auto* box = new QGroupBox(title, this);
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    *group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* r = new QRadioButton(items[i], box);
        (*group)->addButton(r, i);
        layout->addWidget(r);
    }
    return box;
}

TCabSetForm::TCabSetForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CabSetForm"));
    setWindowTitle(QStringLiteral("Apollo nastavení"));

    mirror_ = checkBox(QStringLiteral("Azrc"), QStringLiteral("Zrcadlový tisk"), this);
    inverse_ = checkBox(QStringLiteral("Ainv"), QStringLiteral("Inverzní tisk"), this);
    barcodeText_ = checkBox(QStringLiteral("Barpop"), QStringLiteral("Tisk popisu čárového kódu"), this);
    code39_ = checkBox(QStringLiteral("Barstop"), QStringLiteral("Tisk start / stop znaků kód 39"), this);
    continuous_ = checkBox(QStringLiteral("ContBox"), QStringLiteral("Souvislý materiál"), this);
    turn_ = checkBox(QStringLiteral("a180"), QStringLiteral("Otočit o 180"), this);
    memory_ = checkBox(QStringLiteral("Amem"), QStringLiteral("Uložit do paměťové karty"), this);
    ribbon_ = checkBox(QStringLiteral("Ribox"), QStringLiteral("Šetření barv.pásky"), this);

    head_ = new QSpinBox(this);
    head_->setObjectName(QStringLiteral("HeadEdit"));
    head_->setAccessibleName(QStringLiteral("Teplota hlavy"));
    head_->setRange(1, 20);
    presentation_ = millimetres(QStringLiteral("Presedit"), QStringLiteral("Prezentační pozice"), 0, 30, this);
    offset_ = millimetres(QStringLiteral("PosEdit"), QStringLiteral("Posuv tisku"), -99.9, 99.9, this);
    left_ = millimetres(QStringLiteral("LeftEdit"), QStringLiteral("Levý okraj"), 0, 99.9, this);
    height_ = millimetres(QStringLiteral("Sizedit"), QStringLiteral("Výška etikety"), 5, 400, this);
    copies_ = new QSpinBox(this);
    copies_->setObjectName(QStringLiteral("CopEdit"));
    copies_->setAccessibleName(QStringLiteral("Počet kopií"));
    copies_->setRange(1, 99999);
    speed_ = new QComboBox(this);
    speed_->setObjectName(QStringLiteral("SpeedBox"));
    speed_->setAccessibleName(QStringLiteral("Rychl. tisku"));

    auto* values = new QFormLayout;
    values->addRow(QStringLiteral("Výška etikety"), height_);
    values->addRow(QStringLiteral("Posuv tisku"), offset_);
    leftLabel_ = new QLabel(QStringLiteral("Levý okraj"), this);
    values->addRow(leftLabel_, left_);
    values->addRow(QStringLiteral("Prezentační pozice"), presentation_);
    values->addRow(QStringLiteral("Teplota hlavy"), head_);
    values->addRow(QStringLiteral("Rychl. tisku"), speed_);
    values->addRow(QStringLiteral("Počet kopií"), copies_);

    QGroupBox* modeBox = radioGroup(QStringLiteral("BatchGrp"), QStringLiteral("Režim"),
                                    {QStringLiteral("Dávkový režim"), QStringLiteral("Rež. nabízení etiket")},
                                    &mode_);
    QGroupBox* methodBox = radioGroup(QStringLiteral("TerGrp"), QStringLiteral("Způsob tisku"),
                                      {QStringLiteral("Termo tisk"), QStringLiteral("Termotransfer tisk")},
                                      &method_);
    cutterBox_ = radioGroup(QStringLiteral("CutGrp"), QStringLiteral("Režim řezačky"),
                            {QStringLiteral("Neřezat"), QStringLiteral("Řezat po etiketě"),
                             QStringLiteral("Řezat po dávce")},
                            &cutter_);
    sensorBox_ = new QGroupBox(QStringLiteral("Výběr čidla"), this);
    sensorBox_->setObjectName(QStringLiteral("CidGrp"));
    new QVBoxLayout(sensorBox_);
    orientationBox_ = radioGroup(QStringLiteral("OriGr"), QStringLiteral("Orientace"),
                                 {QStringLiteral("Na výšku"), QStringLiteral("Na šířku")},
                                 &orientation_);

    auto* checks = new QVBoxLayout;
    for (QCheckBox* c : {mirror_, inverse_, barcodeText_, code39_, continuous_, turn_, memory_, ribbon_})
        checks->addWidget(c);
    checks->addStretch(1);

    auto* grid = grid_ = new QGridLayout;
    grid->addLayout(values, 0, 0);
    grid->addLayout(checks, 0, 1);
    grid->addWidget(modeBox, 1, 0);
    grid->addWidget(methodBox, 1, 1);
    grid->addWidget(cutterBox_, 2, 0);
    grid->addWidget(sensorBox_, 2, 1);
    grid->addWidget(orientationBox_, 3, 0);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("Storno"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(barcodeText_, &QCheckBox::toggled, this, [this](bool on) {
        code39_->setEnabled(on);
        if (!on) code39_->setChecked(false);
    });
}

int TCabSetForm::Setup(DeviceSettings& record, const QString& driverName) {
    target_ = &record;
    record_ = record;
    model_ = cabModelForDriver(driverName);
    const QString caption = QStringLiteral("Nastavení ") + record.deviceName;
    if (model_ == 0) {
        if (!platformDialog || !platformDialog(record)) return -1;
        setWindowTitle(caption);
        record_ = record;
        return 1;
    }
    setWindowTitle(caption);
    const bool tharo = cabLayoutForModel(model_) == CabLayout::Tharo;
    ribbon_->setVisible(model_ == 1);
    speed_->clear();
    speed_->addItems(cabSpeedItems(model_));
    // The sensor items of the model.
    if (sensor_) delete sensor_;
    qDeleteAll(sensorBox_->findChildren<QRadioButton*>());
    sensor_ = new QButtonGroup(sensorBox_);
    const QStringList sensors = cabSensorItems(model_);
    for (int i = 0; i < sensors.size(); ++i) {
        auto* r = new QRadioButton(sensors[i], sensorBox_);
        sensor_->addButton(r, i);
        sensorBox_->layout()->addWidget(r);
    }

    const CabSettings s = readCabSettings(record, model_);
    mirror_->setText(tharo ? QStringLiteral("Rychlý tisk") : QStringLiteral("Zrcadlový tisk"));
    for (QWidget* w : std::initializer_list<QWidget*>{memory_, inverse_, leftLabel_, left_, cutterBox_})
        w->setVisible(!tharo);
    // Without the cutter the orientation group moves up into its place.
    grid_->removeWidget(orientationBox_);
    grid_->addWidget(orientationBox_, tharo ? 2 : 3, 0);
    mirror_->setChecked(s.mirror);
    inverse_->setChecked(s.inverse);
    head_->setValue(s.headTemperature);
    presentation_->setValue(s.presentationMm);
    setChecked(mode_, s.mode);
    speed_->setCurrentIndex(s.speed < speed_->count() ? s.speed : -1);
    setChecked(method_, s.printMethod);
    barcodeText_->setChecked(s.barcodeText);
    code39_->setEnabled(s.barcodeText);
    code39_->setChecked(s.barcodeText && s.code39StartStop);
    continuous_->setChecked(s.continuousMaterial);
    turn_->setChecked(s.turn180);
    offset_->setValue(s.printOffsetMm);
    left_->setValue(s.leftMarginMm);
    setChecked(cutter_, s.cutter);
    setChecked(sensor_, s.sensor);
    memory_->setChecked(s.memoryCard);
    ribbon_->setChecked(s.ribbonSaving);
    height_->setValue(s.labelHeightMm);
    copies_->setValue(s.copies);
    setChecked(orientation_, s.orientationIndex);
    return 0;
}

void TCabSetForm::accept() {
    if (model_ != 0) {
        CabSettings s = readCabSettings(record_, model_);
        s.mirror = mirror_->isChecked();
        s.inverse = inverse_->isChecked();
        s.headTemperature = head_->value();
        s.presentationMm = presentation_->value();
        s.mode = checkedIndex(mode_);
        s.speed = qMax(0, speed_->currentIndex());
        s.printMethod = checkedIndex(method_);
        s.barcodeText = barcodeText_->isChecked();
        if (s.barcodeText) s.code39StartStop = code39_->isChecked();
        s.continuousMaterial = continuous_->isChecked();
        s.turn180 = turn_->isChecked();
        s.printOffsetMm = offset_->value();
        s.leftMarginMm = left_->value();
        s.cutter = checkedIndex(cutter_);
        s.sensor = sensor_ ? checkedIndex(sensor_) : 0;
        s.memoryCard = memory_->isChecked();
        s.ribbonSaving = ribbon_->isChecked();
        s.labelHeightMm = height_->value();
        s.copies = copies_->value();
        s.orientationIndex = checkedIndex(orientation_);
        writeCabSettings(s, record_, model_);
        if (target_) *target_ = record_;
    }
    QDialog::accept();
}

}  // namespace dorvana
