#include "report/designer/dialogs/element_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/object_names.h"
#include "report/layout/pages/font_preset.h"
#include "report/designer/dialogs/barcode_dialog.h"
#include "report/layout/pages/printed_fonts.h"

namespace dorvana {

namespace {

QPushButton* button(const QString& text, const char* name, QWidget* parent) {
    return named(new QPushButton(text, parent), name);
}

}  // namespace

TDlgKonfPrvku::TDlgKonfPrvku(const ElementDialogValues& values, const ElementDialogContext& context,
                             QWidget* parent)
    : QDialog(parent), values_(values), context_(context) {
    setWindowTitle(QStringLiteral("Nastavení vlastností prvku"));
    setObjectName(QStringLiteral("TDlgKonfPrvku"));
    QStringList functionNames;
    if (context.functions)
        for (const FunctionDefinition& f : *context.functions) functionNames << f.name;

    // Made first, so that Tab reaches its tab before the controls on it.
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("Zakladni"));

    target_ = new QComboBox(this);
    target_->setObjectName(QStringLiteral("CBTypPrvku"));
    target_->addItems(elementTargetItems(values.type, context.fields, functionNames));
    target_->setCurrentIndex(values.target);
    auto* typeText = new QLineEdit(TSesPrvek::typeName(values.type), this);
    typeText->setObjectName(QStringLiteral("TypPrvku"));
    typeText->setAccessibleName(QStringLiteral("Druh prvku"));
    typeText->setReadOnly(true);
    typeText->setStyleSheet(QStringLiteral("background: palette(window)"));

    alignment_ = new QComboBox(this);
    alignment_->setObjectName(QStringLiteral("CBZarovnani"));
    alignment_->addItems({QStringLiteral("Vlevo"), QStringLiteral("Vpravo"), QStringLiteral("Uprostřed")});
    alignment_->setCurrentIndex(values.alignment);

