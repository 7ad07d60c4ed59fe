#include "app/query_builder_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>

#include "app/core/sql_from_rewrite.h"
#include "app/late_progress.h"
#include "controls/data_set_model.h"
#include "controls/message_boxes.h"
#include "data/pg_connection.h"
#include "data/table_open.h"

namespace dorvana {

namespace {
QPushButton* button(const QString& text, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}
}  // namespace

QueryBuilderDialog::QueryBuilderDialog(const QString& dataDir, QWidget* parent, Messages* messages)
    : QDialog(parent), dataDir_(dataDir) {
    if (!messages) {
        ownMessages_ = std::make_unique<MessageBoxes>(this);
        messages = ownMessages_.get();
    }
    messages_ = messages;
    setObjectName(QStringLiteral("QueryBuilder"));
    setWindowTitle(QStringLiteral("Dotaz SQL"));

    // Tables.
    auto* tablesBox = new QGroupBox(QStringLiteral("Tabulky"), this);
    tables_ = new QListWidget(tablesBox);
    tables_->setObjectName(QStringLiteral("tables"));
    tables_->setAccessibleName(QStringLiteral("Tabulky"));
    auto* addTableB = button(QStringLiteral("Přidat tabulku…"), QStringLiteral("addTable"), tablesBox);
    auto* removeTableB = button(QStringLiteral("Odebrat tabulku"), QStringLiteral("removeTable"), tablesBox);
    auto* tl = new QGridLayout(tablesBox);
    tl->addWidget(tables_, 0, 0, 1, 2);
    tl->addWidget(addTableB, 1, 0);
    tl->addWidget(removeTableB, 1, 1);

    // Fields and join.
    auto* fieldsBox = new QGroupBox(QStringLiteral("Pole"), this);
    fields_ = new QListWidget(fieldsBox);
    fields_->setObjectName(QStringLiteral("fields"));
    fields_->setAccessibleName(QStringLiteral("Pole"));
    joinLeft_ = new QComboBox(fieldsBox);
    joinLeft_->setObjectName(QStringLiteral("joinLeft"));
    joinLeft_->setAccessibleName(QStringLiteral("Spojit pole"));
    joinRight_ = new QComboBox(fieldsBox);
    joinRight_->setObjectName(QStringLiteral("joinRight"));
    joinRight_->setAccessibleName(QStringLiteral("s polem"));
    auto* fl = new QFormLayout(fieldsBox);
    fl->addRow(fields_);
    fl->addRow(QStringLiteral("Spojit pole"), joinLeft_);
    fl->addRow(QStringLiteral("s polem"), joinRight_);

    // Conditions and order.
    auto* whereBox = new QGroupBox(QStringLiteral("Podmínky a řazení"), this);
    condField_ = new QComboBox(whereBox);
    condField_->setObjectName(QStringLiteral("conditionField"));
    condField_->setAccessibleName(QStringLiteral("Pole podmínky"));
    condOp_ = new QComboBox(whereBox);
    condOp_->setObjectName(QStringLiteral("conditionOperator"));
    condOp_->setAccessibleName(QStringLiteral("Operátor"));
    condOp_->addItems({"=", "<>", "<", "<=", ">", ">=", "LIKE"});
    condValue_ = new QLineEdit(whereBox);
    condValue_->setObjectName(QStringLiteral("conditionValue"));
    condValue_->setAccessibleName(QStringLiteral("Hodnota"));
    auto* addCondB = button(QStringLiteral("Přidat podmínku"), QStringLiteral("addCondition"), whereBox);
    conditions_ = new QListWidget(whereBox);
    conditions_->setObjectName(QStringLiteral("conditions"));
    conditions_->setAccessibleName(QStringLiteral("Podmínky"));
    orderField_ = new QComboBox(whereBox);
    orderField_->setObjectName(QStringLiteral("orderField"));
    orderField_->setAccessibleName(QStringLiteral("Řadit podle"));
    orderDesc_ = new QCheckBox(QStringLiteral("Sestupně"), whereBox);
    orderDesc_->setObjectName(QStringLiteral("orderDescending"));
    auto* addOrderB = button(QStringLiteral("Přidat řazení"), QStringLiteral("addOrder"), whereBox);
    orders_ = new QListWidget(whereBox);
    orders_->setObjectName(QStringLiteral("orders"));
    orders_->setAccessibleName(QStringLiteral("Řazení"));
    auto* clearB = button(QStringLiteral("Zrušit podmínky a řazení"), QStringLiteral("clearWhere"), whereBox);
    auto* wl = new QGridLayout(whereBox);
    wl->addWidget(condField_, 0, 0);
    wl->addWidget(condOp_, 0, 1);
    wl->addWidget(condValue_, 0, 2);
    wl->addWidget(addCondB, 0, 3);
    wl->addWidget(conditions_, 1, 0, 1, 4);
    wl->addWidget(orderField_, 2, 0);
    wl->addWidget(orderDesc_, 2, 1);
    wl->addWidget(addOrderB, 2, 3);
    wl->addWidget(orders_, 3, 0, 1, 4);
    wl->addWidget(clearB, 4, 3);

    // SQL and trial.
    auto* sqlBox = new QGroupBox(QStringLiteral("SQL"), this);
    sql_ = new QPlainTextEdit(sqlBox);
    sql_->setObjectName(QStringLiteral("sql"));
    sql_->setAccessibleName(QStringLiteral("SQL"));
    editedNote_ = new QLabel(QStringLiteral("Upraveno ručně"), sqlBox);
    editedNote_->setObjectName(QStringLiteral("editedNote"));
    editedNote_->setVisible(false);
    auto* regenB = button(QStringLiteral("Znovu vytvořit"), QStringLiteral("regenerate"), sqlBox);
    auto* tryB = button(QStringLiteral("Vyzkoušet"), QStringLiteral("try"), sqlBox);
    auto* saveB = button(QStringLiteral("Uložit…"), QStringLiteral("save"), sqlBox);
    auto* loadB = button(QStringLiteral("Načíst…"), QStringLiteral("load"), sqlBox);
    preview_ = new QTableView(sqlBox);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setAccessibleName(QStringLiteral("Výsledek"));
    preview_->verticalHeader()->setDefaultSectionSize(preview_->fontMetrics().height() + 6);
    previewModel_ = new DataSetModel(this);
    previewModel_->setReadOnly(true);
    preview_->setModel(previewModel_);
    auto* sl = new QGridLayout(sqlBox);
    sl->addWidget(sql_, 0, 0, 1, 5);
    sl->addWidget(editedNote_, 1, 0);
    sl->addWidget(regenB, 1, 1);
    sl->addWidget(tryB, 1, 2);
    sl->addWidget(saveB, 1, 3);
    sl->addWidget(loadB, 1, 4);
    sl->addWidget(preview_, 2, 0, 1, 5);
    // The trial's rows get the room: at least ten of them are in sight.
    preview_->setMinimumHeight(preview_->horizontalHeader()->sizeHint().height() +
                               10 * preview_->verticalHeader()->defaultSectionSize() +
                               preview_->horizontalScrollBar()->sizeHint().height() + 2 * preview_->frameWidth() + 4);
    sql_->setMinimumHeight(sql_->fontMetrics().lineSpacing() * 4);
    sl->setRowStretch(0, 1);
    sl->setRowStretch(2, 3);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(tablesBox, 0, 0);
    grid->addWidget(fieldsBox, 0, 1);
    grid->addWidget(whereBox, 0, 2);
    grid->addWidget(sqlBox, 1, 0, 1, 3);
    grid->addWidget(buttons, 2, 0, 1, 3);
    grid->setRowStretch(1, 1);
    resize(1000, 720);

    connect(addTableB, &QPushButton::clicked, this, &QueryBuilderDialog::pickTable);
    connect(removeTableB, &QPushButton::clicked, this, [this] { removeTable(tables_->currentRow()); });
    connect(fields_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        setFieldTicked(item->text(), item->checkState() == Qt::Checked);
    });
    connect(joinLeft_, &QComboBox::currentTextChanged, this, [this] {
        setJoin(joinLeft_->currentText(), joinRight_->currentText());
    });
    connect(joinRight_, &QComboBox::currentTextChanged, this, [this] {
        setJoin(joinLeft_->currentText(), joinRight_->currentText());
    });
    connect(addCondB, &QPushButton::clicked, this, [this] {
        if (!condField_->currentText().isEmpty())
            addCondition({condField_->currentText(), condOp_->currentText(), condValue_->text()});
    });
    connect(addOrderB, &QPushButton::clicked, this, [this] {
        if (!orderField_->currentText().isEmpty())
            addOrder({orderField_->currentText(), orderDesc_->isChecked()});
    });
    connect(clearB, &QPushButton::clicked, this, [this] {
        design_.conditions.clear();
        design_.order.clear();
        conditions_->clear();
        orders_->clear();
        regenerate();
    });
    connect(sql_, &QPlainTextEdit::textChanged, this, [this] {
        if (generating_) return;
        edited_ = true;
        editedNote_->setVisible(true);
    });
    connect(regenB, &QPushButton::clicked, this, [this] {
        edited_ = false;
        regenerate();
    });
    connect(tryB, &QPushButton::clicked, this, &QueryBuilderDialog::tryQuery);
    connect(saveB, &QPushButton::clicked, this, &QueryBuilderDialog::chooseSave);
    connect(loadB, &QPushButton::clicked, this, &QueryBuilderDialog::chooseLoad);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (sql_->toPlainText().trimmed().isEmpty()) {
            messages_->error(QStringLiteral("Dotaz je prázdný: přidejte tabulku nebo napište SQL"));
            return;
        }
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QueryBuilderDialog::~QueryBuilderDialog() {
    previewModel_->setDataSet(nullptr);
}

QueryRequest QueryBuilderDialog::request() const {
    QueryRequest r;
    r.lines = sql_->toPlainText().split(QLatin1Char('\n'));
    while (!r.lines.isEmpty() && r.lines.last().trimmed().isEmpty()) r.lines.removeLast();
    r.editedByHand = edited_;
    r.tables = design_.tables.isEmpty() ? QStringList{dataDir_ + QLatin1Char('/')} : design_.tables;
    return r;
}

QStringList QueryBuilderDialog::fieldsOf(const QString& path, QString* error) const {
    auto ds = isServerTableUri(path) ? openAnyTable(path, error) : openForeignTable(path, error);
    if (!ds) return {};
    QStringList names;
    for (const auto& f : ds->fields())
        if (!f->isCalculated()) names << f->name();
    return names;
}

bool QueryBuilderDialog::addTable(const QString& path) {
    QString err;
    const QStringList names = fieldsOf(path, &err);
    if (names.isEmpty()) {
        messages_->error(err.isEmpty() ? QStringLiteral("Tabulka %1 nemá žádná pole").arg(path) : err);
        return false;
    }
    design_.tables << (isServerTableUri(path) ? path : QFileInfo(path).absoluteFilePath());
    tableFields_ << names;
    tables_->addItem(QStringLiteral("%1  %2").arg(tableAlias(int(design_.tables.size()) - 1),
                                                  tableDisplayName(path)));
    refreshFieldLists();
    regenerate();
    return true;
}

void QueryBuilderDialog::removeTable(int index) {
    if (index < 0 || index >= design_.tables.size()) return;
    // Aliases are renumbered, so fields, the join, conditions and the order
    // (named by alias) start afresh.
    QStringList paths = design_.tables;
    paths.removeAt(index);
    tableFields_.removeAt(index);
    design_ = QueryDesign{};
    design_.tables = paths;
    tables_->clear();
    for (int i = 0; i < paths.size(); ++i)
        tables_->addItem(QStringLiteral("%1  %2").arg(tableAlias(i), tableDisplayName(paths[i])));
    conditions_->clear();
    orders_->clear();
    refreshFieldLists();
    regenerate();
}

void QueryBuilderDialog::refreshFieldLists() {
    QStringList all;
    for (int t = 0; t < tableFields_.size(); ++t)
        for (const QString& n : tableFields_[t]) all << qualifiedField(t, n);
    fields_->blockSignals(true);
    fields_->clear();
    for (const QString& q : all) {
        auto* item = new QListWidgetItem(q, fields_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(design_.fields.contains(q) ? Qt::Checked : Qt::Unchecked);
    }
    fields_->blockSignals(false);
    for (QComboBox* c : {condField_, orderField_}) {
        c->clear();
        c->addItems(all);
    }
    joinLeft_->blockSignals(true);
    joinRight_->blockSignals(true);
    joinLeft_->clear();
    joinRight_->clear();
    if (tableFields_.size() >= 2) {
        joinLeft_->addItem(QString());
        joinRight_->addItem(QString());
        for (const QString& n : tableFields_[0]) joinLeft_->addItem(qualifiedField(0, n));
        for (const QString& n : tableFields_[1]) joinRight_->addItem(qualifiedField(1, n));
    }
    joinLeft_->setEnabled(tableFields_.size() >= 2);
    joinRight_->setEnabled(tableFields_.size() >= 2);
    joinLeft_->blockSignals(false);
    joinRight_->blockSignals(false);
}

void QueryBuilderDialog::setFieldTicked(const QString& q, bool ticked) {
    design_.fields.removeAll(q);
    if (ticked) design_.fields << q;
    const auto items = fields_->findItems(q, Qt::MatchExactly);
    fields_->blockSignals(true);
    for (auto* item : items) item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    fields_->blockSignals(false);
    regenerate();
}

void QueryBuilderDialog::setJoin(const QString& left, const QString& right) {
    design_.joinLeft = left;
    design_.joinRight = right;
    regenerate();
}

void QueryBuilderDialog::addCondition(const QueryCondition& c) {
    design_.conditions << c;
    conditions_->addItem(QStringLiteral("%1 %2 %3").arg(c.field, c.op, c.value));
    regenerate();
}

void QueryBuilderDialog::addOrder(const QueryOrder& o) {
    design_.order << o;
    orders_->addItem(o.field + (o.descending ? QStringLiteral(" sestupně") : QString()));
    regenerate();
}

void QueryBuilderDialog::setSqlText(const QString& text) {
    sql_->setPlainText(text);  // marks the statement as edited by hand
}

void QueryBuilderDialog::regenerate() {
    if (edited_) return;  // a hand-edited statement stays until "Znovu vytvořit"
    generating_ = true;
    sql_->setPlainText(generateSql(design_).join(QLatin1Char('\n')));
    generating_ = false;
    editedNote_->setVisible(false);
}

bool QueryBuilderDialog::tryQuery() {
    const QueryRequest r = request();
    auto q = std::make_unique<Query>();
    q->setDatabase(tableDirectory(r.tables.value(0)));
    q->setSql(r.editedByHand ? rewriteFromLines(r.lines, r.tables) : r.lines);
    QString err;
    bool opened;
    {
        LateProgress progress(this, 300, kQueryRunningText);
        q->setProgress(&progress);
        opened = q->open(&err);
        q->setProgress(nullptr);
    }
    if (!opened) {
        messages_->error(err);
        return false;
    }
    previewModel_->setDataSet(q->dataSet());
    GridColumns cols;
    for (const auto& f : q->dataSet()->fields())
        if (!f->isCalculated()) cols << GridColumn{f->name(), QString(), 100, true, QString()};
    previewModel_->setColumns(cols);
    previewModel_->setDataSet(nullptr);
    previewModel_->setDataSet(q->dataSet());
    trial_ = std::move(q);
    return true;
}

bool QueryBuilderDialog::saveTo(const QString& path) {
    QString err;
    if (!saveQueryFile(path, request().lines, design_, &err)) {
        messages_->error(err);
        return false;
    }
    return true;
}

bool QueryBuilderDialog::loadFrom(const QString& path) {
    QStringList sql;
    QueryDesign loaded;
    QString err;
    if (!loadQueryFile(path, &sql, &loaded, &err)) {
        messages_->error(err);
        return false;
    }
    design_ = loaded;
    tableFields_.clear();
    tables_->clear();
    conditions_->clear();
    orders_->clear();
    for (int i = 0; i < design_.tables.size(); ++i) {
        QString ferr;
        tableFields_ << fieldsOf(design_.tables[i], &ferr);
        tables_->addItem(QStringLiteral("%1  %2").arg(tableAlias(i), tableDisplayName(design_.tables[i])));
    }
    for (const QueryCondition& c : design_.conditions)
        conditions_->addItem(QStringLiteral("%1 %2 %3").arg(c.field, c.op, c.value));
    for (const QueryOrder& o : design_.order)
        orders_->addItem(o.field + (o.descending ? QStringLiteral(" sestupně") : QString()));
    refreshFieldLists();
    for (QComboBox* c : {joinLeft_, joinRight_}) c->blockSignals(true);
    joinLeft_->setCurrentText(design_.joinLeft);
    joinRight_->setCurrentText(design_.joinRight);
    for (QComboBox* c : {joinLeft_, joinRight_}) c->blockSignals(false);
    // A statement the design makes stays generated; one edited by hand stays as it was.
    if (sql == generateSql(design_)) {
        edited_ = false;
        regenerate();
    } else {
        setSqlText(sql.join(QLatin1Char('\n')));
    }
    return true;
}

void QueryBuilderDialog::pickTable() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Přidat tabulku"), dataDir_,
        QStringLiteral("Tabulky (*.db *.dbf *.csv);;Soubory etiket a Paradox (*.db);;dBase (*.dbf);;CSV (*.csv)"),
        nullptr, QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty()) addTable(path);
}

void QueryBuilderDialog::chooseSave() {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Uložit dotaz"), dataDir_,
                                                QStringLiteral("Dotazy SQL (*.sql)"), nullptr,
                                                QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".sql"), Qt::CaseInsensitive)) path += QStringLiteral(".sql");
    saveTo(path);
}

void QueryBuilderDialog::chooseLoad() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Načíst dotaz"), dataDir_,
                                                      QStringLiteral("Dotazy SQL (*.sql)"), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty()) loadFrom(path);
}

}  // namespace dorvana
