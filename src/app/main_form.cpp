#include "app/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMetaMethod>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/about_box.h"
#include "app/core/user_guide.h"
#include "app/user_guide_window.h"
#include "app/calculator_dialog.h"
#include "app/command_icons.h"
#include "app/core/label_columns.h"
#include "app/server_table_dialog.h"
#include "app/core/status_texts.h"
#include "app/core/volume_label.h"
#include "app/core/window_placement.h"
#include "app/description_panel.h"
#include "app/late_progress.h"
#include "app/main_form_printing.h"
#include "app/note_panel.h"
#include "app/query_builder_dialog.h"
#include "controls/marking_grid.h"
#include "controls/navigator.h"
#include "data/pg_connection.h"
#include "report/windows/template_combo.h"
#include "report/render/printer/qprinter_settings.h"
#include "report/render/printer/settings_text.h"

namespace dorvana {

namespace {

// One tool bar button: its caption is its accessible name and tool tip.
QToolButton* toolButton(QAction* action) {
    auto* b = new QToolButton;
    b->setDefaultAction(action);
    b->setObjectName(action->objectName() + QStringLiteral("Button"));
    b->setAccessibleName(action->text());
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setAutoRaise(true);
    return b;
}

// The open and create dialogs offer a table on a database server beside
// files: the button ends the file dialog with kServerChoice.
constexpr int kServerChoice = 2;

void addServerChoice(QFileDialog& dlg) {
    auto* box = dlg.findChild<QDialogButtonBox*>();
    if (!box) return;
    QPushButton* b = box->addButton(QStringLiteral("Databázový server…"), QDialogButtonBox::ActionRole);
    b->setObjectName(QStringLiteral("ServerChoice"));
    QObject::connect(b, &QPushButton::clicked, &dlg, [&dlg] { static_cast<QDialog&>(dlg).done(kServerChoice); });
}

const char* const kNavigatorHints[] = {
    "Na první záznam", "O stránku zpět", "O záznam zpět", "O záznam vpřed", "O stránku vpřed",
    "Na poslední záznam", "Nový záznam", "Vyloučit záznam", "Editace zíznamu", "Uložit změny",
    "Zrušit změny"};

}  // namespace

TMainForm::TMainForm(const QString& startDir, const QString& settingsPath, Messages* messages,
                     QWidget* parent)
    : QMainWindow(parent), ownMessages_(this), messages_(messages ? messages : &ownMessages_) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Dorvana "));
    session_ = std::make_unique<LabelSession>(startDir, settingsPath, *messages_);
    buildActions();
    buildMenus();
    buildToolBars();
    buildCentre();
    buildStatusBar();
    buildRecordCommands();

    session_->setProgressSource([this]() -> std::unique_ptr<Progress> {
        return std::make_unique<LateProgress>(this, 300, kQueryRunningText);
    });
    session_->setColumnsProvider([this] {
        const GridColumns shown = DbG1_->columnsWithWidths();
        return shown.size() == session_->columns().size() ? shown : session_->columns();
    });
    connect(session_.get(), &LabelSession::captionChanged, this, &QWidget::setWindowTitle);
    connect(session_.get(), &LabelSession::dataSetChanged, this, &TMainForm::rebindData);
    connect(session_.get(), &LabelSession::columnsChanged, this, &TMainForm::applyColumns);
    connect(session_.get(), &LabelSession::commandsChanged, this, &TMainForm::updateCommands);
    connect(session_.get(), &LabelSession::recentFilesChanged, this, &TMainForm::rebuildRecentMenu);
    connect(session_.get(), &LabelSession::marksCleared, this, [this] { DbG1_->clearMarks(); });
    connect(session_.get(), &LabelSession::descriptionPanelRequested, this, [this] {
        descriptionPanel_->setLines(session_->descriptionLines());
        descriptionPanel_->showForEditing();
    });
    updateCommands();
    // The print bar, marks, filter and record generation at work.
    new MainFormPrinting(*this, *messages_);
    resize(1000, 700);
}

TMainForm::~TMainForm() {
    DbG1_->setProgramWidthRule({});  // it asks the session, which goes first
    DbG1_->setDataSet(nullptr);
    navigator_->setDataSet(nullptr);
}

