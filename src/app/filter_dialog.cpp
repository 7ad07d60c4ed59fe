#include "app/filter_dialog.h"

#include <QCalendarWidget>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/messages.h"
#include "data/data_set.h"

namespace dorvana {

namespace {

constexpr char16_t kDateMask[] = u"99.99.9999; ";
constexpr char16_t kEmptyDate[] = u"  .  .    ";
const QString kFilterFiles = QStringLiteral("Soubory filtračních podmínek|*.flt");

double realOf(const QString& text) {
    QString t = text.trimmed();
    t.replace(u',', u'.');
    return t.isEmpty() ? 0 : t.toDouble();
}

}  // namespace

TfmFilter2::TfmFilter2(DataSet& shown, Messages& messages, FileChooser chooseFile, QWidget* parent)
    : QDialog(parent),
      shown_(shown),
      messages_(messages),
      chooseFile_(std::move(chooseFile)),
      composer_(filterFields(shown)) {
    setObjectName(QStringLiteral("fmFilter2"));
    setWindowTitle(QStringLiteral("Volba filtru"));

    auto* listCaption = new QLabel(QStringLiteral("Pole souboru"), this);
    fields_ = new QListWidget(this);
    fields_->setObjectName(QStringLiteral("FieldList"));
    fields_->setAccessibleName(QStringLiteral("Pole souboru"));
    listCaption->setBuddy(fields_);
    for (const FilterField& f : composer_.fields()) {
        auto* item = new QListWidgetItem(f.label, fields_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    fields_->setMinimumSize(200, 260);
    connect(fields_, &QListWidget::itemClicked, this, [this](QListWidgetItem* i) { choose(fields_->row(i)); });
    connect(fields_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* i) { choose(fields_->row(i)); });

    fromLabel_ = new QLabel(QStringLiteral("Hodnota od :"), this);
    toLabel_ = new QLabel(QStringLiteral("Hodnota do :"), this);
    const char* names[KindCount][2] = {{"FromText", "ToText"}, {"FromNumber", "ToNumber"},
                                       {"FromDate", "ToDate"}};
    auto* inputs = new QGridLayout;
    inputs->addWidget(fromLabel_, 0, 0);
    inputs->addWidget(toLabel_, 1, 0);
    // Each row: the input of the chosen field's kind, then (dates) the calendar.
    QHBoxLayout* rows[2] = {new QHBoxLayout, new QHBoxLayout};
    for (int k = 0; k < KindCount; ++k) {
        from_[k] = makeInput(names[k][0]);
        to_[k] = makeInput(names[k][1]);
        from_[k]->setAccessibleName(QStringLiteral("Hodnota od"));
        to_[k]->setAccessibleName(QStringLiteral("Hodnota do"));
        rows[0]->addWidget(from_[k]);
        rows[1]->addWidget(to_[k]);
    }
    fromLabel_->setBuddy(from_[Text]);
    toLabel_->setBuddy(to_[Text]);
    for (QLineEdit* e : {from_[Date], to_[Date]}) e->setInputMask(QString::fromUtf16(kDateMask));
    for (QLineEdit* e : {from_[Number], to_[Number]}) e->setAlignment(Qt::AlignRight);
    for (int i = 0; i < 2; ++i) {
        QLineEdit* target = i == 0 ? from_[Date] : to_[Date];
        calendar_[i] = new QToolButton(this);
        calendar_[i]->setObjectName(i == 0 ? QStringLiteral("FromCalendar") : QStringLiteral("ToCalendar"));
        calendar_[i]->setText(QStringLiteral("…"));
        calendar_[i]->setToolTip(QStringLiteral("Kalendář"));
        calendar_[i]->setAccessibleName(QStringLiteral("Kalendář"));
        calendar_[i]->setFocusPolicy(Qt::NoFocus);
        rows[i]->addWidget(calendar_[i]);
        rows[i]->addStretch(1);
        inputs->addLayout(rows[i], i, 1);
        connect(calendar_[i], &QToolButton::clicked, this, [this, target, i] {
            auto* cal = new QCalendarWidget(this);
            cal->setWindowFlags(Qt::Popup);
            cal->setAttribute(Qt::WA_DeleteOnClose);
            cal->move(calendar_[i]->mapToGlobal(QPoint(0, calendar_[i]->height())));
            connect(cal, &QCalendarWidget::activated, this, [cal, target](QDate d) {
                target->setText(d.toString(QStringLiteral("dd.MM.yyyy")));
                cal->close();
                target->setFocus();
            });
            cal->show();
        });
    }
    inputs->setColumnStretch(1, 1);
    inputs->setRowStretch(2, 1);

    struct ButtonDef {
        const char* name;
        const char* caption;
        void (TfmFilter2::*handler)();
    } defs[] = {{"Button1", "&OK", &TfmFilter2::Button1Click},
                {"Button3", "&Dále", &TfmFilter2::Button3Click},
                {"Button2", "&Výmaz", &TfmFilter2::Button2Click},
                {"SaveButton", "&Ulož", &TfmFilter2::SaveButtonClick},
                {"LoadButton", "&Načti", &TfmFilter2::LoadButtonClick}};
    auto* buttons = new QHBoxLayout;
    for (const ButtonDef& d : defs) {
        auto* b = new QPushButton(QString::fromUtf8(d.caption), this);
        b->setObjectName(QString::fromLatin1(d.name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, d.handler);
        buttons->addWidget(b);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(listCaption);
    left->addWidget(fields_, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(inputs, 1);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top, 1);
    lay->addLayout(buttons);
    resize(640, 380);
    resetAll(true);
}

QLineEdit* TfmFilter2::makeInput(const char* name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    e->installEventFilter(this);
    return e;
}

QLineEdit* TfmFilter2::fromInput() const { return kind_ >= 0 ? from_[kind_] : nullptr; }
QLineEdit* TfmFilter2::toInput() const { return kind_ >= 0 ? to_[kind_] : nullptr; }

QString TfmFilter2::emptyText(Kind kind) const {
    switch (kind) {
        case Number:
            return QStringLiteral("0");
        case Date:
            return QString::fromUtf16(kEmptyDate);
        default:
            return {};
    }
}

void TfmFilter2::clearInputs() {
    for (int k = 0; k < KindCount; ++k) {
        from_[k]->setText(emptyText(Kind(k)));
        to_[k]->setText(emptyText(Kind(k)));
    }
}

void TfmFilter2::enableInputs(bool on) {
    for (int k = 0; k < KindCount; ++k) {
        from_[k]->setEnabled(on);
        to_[k]->setEnabled(on);
    }
    for (QToolButton* b : calendar_) b->setEnabled(on);
}

void TfmFilter2::showTicks() {
    for (int i = 0; i < fields_->count(); ++i)
        fields_->item(i)->setCheckState(composer_.isTicked(i) ? Qt::Checked : Qt::Unchecked);
}

void TfmFilter2::resetAll(bool disableInputs) {
    composer_.reset();
    // Number inputs start as whole numbers.
    for (QLineEdit* e : {from_[Number], to_[Number]})
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{0,10}")), e));
    clearInputs();
    showTicks();
    if (disableInputs) {
        enableInputs(false);
        for (int k = 0; k < KindCount; ++k) {
            from_[k]->setVisible(k == Text);
            to_[k]->setVisible(k == Text);
        }
        for (QToolButton* b : calendar_) b->hide();
        kind_ = -1;
    }
}

void TfmFilter2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    resetAll(true);
    fields_->setFocus();
}

void TfmFilter2::choose(int row) {
    const FilterInput input = composer_.choose(row);
    showTicks();
    int kind = -1;
    switch (input) {
        case FilterInput::Text:
            kind = Text;
            break;
        case FilterInput::WholeNumber:
        case FilterInput::RealNumber:
            kind = Number;
            break;
        case FilterInput::Date:
            kind = Date;
            break;
        case FilterInput::None:
            break;
    }
    for (int k = 0; k < KindCount; ++k) {
        from_[k]->setVisible(k == kind);
        to_[k]->setVisible(k == kind);
    }
    for (QToolButton* b : calendar_) b->setVisible(kind == Date);
    kind_ = kind;
    if (kind < 0) {
        enableInputs(false);
        return;
    }
    fromLabel_->setBuddy(from_[kind]);
    toLabel_->setBuddy(to_[kind]);
    const FilterField& f = composer_.fields()[row];
    const int width = std::min(f.displayWidth * 10 + 5, 250);
    for (QLineEdit* e : {from_[kind], to_[kind]}) {
        e->setEnabled(true);
        e->setFixedWidth(std::max(width, 60));
        if (kind == Text) e->setMaxLength(std::max(1, f.displayWidth));
        if (kind == Number) {
            const QString pattern = input == FilterInput::WholeNumber ? QStringLiteral("-?\\d{0,10}")
                                                                      : QStringLiteral("-?\\d{0,13}([.,]\\d{0,2})?");
            e->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), e));
        }
    }
    if (kind == Date)
        for (QToolButton* b : calendar_) b->setEnabled(true);
    from_[kind]->setToolTip(filterPicture(f));
    to_[kind]->setToolTip(filterPicture(f));
    from_[kind]->setFocus();
    from_[kind]->selectAll();
}

