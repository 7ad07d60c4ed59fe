#include "report/designer/object_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <iterator>

#include "report/designer/document/designer_document.h"
#include "report/model/colour_table.h"
#include "report/model/graphic_elements.h"
#include "report/model/text_elements.h"
#include "report/render/draw_styles.h"

namespace dorvana {

namespace {

QToolButton* toggle(QWidget* parent, const QString& text, const QString& name, const QString& object) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(name);
    b->setAccessibleName(name);
    b->setObjectName(object);
    b->setCheckable(true);
    return b;
}

QComboBox* colourBox(QWidget* parent, const QString& name, const QString& object) {
    auto* c = new QComboBox(parent);
    c->setAccessibleName(name);
    c->setToolTip(name);
    c->setObjectName(object);
    for (int i = 0; i < 16; ++i) {
        QPixmap swatch(24, 12);
        swatch.fill(QColor::fromRgb(colourOfIndex(i)));
        c->addItem(QIcon(swatch), QString());
    }
    return c;
}

QComboBox* listBox(QWidget* parent, const QString& name, const QString& object,
                   const QStringList& items) {
    auto* c = new QComboBox(parent);
    c->setAccessibleName(name);
    c->setToolTip(name);
    c->setObjectName(object);
    c->addItems(items);
    return c;
}

QHBoxLayout* rowOf(QWidget* w) {
    auto* row = new QHBoxLayout(w);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    return row;
}

}  // namespace

ObjectBar::ObjectBar(DesignerDocument& document, QWidget* parent)
    : QWidget(parent), doc_(document) {
    setObjectName(QStringLiteral("objectBar"));
    auto* row = rowOf(this);
    row->setContentsMargins(4, 2, 4, 2);
    const char* const labels[] = {"L:", "H:", "Š:", "V:"};
    const char* const names[] = {"fieldLeft", "fieldTop", "fieldWidth", "fieldHeight"};
    const int digits[] = {4, 4, 4, 3};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromUtf8(labels[i]), this);
        geometry_[i] = new QLineEdit(this);
        geometry_[i]->setObjectName(QString::fromLatin1(names[i]));
        geometry_[i]->setAccessibleName(QString::fromUtf8(labels[i]));
        geometry_[i]->setMaxLength(digits[i]);
        geometry_[i]->setFixedWidth(geometry_[i]->fontMetrics().horizontalAdvance(u'0') * 5 + 10);
        label->setBuddy(geometry_[i]);
        connect(geometry_[i], &QLineEdit::returnPressed, this, [this, i] { geometryEntered(i); });
        row->addWidget(label);
        row->addWidget(geometry_[i]);
    }
    front_ = toggle(this, QStringLiteral("⇑"), QStringLiteral("Přenést dopředu"), QStringLiteral("bringToFront"));
    back_ = toggle(this, QStringLiteral("⇓"), QStringLiteral("Přesunout dozadu"), QStringLiteral("sendToBack"));
    snap_ = toggle(this, QStringLiteral("#"), QStringLiteral("Vyrovnat do rastru"), QStringLiteral("alignToRaster"));
    for (QToolButton* b : {front_, back_, snap_}) {
        b->setCheckable(false);
        row->addWidget(b);
    }
    connect(front_, &QToolButton::clicked, &doc_, &DesignerDocument::bringToFront);
    connect(back_, &QToolButton::clicked, &doc_, &DesignerDocument::sendToBack);
    connect(snap_, &QToolButton::clicked, &doc_, &DesignerDocument::alignToRaster);

    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("objectPages"));
    pages_->addWidget(buildTexts());
    pages_->addWidget(buildLines());
    pages_->addWidget(buildFrames());
    pages_->addWidget(buildPicture());
    pages_->addWidget(new QWidget(pages_));
    row->addWidget(pages_, 1);

    connect(&doc_, &DesignerDocument::selectionChanged, this, &ObjectBar::refresh);
    connect(&doc_, &DesignerDocument::changed, this, &ObjectBar::refresh);
    connect(&doc_, &DesignerDocument::modelReset, this, &ObjectBar::refresh);
    refresh();
}

