#pragma once
// TCabSetForm ("Apollo nastavení"): the label settings of a cab Apollo or
// Tharo Gemini printer, edited directly in the driver-private bytes of its
// device settings record (label height, offsets, sensor, speed, head
// temperature, cutter ...).

#include <QDialog>

#include "report/render/printer/cab_layout.h"
#include "report/render/printer/device_settings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QSpinBox;

namespace dorvana {

class TCabSetForm : public QDialog {
    Q_OBJECT
public:
    explicit TCabSetForm(QWidget* parent = nullptr);

    // Prepares the dialog for a record of a printer with that driver: -1
    // cancelled, 0 the caller now shows the dialog modally, 1 settings
    // confirmed without it. A driver that is no cab or Tharo driver gets the
    // platform dialog instead (unset: nothing to show, -1).
    std::function<bool(DeviceSettings&)> platformDialog;
    int Setup(DeviceSettings& record, const QString& driverName);

    // After OK: the record with the new settings.
    const DeviceSettings& record() const { return record_; }
    int model() const { return model_; }

    // OK: the values are checked and taken.
    void accept() override;

private:
    QGroupBox* radioGroup(const QString& name, const QString& title, const QStringList& items,
                          QButtonGroup** group);

    DeviceSettings record_;
    DeviceSettings* target_ = nullptr;
    int model_ = 0;
    QCheckBox* mirror_;
    QCheckBox* inverse_;
    QSpinBox* head_;
    QDoubleSpinBox* presentation_;
    QButtonGroup* mode_;
    QComboBox* speed_;
    QButtonGroup* method_;
    QCheckBox* barcodeText_;
    QCheckBox* code39_;
    QCheckBox* continuous_;
    QCheckBox* turn_;
    QDoubleSpinBox* offset_;
    QLabel* leftLabel_;
    QDoubleSpinBox* left_;
    QGroupBox* cutterBox_;
    QButtonGroup* cutter_;
    QGroupBox* sensorBox_;
    QButtonGroup* sensor_ = nullptr;
    QCheckBox* memory_;
    QCheckBox* ribbon_;
    QDoubleSpinBox* height_;
    QSpinBox* copies_;
    QGroupBox* orientationBox_;
    QGridLayout* grid_;
    QButtonGroup* orientation_;
};

}  // namespace dorvana