QAction* TMainForm::makeAction(const QString& name, const QString& text, const QString& hint) {
    auto* a = new QAction(text, this);
    a->setObjectName(name);
    const QString tip = shortHint(hint);
    a->setToolTip(tip.isEmpty() ? QString(text).remove(QLatin1Char('&')) : tip);
    a->setStatusTip(longHint(hint));
    if (!themeIconName(name).isEmpty()) a->setIcon(commandIcon(name));  // a tool bar command
    return a;
}

QAction* TMainForm::action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void TMainForm::buildActions() {
    QAction* a;
    a = makeAction(QStringLiteral("Otevi1"), QStringLiteral("Otevři"),
                   QStringLiteral("Otevřít soubor|Otevření souboru databáze"));
    connect(a, &QAction::triggered, this, &TMainForm::Otevi1Click);
    a = makeAction(QStringLiteral("OteviServer"), QStringLiteral("Databázový server…"),
                   QStringLiteral("Databázový server|Otevření tabulky etiket na databázovém serveru"));
    connect(a, &QAction::triggered, this, &TMainForm::openServerTable);
    a = makeAction(QStringLiteral("SQL1"), QStringLiteral("SQL"),
                   QStringLiteral("SQL dotaz|Dotaz SQL nad tabulkami jako zdroj dat"));
    connect(a, &QAction::triggered, this, &TMainForm::SQL1Click);
    a = makeAction(QStringLiteral("Zalo1"), QStringLiteral("Založ"),
                   QStringLiteral("Založit soubor|Založení nového souboru etiket"));
    connect(a, &QAction::triggered, this, &TMainForm::Zalo1Click);
    // Marks, filter, backup, new tables: their windows come with their own features.
    makeAction(QStringLiteral("Uloen1"), QStringLiteral("Uložení"),
               QStringLiteral("Uložení označení záznamů"))->setEnabled(false);
    makeAction(QStringLiteral("Naten1"), QStringLiteral("Načtení"),
               QStringLiteral("Načtení označení záznamů"))->setEnabled(false);
    a = makeAction(QStringLiteral("Nastaven1"), QStringLiteral("&Filtr"),
                   QStringLiteral("Filtr|Nastavení filtru záznamů"));
    a->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F));
    a->setEnabled(false);
    a = makeAction(QStringLiteral("Konec1"), QStringLiteral("Konec"),
                   QStringLiteral("Konec programu|Ukončení programu"));
    a->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    connect(a, &QAction::triggered, this, &TMainForm::Konec1Click);
    makeAction(QStringLiteral("Archivace1"), QStringLiteral("Archivace"),
               QStringLiteral("Archivace dat - Obnova dat"));
    a = makeAction(QStringLiteral("Nastaventisku1"), QStringLiteral("Nastavení tisku"),
                   QStringLiteral("Nastavení tiskárny|Nastavení parametrů tiskárny"));
    connect(a, &QAction::triggered, this, &TMainForm::Nastaventisku1Click);
    makeAction(QStringLiteral("DBDesktop1"), QStringLiteral("Tvorba databáze"),
               QStringLiteral("Tvorba nové databáze"));
    a = makeAction(QStringLiteral("Kalkulaka1"), QStringLiteral("Kalkulačka"),
                   QStringLiteral("Kalkulačka"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F8));
    connect(a, &QAction::triggered, this, &TMainForm::Kalkulaka1Click);
    a = makeAction(QStringLiteral("Prirucka1"), QStringLiteral("Uživatelská příručka"),
                   QStringLiteral("Uživatelská příručka|Jak s programem pracovat"));
    a->setShortcut(QKeySequence(Qt::Key_F1));
    connect(a, &QAction::triggered, this, &TMainForm::showUserGuide);
    a = makeAction(QStringLiteral("About1"), QStringLiteral("About"), QStringLiteral("O programu"));
    connect(a, &QAction::triggered, this, &TMainForm::About1Click);

    // Tool bar commands.
    a = makeAction(QStringLiteral("SpeedOpen"), QStringLiteral("Otevřít soubor"),
                   QStringLiteral("Otevřít soubor|Otevření souboru databáze"));
    connect(a, &QAction::triggered, this, &TMainForm::Otevi1Click);
    a = makeAction(QStringLiteral("SpeedCreate"), QStringLiteral("Založit soubor"),
                   QStringLiteral("Založit soubor|Založení nového souboru etiket"));
    connect(a, &QAction::triggered, this, &TMainForm::Zalo1Click);
    a = makeAction(QStringLiteral("PrintEti"), QStringLiteral("Dorvana (Aktuální záznam)"),
                   QStringLiteral("Dorvana (Aktuální záznam)|Tisk etikety aktuálního záznamu"));
    a->setEnabled(false);
    a = makeAction(QStringLiteral("PrintSes"), QStringLiteral("Tisk sestavy (Celá databáze)"),
                   QStringLiteral("Tisk sestavy (Celá databáze)|Tisk sestavy z celé databáze"));
    a->setEnabled(false);
    a = makeAction(QStringLiteral("SpeedItem6"), QStringLiteral("Editace obrázku"),
                   QStringLiteral("Editace obrázku|Editace obrázku aktuálního záznamu"));
    a->setEnabled(false);
    a = makeAction(QStringLiteral("SpeedItem7"), QStringLiteral("Editace poznámky"),
                   QStringLiteral("Editace poznámky|Editace poznámky aktuálního záznamu"));
    a->setEnabled(false);
    a = makeAction(QStringLiteral("SpeedItem8"), QStringLiteral("Editace formátu databáze"),
                   QStringLiteral("Editace formátu databáze|Popisy polí souboru etiket"));
    connect(a, &QAction::triggered, this, &TMainForm::SpeedItem8Click);
    a = makeAction(QStringLiteral("SpeedDrag"), QStringLiteral("Tažení aktuální věty"),
                   QStringLiteral("Tažení aktuální věty|Generování záznamů z aktuálního záznamu"));
    a->setEnabled(false);
    a = makeAction(QStringLiteral("SpeedPrinter"), QStringLiteral("Nastavení tiskárny"),
                   QStringLiteral("Nastavení tiskárny|Nastavení parametrů tiskárny"));
    connect(a, &QAction::triggered, this, &TMainForm::Nastaventisku1Click);
    a = makeAction(QStringLiteral("SpeedQuit"), QStringLiteral("Konec programu"),
                   QStringLiteral("Konec programu|Ukončení programu"));
    connect(a, &QAction::triggered, this, &TMainForm::Konec1Click);
}

