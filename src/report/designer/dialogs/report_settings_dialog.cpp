#include "report/designer/dialogs/report_settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/messages.h"
#include "controls/object_names.h"
#include "report/designer/dialogs/paper_format_dialog.h"
#include "report/designer/dialogs/sheet_chooser_dialog.h"

namespace dorvana {

namespace {

QPushButton* button(const QString& text, const char* name, QWidget* parent) {
    return named(new QPushButton(text, parent), name);
}

QLineEdit* numberEdit(const char* name, int max, QWidget* parent) {
    auto* e = named(new QLineEdit(parent), name);
    e->setValidator(new QIntValidator(0, max, e));
    e->setMaximumWidth(70);
    return e;
}

QList<int> selectedRows(const QListWidget* list) {
    QList<int> rows;
    for (const QListWidgetItem* item : list->selectedItems()) rows << list->row(item);
    std::sort(rows.begin(), rows.end());
    return rows;
}

void fillList(QListWidget* list, const QStringList& items, int select) {
    list->clear();
    list->addItems(items);
    if (select >= 0 && select < list->count()) {
        list->setCurrentRow(select);
        list->item(select)->setSelected(true);
    }
}

constexpr QRgb kShadow = qRgb(128, 128, 128);

// White with a cyan pixel wherever row and column have the same parity.
QBrush cellPattern() {
    QImage pattern(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.setPixel(x, y, (x % 2) == (y % 2) ? qRgb(0, 255, 255) : qRgb(255, 255, 255));
    return QBrush(pattern);
}

}  // namespace

PaperPicture::PaperPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PaintBox"));
    setAccessibleName(QStringLiteral("Náhled papíru"));
    setMinimumSize(150, 150);
}

void PaperPicture::setPaper(const PageGeometry& paper, int columns, int gap) {
    paper_ = paper;
    columns_ = columns;
    gap_ = gap;
    update();
}

void PaperPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const PaperDrawing d = paperDrawing(width(), height(), paper_, columns_, gap_);
    p.fillRect(d.shadow, QColor(kShadow));
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(d.page);
    p.setPen(Qt::blue);
    p.setBrush(cellPattern());
    for (const QRect& cell : d.cells) p.drawRect(cell);
}

