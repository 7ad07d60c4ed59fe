#include "app/print_bar.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QToolBar>

#include "app/core/label_session.h"
#include "app/late_progress.h"
#include "app/main_form.h"
#include "base/messages.h"
#include "controls/marking_grid.h"
#include "data/data_set.h"
#include "data/query.h"
#include "report/windows/template_combo.h"

namespace dorvana {

PrintBar::PrintBar(TMainForm& form, LabelPrinting& printing, Messages& messages)
    : QObject(&form), form_(form), printing_(printing), messages_(messages) {
    setObjectName(QStringLiteral("PrintBarCommands"));
    list_ = qobject_cast<TComboBoxPredloha*>(form.templateList());
    Q_ASSERT(list_);
    list_->choice().ReportDirIgnore = false;
    list_->choice().setReportDir(form.session().startDir());
    list_->setMaxVisibleItems(22);
    list_->setToolTip(QStringLiteral("Výběr volné sesravy"));
    list_->setEnabled(true);
    connect(list_, &QComboBox::activated, this, &PrintBar::CBP1Change);
    connect(list_, &QComboBox::currentIndexChanged, this, &PrintBar::keepState);

    oneRecord_ = form.printBar()->findChild<QCheckBox*>(QStringLiteral("JedenZaznam"));
    oneRecord_->setEnabled(true);
    connect(oneRecord_, &QCheckBox::toggled, this, &PrintBar::keepState);
    labelPosition_ = form.printBar()->findChild<QSpinBox*>(QStringLiteral("PoziceEtikety"));
    labelPosition_->setRange(1, 999);
    labelPosition_->setValue(1);
    labelPosition_->setEnabled(true);

    const struct {
        const char* name;
        void (PrintBar::*handler)();
    } commands[] = {{"TiskSestavy", &PrintBar::PrintButtonClick},
                    {"ProhlizeniSestavy", &PrintBar::PrevButtonClick},
                    {"TvorbaSestavy", &PrintBar::EdButtonClick},
                    {"NovaSestava", &PrintBar::NsesClick},
                    {"VymazSestavy", &PrintBar::SpeedItem5Click}};
    for (const auto& c : commands) {
        QAction* a = form.action(QString::fromLatin1(c.name));
        connect(a, &QAction::triggered, this, c.handler);
        a->setEnabled(true);
    }
    // Designing needs the designer; until it is there the command stays off.
    form.action(QStringLiteral("TvorbaSestavy"))->setEnabled(designAvailable(host));

    labelButton_ = form.action(QStringLiteral("PrintEti"));
    reportButton_ = form.action(QStringLiteral("PrintSes"));
    for (QAction* a : {labelButton_, reportButton_}) a->setCheckable(true);
    connect(labelButton_, &QAction::triggered, this, &PrintBar::PrintEtiClick);
    connect(reportButton_, &QAction::triggered, this, &PrintBar::PrintSesClick);
    // At start the bar shows the label templates.
    labelButton_->setEnabled(true);
    labelButton_->setChecked(true);
    reportButton_->setEnabled(false);
    bind(printing_.Sestava2(), QString::fromUtf16(kLabelMask));

    // The name panel of a new template, over the print bar.
    namePanel_ = new QFrame(&form);
    namePanel_->setObjectName(QStringLiteral("NamePanel"));
    namePanel_->setFrameShape(QFrame::Panel);
    namePanel_->setFrameShadow(QFrame::Raised);
    namePanel_->setAutoFillBackground(true);
    auto* lay = new QHBoxLayout(namePanel_);
    lay->setContentsMargins(6, 2, 6, 2);
    auto* caption = new QLabel(QStringLiteral("Jméno sestavy :"), namePanel_);
    nameEdit_ = new QLineEdit(namePanel_);
    nameEdit_->setObjectName(QStringLiteral("NameEdit"));
    nameEdit_->setMinimumWidth(220);
    caption->setBuddy(nameEdit_);
    auto* ok = new QPushButton(QStringLiteral("OK (Enter)"), namePanel_);
    ok->setObjectName(QStringLiteral("ovbut"));
    auto* cancel = new QPushButton(QStringLiteral("Zrušit (Esc)"), namePanel_);
    cancel->setObjectName(QStringLiteral("cvbut"));
    lay->addWidget(caption);
    lay->addWidget(nameEdit_);
    lay->addWidget(ok);
    lay->addWidget(cancel);
    lay->addStretch(1);
    connect(ok, &QPushButton::clicked, this, &PrintBar::ovbutClick);
    connect(cancel, &QPushButton::clicked, this, &PrintBar::cvbutClick);
    for (const auto& [key, handler] :
         {std::pair{QKeySequence(Qt::Key_Return), &PrintBar::ovbutClick},
          std::pair{QKeySequence(Qt::Key_Enter), &PrintBar::ovbutClick},
          std::pair{QKeySequence(Qt::Key_Escape), &PrintBar::cvbutClick}}) {
        auto* s = new QShortcut(key, namePanel_);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, handler);
    }
    namePanel_->hide();
    connect(&form.session(), &LabelSession::restored, this, &PrintBar::restoreState);
}

