#include "report/designer/designer_palette.h"

#include <QComboBox>
#include <algorithm>
#include <QEvent>
#include <QHBoxLayout>
#include <QTabBar>
#include <QToolButton>

#include "controls/sliding_panel.h"
#include "report/designer/document/designer_document.h"

namespace dorvana {

namespace {

constexpr int kButtonSize = 26;
const char* const kGraphicCaptions[] = {"T", "╱", "▭", "▢", "◯", "▣"};
const char* const kVariableCaptions[] = {"Dat", "Čas", "Ř", "S", "ΣS", "ŘP", "SP", "ΣSP"};
const char* const kGroupVariableCaptions[] = {"Ř", "Č", "S", "ΣS"};

QToolButton* smallButton(QWidget* parent, const QString& text, const QString& name,
                         const QString& objectName) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(name);
    b->setAccessibleName(name);
    b->setObjectName(objectName);
    return b;
}

}  // namespace

DesignerPalette::DesignerPalette(DesignerDocument& document, int parameterCount, QWidget* parent)
    : QWidget(parent), doc_(document), parameterCount_(parameterCount) {
    setObjectName(QStringLiteral("palette"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);

    arrow_ = smallButton(this, QStringLiteral("↖"), QStringLiteral("Výběr prvků"),
                         QStringLiteral("SipkaButton"));
    arrow_->setCheckable(true);
    arrow_->setChecked(true);
    arrow_->setFixedSize(kButtonSize, kButtonSize);
    connect(arrow_, &QToolButton::clicked, this, [this] {
        releaseTool();
        emit toolChanged(0);
    });
    row->addWidget(arrow_);

    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("paletteTabs"));
    tabs_->setAccessibleName(QStringLiteral("Paleta"));
    for (const char* t : {"Položky", "Popisy", "Parametry", "Proměnné", "Funkce", "Grafické prvky"})
        tabs_->addTab(QString::fromUtf8(t));
    tabs_->setExpanding(false);
    tabs_->setDrawBase(false);
    row->addWidget(tabs_);

    scrollLeft_ = smallButton(this, QStringLiteral("◀"), QStringLiteral("Posunout paletu vlevo"),
                              QStringLiteral("paletteLeft"));
    scrollRight_ = smallButton(this, QStringLiteral("▶"), QStringLiteral("Posunout paletu vpravo"),
                               QStringLiteral("paletteRight"));
    viewport_ = new QWidget(this);
    viewport_->setObjectName(QStringLiteral("paletteViewport"));
    viewport_->setMinimumWidth(120);
    viewport_->setFixedHeight(kButtonSize + 2);
    strip_ = new TPosuvnyPanelSest(viewport_);
    viewport_->installEventFilter(this);
    strip_->attachButtons(scrollLeft_, scrollRight_, nullptr, nullptr);
    row->addWidget(scrollLeft_);
    row->addWidget(viewport_, 1);
    row->addWidget(scrollRight_);

    fieldList_ = new QComboBox(this);
    fieldList_->setObjectName(QStringLiteral("fieldList"));
    fieldList_->setAccessibleName(QStringLiteral("Položky tabulky"));
    fieldList_->setMinimumContentsLength(12);
    connect(fieldList_, &QComboBox::activated, this, [this](int index) {
        if (page() == Fields || page() == Labels) pressTool((page() == Fields ? 2000 : 4000) + index);
    });
    row->addWidget(fieldList_);

    add_ = new QToolButton(this);
    add_->setText(QStringLiteral("Přidej"));
    add_->setObjectName(QStringLiteral("functionAdd"));
    edit_ = new QToolButton(this);
    edit_->setText(QStringLiteral("Oprav"));
    edit_->setObjectName(QStringLiteral("functionEdit"));
    remove_ = new QToolButton(this);
    remove_->setText(QStringLiteral("Vynech"));
    remove_->setObjectName(QStringLiteral("functionRemove"));
    for (QToolButton* b : {add_, edit_, remove_}) row->addWidget(b);

    connect(tabs_, &QTabBar::currentChanged, this, [this] {
        releaseTool();
        emit toolChanged(0);
        fillPage();
    });
    connect(&doc_, &DesignerDocument::functionsChanged, this, &DesignerPalette::rebuild);
    connect(&doc_, &DesignerDocument::modelReset, this, &DesignerPalette::rebuild);
    rebuild();
}