TSestDlg::TSestDlg(ReportModel& model, const ReportSettingsContext& context, QWidget* parent)
    : QDialog(parent), model_(model), context_(context) {
    setWindowTitle(QStringLiteral("Nastavení parametrů sestavy"));
    setObjectName(QStringLiteral("TSestDlg"));
    tabs_ = named(new QTabWidget(this), "TabSet");
    pages_ = {buildReportPage(), buildPaperPage(),    buildSectionsPage(), buildGroupsPage(),
              buildSortPage(),   buildPrintersPage(), buildRasterPage()};
    for (int i = 0; i < pages_.size(); ++i) {
        if (i == kSortPage && !context.component.sortEnabled) {
            pages_[i]->setParent(this);  // removed: kept only to be freed with the dialog
            pages_[i]->hide();
            continue;
        }
        const int at = tabs_->addTab(pages_[i], reportSettingsTabs()[i]);
        tabs_->setTabToolTip(at, reportSettingsPages()[i]);
    }

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("&Konec"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Konec"));
    ok->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Storno"));
    auto* help = buttons->addButton(QDialogButtonBox::Help);
    help->setObjectName(QStringLiteral("Napoveda"));
    help->setEnabled(false);  // the program has no help pages
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    // Tab follows the pages' layout: the sort buttons between their lists,
    // the group's options under its rows.
    const QList<QWidget*> sortOrder{available_, sortAdd_, sortRemove_, sortToggle_, sequence_};
    for (int i = 1; i < sortOrder.size(); ++i) setTabOrder(sortOrder[i - 1], sortOrder[i]);
    setTabOrder(groupRows_.last().pass, newPage_);
    setTabOrder(newPage_, groupByName_);
    setValues(reportSettingsValues(model));
}

int TSestDlg::pageIndex(int page) const {
    return page >= 0 && page < pages_.size() ? tabs_->indexOf(pages_[page]) : -1;
}

// --- Sestava ---

QWidget* TSestDlg::buildReportPage() {
    auto* page = named(new QWidget, "Sestava");
    auto* box = new QGroupBox(QStringLiteral("Sestava:"), page);
    auto* form = new QFormLayout(box);
    const ReportComponentInfo& c = context_.component;
    file_ = named(new QLabel(QDir::toNativeSeparators(QDir(c.directory).filePath(c.fileName)), box),
                  "Soubor");
    file_->setWordWrap(true);
    copies_ = named(new QLabel(QString::number(c.copies), box), "PocetKopii");
    pagesText_ =
        named(new QLabel(QStringLiteral("%1 až %2").arg(c.startPage).arg(c.endPage), box), "Stranky");
    maxRecords_ = named(new QLabel(QString::number(c.maxRecords), box), "MaxZaznamu");
    description_ = named(new QLabel(c.description, box), "Popis");
    title_ = named(new QLineEdit(box), "Nazev");
    title_->setMinimumWidth(280);
    form->addRow(QStringLiteral("Soubor:"), file_);
    form->addRow(QStringLiteral("Název:"), title_);
    form->addRow(QStringLiteral("Počet tištěných kopií:"), copies_);
    form->addRow(QStringLiteral("Tištěné stránky:"), pagesText_);
    form->addRow(QStringLiteral("Maximální počet záznamů:"), maxRecords_);
    form->addRow(QStringLiteral("Popis:"), description_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(box);
    layout->addStretch();
    return page;
}

// --- Papír ---

QWidget* TSestDlg::buildPaperPage() {
    auto* page = named(new QWidget, "Papir");
    format_ = named(new QComboBox(page), "CBFormat");
    format_->setAccessibleName(QStringLiteral("Formát papíru:"));
    formatEdit_ = button(QStringLiteral("Ukaž"), "FormatUkaz", page);
    formatAdd_ = button(QStringLiteral("Přidej"), "FormatPridej", page);
    formatRemove_ = button(QStringLiteral("Vynech"), "FormatVynech", page);
    if (!context_.formats)
        for (QPushButton* b : {formatEdit_, formatAdd_, formatRemove_}) b->setEnabled(false);
    sheet_ = button(QStringLiteral("Arch etiket…"), "ArchEtiket", page);
    connect(sheet_, &QPushButton::clicked, this, [this] { chooseSheet(); });
    connect(format_, &QComboBox::activated, this, [this](int i) { formatChosen(i); });
    connect(formatEdit_, &QPushButton::clicked, this, [this] { showOrEditFormat(); });
    connect(formatAdd_, &QPushButton::clicked, this, [this] { addFormat(); });
    connect(formatRemove_, &QPushButton::clicked, this, [this] { removeFormat(); });

    auto* orientation = new QGroupBox(QStringLiteral("Orientace:"), page);
    portrait_ = named(new QRadioButton(QStringLiteral("na výšku"), orientation), "NaVysku");
    landscape_ = named(new QRadioButton(QStringLiteral("na šířku"), orientation), "NaSirku");
    auto* ol = new QVBoxLayout(orientation);
    ol->addWidget(portrait_);
    ol->addWidget(landscape_);

    auto* margins = new QGroupBox(QStringLiteral("Okraje papíru:"), page);
    left_ = numberEdit("EditLevy", 410, margins);
    right_ = numberEdit("EditPravy", 410, margins);
    top_ = numberEdit("EditHorni", 500, margins);
    bottom_ = numberEdit("EditDolni", 500, margins);
    auto* ml = new QFormLayout(margins);
    ml->addRow(QStringLiteral("Levý:"), left_);
    ml->addRow(QStringLiteral("Pravý:"), right_);
    ml->addRow(QStringLiteral("Horní:"), top_);
    ml->addRow(QStringLiteral("Dolní:"), bottom_);

    auto* division = new QGroupBox(QStringLiteral("Dělení papíru:"), page);
    columns_ = numberEdit("EditSloupcu", 99, division);
    columns_->setValidator(new QIntValidator(1, 99, columns_));
    gap_ = numberEdit("EditMezera", 999, division);
    auto* dl = new QGridLayout(division);
    auto* columnsLabel = new QLabel(QStringLiteral("Počet sloupců tisku:"), division);
    columnsLabel->setBuddy(columns_);
    gapLabel_ = new QLabel(QStringLiteral("Mezera mezi sloupci:"), division);
    gapLabel_->setBuddy(gap_);
    dl->addWidget(columnsLabel, 0, 0);
    dl->addWidget(columns_, 0, 1);
    dl->addWidget(gapLabel_, 1, 0);
    dl->addWidget(gap_, 1, 1);

    picture_ = new PaperPicture(page);
    auto sizeLabel = [page](const char* name) { return named(new QLabel(page), name); };
    pageUnits_ = sizeLabel("PapirBody");
    pageMm_ = sizeLabel("PapirMm");
    printUnits_ = sizeLabel("TiskBody");
    printMm_ = sizeLabel("TiskMm");
    labelUnits_ = sizeLabel("StitekBody");
    labelMm_ = sizeLabel("StitekMm");
    labelSizeCaption_ = new QLabel(QStringLiteral("Rozměr štítku:"), page);
    auto* sizes = new QGridLayout;
    sizes->addWidget(new QLabel(QStringLiteral("Rozměr papíru:"), page), 0, 0);
    sizes->addWidget(pageUnits_, 0, 1);
    sizes->addWidget(pageMm_, 0, 2);
    sizes->addWidget(new QLabel(QStringLiteral("Tisková plocha:"), page), 1, 0);
    sizes->addWidget(printUnits_, 1, 1);
    sizes->addWidget(printMm_, 1, 2);
    sizes->addWidget(labelSizeCaption_, 2, 0);
    sizes->addWidget(labelUnits_, 2, 1);
    sizes->addWidget(labelMm_, 2, 2);

    auto* formatRow = new QHBoxLayout;
    auto* formatLabel = new QLabel(QStringLiteral("Formát papíru:"), page);
    formatLabel->setBuddy(format_);
    formatRow->addWidget(formatLabel);
    formatRow->addWidget(format_, 1);
    formatRow->addWidget(formatEdit_);
    formatRow->addWidget(formatAdd_);
    formatRow->addWidget(formatRemove_);
    formatRow->addWidget(sheet_);
    auto* left = new QVBoxLayout;
    left->addWidget(orientation);
    left->addWidget(margins);
    left->addWidget(division);
    auto* middle = new QHBoxLayout;
    middle->addLayout(left);
    middle->addWidget(picture_, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(formatRow);
    layout->addLayout(middle, 1);
    layout->addLayout(sizes);

    for (QLineEdit* e : {left_, right_, top_, bottom_, columns_, gap_})
        connect(e, &QLineEdit::textChanged, this, [this] { paperChanged(); });
    for (QRadioButton* r : {portrait_, landscape_})
        connect(r, &QRadioButton::toggled, this, [this] { paperChanged(); });
    return page;
}

void TSestDlg::fillPaperControls() {
    filling_ = true;
    format_->clear();
    if (context_.formats) {
        format_->addItems(context_.formats->names());
        const int found = FindFormat(*context_.formats, values_.paper.paperWidth,
                                     values_.paper.paperHeight);
        if (format_->count() < context_.formats->count())
            format_->addItem(context_.formats->at(found).name);
        format_->setCurrentIndex(found);
    }
    (values_.paper.orientation == 1 ? landscape_ : portrait_)->setChecked(true);
    left_->setText(QString::number(values_.paper.leftMargin));
    right_->setText(QString::number(values_.paper.rightMargin));
    top_->setText(QString::number(values_.paper.topMargin));
    bottom_->setText(QString::number(values_.paper.bottomMargin));
    columns_->setText(QString::number(values_.columns));
    gap_->setText(QString::number(values_.gap));
    filling_ = false;
    updateFormatButtons();
    updatePaperTexts();
}

void TSestDlg::paperChanged() {
    if (filling_) return;
    values_.paper.orientation = landscape_->isChecked() ? 1 : 0;
    values_.paper.leftMargin = marginFromText(left_->text());
    values_.paper.rightMargin = marginFromText(right_->text());
    values_.paper.topMargin = marginFromText(top_->text());
    values_.paper.bottomMargin = marginFromText(bottom_->text());
    values_.columns = columnsFromText(columns_->text());
    values_.gap = marginFromText(gap_->text());
    updatePaperTexts();
}

void TSestDlg::updatePaperTexts() {
    const PageGeometry& p = values_.paper;
    const bool several = values_.columns != 1;
    for (QWidget* w : {static_cast<QWidget*>(gap_), static_cast<QWidget*>(gapLabel_),
                       static_cast<QWidget*>(labelSizeCaption_), static_cast<QWidget*>(labelUnits_),
                       static_cast<QWidget*>(labelMm_)})
        w->setEnabled(several);
    pageUnits_->setText(sizeInUnits(p.pageWidth(), p.pageHeight()));
    pageMm_->setText(sizeInMm(p.pageWidth(), p.pageHeight()));
    printUnits_->setText(sizeInUnits(p.printableWidth(), p.printableHeight()));
    printMm_->setText(sizeInMm(p.printableWidth(), p.printableHeight()));
    const TOddil* body = model_.page().planSection(plan_, PlanSection::Body);
    const int bodyHeight = body ? body->height : 0;
    const int w = labelWidth(p, values_.columns, values_.gap);
    labelUnits_->setText(sizeInUnits(w, bodyHeight));
    labelMm_->setText(sizeInMm(w, bodyHeight));
    picture_->setPaper(p, values_.columns, values_.gap);
}

void TSestDlg::chooseSheet() {
    SheetPage sheet;
    if (context_.chooseSheet) {
        if (!context_.chooseSheet(&sheet)) return;
    } else {
        TDlgArchEtiket chooser(SheetCatalogue::standard(), this);
        QString error;
        if (chooser.exec() != QDialog::Accepted) return;
        if (!chooser.page(&sheet, &error)) {
            if (context_.messages) context_.messages->error(error);
            return;
        }
    }
    // The paper, margins and columns go to the working values; the body of
    // the main plan, like every section, is edited in place.
    values_.paper = sheet.geometry;
    values_.columns = sheet.columns;
    values_.gap = sheet.gap;
    if (TOddil* body = model_.page().planSection(0, PlanSection::Body)) {
        body->visible = true;
        body->height = sheet.rowPitch;
    }
    fillPaperControls();
    if (plan_ == 0) showPlan(0);
    if (!sheet.warning.isEmpty() && context_.messages) context_.messages->warning(sheet.warning);
}

void TSestDlg::updateFormatButtons() {
    const int i = format_->currentIndex();
    const bool user = context_.formats && i >= kBuiltInFormatCount;
    formatEdit_->setText(user ? QStringLiteral("Oprav") : QStringLiteral("Ukaž"));
    formatRemove_->setEnabled(user);
}

void TSestDlg::formatChosen(int index) {
    if (!context_.formats || index < 0 || index >= context_.formats->count()) return;
    const TFormatPapiru& f = context_.formats->at(index);
    values_.paper.paperWidth = f.width;
    values_.paper.paperHeight = f.height;
    const MarginLimits limits = marginLimits(values_.paper.pageWidth(), values_.paper.pageHeight());
    for (QLineEdit* e : {left_, right_})
        e->setValidator(new QIntValidator(0, limits.horizontal, e));
    for (QLineEdit* e : {top_, bottom_}) e->setValidator(new QIntValidator(0, limits.vertical, e));
    updateFormatButtons();
    updatePaperTexts();
}

void TSestDlg::showOrEditFormat() {
    const int i = format_->currentIndex();
    if (!context_.formats || i < 0 || i >= context_.formats->count()) return;
    TFormatPapiru f = context_.formats->at(i);
    const bool editable = !TListFormatu::isBuiltIn(i);
    const bool ok = context_.editFormat ? context_.editFormat(f, editable) : EditFormat(f, editable, this);
    if (ok && editable) (*context_.formats)[i] = f;
    filling_ = true;
    format_->clear();
    format_->addItems(context_.formats->names());
    format_->setCurrentIndex(i);
    filling_ = false;
    formatChosen(i);
}

void TSestDlg::addFormat() {
    if (!context_.formats) return;
    const int i = qMax(0, format_->currentIndex());
    TFormatPapiru f{QString::fromUtf16(kAppendedFormatName), context_.formats->at(i).width,
                    context_.formats->at(i).height};
    const bool ok = context_.editFormat ? context_.editFormat(f, true) : EditFormat(f, true, this);
    if (!ok) return;
    const int added = context_.formats->append(f);
    format_->addItem(f.name);
    format_->setCurrentIndex(added);
    formatChosen(added);
}

void TSestDlg::removeFormat() {
    const int i = format_->currentIndex();
    if (!context_.formats || TListFormatu::isBuiltIn(i)) return;
    if (context_.messages && !context_.messages->confirm(QString::fromUtf16(kDeleteFormatQuestion)))
        return;
    context_.formats->removeAt(i);
    format_->removeItem(i);
    format_->setCurrentIndex(0);
    formatChosen(0);
}

// The rows of a plan's or a group's sections: a check box with the
// section's caption, its height, condition and pass, under their headings.
// Each row's controls are named after prefix and the section's offset; any
// change calls changed.
QGridLayout* TSestDlg::buildSectionRows(QWidget* box, const QString& prefix,
                                        const QList<SectionRow>& rows, void (TSestDlg::*changed)(),
                                        QList<Row>& out) {
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Výška:"), box), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Podmínka:"), box), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Průchod:"), box), 0, 3);
    int r = 1;
    for (const SectionRow& row : rows) {
        Row w;
        const QString base = prefix + QString::number(row.offset);
        w.visible = new QCheckBox(row.caption, box);
        w.visible->setObjectName(base + QStringLiteral("Viditelny"));
        w.height = new QLineEdit(box);
        w.height->setObjectName(base + QStringLiteral("Vyska"));
        w.height->setAccessibleName(row.caption + QStringLiteral(" – Výška:"));
        w.height->setMaximumWidth(60);
        w.condition = new QComboBox(box);
        w.condition->setObjectName(base + QStringLiteral("Podminka"));
        w.condition->setAccessibleName(row.caption + QStringLiteral(" – Podmínka:"));
        w.condition->addItems(conditionItems(context_.functionNames));
        w.pass = new QSpinBox(box);
        w.pass->setObjectName(base + QStringLiteral("Pruchod"));
        w.pass->setAccessibleName(row.caption + QStringLiteral(" – Průchod:"));
        w.pass->setRange(0, 9);
        grid->addWidget(w.visible, r, 0);
        grid->addWidget(w.height, r, 1);
        grid->addWidget(w.condition, r, 2);
        grid->addWidget(w.pass, r, 3);
        connect(w.visible, &QCheckBox::toggled, this, [this, changed] { (this->*changed)(); });
        connect(w.height, &QLineEdit::textChanged, this, [this, changed] { (this->*changed)(); });
        connect(w.condition, &QComboBox::currentIndexChanged, this, [this, changed] { (this->*changed)(); });
        connect(w.pass, &QSpinBox::valueChanged, this, [this, changed] { (this->*changed)(); });
        out << w;
        ++r;
    }
    grid->setColumnStretch(2, 1);
    return grid;
}

// --- Oddíly ---

QWidget* TSestDlg::buildSectionsPage() {
    auto* page = named(new QWidget, "Oddily");
    auto* box = new QGroupBox(QStringLiteral("Nastavení oddílů:"), page);
    plans_ = named(new QListWidget(box), "LBPlany");
    plans_->setAccessibleName(QStringLiteral("Plány sestavy:"));
    plans_->setMaximumHeight(90);
    planIns_ = button(QStringLiteral("Ins"), "PlanIns", box);
    planDel_ = button(QStringLiteral("Del"), "PlanDel", box);
    planIns_->setAccessibleName(QStringLiteral("Vložit plán"));
    planDel_->setAccessibleName(QStringLiteral("Smazat plán"));
    fillPage_ = named(new QCheckBox(QStringLiteral("Výplň stránky"), box), "VyplnStranky");
    fillGroup_ = named(new QCheckBox(QStringLiteral("Výplň skupiny"), box), "VyplnSkupiny");

    QGridLayout* grid = buildSectionRows(box, QStringLiteral("Plan"), planSectionRows(),
                                         &TSestDlg::planRowChanged, planRows_);
    auto* listRow = new QHBoxLayout;
    auto* planLabel = new QLabel(QStringLiteral("Plány sestavy:"), box);
    planLabel->setBuddy(plans_);
    auto* planButtons = new QVBoxLayout;
    planButtons->addWidget(planIns_);
    planButtons->addWidget(planDel_);
    planButtons->addStretch();
    listRow->addWidget(plans_, 1);
    listRow->addLayout(planButtons);
    auto* fills = new QHBoxLayout;
    fills->addWidget(fillPage_);
    fills->addWidget(fillGroup_);
    fills->addStretch();
    auto* bl = new QVBoxLayout(box);
    bl->addWidget(planLabel);
    bl->addLayout(listRow);
    bl->addLayout(fills);
    bl->addLayout(grid);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(box);

    connect(plans_, &QListWidget::currentRowChanged, this, [this](int p) {
        if (!filling_) showPlan(p);
    });
    connect(planIns_, &QPushButton::clicked, this, [this] { insertPlan(); });
    connect(planDel_, &QPushButton::clicked, this, [this] { deletePlan(); });
    connect(fillPage_, &QCheckBox::toggled, this, [this] { planRowChanged(); });
    connect(fillGroup_, &QCheckBox::toggled, this, [this] { planRowChanged(); });
    return page;
}

void TSestDlg::showPlan(int p) {
    const TPolPlan* plan = model_.plan(p);
    if (!plan) return;
    plan_ = p;
    filling_ = true;
    fillPage_->setChecked(plan->fillPage);
    fillGroup_->setChecked(plan->fillGroup);
    for (int i = 0; i < planRows_.size(); ++i) {
        const TOddil* s = plan->sections[size_t(planSectionRows()[i].offset)];
        planRows_[i].visible->setChecked(s->visible);
        planRows_[i].height->setText(QString::number(s->height));
        planRows_[i].condition->setCurrentIndex(
            s->condition >= 0 && s->condition < planRows_[i].condition->count() ? s->condition : 0);
        planRows_[i].pass->setValue(qBound(0, s->pass, 9));
    }
    filling_ = false;
    planDel_->setEnabled(canDeletePlan(model_, p));
    updatePaperTexts();
}

void TSestDlg::planRowChanged() {
    if (filling_) return;
    TPolPlan* plan = model_.plan(plan_);
    if (!plan) return;
    plan->fillPage = fillPage_->isChecked();
    plan->fillGroup = fillGroup_->isChecked();
    for (int i = 0; i < planRows_.size(); ++i) {
        TOddil* s = plan->sections[size_t(planSectionRows()[i].offset)];
        s->visible = planRows_[i].visible->isChecked();
        s->height = sectionHeightFromText(planRows_[i].height->text());
        s->condition = planRows_[i].condition->currentIndex();
        s->pass = planRows_[i].pass->value();
    }
    updatePaperTexts();
}

void TSestDlg::insertPlan() {
    const int p = addReportPlan(model_);
    if (context_.planAdded) context_.planAdded(p);
    filling_ = true;
    fillList(plans_, planItems(model_), p);
    filling_ = false;
    showPlan(p);
}

void TSestDlg::deletePlan() {
    if (!canDeletePlan(model_, plan_)) return;
    if (context_.messages && !context_.messages->confirm(QString::fromUtf16(kDeletePlanQuestion)))
        return;
    const int p = plan_;
    model_.removePlan(p);
    if (context_.planRemoved) context_.planRemoved(p);
    filling_ = true;
    fillList(plans_, planItems(model_), p - 1);
    filling_ = false;
    showPlan(p - 1);
}

// --- Skupiny ---

QWidget* TSestDlg::buildGroupsPage() {
    auto* page = named(new QWidget, "Skupiny");
    auto* box = new QGroupBox(QStringLiteral("Skupiny"), page);
    groups_ = named(new QListWidget(box), "LBSkupiny");
    groups_->setAccessibleName(QStringLiteral("Skupiny"));
    groups_->setMaximumHeight(90);
    groupIns_ = button(QStringLiteral("Ins"), "SkupinaIns", box);
    groupDel_ = button(QStringLiteral("Del"), "SkupinaDel", box);
    groupIns_->setAccessibleName(QStringLiteral("Vložit skupinu"));
    groupDel_->setAccessibleName(QStringLiteral("Smazat skupinu"));
    groupField_ = named(new QComboBox(box), "CBSkupPolozka");
    groupField_->addItems(groupFieldItems(context_.fieldNames));
    groupField_->setAccessibleName(QStringLiteral("Skupinová položka:"));
    newPage_ = named(new QCheckBox(QStringLiteral("Novou skupinu na novou stránku"), box), "NovaStranka");
    groupByName_ =
        named(new QCheckBox(QStringLiteral("Skupinová položka podle názvu"), box), "SkupPodleNazvu");
    groupByName_->setEnabled(context_.component.enabledTypeFields);

    QGridLayout* grid = buildSectionRows(box, QStringLiteral("Skup"), groupSectionRows(),
                                         &TSestDlg::groupRowChanged, groupRows_);
    auto* listRow = new QHBoxLayout;
    auto* groupButtons = new QVBoxLayout;
    groupButtons->addWidget(groupIns_);
    groupButtons->addWidget(groupDel_);
    groupButtons->addStretch();
    listRow->addWidget(groups_, 1);
    listRow->addLayout(groupButtons);
    auto* fieldRow = new QHBoxLayout;
    auto* fieldLabel = new QLabel(QStringLiteral("Skupinová položka:"), box);
    fieldLabel->setBuddy(groupField_);
    fieldRow->addWidget(fieldLabel);
    fieldRow->addWidget(groupField_, 1);
    auto* bl = new QVBoxLayout(box);
    bl->addLayout(listRow);
    bl->addLayout(fieldRow);
    bl->addLayout(grid);
    bl->addWidget(newPage_);
    bl->addWidget(groupByName_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(box);
    layout->addStretch();

    connect(groups_, &QListWidget::currentRowChanged, this, [this](int g) {
        if (!filling_) showGroup(g);
    });
    connect(groupIns_, &QPushButton::clicked, this, [this] { insertGroup(); });
    connect(groupDel_, &QPushButton::clicked, this, [this] { deleteGroup(); });
    connect(groupField_, &QComboBox::currentIndexChanged, this, [this] { groupRowChanged(); });
    connect(newPage_, &QCheckBox::toggled, this, [this] { groupRowChanged(); });
    return page;
}

void TSestDlg::showGroup(int g) {
    const TPolSkup* group = model_.group(g);
    group_ = group ? g : -1;
    const bool any = group != nullptr;
    for (QWidget* w : {static_cast<QWidget*>(groupField_), static_cast<QWidget*>(newPage_)})
        w->setEnabled(any);
    filling_ = true;
    for (int i = 0; i < groupRows_.size(); ++i) {
        const Row& w = groupRows_[i];
        for (QWidget* c : {static_cast<QWidget*>(w.visible), static_cast<QWidget*>(w.height),
                           static_cast<QWidget*>(w.condition), static_cast<QWidget*>(w.pass)})
            c->setEnabled(any);
        const TOddil* s = any ? group->sections[size_t(groupSectionRows()[i].offset)] : nullptr;
        w.visible->setChecked(s && s->visible);
        w.height->setText(s ? QString::number(s->height) : QString());
        w.condition->setCurrentIndex(s && s->condition < w.condition->count() ? s->condition : 0);
        w.pass->setValue(s ? qBound(0, s->pass, 9) : 0);
    }
    groupField_->setCurrentIndex(any && group->field < groupField_->count() ? group->field : -1);
    newPage_->setChecked(any && group->newPage);
    filling_ = false;
    groupDel_->setEnabled(canDeleteGroup(model_, g));
}

void TSestDlg::groupRowChanged() {
    if (filling_) return;
    TPolSkup* group = model_.group(group_);
    if (!group) return;
    if (groupField_->currentIndex() >= 0 && groupField_->currentIndex() != group->field) {
        group->field = groupField_->currentIndex();
        group->fieldName.clear();  // the writer names it from the field list
    }
    group->newPage = newPage_->isChecked();
    for (int i = 0; i < groupRows_.size(); ++i) {
        TOddil* s = group->sections[size_t(groupSectionRows()[i].offset)];
        s->visible = groupRows_[i].visible->isChecked();
        s->height = sectionHeightFromText(groupRows_[i].height->text());
        s->condition = groupRows_[i].condition->currentIndex();
        s->pass = groupRows_[i].pass->value();
    }
}

void TSestDlg::insertGroup() {
    const int g = addReportGroup(model_);
    if (context_.groupAdded) context_.groupAdded(g);
    filling_ = true;
    fillList(groups_, groupItems(model_), g);
    filling_ = false;
    showGroup(g);
}

void TSestDlg::deleteGroup() {
    if (!canDeleteGroup(model_, group_)) return;
    if (context_.messages && !context_.messages->confirm(QString::fromUtf16(kDeleteGroupQuestion)))
        return;
    const int g = group_;
    model_.removeGroup(g);
    if (context_.groupRemoved) context_.groupRemoved(g);
    filling_ = true;
    fillList(groups_, groupItems(model_), g - 1);
    filling_ = false;
    showGroup(g - 1);
}

// --- Třídění ---

QWidget* TSestDlg::buildSortPage() {
    auto* page = named(new QWidget, "Trideni");
    auto* source = new QGroupBox(QStringLiteral("Zdroj dat"), page);
    standard_ = named(new QRadioButton(QStringLiteral("Standartní"), source), "Standartni");
    combined_ = named(new QRadioButton(QStringLiteral("Kombinovaný "), source), "Kombinovany");
    auto* sl = new QHBoxLayout(source);
    sl->addWidget(standard_);
    sl->addWidget(combined_);
    sl->addStretch();

    sortBox_ = named(new QGroupBox(QStringLiteral("Třídění"), page), "BoxTrideni");
    available_ = named(new QListWidget(sortBox_), "LBDostupne");
    available_->setAccessibleName(QStringLiteral("Dostupné položky"));
    sequence_ = named(new QListWidget(sortBox_), "LBPoradi");
    sequence_->setAccessibleName(QStringLiteral("Třídící posloupnost"));
    for (QListWidget* l : {available_, sequence_})
        l->setSelectionMode(QAbstractItemView::ExtendedSelection);
    sequence_->setDragDropMode(QAbstractItemView::InternalMove);
    sortAdd_ = button(QStringLiteral(">"), "TridAdd", sortBox_);
    sortAdd_->setAccessibleName(QStringLiteral("Přidat do třídění"));
    sortRemove_ = button(QStringLiteral("<"), "TridRemove", sortBox_);
    sortRemove_->setAccessibleName(QStringLiteral("Odebrat z třídění"));
    sortToggle_ = button(QStringLiteral("±"), "TridToggle", sortBox_);
    sortToggle_->setAccessibleName(QStringLiteral("Vzestupně nebo sestupně"));
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(sortAdd_);
    buttons->addWidget(sortRemove_);
    buttons->addWidget(sortToggle_);
    buttons->addStretch();
    auto* leftCol = new QVBoxLayout;
    leftCol->addWidget(new QLabel(QStringLiteral("Dostupné položky"), sortBox_));
    leftCol->addWidget(available_);
    auto* rightCol = new QVBoxLayout;
    rightCol->addWidget(new QLabel(QStringLiteral("Třídící posloupnost"), sortBox_));
    rightCol->addWidget(sequence_);
    auto* bl = new QHBoxLayout(sortBox_);
    bl->addLayout(leftCol, 1);
    bl->addLayout(buttons);
    bl->addLayout(rightCol, 1);

    sqlBox_ = named(new QGroupBox(QStringLiteral("Dotaz SQL"), page), "BoxSQL");
    sql_ = named(new QPlainTextEdit(sqlBox_), "MemoSQL");
    sql_->setAccessibleName(QStringLiteral("Dotaz SQL"));
    sql_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* clear = button(QStringLiteral("Smazat"), "SmazatSQL", sqlBox_);
    auto* build = button(QStringLiteral("Vytvoř SQL"), "VytvorSQL", sqlBox_);
    build->setEnabled(bool(context_.buildSql));  // the query builder, when the program has one
    auto* sqlButtons = new QHBoxLayout;
    sqlButtons->addWidget(clear);
    sqlButtons->addWidget(build);
    sqlButtons->addStretch();
    auto* ql = new QVBoxLayout(sqlBox_);
    ql->addWidget(sql_);
    ql->addLayout(sqlButtons);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(source);
    layout->addWidget(sortBox_, 1);
    layout->addWidget(sqlBox_, 1);

    auto select = [](QListWidget* l, int row) {
        if (row >= 0 && row < l->count()) {
            l->setCurrentRow(row);
            l->item(row)->setSelected(true);
        }
    };
    auto lists = [this] {
        SortLists s;
        for (int i = 0; i < available_->count(); ++i) s.available << available_->item(i)->text();
        for (int i = 0; i < sequence_->count(); ++i) s.sequence << sequence_->item(i)->text();
        return s;
    };
    auto show = [this](const SortLists& s) {
        available_->clear();
        available_->addItems(s.available);
        sequence_->clear();
        sequence_->addItems(s.sequence);
        sortAdd_->setEnabled(canAddSortFields(s));
    };
    auto add = [=, this] {
        SortLists s = lists();
        if (!canAddSortFields(s)) return;
        const int next = addSortFields(s, selectedRows(available_));
        show(s);
        select(available_, next);
        sortChanged();
    };
    auto remove = [=, this] {
        SortLists s = lists();
        const int next = removeSortFields(s, selectedRows(sequence_));
        show(s);
        select(sequence_, next);
        sortChanged();
    };
    connect(sortAdd_, &QPushButton::clicked, this, add);
    connect(available_, &QListWidget::itemDoubleClicked, this, add);
    connect(sortRemove_, &QPushButton::clicked, this, remove);
    connect(sequence_, &QListWidget::itemDoubleClicked, this, remove);
    connect(sortToggle_, &QPushButton::clicked, this, [=, this] {
        SortLists s = lists();
        const QList<int> selected = selectedRows(sequence_);
        toggleSortDirection(s, selected);
        show(s);
        for (int i : selected) sequence_->item(i)->setSelected(true);
        sortChanged();
    });
    connect(sequence_->model(), &QAbstractItemModel::rowsMoved, this, [this] { sortChanged(); });
    connect(standard_, &QRadioButton::toggled, this, [this] { sortChanged(); });
    connect(sql_, &QPlainTextEdit::textChanged, this, [this] { sortChanged(); });
    connect(clear, &QPushButton::clicked, sql_, &QPlainTextEdit::clear);
    connect(build, &QPushButton::clicked, this, [this] {
        if (!context_.buildSql) return;
        if (const auto text = context_.buildSql(sql_->toPlainText())) sql_->setPlainText(*text);
    });
    return page;
}

void TSestDlg::fillSortLists() {
    filling_ = true;
    const SortLists s = sortLists(context_.fieldNames, sortListText(values_.sortSequence));
    available_->clear();
    available_->addItems(s.available);
    sequence_->clear();
    sequence_->addItems(s.sequence);
    sortAdd_->setEnabled(canAddSortFields(s));
    (values_.dataSourceKind == DataSourceSettings::Combined ? combined_ : standard_)->setChecked(true);
    sql_->setPlainText(values_.sqlLines.join(u'\n'));
    sortBox_->setVisible(!combined_->isChecked());
    sqlBox_->setVisible(combined_->isChecked());
    filling_ = false;
}

void TSestDlg::sortChanged() {
    sortBox_->setVisible(!combined_->isChecked());
    sqlBox_->setVisible(combined_->isChecked());
    if (filling_) return;
    values_.dataSourceKind = combined_->isChecked() ? DataSourceSettings::Combined
                                                    : DataSourceSettings::Standard;
    values_.sortSequence.clear();
    for (int i = 0; i < sequence_->count(); ++i) values_.sortSequence << sequence_->item(i)->text();
    const QString sql = sql_->toPlainText();
    values_.sqlLines = sql.isEmpty() ? QStringList() : sql.split(u'\n');
    values_.restartNeeded = true;
}

// --- Tiskárny ---

QWidget* TSestDlg::buildPrintersPage() {
    auto* page = named(new QWidget, "Tiskarny");
    auto* use = new QGroupBox(QStringLiteral("Pro tisk sestavy použít tiskárnu"), page);
    defaultPrinter_ = named(new QRadioButton(QStringLiteral("Výchozí"), use), "Vychozi");
    chosenPrinters_ = named(new QRadioButton(QStringLiteral("Vybranou"), use), "Vybranou");
    auto* ul = new QHBoxLayout(use);
    ul->addWidget(defaultPrinter_);
    ul->addWidget(chosenPrinters_);
    ul->addStretch();
    installed_ = named(new QListWidget(page), "LBInstalovane");
    installed_->setAccessibleName(QStringLiteral("Seznam instalovaných tiskáren v systému"));
    chosen_ = named(new QListWidget(page), "LBVybrane");
    chosen_->setAccessibleName(QStringLiteral("Seznam vybraných tiskáren"));
    chosen_->setDragDropMode(QAbstractItemView::InternalMove);
    printerAdd_ = button(QStringLiteral("Přidat tiskárnu"), "PridatTiskarnu", page);
    printerRemove_ = button(QStringLiteral("Ubrat tiskárnu"), "UbratTiskarnu", page);
    printerSettings_ = button(QStringLiteral("Nastavit tiskárny"), "NastavitTiskarny", page);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Seznam instalovaných tiskáren v systému"), page), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Seznam vybraných tiskáren"), page), 0, 2);
    grid->addWidget(installed_, 1, 0);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(printerAdd_);
    buttons->addWidget(printerRemove_);
    buttons->addStretch();
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(chosen_, 1, 2);
    auto* settingsRow = new QHBoxLayout;
    settingsRow->addStretch();
    settingsRow->addWidget(printerSettings_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(use);
    layout->addLayout(grid, 1);
    layout->addLayout(settingsRow);

    auto add = [this] {
        for (QListWidgetItem* item : installed_->selectedItems()) {
            TPolTisk p;
            p.fullName = item->text();
            p.name = p.fullName.section(QStringLiteral(" on "), 0, 0);
            p.installed = true;
            values_.printers << p;
        }
        fillPrinterLists();
        printersChanged();
    };
    auto remove = [this] {
        const QList<int> rows = selectedRows(chosen_);
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) values_.printers.removeAt(*it);
        fillPrinterLists();
        printersChanged();
    };
    connect(printerAdd_, &QPushButton::clicked, this, add);
    connect(installed_, &QListWidget::itemDoubleClicked, this, add);
    connect(printerRemove_, &QPushButton::clicked, this, remove);
    connect(chosen_, &QListWidget::itemDoubleClicked, this, remove);
    connect(chosenPrinters_, &QRadioButton::toggled, this, [this](bool on) {
        for (QWidget* w : {static_cast<QWidget*>(installed_), static_cast<QWidget*>(chosen_),
                           static_cast<QWidget*>(printerAdd_), static_cast<QWidget*>(printerRemove_)})
            w->setEnabled(on);
        printerSettings_->setEnabled(on && bool(context_.editPrinterSettings));
        if (filling_) return;
        values_.printersChosen = on;
        values_.restartNeeded = true;
    });
    connect(chosen_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int i = chosen_->row(item);
        if (i < 0 || i >= values_.printers.size()) return;
        TPolTisk& p = values_.printers[i];
        if (p.settings.isEmpty() && context_.currentPrinterSettings) {
            p.settings = context_.currentPrinterSettings(p.fullName.isEmpty() ? p.name : p.fullName);
            values_.restartNeeded = true;
        }
    });
    connect(chosen_->model(), &QAbstractItemModel::rowsMoved, this, [this] {
        QList<TPolTisk> ordered;
        for (int i = 0; i < chosen_->count(); ++i)
            for (const TPolTisk& p : values_.printers)
                if ((p.fullName.isEmpty() ? p.name : p.fullName) == chosen_->item(i)->text())
                    ordered << p;
        if (ordered.size() == values_.printers.size()) values_.printers = ordered;
        printersChanged();
    });
    connect(printerSettings_, &QPushButton::clicked, this, [this] {
        const int i = chosen_->currentRow();
        if (!context_.editPrinterSettings || i < 0 || i >= values_.printers.size()) return;
        if (context_.editPrinterSettings(values_.printers[i])) printersChanged();
    });
    return page;
}

