#include "report/designer/dialogs/new_report_dialog.h"

#include <algorithm>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/messages.h"

namespace dorvana {

namespace {

QStringList texts(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

// The glyphs of the layout buttons: a table of columns, a list of rows.
QIcon layoutIcon(bool rows) {
    QPixmap pm(32, 32);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setPen(Qt::darkBlue);
    if (rows) {
        for (int y = 4; y < 30; y += 7) {
            p.fillRect(3, y, 9, 4, Qt::darkGray);
            p.fillRect(14, y, 15, 4, Qt::darkBlue);
        }
    } else {
        for (int x = 3; x < 30; x += 9) {
            p.fillRect(x, 4, 7, 4, Qt::darkGray);
            for (int y = 11; y < 30; y += 6) p.fillRect(x, y, 7, 3, Qt::darkBlue);
        }
    }
    return QIcon(pm);
}

}  // namespace

TDlgNovaSestava::TDlgNovaSestava(const NewReportContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setWindowTitle(QStringLiteral("Návrh nové předlohy"));
    setObjectName(QStringLiteral("TDlgNovaSestava"));
    available_ = new QListWidget(this);
    available_->setObjectName(QStringLiteral("LBDostupne"));
    available_->setAccessibleName(QStringLiteral("Dostupné položky:"));
    chosen_ = new QListWidget(this);
    chosen_->setObjectName(QStringLiteral("LBVybrane"));
    chosen_->setAccessibleName(QStringLiteral("Vybrané položky:"));
    chosen_->setDragDropMode(QAbstractItemView::InternalMove);
    for (QListWidget* l : {available_, chosen_})
        l->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const WizardField& f : context.fields) available_->addItem(f.name);

    auto makeButton = [this](const char* text, const char* name, const char* accessible) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(QString::fromUtf8(accessible));
        b->setToolTip(QString::fromUtf8(accessible));
        b->setMaximumWidth(std::max(40, b->minimumSizeHint().width()));
        return b;
    };
    add_ = makeButton(">", "Pridat", "Přidat vybrané položky");
    addAll_ = makeButton(">>", "PridatVse", "Přidat všechny položky");
    remove_ = makeButton("<", "Odebrat", "Odebrat vybrané položky");
    removeAll_ = makeButton("<<", "OdebratVse", "Odebrat všechny položky");
    connect(add_, &QPushButton::clicked, this, [this] { move(available_, chosen_, false); });
    connect(addAll_, &QPushButton::clicked, this, [this] { move(available_, chosen_, true); });
    connect(remove_, &QPushButton::clicked, this, [this] { move(chosen_, available_, false); });
    connect(removeAll_, &QPushButton::clicked, this, [this] { move(chosen_, available_, true); });
    connect(available_, &QListWidget::itemDoubleClicked, this,
            [this] { move(available_, chosen_, false); });
    connect(chosen_, &QListWidget::itemDoubleClicked, this,
            [this] { move(chosen_, available_, false); });

    auto* style = new QGroupBox(QStringLiteral("Styl předlohy:"), this);
    columns_ = new QToolButton(style);
    columns_->setObjectName(QStringLiteral("SBSloupec"));
    rows_ = new QToolButton(style);
    rows_->setObjectName(QStringLiteral("SBRadek"));
    columns_->setAccessibleName(QStringLiteral("Sloupce"));
    columns_->setToolTip(QStringLiteral("Sloupce"));
    rows_->setAccessibleName(QStringLiteral("Řádky"));
    rows_->setToolTip(QStringLiteral("Řádky"));
    columns_->setIcon(layoutIcon(false));
    rows_->setIcon(layoutIcon(true));
    for (QToolButton* b : {columns_, rows_}) {
        b->setCheckable(true);
        b->setIconSize(QSize(32, 32));
    }
    auto* exclusive = new QButtonGroup(style);
    exclusive->addButton(columns_);
    exclusive->addButton(rows_);
    (context.options.rows ? rows_ : columns_)->setChecked(true);
    auto* sl = new QHBoxLayout(style);
    sl->addWidget(columns_);
    sl->addWidget(rows_);
    sl->addStretch();