void TMainForm::buildMenus() {
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&Soubor"));
    fileMenu_->setObjectName(QStringLiteral("Soubor1"));
    fileMenu_->addAction(action(QStringLiteral("Otevi1")));
    fileMenu_->addAction(action(QStringLiteral("OteviServer")));
    fileMenu_->addAction(action(QStringLiteral("SQL1")));
    fileMenu_->addAction(action(QStringLiteral("Zalo1")));
    QMenu* marks = fileMenu_->addMenu(QStringLiteral("Označení"));
    marks->setObjectName(QStringLiteral("Oznaen1"));
    marks->addAction(action(QStringLiteral("Uloen1")));
    marks->addAction(action(QStringLiteral("Naten1")));
    fileMenu_->addAction(action(QStringLiteral("Nastaven1")));
    fileMenu_->addSeparator();
    fileMenu_->addAction(action(QStringLiteral("Konec1")));

    QMenu* service = menuBar()->addMenu(QStringLiteral("Se&rvis"));
    service->setObjectName(QStringLiteral("Servis1"));
    service->addAction(action(QStringLiteral("Archivace1")));
    service->addAction(action(QStringLiteral("Nastaventisku1")));
    service->addAction(action(QStringLiteral("DBDesktop1")));
    service->addAction(action(QStringLiteral("Kalkulaka1")));

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    help->addAction(action(QStringLiteral("Prirucka1")));
    help->addAction(action(QStringLiteral("About1")));
}

