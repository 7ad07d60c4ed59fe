#include "report/designer/dialogs/function_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "base/messages.h"

namespace dorvana {

namespace {

struct ListSpec {
    ExpressionList list;
    const char* objectName;
    const char* caption;
    int columns;
};

const ListSpec kLists[] = {
    {ExpressionList::Fields, "LBPolozky", "Položky tabulky:", 1},
    {ExpressionList::Parameters, "LBParametry", "Parametry:", 1},
    {ExpressionList::Variables, "LBPromenne", "Proměnné:", 1},
    {ExpressionList::Functions, "LBFunkce", "Uživatelské funkce:", 1},
    {ExpressionList::Operators, "LBOperatory", "Operátory:", 3},
    {ExpressionList::Math, "LBMatFce", "Matematické funkce:", 2},
    {ExpressionList::Text, "LBTextFce", "Textové funkce:", 1},
    {ExpressionList::Logic, "LBLogFce", "Logické funkce:", 1},
    {ExpressionList::DateTime, "LBDatCas", "Datum / Čas:", 1},
};

QDialogButtonBox* okCancelHelp(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(dialog);
    auto* ok = buttons->addButton(QStringLiteral("&Konec"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Konec"));
    ok->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Storno"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

// A list as wide as its widest entry in the given number of columns (the
// entries row by row), so that no entry is cut and there are as many columns
// as asked whatever the list's height.
void fitColumns(QListWidget* list, int columns) {
    const QFontMetrics metrics = list->fontMetrics();
    int widest = 0;
    for (int i = 0; i < list->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(list->item(i)->text()));
    const int cell = widest + 2 * metrics.averageCharWidth() + 8;
    const int chrome = 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width() + 2;
    if (columns < 2) {
        list->setMinimumWidth(cell + chrome);
        return;
    }
    list->setFlow(QListView::LeftToRight);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setGridSize(QSize(cell, metrics.height() + 4));
    list->setFixedWidth(columns * cell + chrome);
}

// Tab goes through the widgets in this order.
void chainTabOrder(const QList<QWidget*>& order) {
    for (int i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace

TSest_FnEditVyraz::TSest_FnEditVyraz(const QString& expression, const FunctionEditContext& context,
                                     QWidget* parent)
    : QDialog(parent), context_(context) {
    setWindowTitle(QStringLiteral("Tvorba výrazu funkce"));
    setObjectName(QStringLiteral("TSest_FnEditVyraz"));
    expression_ = new QLineEdit(expression, this);
    expression_->setObjectName(QStringLiteral("EditVyraz"));
    expression_->setAccessibleName(QStringLiteral("Výraz"));
    byName_ = new QCheckBox(QStringLiteral("Položky podle názvu"), this);
    byName_->setObjectName(QStringLiteral("CBPodleNazvu"));
    byName_->setEnabled(context.enabledTypeFields);
    byName_->setChecked(context.byName);
    insert_ = new QPushButton(QStringLiteral("Vložit"), this);
    insert_->setObjectName(QStringLiteral("Vlozit"));
    insert_->setEnabled(false);
    auto* checkButton = new QPushButton(QStringLiteral("Kontrola"), this);
    checkButton->setObjectName(QStringLiteral("Kontrola"));
    connect(insert_, &QPushButton::clicked, this, [this] { insertRemembered(); });
    connect(checkButton, &QPushButton::clicked, this, [this] { check(); });

    auto* grid = new QGridLayout;
    int i = 0;
    for (const ListSpec& spec : kLists) {
        auto* lw = new QListWidget(this);
        lw->setObjectName(QString::fromLatin1(spec.objectName));
        lw->setAccessibleName(QString::fromUtf8(spec.caption));
        lw->addItems(expressionListEntries(spec.list, context.references));
        if (spec.list == ExpressionList::Text) lw->sortItems();
        fitColumns(lw, spec.columns);
        lw->setMinimumHeight(90);
        lw->installEventFilter(this);
        const int which = int(spec.list);
        lists_[which] = lw;
        connect(lw, &QListWidget::itemClicked, this,
                [this, which] { remember(ExpressionList(which), true); });
        connect(lw, &QListWidget::itemDoubleClicked, this, [this, which] {
            remember(ExpressionList(which), true);
            insertRemembered();
        });
        auto* box = new QVBoxLayout;
        auto* caption = new QLabel(QString::fromUtf8(spec.caption), this);
        caption->setBuddy(lw);
        box->addWidget(caption);
        box->addWidget(lw);
        grid->addLayout(box, i / 5, i % 5);
        ++i;
    }
    auto* top = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Výraz:"), this);
    label->setBuddy(expression_);
    top->addWidget(label);
    top->addWidget(expression_, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(byName_);
    row->addStretch();
    row->addWidget(insert_);
    row->addWidget(checkButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid, 1);
    layout->addLayout(row);
    QDialogButtonBox* buttons = okCancelHelp(this);
    layout->addWidget(buttons);
    QList<QWidget*> order{expression_};
    for (QListWidget* lw : lists_)
        if (lw) order << lw;
    order << byName_ << insert_ << checkButton;
    for (QAbstractButton* b : buttons->buttons()) order << b;
    chainTabOrder(order);
    resize(900, 520);
}

bool TSest_FnEditVyraz::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < 9; ++i)
        if (watched == lists_[i]) {
            if (event->type() == QEvent::FocusIn) remember(ExpressionList(i), false);
            if (event->type() == QEvent::FocusOut && remembered_ != i) lists_[i]->clearSelection();
        }
    return QDialog::eventFilter(watched, event);
}

void TSest_FnEditVyraz::remember(ExpressionList which, bool withIndex) {
    remembered_ = int(which);
    if (withIndex) rememberedIndex_ = lists_[remembered_]->currentRow();
    insert_->setEnabled(true);
}

void TSest_FnEditVyraz::insertRemembered() {
    if (remembered_ < 0) return;
    QListWidget* lw = lists_[remembered_];
    const int row = rememberedIndex_ >= 0 ? rememberedIndex_ : lw->currentRow();
    if (row >= 0 && row < lw->count()) {
        const bool hasSelection = expression_->hasSelectedText();
        const int start = hasSelection ? expression_->selectionStart() : expression_->cursorPosition();
        const int length = hasSelection ? int(expression_->selectedText().size()) : 0;
        const ExpressionEdit edit =
            insertExpressionEntry(expression_->text(), start, length, ExpressionList(remembered_),
                                  lw->item(row)->text(), byName_->isChecked());
        expression_->setText(edit.text);
        expression_->setCursorPosition(edit.caret);
    }
    lw->clearSelection();
    remembered_ = rememberedIndex_ = -1;
    insert_->setEnabled(false);
    expression_->setFocus();
}

void TSest_FnEditVyraz::check() {
    const ExpressionCheck c = checkExpression(expression_->text(), context_.source);
    if (context_.messages) {
        if (c.ok)
            context_.messages->information(c.message);
        else
            context_.messages->error(c.message);
    }
    if (!c.ok) {
        expression_->setFocus();
        expression_->deselect();
        expression_->setCursorPosition(c.caret);
    }
}

QString TSest_FnEditVyraz::expression() const {
    return expression_->text();
}

std::optional<QString> EditExpression(const QString& text, const FunctionEditContext& context,
                                      QWidget* parent) {
    TSest_FnEditVyraz dialog(text, context, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.expression();
}

TFunkceDlg::TFunkceDlg(const FunctionDefinition& row, const FunctionEditContext& context,
                       QWidget* parent)
    : QDialog(parent), row_(row), context_(context) {
    setWindowTitle(QStringLiteral("Nastavení parametrů funkce"));
    setObjectName(QStringLiteral("TFunkceDlg"));
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    auto combo = [this](const char* name, const QStringList& items) {
        auto* c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        c->addItems(items);
        return c;
    };
    name_ = edit("EditFnNaz");
    description_ = edit("EditFnPop");
    expression_ = edit("EditFnVyr");
    initial_ = edit("EditFnPoh");
    precision_ = edit("EditFnSir");
    digits_ = edit("EditFnDes");
    mask_ = edit("ObFormat");
    type_ = combo("CBFnTyp", resultTypeItems());
    resetScope_ = combo("CBFnPhn", resetScopeItems(context.groupCount));
    format_ = combo("CbFnFrm", numberFormatItems());
    booleanInitial_ = combo("BolPocHod", {QStringLiteral("False"), QStringLiteral("True")});
    auto* editButton = new QPushButton(QStringLiteral("..."), this);
    editButton->setObjectName(QStringLiteral("EditVyrazButton"));
    editButton->setAccessibleName(QStringLiteral("Tvorba výrazu funkce"));
    editButton->setToolTip(QStringLiteral("Tvorba výrazu funkce"));
    connect(editButton, &QPushButton::clicked, this, [this] { openExpressionEditor(); });

    auto radios = [this](const char* name, const QStringList& items, QButtonGroup** group) {
        auto* box = new QGroupBox(QStringLiteral("Další zpracování:"), this);
        box->setObjectName(QString::fromLatin1(name));
        *group = new QButtonGroup(box);
        auto* grid = new QGridLayout(box);
        for (int i = 0; i < items.size(); ++i) {
            auto* r = new QRadioButton(items[i], box);
            r->setObjectName(QStringLiteral("%1_%2").arg(QString::fromLatin1(name)).arg(i));
            (*group)->addButton(r, i);
            grid->addWidget(r, i % 4, i / 4);
        }
        return box;
    };
    numberProcessing_ = radios("RGDalZpr", numberProcessingItems(), &numberGroup_);
    booleanProcessing_ = radios("BolRG", booleanProcessingItems(), &booleanGroup_);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Název:"), name_);
    form->addRow(QStringLiteral("Popis:"), description_);
    form->addRow(QStringLiteral("Typ výsledku:"), type_);
    auto* exprRow = new QHBoxLayout;
    exprRow->addWidget(expression_, 1);
    exprRow->addWidget(editButton);
    form->addRow(QStringLiteral("Výraz:"), exprRow);
    initialLabel_ = new QLabel(QStringLiteral("Počáteční hodnota:"), this);
    auto* initialRow = new QHBoxLayout;
    initialRow->addWidget(initial_, 1);
    initialRow->addWidget(booleanInitial_, 1);
    form->addRow(initialLabel_, initialRow);
    resetLabel_ = new QLabel(QStringLiteral("Nastavit na začátku"), this);
    form->addRow(resetLabel_, resetScope_);
    initialLabel_->setBuddy(initial_);
    resetLabel_->setBuddy(resetScope_);

    auto* output = new QGroupBox(QStringLiteral("Výstupní formát:"), this);
    auto* outForm = new QFormLayout(output);
    formatLabel_ = new QLabel(QStringLiteral("Formát:"), output);
    precisionLabel_ = new QLabel(QStringLiteral("Celkový počet znaků:"), output);
    digitsLabel_ = new QLabel(QStringLiteral("Počet desetinných míst:"), output);
    maskLabel_ = new QLabel(QStringLiteral("Maska formátu:"), output);
    outForm->addRow(formatLabel_, format_);
    outForm->addRow(precisionLabel_, precision_);
    outForm->addRow(digitsLabel_, digits_);
    outForm->addRow(maskLabel_, mask_);
    formatLabel_->setBuddy(format_);
    precisionLabel_->setBuddy(precision_);
    digitsLabel_->setBuddy(digits_);
    maskLabel_->setBuddy(mask_);

    auto* lower = new QHBoxLayout;
    lower->addWidget(numberProcessing_);
    lower->addWidget(booleanProcessing_);
    lower->addWidget(output, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(lower);
    QDialogButtonBox* buttons = okCancelHelp(this);
    layout->addWidget(buttons);
    QList<QWidget*> order{name_, description_, type_, expression_, editButton,
                          initial_, booleanInitial_, resetScope_};
    for (QAbstractButton* b : numberGroup_->buttons()) order << b;
    for (QAbstractButton* b : booleanGroup_->buttons()) order << b;
    order << format_ << precision_ << digits_ << mask_;
    for (QAbstractButton* b : buttons->buttons()) order << b;
    chainTabOrder(order);

    // Fill from the row.
    const FunctionDialogValues v = functionDialogValues(row);
    name_->setText(v.name);
    description_->setText(v.description);
    type_->setCurrentIndex(v.resultType);
    expression_->setText(v.expression);
    initial_->setText(v.initialValue);
    booleanInitial_->setCurrentIndex(v.booleanInitial ? 1 : 0);
    resetScope_->setCurrentIndex(qBound(0, v.resetScope, resetScope_->count() - 1));
    numberGroup_->button(v.numberProcessing)->setChecked(true);
    booleanGroup_->button(v.booleanProcessing)->setChecked(true);
    precision_->setText(v.precisionText);
    digits_->setText(v.digitsText);
    format_->setCurrentIndex(v.numberFormat);
    // Room for every control any type or format shows: switching them never
    // widens the dialog.
    for (QWidget* w : std::initializer_list<QWidget*>{numberProcessing_, booleanProcessing_, initial_,
                                                      booleanInitial_, precision_, precisionLabel_,
                                                      digits_, digitsLabel_, mask_, maskLabel_})
        w->setVisible(true);
    setMinimumSize(sizeHint());
    arrange();
    mask_->setText(v.mask);  // the row's mask wins over the arrangement's

    connect(type_, &QComboBox::currentIndexChanged, this, [this] { arrange(); });
    connect(format_, &QComboBox::currentIndexChanged, this, [this] { arrangeForNumberFormat(); });
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int caret = name_->cursorPosition();
        const QString clean = sanitizeFunctionName(text);
        if (clean != text) {
            name_->setText(clean);
            name_->setCursorPosition(caret);
        }
    });
}

void TFunkceDlg::arrange() {
    const FunctionControlsState s = arrangeFunctionControls(type_->currentIndex(),
                                                           format_->currentIndex());
    numberProcessing_->setVisible(s.numberProcessingVisible);
    booleanProcessing_->setVisible(s.booleanProcessingVisible);
    initial_->setVisible(s.initialValueVisible);
    booleanInitial_->setVisible(s.booleanInitialVisible);
    format_->setEnabled(s.formatEnabled);
    formatLabel_->setEnabled(s.formatEnabled);
    precision_->setEnabled(s.precisionEnabled);
    digits_->setEnabled(s.digitsEnabled);
    numberProcessing_->setEnabled(s.processingEnabled);
    initial_->setEnabled(s.initialValueEnabled);
    initialLabel_->setEnabled(s.initialValueEnabled || s.booleanInitialVisible);
    resetScope_->setEnabled(s.resetScopeEnabled);
    resetLabel_->setEnabled(s.resetScopeEnabled);
    mask_->setEnabled(s.maskEnabled);
    maskLabel_->setEnabled(s.maskEnabled);
    precision_->setVisible(s.precisionVisible);
    precisionLabel_->setVisible(s.precisionVisible);
    digits_->setVisible(s.digitsVisible);
    digitsLabel_->setVisible(s.digitsVisible);
    mask_->setVisible(s.maskVisible);
    maskLabel_->setVisible(s.maskVisible);
    if (!s.mask.isEmpty()) mask_->setText(s.mask);
}

void TFunkceDlg::arrangeForNumberFormat() {
    if (type_->currentIndex() == FunctionDefinition::DateTime) return;
    const bool picture = format_->currentIndex() == kPictureNumberFormat;
    mask_->setVisible(picture);
    maskLabel_->setVisible(picture);
    precision_->setVisible(!picture);
    precisionLabel_->setVisible(!picture);
    digits_->setVisible(!picture);
    digitsLabel_->setVisible(!picture);
}

void TFunkceDlg::openExpressionEditor() {
    if (const auto text = EditExpression(expression_->text(), context_, this))
        expression_->setText(*text);
}

FunctionDialogValues TFunkceDlg::values() const {
    FunctionDialogValues v;
    v.name = name_->text();
    v.description = description_->text();
    v.resultType = type_->currentIndex();
    v.expression = expression_->text();
    v.initialValue = initial_->text();
    v.booleanInitial = booleanInitial_->currentIndex() == 1;
    v.resetScope = resetScope_->currentIndex();
    v.numberProcessing = qMax(0, numberGroup_->checkedId());
    v.booleanProcessing = qMax(0, booleanGroup_->checkedId());
    v.precisionText = precision_->text();
    v.digitsText = digits_->text();
    v.numberFormat = format_->currentIndex();
    v.mask = mask_->text();
    return v;
}

FunctionDefinition TFunkceDlg::result() const {
    return applyFunctionDialog(row_, values());
}

int EditFunction(const FunctionEditContext& context, FunctionDefinition& row, QWidget* parent) {
    TFunkceDlg dialog(row, context, parent);
    if (dialog.exec() != QDialog::Accepted) return 2;
    row = dialog.result();
    return 1;
}

}  // namespace dorvana
