#include "app/new_database_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <functional>

#include "base/messages.h"

namespace dorvana {

namespace {

const QString kDbaseFilter = QStringLiteral("Soubory DBASE (*.dbf)");
const QString kParadoxFilter = QStringLiteral("Soubory Paradox (*.db)");

// "Seznam polí": an entry dropped onto another entry moves there; the list
// itself moves nothing (the dialog rebuilds it from its field list).
class FieldListView : public QListWidget {
public:
    explicit FieldListView(QWidget* parent) : QListWidget(parent) {
        setSelectionMode(QAbstractItemView::SingleSelection);
        setDragEnabled(true);
        setAcceptDrops(true);
        setDropIndicatorShown(true);
        setDragDropOverwriteMode(true);  // the drop goes onto an entry, not between two
        setDragDropMode(QAbstractItemView::DragDrop);
        setDefaultDropAction(Qt::MoveAction);
    }
    std::function<void(int from, int to)> dropped;

protected:
    void dropEvent(QDropEvent* event) override {
        const int from = currentRow();
        const QModelIndex onto = indexAt(event->position().toPoint());
        // The view ends its drag state; an ignored action changes no item.
        event->setDropAction(Qt::IgnoreAction);
        QListWidget::dropEvent(event);
        event->accept();
        if (from >= 0 && onto.isValid() && onto.row() != from && dropped) dropped(from, onto.row());
    }
};

}  // namespace

TFieldForm::TFieldForm(const FieldList& list, const FieldEntry& entry, int editing,
                       Messages& messages, QWidget* parent)
    : QDialog(parent), list_(list), editing_(editing), messages_(messages) {
    setWindowTitle(QStringLiteral("Nové pole"));
    setObjectName(QStringLiteral("TFieldForm"));
    auto* group = new QGroupBox(QStringLiteral("Popis pole"), this);
    name_ = new QLineEdit(entry.name, group);
    name_->setObjectName(QStringLiteral("NazevPole"));
    type_ = new QComboBox(group);
    type_->setObjectName(QStringLiteral("TypPole"));
    for (int t = 1; t <= int(FieldType::Graphic); ++t) type_->addItem(fieldTypeName(fieldTypeFromNumber(t)));
    type_->setCurrentIndex(entry.type - 1);  // -1: none chosen
    length_ = new QSpinBox(group);
    length_->setObjectName(QStringLiteral("Delka"));
    length_->setRange(0, 9999);
    length_->setValue(entry.length);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("&Název pole"), name_);
    form->addRow(QStringLiteral("&Typ pole"), type_);
    form->addRow(QStringLiteral("&Délka"), length_);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Zrušit"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TFieldForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

FieldEntry TFieldForm::entry() const {
    return {name_->text(), type_->currentIndex() + 1, length_->value()};
}

void TFieldForm::accept() {
    const QString why = list_.check(entry(), editing_);
    if (!why.isEmpty()) {
        messages_.error(why);
        return;
    }
    QDialog::accept();
}

TBasForm::TBasForm(const QString& dataDirectory, Messages& messages, QWidget* parent)
    : QDialog(parent), data_(dataDirectory), messages_(messages) {
    setWindowTitle(QStringLiteral("Tvorba nové databáze"));
    setObjectName(QStringLiteral("TBasForm"));
    auto* caption = new QLabel(QStringLiteral("Seznam polí"), this);
    auto* list = new FieldListView(this);
    list->dropped = [this](int from, int to) { moveField(from, to); };
    view_ = list;
    view_->setObjectName(QStringLiteral("TrPol"));
    view_->setAccessibleName(QStringLiteral("Seznam polí"));
    view_->installEventFilter(this);
    view_->viewport()->installEventFilter(this);
    caption->setBuddy(view_);
    connect(view_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { editField(view_->row(item)); });
    auto* hint = new QLabel(QStringLiteral("Insert - přidej pole      Delete - zruš pole"), this);

    auto button = [this](const char* text, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* add = button("Přidej pole", "Button3");
    QPushButton* remove = button("Zruš pole", "Button4");
    QPushButton* load = button("Načti", "Button5");
    QPushButton* save = button("Uložit", "Button1");
    QPushButton* cancel = button("Zrušit", "Button2");
    connect(add, &QPushButton::clicked, this, &TBasForm::addField);
    connect(remove, &QPushButton::clicked, this, &TBasForm::removeField);
    connect(load, &QPushButton::clicked, this, &TBasForm::loadFields);
    connect(save, &QPushButton::clicked, this, &TBasForm::createTable);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {add, remove, load}) side->addWidget(b);
    side->addStretch(1);
    side->addWidget(save);
    side->addWidget(cancel);
    auto* main = new QVBoxLayout;
    main->addWidget(caption);
    main->addWidget(view_, 1);
    main->addWidget(hint);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(main, 1);
    layout->addLayout(side);
    resize(420, 360);
}

void TBasForm::refresh(int current) {
    view_->clear();
    for (const FieldEntry& e : list_.entries()) view_->addItem(e.name);
    if (current >= 0) view_->setCurrentRow(current);
}

void TBasForm::addField() {
    TFieldForm form(list_, {}, -1, messages_, this);
    if (form.exec() != QDialog::Accepted) return;
    list_.add(form.entry());
    refresh(int(list_.entries().size()) - 1);
}

void TBasForm::editField(int index) {
    if (index < 0 || index >= list_.entries().size()) return;
    TFieldForm form(list_, list_.entries()[index], index, messages_, this);
    if (form.exec() != QDialog::Accepted) return;
    list_.replace(index, form.entry());
    refresh(index);
}

void TBasForm::removeField() {
    const int row = view_->currentRow();
    if (row < 0) return;
    list_.remove(row);
    refresh(std::min(row, int(list_.entries().size()) - 1));
}

void TBasForm::moveField(int from, int to) {
    list_.move(from, to);
    refresh(to);
}

bool TBasForm::loadFrom(const QString& path) {
    QString error;
    if (!list_.load(path, &error)) {
        messages_.beep();
        return false;
    }
    refresh();
    return true;
}

void TBasForm::loadFields() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Načtení polí tabulky"),
                                                      data_, kDbaseFilter + QStringLiteral(";;") + kParadoxFilter);
    if (!path.isEmpty()) loadFrom(path);
}

bool TBasForm::createAt(const QString& path, TableKind kind) {
    QString error = replacesOpenTable(path, kind, openFiles_);
    if (!error.isEmpty()) {
        messages_.error(error);
        return false;
    }
    if (QFileInfo::exists(path) && !messages_.confirmQuestion(QStringLiteral("Soubor existuje - bude zrušen")))
        return false;
    if (!list_.create(path, kind, &error)) {
        messages_.error(error);
        return false;
    }
    return true;
}

void TBasForm::createTable() {
    QString filter = kDbaseFilter;
    // The question over an existing file is the program's own (createAt).
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Uložení nové tabulky"), data_,
                                                kDbaseFilter + QStringLiteral(";;") + kParadoxFilter, &filter,
                                                QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return;
    const bool dbase = filter == kDbaseFilter;
    if (QFileInfo(path).suffix().isEmpty()) path += dbase ? QStringLiteral(".dbf") : QStringLiteral(".db");
    if (createAt(path, dbase ? TableKind::Dbase : TableKind::Paradox)) accept();
}

bool TBasForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_->viewport() && event->type() == QEvent::MouseButtonRelease)
        messages_.beep();
    if (watched == view_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Insert) {
            addField();
            return true;
        }
        if (key == Qt::Key_Delete) {
            removeField();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace dorvana