    labels_ = new QCheckBox(QStringLiteral("Popisy položek"), this);
    labels_->setObjectName(QStringLiteral("PopisyPolozek"));
    labels_->setChecked(true);
    byName_ = new QCheckBox(QStringLiteral("Pol. podle názvu"), this);
    byName_->setObjectName(QStringLiteral("PodleNazvu"));
    byName_->setEnabled(context.enabledTypeFields);
    byName_->setChecked(context.options.byName);
    auto* paper = new QPushButton(QStringLiteral("&Formát papíru"), this);
    paper->setObjectName(QStringLiteral("FormatPapiru"));
    paper->setEnabled(bool(context.choosePaper));
    auto* sheet = new QPushButton(QStringLiteral("&Arch etiket…"), this);
    sheet->setObjectName(QStringLiteral("ArchEtiket"));
    sheet->setEnabled(bool(context.chooseSheet));
    auto choose = [this](const std::function<std::optional<WizardPaper>()>& chooser) {
        if (!chooser) return;
        if (const std::optional<WizardPaper> room = chooser()) {
            applyWizardPaper(context_.options, *room);
            if (room->labelHeight > 0) rows_->setChecked(true);
        }
    };
    connect(paper, &QPushButton::clicked, this, [this, choose] { choose(context_.choosePaper); });
    connect(sheet, &QPushButton::clicked, this, [this, choose] { choose(context_.chooseSheet); });

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("&Proveď"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Provedt"));
    ok->setDefault(true);
    auto* manual = buttons->addButton(QStringLiteral("&Ručně"), QDialogButtonBox::RejectRole);
    manual->setObjectName(QStringLiteral("Rucne"));
    auto* help = buttons->addButton(QDialogButtonBox::Help);
    help->setObjectName(QStringLiteral("Napoveda"));
    help->setEnabled(false);  // the program has no help pages
    connect(buttons, &QDialogButtonBox::accepted, this, &TDlgNovaSestava::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* moveButtons = new QVBoxLayout;
    moveButtons->addStretch();
    for (QPushButton* b : {add_, addAll_, remove_, removeAll_}) moveButtons->addWidget(b);
    moveButtons->addStretch();
    auto* grid = new QGridLayout;
    auto* availableLabel = new QLabel(QStringLiteral("Dostupné položky:"), this);
    availableLabel->setBuddy(available_);
    auto* chosenLabel = new QLabel(QStringLiteral("Vybrané položky:"), this);
    chosenLabel->setBuddy(chosen_);
    grid->addWidget(availableLabel, 0, 0);
    grid->addWidget(chosenLabel, 0, 2);
    grid->addWidget(available_, 1, 0);
    grid->addLayout(moveButtons, 1, 1);
    grid->addWidget(chosen_, 1, 2);
    auto* side = new QVBoxLayout;
    side->addWidget(style);
    side->addWidget(labels_);
    side->addWidget(byName_);
    side->addWidget(paper);
    side->addWidget(sheet);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(grid, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);
    // Tab follows the layout: the lists with the buttons between them, then the options.
    const QList<QWidget*> order{available_, add_,    addAll_, remove_, removeAll_, chosen_, columns_,
                                rows_,      labels_, byName_, paper,   sheet,      ok,    manual};
    for (int i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    updateButtons();
    resize(560, 380);
}

void TDlgNovaSestava::move(QListWidget* from, QListWidget* to, bool all) {
    QStringList source = texts(from), target = texts(to);
    QList<int> selected;
    for (int i = 0; i < from->count(); ++i)
        if (all || from->item(i)->isSelected()) selected << i;
    moveWizardFields(source, target, selected);
    from->clear();
    from->addItems(source);
    to->clear();
    to->addItems(target);
    updateButtons();
}

void TDlgNovaSestava::updateButtons() {
    add_->setEnabled(available_->count() > 0);
    addAll_->setEnabled(available_->count() > 0);
    remove_->setEnabled(chosen_->count() > 0);
    removeAll_->setEnabled(chosen_->count() > 0);
}

QStringList TDlgNovaSestava::chosenFields() const {
    return texts(chosen_);
}

WizardOptions TDlgNovaSestava::options() const {
    WizardOptions o = context_.options;
    o.rows = rows_->isChecked();
    o.fieldLabels = labels_->isChecked();
    o.byName = byName_->isChecked();
    return o;
}

void TDlgNovaSestava::accept() {
    if (chosen_->count() == 0) {
        if (context_.messages) context_.messages->information(QString::fromUtf16(kNoFieldsChosen));
        return;  // the dialog stays open
    }
    lines_ = generateReportLines(chosenFields(), context_.fields, options());
    QDialog::accept();
}

std::optional<QStringList> designNewReport(const NewReportContext& context, QWidget* parent) {
    TDlgNovaSestava dialog(context, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.lines();
}

}  // namespace dorvana