    auto lineEdit = [this](const QString& text, const char* name) {
        auto* e = new QLineEdit(text, this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaximumWidth(80);
        return e;
    };
    left_ = lineEdit(values.left, "EditLevy");
    top_ = lineEdit(values.top, "EditHorni");
    width_ = lineEdit(values.width, "EditSirka");
    height_ = lineEdit(values.height, "EditVyska");
    auto* position = new QFormLayout;
    position->addRow(QStringLiteral("Levý:"), left_);
    position->addRow(QStringLiteral("Horní:"), top_);
    position->addRow(QStringLiteral("Šířka:"), width_);
    position->addRow(QStringLiteral("Výška:"), height_);

    auto* follow = new QGroupBox(QStringLiteral("Sledovat podle:"), this);
    reference_ = new QButtonGroup(follow);
    auto* byNumber = new QRadioButton(QStringLiteral("Pořadového čísla"), follow);
    byNumber->setObjectName(QStringLiteral("PodleCisla"));
    auto* byName = new QRadioButton(QStringLiteral("Názvu položky"), follow);
    byName->setObjectName(QStringLiteral("PodleNazvu"));
    reference_->addButton(byNumber, 0);
    reference_->addButton(byName, 1);
    (values.byName ? byName : byNumber)->setChecked(true);
    auto* followLayout = new QVBoxLayout(follow);
    followLayout->addWidget(byNumber);
    followLayout->addWidget(byName);
    follow->setEnabled(context.enabledTypeFields);

    auto* frame = new QGroupBox(QStringLiteral("Rámování:"), this);
    auto* frameLayout = new QHBoxLayout(frame);
    const char* borderNames[] = {"RamLevy", "RamHorni", "RamPravy", "RamDolni"};
    const QString borderTexts[] = {QStringLiteral("Levý okraj"), QStringLiteral("Horní okraj"),
                                   QStringLiteral("Pravý okraj"), QStringLiteral("Dolní okraj")};
    const QString borderGlyphs[] = {QStringLiteral("▏"), QStringLiteral("▔"), QStringLiteral("▕"),
                                    QStringLiteral("▁")};
    for (int i = 0; i < 4; ++i) {
        borders_[i] = new QToolButton(frame);
        borders_[i]->setObjectName(QString::fromLatin1(borderNames[i]));
        borders_[i]->setCheckable(true);
        borders_[i]->setChecked(values.borders[size_t(i)]);
        borders_[i]->setText(borderGlyphs[i]);
        borders_[i]->setToolTip(borderTexts[i]);
        borders_[i]->setAccessibleName(borderTexts[i]);
        frameLayout->addWidget(borders_[i]);
    }

    // "Další vlastnosti:"
    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("DalsiVlastnosti"));
    auto fontButton = [this](QWidget* page) {
        auto* b = button(QStringLiteral("Písmo prvku"), "PismoPrvku", page);
        connect(b, &QPushButton::clicked, this, [this] { chooseFont(); });
        return b;
    };
    auto barcodeButton = [this](QWidget* page) {
        auto* b = button(QStringLiteral("Čárový kód"), "CarovyKod", page);
        connect(b, &QPushButton::clicked, this, [this] { editBarcode(); });
        return b;
    };
    auto makePage = [this](const char* name) {
        auto* page = new QWidget(pages_);
        page->setObjectName(QString::fromLatin1(name));
        pages_->addWidget(page);
        return page;
    };
    {  // Text
        QWidget* page = makePage("Text");
        auto* l = new QVBoxLayout(page);
        l->addWidget(fontButton(page));
        l->addWidget(barcodeButton(page));
        l->addStretch();
    }
    {  // DbMemo
        QWidget* page = makePage("DbMemo");
        auto* l = new QVBoxLayout(page);
        wrap_ = new QCheckBox(QStringLiteral("Přetahovat slova"), page);
        wrap_->setObjectName(QStringLiteral("PretahovatSlova"));
        justify_ = new QCheckBox(QStringLiteral("Zarovnat do bloku"), page);
        justify_->setObjectName(QStringLiteral("ZarovnatDoBloku"));
        growing_ = new QCheckBox(QStringLiteral("Proměnná výška"), page);
        growing_->setObjectName(QStringLiteral("PromennaVyska"));
        for (QWidget* w : {static_cast<QWidget*>(wrap_), static_cast<QWidget*>(justify_),
                           static_cast<QWidget*>(growing_)})
            l->addWidget(w);
        l->addWidget(fontButton(page));
        l->addStretch();
    }
    {  // DbGraphic
        QWidget* page = makePage("DbGraphic");
        auto* l = new QVBoxLayout(page);
        stretch_ = new QCheckBox(QStringLiteral("Velikost podle okna"), page);
        stretch_->setObjectName(QStringLiteral("VelikostPodleOkna"));
        aspect_ = new QCheckBox(QStringLiteral("Zachovat poměr stran"), page);
        aspect_->setObjectName(QStringLiteral("ZachovatPomer"));
        l->addWidget(stretch_);
        l->addWidget(aspect_);
        l->addStretch();
    }
    {  // Promenna
        QWidget* page = makePage("Promenna");
        auto* l = new QVBoxLayout(page);
        l->addWidget(fontButton(page));
        l->addWidget(barcodeButton(page));
        l->addStretch();
    }
    {  // Funkce
        QWidget* page = makePage("Funkce");
        auto* l = new QVBoxLayout(page);
        auto* edit = button(QStringLiteral("Funkce ..."), "FunkceButton", page);
        edit->setEnabled(context.functions != nullptr);
        connect(edit, &QPushButton::clicked, this, [this] { editFunction(); });
        l->addWidget(edit);
        l->addWidget(fontButton(page));
        l->addWidget(barcodeButton(page));
        l->addStretch();
    }
    wrap_->setChecked(values.layoutFlags & LayoutFlag::WrapWords);
    justify_->setChecked(values.layoutFlags & LayoutFlag::Justify);
    growing_->setChecked(values.layoutFlags & LayoutFlag::GrowingHeight);
    stretch_->setChecked(values.layoutFlags & LayoutFlag::WrapWords);
    aspect_->setChecked(values.layoutFlags & LayoutFlag::Justify);

    auto* more = new QGroupBox(QStringLiteral("Další vlastnosti:"), this);
    auto* moreLayout = new QVBoxLayout(more);
    moreLayout->addWidget(pages_);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Typ prvku:"), target_);
    form->addRow(QString(), typeText);
    form->addRow(QStringLiteral("Zarovnání:"), alignment_);
    auto* middle = new QHBoxLayout;
    middle->addLayout(position);
    middle->addWidget(follow);
    auto* lower = new QHBoxLayout;
    lower->addWidget(frame);
    lower->addWidget(more, 1);