void TfmFilter2::leaveFrom() {
    if (kind_ < 0) return;
    to_[kind_]->setText(from_[kind_]->text());
    if (kind_ == Date) to_[kind_]->setText(from_[kind_]->displayText());
    to_[kind_]->setFocus();
    to_[kind_]->selectAll();
}

void TfmFilter2::leaveTo() {
    if (kind_ < 0 || !to_[kind_]->isEnabled()) return;
    const int row = composer_.currentField();
    const FilterInput input = row >= 0 ? filterInput(composer_.fields()[row].type) : FilterInput::None;
    QString error;
    bool added = false;
    const QString a = kind_ == Date ? from_[kind_]->displayText() : from_[kind_]->text();
    const QString b = kind_ == Date ? to_[kind_]->displayText() : to_[kind_]->text();
    switch (input) {
        case FilterInput::Text:
            added = composer_.addText(a, b, &error);
            break;
        case FilterInput::WholeNumber:
            added = composer_.addWholeNumber(a.trimmed().toLongLong(), b.trimmed().toLongLong(), &error);
            break;
        case FilterInput::RealNumber:
            added = composer_.addRealNumber(realOf(a), realOf(b), &error);
            break;
        case FilterInput::Date:
            added = composer_.addDate(a, b, &error);
            break;
        case FilterInput::None:
            return;
    }
    enableInputs(false);
    if (!added) {
        clearInputs();
        messages_.error(error);
        from_[kind_]->setFocus();
    } else {
        fields_->setFocus();
    }
}