void TMainForm::buildToolBars() {
    mainBar_ = addToolBar(QStringLiteral("Nástroje"));
    mainBar_->setObjectName(QStringLiteral("ToolBar1"));
    mainBar_->setMovable(false);
    mainBar_->addWidget(toolButton(action(QStringLiteral("SpeedOpen"))));
    mainBar_->addWidget(toolButton(action(QStringLiteral("SpeedCreate"))));
    mainBar_->addSeparator();
    navigator_ = new TDBNavign;
    navigator_->setObjectName(QStringLiteral("DBNavign1"));
    navigator_->setMessages(messages_);
    navigator_->setVisibleButtons(((1u << kNavButtonCount) - 1) & ~(1u << nnRefresh) & ~(1u << nnFind));
    QStringList hints;
    for (const char* h : kNavigatorHints) hints << QString::fromUtf8(h);
    navigator_->setHints(hints);
    navigator_->setPageSkip(0);
    navigator_->resize(11 * 26 + 1, 25);
    connect(navigator_, &TDBNavign::clickDelete, this, [this] {
        // Excluding records belongs to the marking files' feature.
        if (isSignalConnected(QMetaMethod::fromSignal(&TMainForm::recordExclusionRequested)))
            emit recordExclusionRequested();
        else
            messages_->beep();
    });
    mainBar_->addWidget(navigator_);
    mainBar_->addSeparator();
    for (const char* name : {"PrintEti", "PrintSes", "SpeedItem6", "SpeedItem7", "SpeedItem8",
                             "SpeedDrag", "SpeedPrinter"})
        mainBar_->addWidget(toolButton(action(QString::fromLatin1(name))));
    auto* spacer = new QWidget;
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    mainBar_->addWidget(spacer);
    mainBar_->addWidget(toolButton(action(QStringLiteral("SpeedQuit"))));
    auto* edge = new QWidget;  // the quit button keeps its distance from the right edge
    edge->setFixedWidth(12);
    mainBar_->addWidget(edge);

    addToolBarBreak();
    printBar_ = addToolBar(QStringLiteral("Tisk"));
    printBar_->setObjectName(QStringLiteral("PrintBar"));
    printBar_->setMovable(false);
    CBP1_ = new TComboBoxPredloha;
    CBP1_->setObjectName(QStringLiteral("CBP1"));
    CBP1_->setAccessibleName(QStringLiteral("Předloha"));
    CBP1_->setMinimumWidth(240);
    CBP1_->setEnabled(false);
    printBar_->addWidget(CBP1_);
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"TiskSestavy", "Tisk volné sestavy"},
                   {"ProhlizeniSestavy", "Prohlížení volné sestavy"},
                   {"TvorbaSestavy", "Tvorba sestavy"},
                   {"NovaSestava", "Nová sestava"},
                   {"VymazSestavy", "Výmaz sestavy"}};
    for (const auto& b : buttons) {
        auto* a = makeAction(QString::fromLatin1(b.name), QString::fromUtf8(b.caption),
                             QString::fromUtf8(b.caption));
            a->setEnabled(false);  // the printing flow wires them
        printBar_->addWidget(toolButton(a));
        if (printButtons_.size() < 4) printButtons_ << a;  // the four that bary switches
    }
    oneRecord_ = new QCheckBox(QStringLiteral("Jeden zaznam"));
    oneRecord_->setObjectName(QStringLiteral("JedenZaznam"));
    oneRecord_->setEnabled(false);
    printBar_->addWidget(oneRecord_);
    labelPositionLabel_ = new QLabel(QStringLiteral("Pozice etikety"));
    labelPositionLabel_->setObjectName(QStringLiteral("PoziceEtiketyLabel"));
    labelPosition_ = new QSpinBox;
    labelPosition_->setObjectName(QStringLiteral("PoziceEtikety"));
    labelPosition_->setAccessibleName(QStringLiteral("Pozice etikety"));
    labelPosition_->setEnabled(false);
    labelPositionLabel_->setBuddy(labelPosition_);
    printBar_->addWidget(labelPositionLabel_)->setObjectName(QStringLiteral("PoziceEtiketyLabelAction"));
    printBar_->addWidget(labelPosition_)->setObjectName(QStringLiteral("PoziceEtiketyAction"));
}

void TMainForm::buildCentre() {
    centre_ = new QWidget;
    auto* lay = new QVBoxLayout(centre_);
    lay->setContentsMargins(0, 0, 0, 0);
    DbG1_ = new TDbGridZelvan;
    DbG1_->setObjectName(QStringLiteral("DbG1"));
    DbG1_->setAccessibleName(QStringLiteral("Tabulka"));
    DbG1_->setMessages(messages_);
    // Columns of the default width fit their dates, prices and titles.
    DbG1_->setProgramWidthRule([this](const GridColumn& c) {
        return hasDefaultWidth(c, session_->externalMode() ? session_->dataSet() : nullptr);
    });
    lay->addWidget(DbG1_);
    buildMdiArea();
    descriptionPanel_ = new DescriptionPanel(centre_);
    connect(descriptionPanel_, &DescriptionPanel::accepted, this, &TMainForm::PPOKClick);
    // Space marks the current record.
    connect(DbG1_, &TDbGridZelvan::clickSpace, DbG1_, &TDbGridZelvan::toggleCurrent);
}