QWidget* ObjectBar::buildTexts() {
    auto* w = new QWidget(this);
    w->setObjectName(QStringLiteral("Texty"));
    auto* row = rowOf(w);
    fontButton_ = new QPushButton(QStringLiteral("Písmo..."), w);
    fontButton_->setObjectName(QStringLiteral("fontButton"));
    connect(fontButton_, &QPushButton::clicked, this, &ObjectBar::fontRequested);
    alignment_ = listBox(w, QStringLiteral("Zarovnání"), QStringLiteral("alignment"),
                         {QStringLiteral("Vlevo"), QStringLiteral("Vpravo"), QStringLiteral("Uprostřed")});
    connect(alignment_, &QComboBox::activated, &doc_, &DesignerDocument::setAlignment);
    rotation_ = listBox(w, QStringLiteral("Otočení"), QStringLiteral("rotation"),
                        {QStringLiteral("0°"), QStringLiteral("90°"), QStringLiteral("180°"),
                         QStringLiteral("270°")});
    connect(rotation_, &QComboBox::activated, &doc_, &DesignerDocument::setRotation);
    text_ = new QLineEdit(w);
    text_->setObjectName(QStringLiteral("elementText"));
    text_->setAccessibleName(QStringLiteral("Text prvku"));
    text_->setMaxLength(132);
    text_->setMinimumWidth(120);
    connect(text_, &QLineEdit::textEdited, &doc_, &DesignerDocument::setText);
    connect(text_, &QLineEdit::returnPressed, &doc_, &DesignerDocument::commitText);
    row->addWidget(fontButton_);
    row->addWidget(alignment_);
    row->addWidget(rotation_);
    row->addWidget(text_, 1);
    const char* const captions[] = {"▏", "▔", "▕", "▁"};
    const char* const names[] = {"Levý okraj", "Horní okraj", "Pravý okraj", "Dolní okraj"};
    for (int i = 0; i < 4; ++i) {
        borders_[i] = toggle(w, QString::fromUtf8(captions[i]), QString::fromUtf8(names[i]),
                             QStringLiteral("border%1").arg(i));
        connect(borders_[i], &QToolButton::clicked, this, [this] {
            int bits = 0;
            for (int k = 0; k < 4; ++k)
                if (borders_[k]->isChecked()) bits |= 1 << k;
            doc_.setBorders(bits);
        });
        row->addWidget(borders_[i]);
    }
    barcode_ = new QPushButton(QStringLiteral("Nastav čárový kód"), w);
    barcode_->setObjectName(QStringLiteral("barcodeButton"));
    connect(barcode_, &QPushButton::clicked, this, &ObjectBar::barcodeRequested);
    row->addWidget(barcode_);
    return w;
}

QWidget* ObjectBar::buildLines() {
    auto* w = new QWidget(this);
    w->setObjectName(QStringLiteral("Cary"));
    auto* row = rowOf(w);
    lineColour_ = colourBox(w, QStringLiteral("Barva čáry"), QStringLiteral("lineColour"));
    connect(lineColour_, &QComboBox::activated, &doc_, &DesignerDocument::setLineColour);
    lineStyle_ = listBox(w, QStringLiteral("Styl čáry"), QStringLiteral("lineStyle"),
                         {QStringLiteral("plná"), QStringLiteral("čárkovaná"),
                          QStringLiteral("tečkovaná"), QStringLiteral("čerchovaná")});
    connect(lineStyle_, &QComboBox::activated, &doc_, &DesignerDocument::setLineStyle);
    lineWidth_ = new QSpinBox(w);
    lineWidth_->setObjectName(QStringLiteral("lineWidth"));
    lineWidth_->setAccessibleName(QStringLiteral("Šířka čáry"));
    lineWidth_->setRange(1, 16);
    connect(lineWidth_, &QSpinBox::valueChanged, this, [this](int v) {
        if (!filling_) doc_.setLineWidth(v);
    });
    row->addWidget(lineColour_);
    row->addWidget(lineStyle_);
    row->addWidget(lineWidth_);
    const char* const captions[] = {"▏", "▔", "▕", "▁", "╱", "╲"};
    const char* const names[] = {"Levá hrana", "Horní hrana", "Pravá hrana", "Dolní hrana",
                                 "Úhlopříčka zdola nahoru", "Úhlopříčka shora dolů"};
    for (int i = 0; i < 6; ++i) {
        edges_[i] = toggle(w, QString::fromUtf8(captions[i]), QString::fromUtf8(names[i]),
                           QStringLiteral("edge%1").arg(i));
        connect(edges_[i], &QToolButton::clicked, this, [this] {
            int bits = 0;
            for (int k = 0; k < 6; ++k)
                if (edges_[k]->isChecked()) bits |= 1 << k;
            doc_.setLineEdges(bits);
        });
        row->addWidget(edges_[i]);
    }
    row->addStretch(1);
    return w;
}