bool TfmFilter2::eventFilter(QObject* watched, QEvent* event) {
    if (kind_ < 0 || leaving_) return QDialog::eventFilter(watched, event);
    const bool isFrom = watched == from_[kind_];
    const bool isTo = watched == to_[kind_];
    if (!isFrom && !isTo) return QDialog::eventFilter(watched, event);
    // Enter moves on as leaving the input does.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            leaving_ = true;
            isFrom ? leaveFrom() : leaveTo();
            leaving_ = false;
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut && static_cast<QWidget*>(watched)->isEnabled()) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            leaving_ = true;
            isFrom ? leaveFrom() : leaveTo();
            leaving_ = false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfmFilter2::applyFilter(const QString& text) {
    const QString oldText = shown_.filter();
    const bool oldOn = shown_.isFiltered();
    QString error;
    const bool ok = text.isEmpty() ? shown_.setFiltered(false, &error) && shown_.setFilter({}, &error)
                                   : shown_.setFilter(text, &error) && shown_.setFiltered(true, &error);
    if (ok) return;
    messages_.error(error);
    QString ignored;
    shown_.setFilter(oldText, &ignored);
    shown_.setFiltered(oldOn, &ignored);
}

void TfmFilter2::Button1Click() {
    // A range typed but not yet left counts.
    if (kind_ >= 0 && to_[kind_]->hasFocus()) {
        leaving_ = true;
        leaveTo();
        leaving_ = false;
    }
    applyFilter(composer_.filterText());
    accept();
}

void TfmFilter2::Button3Click() {
    composer_.nextGroup();
}

void TfmFilter2::Button2Click() {
    resetAll(false);
}

void TfmFilter2::SaveButtonClick() {
    if (composer_.conditionCount() == 0) return;
    const QString path = chooseFile_({QStringLiteral("Uložení podmínek filtru"), kFilterFiles,
                                      QStringLiteral("flt"), QStringLiteral("."), true});
    if (path.isEmpty()) return;
    QString error;
    if (!saveFilterFile(path, composer_.filterText(), &error)) messages_.error(error);
}

void TfmFilter2::LoadButtonClick() {
    const QString path = chooseFile_({QStringLiteral("Načtení podmínek filtru"), kFilterFiles,
                                      QStringLiteral("flt"), QStringLiteral("."), false});
    if (path.isEmpty()) return;
    QString text, error;
    if (!loadFilterFile(path, &text, &error)) {
        messages_.error(error);
        return;
    }
    if (text.isEmpty()) {
        messages_.error(QStringLiteral("Soubor filtru %1 je prázdný.").arg(path));
        return;
    }
    applyFilter(text);
    accept();
}

}  // namespace dorvana