void TSestDlg::fillPrinterLists() {
    const bool wasFilling = filling_;
    filling_ = true;
    installed_->clear();
    installed_->addItems(availablePrinters(context_.installedPrinters, values_.printers));
    chosen_->clear();
    for (const TPolTisk& p : values_.printers) chosen_->addItem(p.fullName.isEmpty() ? p.name : p.fullName);
    filling_ = wasFilling;
}

void TSestDlg::printersChanged() {
    if (!filling_) values_.restartNeeded = true;
}

// --- Rastr ---

QWidget* TSestDlg::buildRasterPage() {
    auto* page = named(new QWidget, "Rastr");
    auto* size = new QGroupBox(QStringLiteral("Velikost rastru:"), page);
    rasterX_ = named(new QSpinBox(size), "RastrX");
    rasterY_ = named(new QSpinBox(size), "RastrY");
    for (QSpinBox* s : {rasterX_, rasterY_}) s->setRange(1, 999);
    auto* sf = new QFormLayout(size);
    sf->addRow(QStringLiteral("Rastr X:"), rasterX_);
    sf->addRow(QStringLiteral("Rastr Y:"), rasterY_);
    auto* chars = new QGroupBox(QStringLiteral("Znakový rastr"), page);
    lineSpacing_ = named(new QComboBox(chars), "Radkovani");
    lineSpacing_->addItems({QStringLiteral("6 řádků/1\""), QStringLiteral("4 řádků/1\""),
                            QStringLiteral("3 řádků/1\"")});
    charPitch_ = named(new QComboBox(chars), "RoztecZnaku");
    charPitch_->addItems({QStringLiteral("10 znaků/1\""), QStringLiteral("12 znaků/1\""),
                          QStringLiteral("16 znaků/1\"")});
    auto* cf = new QFormLayout(chars);
    cf->addRow(QStringLiteral("Řádkování"), lineSpacing_);
    cf->addRow(QStringLiteral("Rozteč znaků"), charPitch_);
    auto* set = button(QStringLiteral("Nastavit rastr"), "NastavitRastr", page);
    auto* reset = button(QStringLiteral("Default rastr"), "DefaultRastr", page);
    connect(set, &QPushButton::clicked, this, [this] {
        rasterX_->setValue(rasterXForPitch(charPitch_->currentIndex()));
        rasterY_->setValue(rasterYForSpacing(lineSpacing_->currentIndex()));
    });
    connect(reset, &QPushButton::clicked, this, [this] {
        rasterX_->setValue(context_.optionRasterX);
        rasterY_->setValue(context_.optionRasterY);
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(set);
    buttons->addWidget(reset);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(size);
    layout->addWidget(chars);
    layout->addLayout(buttons);
    layout->addStretch();
    return page;
}

// --- the whole dialog ---

void TSestDlg::setValues(const ReportSettingsValues& values) {
    values_ = values;
    title_->setText(values.title);
    fillPaperControls();
    filling_ = true;
    fillList(plans_, planItems(model_), 0);
    fillList(groups_, groupItems(model_), model_.groupCount() > 0 ? 0 : -1);
    groupByName_->setChecked(values.groupFieldsByName);
    (values.printersChosen ? chosenPrinters_ : defaultPrinter_)->setChecked(true);
    emit chosenPrinters_->toggled(values.printersChosen);
    rasterX_->setValue(rasterFromText(values.rasterXText));
    rasterY_->setValue(rasterFromText(values.rasterYText));
    lineSpacing_->setCurrentIndex(values.lineSpacing);
    charPitch_->setCurrentIndex(values.charPitch);
    filling_ = false;
    showPlan(0);
    showGroup(model_.groupCount() > 0 ? 0 : -1);
    fillSortLists();
    fillPrinterLists();
    values_.restartNeeded = false;
}

ReportSettingsValues TSestDlg::values() const {
    ReportSettingsValues v = values_;
    v.title = title_->text();
    v.rasterXText = QString::number(rasterX_->value());
    v.rasterYText = QString::number(rasterY_->value());
    v.lineSpacing = lineSpacing_->currentIndex();
    v.charPitch = charPitch_->currentIndex();
    v.groupFieldsByName = groupByName_->isChecked();
    v.printersChosen = chosenPrinters_->isChecked();
    return v;
}

void TSestDlg::setReducedForm(bool reduced) {
    for (int i = 1; i < pages_.size(); ++i) {
        const int at = tabs_->indexOf(pages_[i]);
        if (at >= 0) tabs_->setTabVisible(at, !reduced);
    }
    tabs_->setCurrentIndex(0);
}

void TSestDlg::showSection(int indexOdd) {
    // Seven sections per plan, then four per group.
    const int planSections = 7 * model_.planCount();
    if (indexOdd < 0) return;
    if (indexOdd < planSections) {
        plans_->setCurrentRow(indexOdd / 7);
        tabs_->setCurrentIndex(pageIndex(2));
    } else if ((indexOdd - planSections) / 4 < model_.groupCount()) {
        groups_->setCurrentRow((indexOdd - planSections) / 4);
        tabs_->setCurrentIndex(pageIndex(3));
    }
}

void TSestDlg::setPaperOnly(bool paperOnly) {
    for (int i = 0; i < pages_.size(); ++i) {
        const int at = tabs_->indexOf(pages_[i]);
        if (at >= 0 && i != 1) tabs_->setTabEnabled(at, !paperOnly);
    }
    tabs_->setCurrentIndex(tabs_->indexOf(pages_[1]));
}

void TSestDlg::done(int result) {
    if (context_.minimumMargins) {
        PageGeometry paper = result == QDialog::Accepted ? values_.paper : model_.paper;
        if (const auto minimum = context_.minimumMargins(paper.orientation);
            minimum && marginsBelowMinimum(paper, *minimum) && context_.messages) {
            switch (context_.messages->ask(QString::fromUtf16(kMarginsQuestion))) {
            case Messages::Answer::Cancel:
                return;  // the dialog stays open
            case Messages::Answer::Yes:
                paper = raiseMargins(paper, *minimum);
                if (result == QDialog::Accepted)
                    values_.paper = paper;
                else
                    model_.paper = paper;
                break;
            case Messages::Answer::No:
                break;
            }
        }
    }
    QDialog::done(result);
}

}  // namespace dorvana