PrintBar::~PrintBar() = default;

void PrintBar::restoreState() {
    const PrintBarState state = form_.session().printBar();
    TSestava& report = state.component == u"Sestava1" ? printing_.Sestava1() : printing_.Sestava2();
    report.ReportName = state.templateName;
    if (&report == &printing_.Sestava1() && labelButton_->isChecked()) {
        // The bar shows the report templates, as "Tisk sestavy (Celá databáze)" left it.
        labelButton_->setChecked(false);
        labelButton_->setEnabled(false);
        reportButton_->setEnabled(true);
        reportButton_->setChecked(true);
        bind(report, QString::fromUtf16(kReportMask));
    } else {
        bind(*list_->choice().Report, list_->choice().ReportMask);
    }
    oneRecord_->setChecked(state.oneRecord);
}

void PrintBar::keepState() {
    PrintBarState& state = form_.session().printBar();
    state.component = list_->choice().Report == &printing_.Sestava1() ? QStringLiteral("Sestava1")
                                                                     : QStringLiteral("Sestava2");
    const QString name = list_->reportName();
    if (!name.isEmpty() && list_->choice().ReportMask != QString::fromUtf16(kPrototypeMask))
        state.templateName = name;
    state.oneRecord = oneRecord_->isChecked();
}

void PrintBar::bind(TSestava& report, const QString& mask) {
    list_->choice().Report = &report;
    list_->choice().ReportMask = mask;
    list_->setReportName(report.ReportName);
    keepState();
}

// ------------------------------------------------------------ the two bar buttons

void PrintBar::PrintEtiClick() {
    QToolBar* bar = form_.printBar();
    bar->setVisible(!bar->isVisible());
    labelButton_->setChecked(bar->isVisible());
    reportButton_->setEnabled(!bar->isVisible());
    if (bar->isVisible()) bind(printing_.Sestava2(), QString::fromUtf16(kLabelMask));
}

void PrintBar::PrintSesClick() {
    QToolBar* bar = form_.printBar();
    bar->setVisible(!bar->isVisible());
    reportButton_->setChecked(bar->isVisible());
    labelButton_->setEnabled(!bar->isVisible());
    if (bar->isVisible()) bind(printing_.Sestava1(), QString::fromUtf16(kReportMask));
}

void PrintBar::CBP1Change() {
    oneRecord_->setChecked(false);
}

// ------------------------------------------------------------ print, preview, design

PrintChoice PrintBar::currentChoice() const {
    PrintChoice c;
    c.templateName = list_->reportName();
    c.sortString = list_->orderText();
    c.sqlLines = list_->sqlLines();
    c.ownSql = list_->sqlFlag();
    c.oneRecord = oneRecord_->isChecked();
    c.labelPosition = labelPosition_->value();
    c.marks = form_.grid()->marks().values();
    return c;
}

ReportWindowHost PrintBar::currentHost() const {
    ReportWindowHost h = host;
    if (!h.mdiArea) h.mdiArea = form_.findChild<QMdiArea*>();
    if (!h.parent) h.parent = &form_;
    return h;
}

bool PrintBar::run(PrintMode mode) {
    if (list_->reportName().isEmpty() || !list_->choice().Report) {
        list_->setFocus();
        return false;
    }
    printing_.Sestava1().TiskJedenZaznam = oneRecord_->isChecked();
    TSestava& report = *list_->choice().Report;
    const PrintChoice choice = currentChoice();
    if (mode == PrintMode::Design) {
        designLoop(report, choice);
        return true;
    }
    QList<QAction*> buttons{form_.action(QStringLiteral("TiskSestavy")),
                            form_.action(QStringLiteral("ProhlizeniSestavy"))};
    for (QAction* a : buttons) a->setEnabled(false);
    if (mode == PrintMode::Preview)
        if (DataSet* shown = form_.session().dataSet(); shown && shown->isOpen()) shown->refresh();
    printing_.predtisk(report, mode, choice, *this);
    for (QAction* a : buttons) a->setEnabled(true);
    return true;
}