void TMainForm::buildMdiArea() {
    mdiArea_ = new QMdiArea;
    reportWindowIcon_ = style()->standardIcon(QStyle::SP_FileDialogContentsView);
    mdiArea_->setObjectName(QStringLiteral("MdiArea"));
    centralStack_ = new QStackedWidget;
    centralStack_->setObjectName(QStringLiteral("CentralStack"));
    centralStack_->addWidget(centre_);
    centralStack_->addWidget(mdiArea_);
    setCentralWidget(centralStack_);
    // The area shows while it holds a window; the grid comes back when the last one goes.
    mdiArea_->viewport()->installEventFilter(this);
    centre_->installEventFilter(this);
}

void TMainForm::showMdiAreaOrGrid() {
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    // A report window shows a page icon where the toolkit's logo would be.
    for (QMdiSubWindow* w : windows)
        if (w->windowIcon().cacheKey() != reportWindowIcon_.cacheKey()) w->setWindowIcon(reportWindowIcon_);
    centralStack_->setCurrentWidget(windows.isEmpty() ? centre_ : static_cast<QWidget*>(mdiArea_));
    // A report window reads the table shown: while one is open, nothing may
    // replace or close that table, nor the program.
    for (const char* name : {"Otevi1", "SQL1", "Zalo1", "SpeedOpen", "SpeedCreate", "Archivace1", "Konec1",
                             "SpeedQuit"})
        action(QString::fromLatin1(name))->setEnabled(windows.isEmpty());
    for (QAction* recent : recentActions_) recent->setEnabled(windows.isEmpty());
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mdiArea_->viewport() &&
        (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved))
        QTimer::singleShot(0, this, &TMainForm::showMdiAreaOrGrid);
    if (watched == centre_ && event->type() == QEvent::Resize) keepFloatingPanelsInside();
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::buildStatusBar() {
    hintPanel_ = new QLabel;
    hintPanel_->setObjectName(QStringLiteral("StatusHint"));
    hintPanel_->setFixedWidth(440);
    clockPanel_ = new QLabel;
    clockPanel_->setObjectName(QStringLiteral("StatusClock"));
    clockPanel_->setMinimumWidth(50);
    statusBar()->addWidget(hintPanel_);
    statusBar()->addWidget(clockPanel_);
    statusBar()->setSizeGripEnabled(false);
    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &TMainForm::tick);
    clock_->start();
    tick();
}

void TMainForm::tick() {
    clockPanel_->setText(clockText(QDateTime::currentDateTime()));
    fitStatusPanels();
}

void TMainForm::fitStatusPanels() {
    const int w = width() - statusBar()->fontMetrics().horizontalAdvance(clockPanel_->text()) - 30;
    hintPanel_->setFixedWidth(std::max(50, w - 20));
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    fitStatusPanels();
}