QWidget* ObjectBar::buildFrames() {
    auto* w = new QWidget(this);
    w->setObjectName(QStringLiteral("Ramy"));
    auto* row = rowOf(w);
    fillColour_ = colourBox(w, QStringLiteral("Barva výplně"), QStringLiteral("fillColour"));
    connect(fillColour_, &QComboBox::activated, &doc_, &DesignerDocument::setFillColour);
    outlineColour_ = colourBox(w, QStringLiteral("Barva obrysu"), QStringLiteral("outlineColour"));
    connect(outlineColour_, &QComboBox::activated, &doc_, &DesignerDocument::setOutlineColour);
    fillStyle_ = new QComboBox(w);
    fillStyle_->setObjectName(QStringLiteral("fillStyle"));
    fillStyle_->setAccessibleName(QStringLiteral("Výplň"));
    fillStyle_->setToolTip(QStringLiteral("Výplň"));
    const char* const fills[] = {"plné", "prázdné", "vodorovné", "svislé",
                                 "šikmé F", "šikmé B", "svis/vod", "šikmé"};
    static_assert(std::size(fills) == kFillStyleCount);
    for (int i = 0; i < kFillStyleCount; ++i) {
        QPixmap sample(40, 12);
        sample.fill(Qt::white);
        QPainter p(&sample);
        p.fillRect(sample.rect(), QBrush(Qt::black, fillBrushStyle(i)));
        fillStyle_->addItem(QIcon(sample), QString::fromUtf8(fills[i]));
    }
    fillStyle_->setIconSize(QSize(40, 12));
    connect(fillStyle_, &QComboBox::activated, &doc_, &DesignerDocument::setFillStyle);
    outlineWidth_ = new QSpinBox(w);
    outlineWidth_->setObjectName(QStringLiteral("outlineWidth"));
    outlineWidth_->setAccessibleName(QStringLiteral("Šířka obrysu"));
    outlineWidth_->setRange(0, 8);
    connect(outlineWidth_, &QSpinBox::valueChanged, this, [this](int v) {
        if (!filling_) doc_.setOutlineWidth(v);
    });
    row->addWidget(fillColour_);
    row->addWidget(outlineColour_);
    row->addWidget(fillStyle_);
    row->addWidget(outlineWidth_);
    row->addStretch(1);
    return w;
}

QWidget* ObjectBar::buildPicture() {
    auto* w = new QWidget(this);
    w->setObjectName(QStringLiteral("Obraz"));
    auto* row = rowOf(w);
    pictureFile_ = new QComboBox(w);
    pictureFile_->setObjectName(QStringLiteral("pictureFile"));
    pictureFile_->setAccessibleName(QStringLiteral("Soubor obrázku"));
    pictureFile_->setEditable(true);
    pictureFile_->setMinimumContentsLength(16);
    connect(pictureFile_, &QComboBox::textActivated, &doc_, &DesignerDocument::setPictureFile);
    stretch_ = new QCheckBox(QStringLiteral("Podle okna"), w);
    stretch_->setObjectName(QStringLiteral("stretch"));
    connect(stretch_, &QCheckBox::clicked, &doc_, &DesignerDocument::setPictureStretch);
    keepRatio_ = new QCheckBox(QStringLiteral("Zachovat poměr stran"), w);
    keepRatio_->setObjectName(QStringLiteral("keepRatio"));
    connect(keepRatio_, &QCheckBox::clicked, &doc_, &DesignerDocument::setPictureKeepRatio);
    row->addWidget(pictureFile_);
    row->addWidget(stretch_);
    row->addWidget(keepRatio_);
    row->addStretch(1);
    return w;
}