int DesignerPalette::page() const {
    return tabs_->currentIndex();
}

void DesignerPalette::setPage(int page) {
    tabs_->setCurrentIndex(page);
}

void DesignerPalette::rebuild() {
    const QStringList names = doc_.fieldNames();
    fieldList_->clear();
    fieldList_->addItems(names);
    fieldList_->setCurrentIndex(-1);
    const int keep = tool_;
    fillPage();
    if (keep && button(keep)) pressTool(keep);
    else if (keep) {
        releaseTool();
        emit toolChanged(0);
    }
}

void DesignerPalette::fillPage() {
    qDeleteAll(buttons_);
    buttons_.clear();
    QList<int> codes;
    const int fields = doc_.fieldNames().size();
    switch (page()) {
        case Fields:
            for (int i = 0; i < fields; ++i) codes << 2000 + i;
            break;
        case Labels:
            for (int i = 0; i < fields; ++i) codes << 4000 + i;
            break;
        case Parameters:
            for (int j = 0; j < parameterCount_; ++j) codes << 6000 + j;
            break;
        case Variables:
            for (int v = 0; v < 8 + 4 * doc_.model().groupCount(); ++v) codes << 8000 + v;
            break;
        case Functions:
            for (int f = 0; f < doc_.model().functions.size(); ++f) codes << 10000 + f;
            break;
        case Graphics:
            for (int c = 1; c <= 6; ++c) codes << c;
            break;
    }
    int x = 0;
    for (int code : codes) {
        QString caption;
        if (code < 2000)
            caption = QString::fromUtf8(kGraphicCaptions[code - 1]);
        else if (code >= 8000 && code < 10000)
            caption = code - 8000 < 8 ? QString::fromUtf8(kVariableCaptions[code - 8000])
                                      : QString::fromUtf8(kGroupVariableCaptions[(code - 8008) % 4]) +
                                            QString::number((code - 8008) / 4 + 1);
        else
            caption = QString::number(code % 2000 + 1);
        auto* b = smallButton(strip_, caption, doc_.paletteHint(code),
                              QStringLiteral("palette_%1").arg(code));
        b->setProperty("Command", code);
        b->setCheckable(true);
        b->setFixedSize(std::max(kButtonSize, b->sizeHint().width()), kButtonSize);
        b->move(x, 0);
        b->show();
        x += b->width();
        connect(b, &QToolButton::clicked, this, [this, code] { pressTool(code); });
        buttons_ << b;
    }
    strip_->setUp(std::max(50, x), kButtonSize, 64);
    fieldList_->setVisible(doc_.options().VybSezna && (page() == Fields || page() == Labels));
    updateFunctionButtons();
}

QToolButton* DesignerPalette::button(int code) const {
    for (QToolButton* b : buttons_)
        if (b->property("Command").toInt() == code) return b;
    return nullptr;
}

void DesignerPalette::releaseTool() {
    tool_ = 0;
    arrow_->setChecked(true);
    for (QToolButton* b : buttons_) b->setChecked(false);
    fieldList_->setCurrentIndex(-1);
    updateFunctionButtons();
}

void DesignerPalette::pressTool(int code) {
    QToolButton* pressed = button(code);
    if (!pressed) return;
    // An insertion tool starts from no selection: the earlier one's handles go.
    doc_.clearSelection();
    tool_ = code;
    arrow_->setChecked(false);
    for (QToolButton* b : buttons_) b->setChecked(b == pressed);
    if (code >= 2000 && code < 6000) fieldList_->setCurrentIndex(code % 2000);
    updateFunctionButtons();
    emit toolChanged(code);
}

void DesignerPalette::updateFunctionButtons() {
    const bool functions = page() == Functions;
    for (QToolButton* b : {add_, edit_, remove_}) b->setVisible(functions);
    const int count = int(doc_.model().functions.size());
    remove_->setVisible(functions && count > 0 && tool_ == 10000 + count - 1);
    edit_->setEnabled(tool_ >= 10000 && tool_ < 10000 + count);
}

bool DesignerPalette::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport_ && event->type() == QEvent::Resize)
        strip_->setUp(strip_->width(), kButtonSize, 64);
    return QWidget::eventFilter(watched, event);
}

}  // namespace dorvana