void TMainForm::keepFloatingPanelsInside() {
    // A smaller window keeps the panels floating over the grid in sight.
    const QSize area = centre_->size();
    for (QWidget* panel : {static_cast<QWidget*>(descriptionPanel_), static_cast<QWidget*>(notePanel_)}) {
        if (!panel) continue;
        const int x = std::max(0, std::min(panel->x(), area.width() - panel->width()));
        const int y = std::max(0, std::min(panel->y(), area.height() - panel->height()));
        if (QPoint(x, y) != panel->pos()) panel->move(x, y);
    }
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        hintPanel_->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// ------------------------------------------------------------ views over the session

void TMainForm::rebindData() {
    DataSet* ds = session_->dataSet();
    DbG1_->setKeyField(session_->keyField());
    DbG1_->setDataSet(ds);
    // In a label file the double click generates records; it opens no cell editor.
    DbG1_->setDoubleClickEdits(session_->externalMode());
    navigator_->setDataSet(ds);
    if (DbG1_->checkEnabled() != session_->markingEnabled())
        DbG1_->setCheckEnabled(session_->markingEnabled());
    applyColumns();
    rebindNotePanel();
}

void TMainForm::applyColumns() {
    DbG1_->setColumns(session_->columns());
    if (!descriptionPanel_->isVisible()) descriptionPanel_->setLines(session_->descriptionLines());
    const bool copy = session_->copyPositionVisible();
    printBar_->findChild<QAction*>(QStringLiteral("PoziceEtiketyLabelAction"))->setVisible(copy);
    printBar_->findChild<QAction*>(QStringLiteral("PoziceEtiketyAction"))->setVisible(copy);
}

void TMainForm::updateCommands() {
    action(QStringLiteral("SpeedItem8"))->setEnabled(session_->labelFileLoaded());
    updateRecordCommands();
}

void TMainForm::rebuildRecentMenu() {
    qDeleteAll(recentActions_);
    recentActions_.clear();
    int n = 0;
    for (const QString& entry : session_->recentFiles().entries()) {
        auto* a = new QAction(RecentFiles::caption(entry), fileMenu_);
        a->setObjectName(QStringLiteral("jj%1").arg(++n));
        a->setStatusTip(RecentFiles::pathOf(entry));
        connect(a, &QAction::triggered, this, [this, entry] { jjClick(entry); });
        fileMenu_->addAction(a);
        recentActions_ << a;
    }
}

void TMainForm::bary(bool enabled) {
    for (QAction* a : printButtons_) a->setEnabled(enabled);
    mainBar_->setEnabled(enabled);
}

// ------------------------------------------------------------ commands

bool TMainForm::openFile(int kind, const QString& path) {
    if (!session_->externalMode() && session_->labelFileLoaded()) PPOKClick();
    return session_->openFile(kind, path);
}

void TMainForm::Otevi1Click() {
    QFileDialog dlg(this, QStringLiteral("Otevření souboru"), session_->dataDir());
    dlg.setObjectName(QStringLiteral("OpenDialog"));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setNameFilters({QStringLiteral("Soubory etiket (*.db)"),
                        QStringLiteral("Externí databáze Paradox (*.db)"),
                        QStringLiteral("Externí databáze DBASE (*.dbf)"),
                        QStringLiteral("Externí soubor CSV (*.csv)")});
    dlg.setDefaultSuffix(QStringLiteral("db"));
    connect(&dlg, &QFileDialog::filterSelected, this, [this] { messages_->beep(); });
    addServerChoice(dlg);
    const int result = dlg.exec();
    if (result == kServerChoice) {
        openServerTable();
        return;
    }
    if (result != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
    const int kind = int(dlg.nameFilters().indexOf(dlg.selectedNameFilter())) + 1;
    openFile(std::max(kind, 1), dlg.selectedFiles().first());
}

void TMainForm::openServerTable() {
    ServerTableDialog dlg(session_->tablePath(), this, messages_);
    dlg.setAction([this](const QString& uri) { return openFile(1, uri); });
    dlg.exec();
}

void TMainForm::createServerTable() {
    ServerTableDialog dlg(session_->tablePath(), this, messages_);
    dlg.setWindowTitle(QStringLiteral("Založení tabulky na serveru"));
    dlg.setAction([this](const QString& uri) {
        if (!session_->externalMode() && session_->labelFileLoaded()) PPOKClick();
        return session_->createServerTable(uri);
    });
    dlg.exec();
}

void TMainForm::SQL1Click() {
    QueryBuilderDialog dlg(session_->dataDir(), this, messages_);
    // Over a table on a server the query starts from that table: it runs on the server.
    if (isServerTableUri(session_->tablePath())) dlg.addTable(session_->tablePath());
    if (dlg.exec() != QDialog::Accepted) return;
    session_->openQuery(dlg.request());
}

void TMainForm::Zalo1Click() {
    QFileDialog dlg(this, QStringLiteral("Založení souboru etiket"), session_->dataDir());
    dlg.setObjectName(QStringLiteral("CreateDialog"));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setOption(QFileDialog::DontConfirmOverwrite);  // the session asks its own question
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setNameFilter(QStringLiteral("Soubory Etiket (*.db)"));
    dlg.setDefaultSuffix(QStringLiteral("db"));
    dlg.selectFile(QStringLiteral("Soubory Etiket"));
    addServerChoice(dlg);
    const int result = dlg.exec();
    if (result == kServerChoice) {
        createServerTable();
        return;
    }
    if (result != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
    session_->createLabelFile(dlg.selectedFiles().first());
}

void TMainForm::Konec1Click() {
    close();
}

void TMainForm::jjClick(const QString& entry) {
    session_->openRecent(entry);
}

void TMainForm::Nastaventisku1Click() {
    QPrinter printer;
    QPrintDialog dlg(&printer, this);
    dlg.setObjectName(QStringLiteral("NastaveniTiskarny"));
    dlg.setWindowTitle(QStringLiteral("Nastavení tiskárny"));
    // The setup prints nothing: its button confirms the choice.
    if (auto* box = dlg.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
    if (dlg.exec() != QDialog::Accepted || printer.printerName().isEmpty()) return;
    // A printer that cannot be opened writes nothing.
    DeviceSettings settings = deviceSettingsOf(printer);
    settings.deviceName = printer.printerName();
    writeSettingsFile(QDir(session_->startDir()).filePath(QString::fromUtf16(kDefaultPrinterFileName)),
                      settings);
}

void TMainForm::Kalkulaka1Click() {
    CalculatorDialog::run(this);
}

void TMainForm::About1Click() {
    AboutBox box(this);
    box.exec();
}

void TMainForm::showUserGuide() {
    const QString path = userGuidePath_.isNull()
                             ? findUserGuide(userGuideFolders(QCoreApplication::applicationDirPath()))
                             : userGuidePath_;
    if (path.isEmpty()) {
        messages_->error(QStringLiteral("Uživatelská příručka (%1) není nainstalována.")
                             .arg(QString::fromLatin1(kUserGuideFile)));
        return;
    }
    if (!userGuide_) userGuide_ = new UserGuideWindow(this);
    QString error;
    if (!userGuide_->load(path, &error)) {
        userGuide_->hide();
        messages_->error(error);
        return;
    }
    userGuide_->show();
    userGuide_->raise();
    userGuide_->activateWindow();
}

void TMainForm::SpeedItem8Click() {
    descriptionPanel_->setLines(session_->descriptionLines());
    placeFloatingPanels();
    descriptionPanel_->showForEditing();
}

void TMainForm::PPOKClick() {
    if (descriptionPanel_->isVisible()) session_->setDescriptionLines(descriptionPanel_->lines());
    descriptionPanel_->hide();
    session_->PPOKClick();
}

void TMainForm::placeFloatingPanels() {
    const QSize area = centre_->size();
    descriptionPanel_->move(std::max(0, std::min(60, area.width() - descriptionPanel_->width())),
                            std::max(0, std::min(40, area.height() - descriptionPanel_->height())));
}

// ------------------------------------------------------------ window events

void TMainForm::restoreOnce() {
    if (restored_) return;
    restored_ = true;
    session_->restore();
    if (const auto placement = parseWindowPlacement(session_->windowPlacement())) {
        // Onto a screen there is now; what is saved on closing is where the window is.
        // The window's frame lies around its geometry: the frame is what has to fit.
        const QRect inner = geometry(), outer = frameGeometry();
        const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                             outer.right() - inner.right(), outer.bottom() - inner.bottom());
        QList<QRect> screens;
        if (QScreen* primary = QGuiApplication::primaryScreen())
            screens << primary->availableGeometry().marginsRemoved(frame);
        for (QScreen* s : QGuiApplication::screens())
            if (s != QGuiApplication::primaryScreen()) screens << s->availableGeometry().marginsRemoved(frame);
        setGeometry(fitOntoScreens(placement->rect, screens));
        if (placement->maximized) setWindowState(windowState() | Qt::WindowMaximized);
    }
    if (!session_->externalMode() && session_->labelFileLoaded()) session_->dopfields();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!restored_) QTimer::singleShot(0, this, &TMainForm::restoreOnce);
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // The grid always reflects the current description lines.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && restored_ &&
        !session_->externalMode() && session_->labelFileLoaded())
        session_->dopfields();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!mdiArea_->subWindowList().isEmpty()) {  // a report window still reads the table
        messages_->beep();
        event->ignore();
        return;
    }
    const QRect g = normalGeometry();
    session_->setWindowPlacement(QStringLiteral("%1,%2,%3,%4,%5")
                                     .arg(g.x())
                                     .arg(g.y())
                                     .arg(g.width())
                                     .arg(g.height())
                                     .arg(isMaximized() ? 1 : 0));
    if (!session_->closeRequested()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace dorvana
