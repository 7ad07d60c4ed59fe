#include "report/designer/dialogs/barcode_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "controls/object_names.h"
#include "report/render/barcode/draw_barcode.h"

namespace dorvana {

BarcodeSample::BarcodeSample(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("StBarCode1"));
    setAccessibleName(QStringLiteral("Ukázka čárového kódu"));
    setMinimumSize(220, 90);
}

void BarcodeSample::setSample(const QString& format, const QString& data, const QFont& font) {
    format_ = format;
    data_ = data;
    font_ = font;
    update();
}

void BarcodeSample::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setFont(font_);
    p.setPen(Qt::black);
    DrawBarcode(p, rect().adjusted(4, 4, -4, -4), data_, 0, Qt::AlignCenter, 1.0, format_);
}

TDlgBarCode::TDlgBarCode(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Nastavení parametrů čárového kódu"));
    setObjectName(QStringLiteral("TDlgBarCode"));
    font_ = QFont(QStringLiteral("Arial"), 10);
    type_ = named(new QComboBox(this), "CKTypBarcode");
    type_->addItems(symbologyNames());
    text_ = named(new QCheckBox(QStringLiteral("Zobrazit popis"), this), "CKPopis");
    startStop_ = named(new QCheckBox(QStringLiteral("Zobrazit Start/Stop znak"), this), "CKStStopZn");
    tallGuards_ =
        named(new QCheckBox(QStringLiteral("Dlouhé Start/Stop čáry"), this), "CKDlouheStStopCary");
    bearer_ = named(new QCheckBox(QStringLiteral("Zobrazit nosnou čáru"), this), "CKNosna");
    check_ = named(new QCheckBox(QStringLiteral("Kontrolní součet"), this), "CKSoucet");
    ean128_ = named(new QCheckBox(QStringLiteral("Ean 128"), this), "CKEan128");
    set128_ = named(new QComboBox(this), "CKSada128");
    set128_->addItems({QStringLiteral("CodeA"), QStringLiteral("CodeB"), QStringLiteral("CodeC")});
    width_ = named(new QSpinBox(this), "CKSirka");
    width_->setRange(1, 999);
    ratio_ = named(new QDoubleSpinBox(this), "CKPomer");
    ratio_->setRange(0.1, 5.0);
    ratio_->setSingleStep(0.1);
    ratio_->setDecimals(1);
    barColour_ = named(new QComboBox(this), "BarColor");
    barColour_->addItems(colourTableNames());
    background_ = named(new QComboBox(this), "PodkladColor");
    background_->addItems(colourTableNames());
    separator_ = named(new QLineEdit(this), "CKOddelovac");
    separator_->setMaxLength(1);
    separator_->setMaximumWidth(40);
    sample_ = new BarcodeSample(this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Typ čárového kódu"), type_);
    form->addRow(QStringLiteral("Znaková sada kódu Code128"), set128_);
    form->addRow(QStringLiteral("Šířka nejužšího elementu"), width_);
    form->addRow(QStringLiteral("Poměr čára/mezera"), ratio_);
    form->addRow(QStringLiteral("Barva čar"), barColour_);
    form->addRow(QStringLiteral("Barva podkladu"), background_);
    form->addRow(QStringLiteral("Oddělovač doplňkového kódu"), separator_);
    auto* flags = new QVBoxLayout;
    for (QCheckBox* c : {text_, startStop_, tallGuards_, bearer_, check_, ean128_}) flags->addWidget(c);
    flags->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(form, 3);
    top->addLayout(flags, 2);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("Konec"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Konec"));
    ok->setDefault(true);
    auto* toText = buttons->addButton(QStringLiteral("Přepni na text"), QDialogButtonBox::ActionRole);
    toText->setObjectName(QStringLiteral("PrepniNaText"));
    auto* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("Storno"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(toText, &QPushButton::clicked, this, [this] {
        switchedToText_ = true;
        accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(sample_, 1);
    layout->addWidget(buttons);

    loadFormat(QString());
    for (QComboBox* c : {type_, set128_, barColour_, background_})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { updateSample(); });
    for (QCheckBox* c : {text_, startStop_, tallGuards_, bearer_, check_, ean128_})
        connect(c, &QCheckBox::toggled, this, [this] { updateSample(); });
    connect(width_, &QSpinBox::valueChanged, this, [this] { updateSample(); });
    connect(ratio_, &QDoubleSpinBox::valueChanged, this, [this] { updateSample(); });
    connect(separator_, &QLineEdit::textChanged, this, [this] { updateSample(); });
    updateSample();
}

bool TDlgBarCode::loadFormat(const QString& text) {
    const std::optional<BarcodeFormat> f = BarcodeFormat::readForDialog(text);
    if (!f) return false;
    const QSignalBlocker blocks[] = {QSignalBlocker(type_), QSignalBlocker(set128_),
                                     QSignalBlocker(barColour_), QSignalBlocker(background_),
                                     QSignalBlocker(width_), QSignalBlocker(ratio_)};
    type_->setCurrentIndex(int(f->symbology));
    text_->setChecked(f->showText);
    startStop_->setChecked(f->showStartStop);
    tallGuards_->setChecked(f->tallGuardBars);
    bearer_->setChecked(f->bearerBars);
    check_->setChecked(f->checkCharacter);
    set128_->setCurrentIndex(f->code128Set);
    width_->setValue(f->narrowWidth);
    ratio_->setValue(f->ratio);
    barColour_->setCurrentIndex(f->barColour);
    background_->setCurrentIndex(f->backgroundColour);
    separator_->setText(QString(f->addOnSeparator));
    ean128_->setChecked(f->ean128);
    updateSample();
    return true;
}

BarcodeFormat TDlgBarCode::values() const {
    BarcodeFormat f;
    f.symbology = Symbology(type_->currentIndex());
    f.showText = text_->isChecked();
    f.showStartStop = startStop_->isChecked();
    f.tallGuardBars = tallGuards_->isChecked();
    f.bearerBars = bearer_->isChecked();
    f.checkCharacter = check_->isChecked();
    f.code128Set = set128_->currentIndex();
    f.narrowWidth = width_->value();
    f.ratio = ratio_->value();
    f.barColour = barColour_->currentIndex();
    f.backgroundColour = background_->currentIndex();
    f.addOnSeparator = separator_->text().isEmpty() ? QChar(u' ') : separator_->text().at(0);
    f.ean128 = ean128_->isChecked();
    return f;
}

QString TDlgBarCode::format() const {
    return switchedToText_ ? QString() : values().toText();
}

void TDlgBarCode::setSampleFont(const QFont& font) {
    font_ = font;
    updateSample();
}

void TDlgBarCode::setElementText(const QString& text) {
    elementText_ = text;
    updateSample();
}

void TDlgBarCode::updateSample() {
    const BarcodeFormat f = values();
    sample_->setSample(f.toText(), barcodeDialogSample(elementText_, f.addOnSeparator), font_);
}

std::optional<QString> editBarcodeFormat(const QString& format, const QFont& font,
                                         const QString& elementText, QWidget* parent) {
    TDlgBarCode dialog(parent);
    if (!dialog.loadFormat(format)) return std::nullopt;
    dialog.setSampleFont(font);
    dialog.setElementText(elementText);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.format();
}

}  // namespace dorvana
