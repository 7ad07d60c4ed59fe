#pragma once
// TDlgBarCode ("Nastavení parametrů čárového kódu"): edits the barcode format
// of a text element, with a sample barcode drawn as it will print.

#include <QDialog>
#include <QFont>

#include "report/render/barcode/barcode_format.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

namespace dorvana {

// StBarCode1: the sample barcode of the dialog.
class BarcodeSample : public QWidget {
public:
    explicit BarcodeSample(QWidget* parent = nullptr);
    void setSample(const QString& format, const QString& data, const QFont& font);
    const QString& format() const { return format_; }
    const QString& data() const { return data_; }
    QSize sizeHint() const override { return {260, 110}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString format_;
    QString data_;
    QFont font_;
};

class TDlgBarCode : public QDialog {
public:
    explicit TDlgBarCode(QWidget* parent = nullptr);

    // Loads a format into the controls; false (controls unchanged) when it is
    // not a format the dialog can show. An empty format leaves the initial values.
    bool loadFormat(const QString& format);
    // The format built from the controls; empty after "Přepni na text".
    QString format() const;
    BarcodeFormat values() const;
    void setSampleFont(const QFont& font);
    QFont sampleFont() const { return font_; }
    // The element's text: chooses the sample add-on.
    void setElementText(const QString& text);
    BarcodeSample* sample() const { return sample_; }

private:
    void updateSample();
    QComboBox* type_;
    QCheckBox *text_, *startStop_, *tallGuards_, *bearer_, *check_, *ean128_;
    QComboBox* set128_;
    QSpinBox* width_;
    QDoubleSpinBox* ratio_;
    QComboBox *barColour_, *background_;
    QLineEdit* separator_;
    BarcodeSample* sample_;
    QFont font_;
    QString elementText_;
    bool switchedToText_ = false;
};

// Opens the dialog on the element's format, font and text. The new format on
// OK (empty after "Přepni na text"); nothing on Cancel, or when the format
// cannot be loaded.
std::optional<QString> editBarcodeFormat(const QString& format, const QFont& font,
                                         const QString& elementText, QWidget* parent = nullptr);

}  // namespace dorvana