    auto* basic = new QWidget(this);
    auto* basicLayout = new QVBoxLayout(basic);
    basicLayout->addLayout(form);
    basicLayout->addLayout(middle);
    basicLayout->addLayout(lower);
    tabs->addTab(basic, QStringLiteral("Zv"));
    tabs->setTabToolTip(0, QStringLiteral("Základní vlastnosti"));

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("&Konec"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Konec"));
    ok->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Storno"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Základní vlastnosti"), this));
    layout->addWidget(tabs);
    layout->addWidget(buttons);

    // The opening page: by the element's own field.
    ReportFieldSource::FieldKind kind = ReportFieldSource::FieldKind::Other;
    if (context.fields && values.target >= 0 && values.target < context.fields->fieldCount())
        kind = context.fields->fieldKind(values.target);
    pages_->setCurrentIndex(int(elementPage(values.type, kind)));
    connect(target_, &QComboBox::currentIndexChanged, this, [this] { targetChanged(); });
}

void TDlgKonfPrvku::targetChanged() {
    if (page() == ElementPage::Funkce || !context_.fields) return;
    const int i = target_->currentIndex();
    if (i < 0 || i >= context_.fields->fieldCount()) return;
    pages_->setCurrentIndex(int(elementPage(values_.type, context_.fields->fieldKind(i))));
}

ElementPage TDlgKonfPrvku::page() const {
    return ElementPage(pages_->currentIndex());
}

void TDlgKonfPrvku::chooseFont() {
    const QFont preset = fontDialogPreset(values_.fontName, values_.fontSize, values_.font.style);
    QFont font = preset;
    bool ok = false;
    if (context_.chooseFont)
        ok = context_.chooseFont(font);
    else
        font = QFontDialog::getFont(&ok, preset, this, QStringLiteral("Písmo prvku"));
    if (!ok) return;
    values_.fontName = chosenFontName(values_.fontName, preset, font);
    values_.fontSize = font.pointSize() > 0 ? font.pointSize() : values_.fontSize;
    values_.font.style = fontStyleBits(font);
}

void TDlgKonfPrvku::editBarcode() {
    if (const auto format = editBarcodeFormat(values_.bcFormat,
                                              dialogFont(values_.fontName, values_.fontSize, values_.font.style),
                                              values_.caption, this))
        values_.bcFormat = *format;
}

void TDlgKonfPrvku::editFunction() {
    const int i = target_->currentIndex();
    if (!context_.functions || i < 0 || i >= context_.functions->size()) return;
    EditFunction(context_.functionEditing, (*context_.functions)[i], this);
    const QSignalBlocker block(target_);
    target_->setItemText(i, context_.functions->at(i).name);
}

ElementDialogValues TDlgKonfPrvku::values() const {
    ElementDialogValues v = values_;
    v.target = target_->currentIndex();
    v.byName = reference_->checkedId() == 1;
    v.left = left_->text();
    v.top = top_->text();
    v.width = width_->text();
    v.height = height_->text();
    v.alignment = alignment_->currentIndex();
    for (int i = 0; i < 4; ++i) v.borders[size_t(i)] = borders_[i]->isChecked();
    v.layoutFlags = 0;
    if (page() == ElementPage::DbMemo)
        v.layoutFlags = (wrap_->isChecked() ? LayoutFlag::WrapWords : 0) |
                        (justify_->isChecked() ? LayoutFlag::Justify : 0) |
                        (growing_->isChecked() ? LayoutFlag::GrowingHeight : 0);
    else if (page() == ElementPage::DbGraphic)
        v.layoutFlags = (stretch_->isChecked() ? LayoutFlag::WrapWords : 0) |
                        (aspect_->isChecked() ? LayoutFlag::Justify : 0);
    return v;
}

std::optional<ElementDialogValues> configureElement(const ElementDialogValues& values,
                                                    const ElementDialogContext& context,
                                                    QWidget* parent) {
    TDlgKonfPrvku dialog(values, context, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.values();
}

}  // namespace dorvana