void PrintBar::designLoop(TSestava& report, const PrintChoice& first) {
    // A restart prepares the data anew (the data source may have changed)
    // and opens the saved template.
    PrintChoice choice = first;
    designUntilDone(report, [&] {
        const bool saved = printing_.predtisk(report, PrintMode::Design, choice, *this);
        list_->refreshAndSelect(choice.templateName);
        choice = currentChoice();
        if (choice.templateName.isEmpty()) report.restartRequested = false;
        return saved;
    });
}

void PrintBar::setDesigner(DesignerLauncher designer) {
    host.designer = std::move(designer);
    form_.action(QStringLiteral("TvorbaSestavy"))->setEnabled(designAvailable(host));
}

void PrintBar::PrintButtonClick() { run(PrintMode::Print); }
void PrintBar::PrevButtonClick() { run(PrintMode::Preview); }
void PrintBar::EdButtonClick() {
    if (designAvailable(host)) run(PrintMode::Design);
}

bool PrintBar::design(TSestava& report) {
    return designReport(report, messages_, currentHost());
}

bool PrintBar::preview(TSestava& report) {
    return previewReport(report, messages_, {}, currentHost());
}

bool PrintBar::print(TSestava& report) {
    return printReport(report, messages_, -1, currentHost());
}

Progress* PrintBar::preparationProgress() {
    progress_ = std::make_unique<LateProgress>(&form_, 300, kQueryRunningText);
    return progress_.get();
}

void PrintBar::preparationDone() {
    progress_.reset();
}

// ------------------------------------------------------------ new and deleted templates

void PrintBar::showFirstEntry() {
    list_->choice().fill();
    const auto& entries = list_->choice().entries();
    list_->refreshAndSelect(entries.isEmpty() ? QString() : entries.first().fileName);
}

void PrintBar::enableBars() {
    form_.bary(true);
    form_.action(QStringLiteral("TvorbaSestavy"))->setEnabled(designAvailable(host));
}

void PrintBar::placeNamePanel() {
    const QRect bar = form_.printBar()->geometry();
    namePanel_->setGeometry(bar.x(), bar.y(), std::max(bar.width(), namePanel_->sizeHint().width()),
                            std::max(bar.height(), namePanel_->sizeHint().height()));
    namePanel_->raise();
}

void PrintBar::NsesClick() {
    list_->choice().ReportMask = QString::fromUtf16(kPrototypeMask);
    showFirstEntry();
    nameEdit_->setText(QStringLiteral("Bez jména"));
    placeNamePanel();
    namePanel_->show();
    nameEdit_->setFocus();
    nameEdit_->selectAll();
    form_.bary(false);
}

void PrintBar::ovbutClick() {
    if (!namePanel_->isVisible()) return;
    const QString prototype = list_->reportName();
    const QString name = nameEdit_->text();
    namePanel_->hide();
    enableBars();
    const QString dir = form_.session().startDir();
    QString fileName, error;
    bool created = false;
    if (prototype.isEmpty()) {
        error = QStringLiteral("Není k dispozici žádný prototyp sestavy (*.PTF).");
    } else if (QFile::exists(QDir(dir).filePath(name.trimmed() + QStringLiteral(".pts"))) &&
               !messages_.confirmQuestion(QStringLiteral("Sestava %1 již existuje - bude přepsána")
                                              .arg(name.trimmed()))) {
        error.clear();
    } else {
        created = createTemplateFromPrototype(QDir(dir).filePath(prototype), dir, name, &fileName, &error);
    }
    list_->choice().ReportMask = QString::fromUtf16(kReportMask);
    if (!created) {
        if (!error.isEmpty()) messages_.error(error);
        showFirstEntry();
        return;
    }
    list_->refreshAndSelect(fileName);
    if (!designAvailable(host)) return;
    PrintChoice choice;
    choice.templateName = fileName;
    choice.marks = form_.grid()->marks().values();
    printing_.Sestava1().TiskJedenZaznam = oneRecord_->isChecked();
    designLoop(printing_.Sestava1(), choice);
}

void PrintBar::cvbutClick() {
    if (!namePanel_->isVisible()) return;
    namePanel_->hide();
    enableBars();
    list_->choice().ReportMask = QString::fromUtf16(kReportMask);
    showFirstEntry();
}

void PrintBar::SpeedItem5Click() {
    const QString name = list_->reportName();
    if (name.isEmpty()) {
        list_->setFocus();
        return;
    }
    if (!messages_.confirmQuestion(QStringLiteral("Vymazat sestavu"))) return;
    const QString path = QDir(form_.session().startDir()).filePath(name);
    if (QFile::exists(path) && !QFile::remove(path)) {
        messages_.error(QStringLiteral("Sestavu %1 nelze vymazat.").arg(name));
        return;
    }
    list_->refreshAndSelect(QString());
}

}  // namespace dorvana
