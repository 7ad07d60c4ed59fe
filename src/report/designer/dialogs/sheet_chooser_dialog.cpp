#include "report/designer/dialogs/sheet_chooser_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace dorvana {

namespace {

constexpr int kShownAtMost = 500;  // matches listed; the search narrows the rest

}  // namespace

// The sheet to scale with its labels; labels that a template cannot place
// are drawn hatched.
class SheetDrawing : public QWidget {
public:
    explicit SheetDrawing(QWidget* parent) : QWidget(parent) {
        setMinimumSize(220, 300);
        setAccessibleName(QStringLiteral("Náhled archu"));
    }
    void setProduct(const SheetProduct* product) {
        product_ = product;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        if (!product_ || product_->paperWidth <= 0 || product_->paperHeight <= 0) return;
        const double scale = std::min((width() - 12) / product_->paperWidth,
                                      (height() - 12) / product_->paperHeight);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate((width() - product_->paperWidth * scale) / 2,
                    (height() - product_->paperHeight * scale) / 2);
        p.scale(scale, scale);
        p.setPen(QPen(Qt::darkGray, 0));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(0, 0, product_->paperWidth, product_->paperHeight));
        p.setPen(QPen(QColor(0, 90, 160), 0));
        p.setBrush(product_->placeable() ? QBrush(QColor(215, 232, 250))
                                         : QBrush(QColor(0, 90, 160), Qt::BDiagPattern));
        for (const SheetLayout& l : product_->layouts)
            for (int y = 0; y < l.ny; ++y)
                for (int x = 0; x < l.nx; ++x) {
                    const QRectF r(l.x0 + x * l.dx, l.y0 + y * l.dy, product_->width,
                                   product_->height);
                    if (product_->shape == SheetShape::Rectangle)
                        p.drawRoundedRect(r, product_->radius, product_->radius);
                    else
                        p.drawEllipse(r);
                }
    }

private:
    const SheetProduct* product_ = nullptr;
};

TDlgArchEtiket::TDlgArchEtiket(SheetCatalogue catalogue, QWidget* parent)
    : QDialog(parent), catalogue_(std::move(catalogue)) {
    setWindowTitle(QStringLiteral("Arch etiket"));
    setObjectName(QStringLiteral("TDlgArchEtiket"));
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("EditHledat"));
    search_->setAccessibleName(QStringLiteral("Hledat:"));
    search_->setPlaceholderText(QStringLiteral("značka, číslo nebo rozměr (70 x 37)"));
    search_->setClearButtonEnabled(true);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListArchy"));
    list_->setAccessibleName(QStringLiteral("Archy:"));
    list_->setMinimumWidth(380);
    drawing_ = new SheetDrawing(this);
    details_ = new QLabel(this);
    details_->setObjectName(QStringLiteral("Popis"));
    details_->setWordWrap(true);
    details_->setMinimumHeight(details_->fontMetrics().lineSpacing() * 4);

    auto* buttons = new QDialogButtonBox(this);
    use_ = buttons->addButton(QStringLiteral("Použít"), QDialogButtonBox::AcceptRole);
    use_->setObjectName(QStringLiteral("Pouzit"));
    use_->setDefault(true);
    auto* back = buttons->addButton(QStringLiteral("Zpět"), QDialogButtonBox::RejectRole);
    back->setObjectName(QStringLiteral("Zpet"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* searchRow = new QFormLayout;
    searchRow->addRow(QStringLiteral("&Hledat:"), search_);
    auto* left = new QVBoxLayout;
    left->addLayout(searchRow);
    left->addWidget(list_, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(drawing_, 1);
    right->addWidget(details_);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    if (!catalogue_.messages().isEmpty()) {
        auto* note = new QLabel(QStringLiteral("Některé archy se nepodařilo načíst (%1).")
                                    .arg(catalogue_.messages().size()),
                                this);
        note->setToolTip(catalogue_.messages().mid(0, 30).join(u'\n'));
        layout->addWidget(note);
    }
    layout->addWidget(buttons);
    connect(search_, &QLineEdit::textChanged, this, [this] { search(); });
    connect(list_, &QListWidget::currentRowChanged, this, [this] { showChosen(); });
    connect(list_, &QListWidget::itemActivated, this, [this] {
        if (use_->isEnabled()) accept();
    });
    setTabOrder(search_, list_);
    resize(760, 520);
    search();
}

void TDlgArchEtiket::setSearchText(const QString& text) {
    search_->setText(text);
}

void TDlgArchEtiket::search() {
    found_ = catalogue_.search(search_->text());
    list_->clear();
    for (qsizetype i = 0; i < found_.size() && i < kShownAtMost; ++i) {
        const SheetProduct* p = found_[i];
        list_->addItem(p->name() + QStringLiteral(" — ") + p->geometryText());
    }
    if (found_.size() > kShownAtMost)
        list_->addItem(
            QStringLiteral("… a dalších %1; upřesněte hledání").arg(found_.size() - kShownAtMost));
    if (!found_.isEmpty()) list_->setCurrentRow(0);
    showChosen();
}

const SheetProduct* TDlgArchEtiket::chosen() const {
    const int row = list_->currentRow();
    return row >= 0 && row < found_.size() && row < kShownAtMost ? found_[row] : nullptr;
}

bool TDlgArchEtiket::page(SheetPage* page, QString* error) const {
    const SheetProduct* p = chosen();
    if (!p) {
        if (error) *error = QStringLiteral("Není vybrán žádný arch.");
        return false;
    }
    return sheetPageFor(*p, page, error);
}

void TDlgArchEtiket::showChosen() {
    const SheetProduct* p = chosen();
    drawing_->setProduct(p);
    if (!p) {
        details_->setText(found_.isEmpty() ? QStringLiteral("Hledání neodpovídá žádný arch.")
                                           : QString());
        use_->setEnabled(false);
        return;
    }
    SheetPage sheet;
    QString error;
    const bool ok = sheetPageFor(*p, &sheet, &error);
    QString text = p->name() + QStringLiteral(": ") + p->description + u'\n' + p->geometryText();
    if (!ok)
        text += u'\n' + error;
    else if (!sheet.warning.isEmpty())
        text += u'\n' + sheet.warning;
    details_->setText(text);
    use_->setEnabled(ok);
}

}  // namespace dorvana