int ObjectBar::page() const {
    return pages_->currentIndex();
}

void ObjectBar::geometryEntered(int which) {
    const TSesPrvek* e = doc_.current();
    if (!e) return;
    bool ok = false;
    const int value = geometry_[which]->text().trimmed().toInt(&ok);
    if (ok) doc_.setGeometryValue(GeometryField(which), value);
    refresh();  // a value that is not a number shows the element's again
}

void ObjectBar::refresh() {
    filling_ = true;
    const TSesPrvek* e = doc_.current();
    const int values[] = {e ? e->X : 0, e ? e->Y : 0, e ? e->W : 0, e ? e->H : 0};
    for (int i = 0; i < 4; ++i) {
        geometry_[i]->setEnabled(e);
        geometry_[i]->setText(e ? QString::number(values[i]) : QString());
    }
    const bool multi = doc_.selectionCount() > 1;
    front_->setEnabled(e && !multi);
    back_->setEnabled(e && !multi);
    snap_->setEnabled(e);
    Page page = Empty;
    if (e && e->isText()) page = Texts;
    else if (e && e->type() == ElementType::Line) page = Lines;
    else if (e && e->type() >= ElementType::Rectangle && e->type() <= ElementType::Ellipse) page = Frames;
    else if (e && e->type() == ElementType::Picture) page = Picture;
    pages_->setCurrentIndex(page);
    if (page == Texts) {
        const auto* t = static_cast<const TSesText*>(e);
        alignment_->setCurrentIndex(int(e->alignment));
        rotation_->setCurrentIndex(t->Otoc());
        const bool editable = e->type() == ElementType::Label || e->type() == ElementType::Variable;
        const QString shown = e->type() == ElementType::Label ? e->Caption
                              : e->type() == ElementType::Variable
                                  ? static_cast<const TSesPromenna*>(e)->Format()
                              : e->type() == ElementType::FieldValue || e->type() == ElementType::FieldLabel
                                  ? doc_.elementHint(e)
                                  : doc_.displayText(e);
        if (text_->text() != shown) text_->setText(shown);
        text_->setReadOnly(!editable);
        const bool on[] = {t->Leva, t->Horni, t->Prava, t->Spodni};
        for (int i = 0; i < 4; ++i) borders_[i]->setChecked(on[i]);
    } else if (page == Lines) {
        const auto* g = static_cast<const TSesGrafPrvek*>(e);
        lineColour_->setCurrentIndex(indexOfColour(g->BarvaCary));
        lineStyle_->setCurrentIndex(g->StylCary);
        lineWidth_->setValue(qBound(1, g->SirkaCary, 16));
        const bool on[] = {g->Leva, g->Horni, g->Prava, g->Spodni, g->LsPh, g->LhPs};
        for (int i = 0; i < 6; ++i) edges_[i]->setChecked(on[i]);
    } else if (page == Frames) {
        const auto* g = static_cast<const TSesGrafPrvek*>(e);
        fillColour_->setCurrentIndex(indexOfColour(g->BarvaVypl));
        outlineColour_->setCurrentIndex(indexOfColour(g->BarvaCary));
        fillStyle_->setCurrentIndex(g->StylVypl);
        outlineWidth_->setValue(qBound(0, g->SirkaCary, 8));
        fillStyle_->setEnabled(!multi);
        outlineWidth_->setEnabled(!multi);
    } else if (page == Picture) {
        const auto* p = static_cast<const TSesObraz*>(e);
        QStringList files;
        if (!doc_.path().isEmpty()) {
            const QDir dir = QFileInfo(doc_.path()).absoluteDir();
            files << dir.entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name);
            files << dir.entryList({QStringLiteral("*.wmf")}, QDir::Files, QDir::Name);
        }
        pictureFile_->clear();
        pictureFile_->addItems(files);
        pictureFile_->setEditText(p->FileName());
        stretch_->setChecked(p->Stretch());
        keepRatio_->setChecked(p->PomerStran());
        keepRatio_->setEnabled(p->Stretch() && !multi);
        pictureFile_->setEnabled(!multi);
        stretch_->setEnabled(!multi);
    }
    filling_ = false;
}

}  // namespace dorvana
