#include "report/designer/designer_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/messages.h"
#include "data/data_set.h"
#include "report/designer/designer_palette.h"
#include "report/designer/designer_surface.h"
#include "report/designer/dialogs/barcode_dialog.h"
#include "report/designer/dialogs/editor_options_dialog.h"
#include "report/designer/dialogs/element_dialog.h"
#include "report/designer/dialogs/function_dialogs.h"
#include "report/designer/dialogs/logic/designer_exchange.h"
#include "report/designer/dialogs/new_report_dialog.h"
#include "report/designer/dialogs/report_settings_dialog.h"
#include "report/designer/dialogs/sheet_chooser_dialog.h"
#include "report/designer/document/designer_document.h"
#include "report/designer/document/template_in_use.h"
#include "report/designer/document/template_saving.h"
#include "report/designer/object_bar.h"
#include "report/designer/template_printer_settings.h"
#include "report/layout/pages/printed_fonts.h"
#include "report/layout/pages/font_preset.h"
#include "report/layout/report_run.h"
#include "report/model/text_elements.h"
#include "report/model/zoom_table.h"
#include "report/render/printer/printer.h"
#include "report/render/printer/printer_metrics.h"
#include "report/run/report_component.h"
#include "report/run/report_environment.h"
#include "report/windows/printer_choice_dialog.h"
#include "report/windows/report_windows.h"
#include "report/windows/run_window.h"

namespace dorvana {

namespace {

// A tool bar icon drawn from one glyph.
QIcon glyphIcon(const QString& glyph) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    QFont f;
    f.setPixelSize(16);
    p.setFont(f);
    p.setPen(QColor(32, 32, 96));
    p.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

}  // namespace

TFormSestE::TFormSestE(TSestava& component, Messages& messages, const EditorOptions& options,
                       DesignerServices services, QWidget* parent)
    : QMainWindow(parent), component_(component), messages_(messages), services_(std::move(services)) {
    setObjectName(QStringLiteral("TFormSestE"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    doc_ = new DesignerDocument(messages, options, this);
    doc_->setParameters(component.Parametry);
    doc_->setDataSet(component.dataSet());
    doc_->setSortEnabled(component.SortEnabled);
    LoadFormats(formats_, settingsFilePath());

    buildToolBar();
    addToolBarBreak();
    auto* paletteBar = new QToolBar(QStringLiteral("Paleta"), this);
    paletteBar->setObjectName(QStringLiteral("paletteBar"));
    paletteBar->setMovable(false);
    palette_ = new DesignerPalette(*doc_, int(component.Parametry.size()), paletteBar);
    paletteBar->addWidget(palette_);
    addToolBar(paletteBar);
    addToolBarBreak();
    auto* objectToolBar = new QToolBar(QStringLiteral("Vlastnosti prvku"), this);
    objectToolBar->setObjectName(QStringLiteral("objectToolBar"));
    objectToolBar->setMovable(false);
    objectBar_ = new ObjectBar(*doc_, objectToolBar);
    objectToolBar->addWidget(objectBar_);
    addToolBar(objectToolBar);

    surface_ = new DesignerSurface(*doc_);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("pageScroll"));
    scroll_->setWidget(surface_);
    scroll_->setBackgroundRole(QPalette::Mid);
    setCentralWidget(scroll_);

    coordinates_ = new QLabel(this);
    coordinates_->setObjectName(QStringLiteral("coordinates"));
    coordinates_->setMinimumWidth(140);
    statusBar()->addWidget(coordinates_);

    connect(palette_, &DesignerPalette::toolChanged, this, &TFormSestE::toolChanged);
    connect(surface_, &DesignerSurface::sectionClicked, this, &TFormSestE::sectionClicked);
    connect(surface_, &DesignerSurface::arrowRequested, this, [this] {
        if (palette_->tool()) {
            palette_->releaseTool();
            toolChanged(0);
        }
    });
    connect(surface_, &DesignerSurface::pointerAt, this, [this](int x, int y) {
        coordinates_->setText(x < 0 ? QString() : QStringLiteral("X: %1  Y: %2").arg(x).arg(y));
    });
    connect(surface_, &DesignerSurface::clipboardChanged, this, &TFormSestE::refreshCommands);
    connect(surface_, &DesignerSurface::elementDoubleClicked, this, [this](TSesPrvek* e) {
        if (e == doc_->current() && configure_->isEnabled()) configure_->trigger();
    });
    connect(surface_, &DesignerSurface::sectionDoubleClicked, this,
            [this](int indexOdd) { openSettings(indexOdd); });
    connect(objectBar_, &ObjectBar::fontRequested, this, &TFormSestE::openFontDialog);
    connect(objectBar_, &ObjectBar::barcodeRequested, this, &TFormSestE::openBarcodeDialog);
    connect(palette_->addFunctionButton(), &QToolButton::clicked, this, &TFormSestE::addFunction);
    connect(palette_->editFunctionButton(), &QToolButton::clicked, this, &TFormSestE::editFunction);
    connect(palette_->removeFunctionButton(), &QToolButton::clicked, this, [this] {
        palette_->releaseTool();
        toolChanged(0);
        doc_->removeLastFunction();
    });
    for (auto signal : {&DesignerDocument::historyChanged, &DesignerDocument::selectionChanged,
                        &DesignerDocument::modelReset})
        connect(doc_, signal, this, &TFormSestE::refreshCommands);
    resize(1100, 800);
    setZoomIndex(options.ImplMeritko >= 0 && options.ImplMeritko < kZoomStepCount ? options.ImplMeritko : 6);
    refreshCommands();
}

TFormSestE::~TFormSestE() = default;

QAction* TFormSestE::addCommand(const QString& caption, const QString& objectName,
                                const QString& glyph) {
    auto* a = new QAction(glyphIcon(glyph), caption, this);
    a->setObjectName(objectName);
    a->setToolTip(caption);
    return a;
}

void TFormSestE::buildToolBar() {
    auto* bar = new QToolBar(QStringLiteral("Příkazy"), this);
    bar->setObjectName(QStringLiteral("commandBar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    addToolBar(bar);

    save_ = addCommand(QStringLiteral("Uložení předlohy"), QStringLiteral("save"), QStringLiteral("⤓"));
    close_ = addCommand(QStringLiteral("Ukončení oprav předlohy"), QStringLiteral("close"), QStringLiteral("✖"));
    undo_ = addCommand(QStringLiteral("Zrušit"), QStringLiteral("undo"), QStringLiteral("↶"));
    redo_ = addCommand(QStringLiteral("Zpět"), QStringLiteral("redo"), QStringLiteral("↷"));
    newTemplate_ = addCommand(QStringLiteral("Nová předloha"), QStringLiteral("newTemplate"), QStringLiteral("✚"));
    settings_ = addCommand(QStringLiteral("Nastavení předlohy"), QStringLiteral("settings"), QStringLiteral("⚙"));
    options_ = addCommand(QStringLiteral("Nastavení prostředí"), QStringLiteral("options"), QStringLiteral("☰"));
    preview_ = addCommand(QStringLiteral("Ukázka před tiskem"), QStringLiteral("preview"), QStringLiteral("◫"));
    print_ = addCommand(QStringLiteral("Tisk sestavy"), QStringLiteral("print"), QStringLiteral("▤"));
    first_ = addCommand(QStringLiteral("První záznam"), QStringLiteral("firstRecord"), QStringLiteral("⇤"));
    prior_ = addCommand(QStringLiteral("Předchozí záznam"), QStringLiteral("priorRecord"), QStringLiteral("◀"));
    next_ = addCommand(QStringLiteral("Další záznam"), QStringLiteral("nextRecord"), QStringLiteral("▶"));
    last_ = addCommand(QStringLiteral("Poslední záznam"), QStringLiteral("lastRecord"), QStringLiteral("⇥"));
    delete_ = addCommand(QStringLiteral("Výmaz prvku"), QStringLiteral("deleteElement"), QStringLiteral("✕"));
    configure_ = addCommand(QStringLiteral("Nastavit prvek"), QStringLiteral("configureElement"), QStringLiteral("✎"));
    cut_ = addCommand(QStringLiteral("Vystřihnout"), QStringLiteral("cut"), QStringLiteral("✂"));
    copy_ = addCommand(QStringLiteral("Kopírovat"), QStringLiteral("copy"), QStringLiteral("❐"));
    paste_ = addCommand(QStringLiteral("Vložit"), QStringLiteral("paste"), QStringLiteral("⇲"));
    paste_->setCheckable(true);

    bar->addActions({save_, close_});
    bar->addSeparator();
    bar->addActions({undo_, redo_});
    bar->addSeparator();
    bar->addActions({newTemplate_, settings_, options_, preview_, print_});
    bar->addSeparator();
    zoom_ = new QComboBox(bar);
    zoom_->setObjectName(QStringLiteral("zoom"));
    zoom_->setAccessibleName(QStringLiteral("Měřítko"));
    zoom_->setToolTip(QStringLiteral("Měřítko"));
    for (int i = 0; i < kZoomStepCount; ++i)
        zoom_->addItem(QStringLiteral("%1 %").arg(qRound(zoomFactor(i) * 100)));
    bar->addWidget(zoom_);
    bar->addActions({first_, prior_, next_, last_});
    bar->addSeparator();
    bar->addActions({delete_, configure_, cut_, copy_, paste_});

    connect(zoom_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0 && surface_) surface_->setZoom(zoomFactor(i));
    });
    connect(save_, &QAction::triggered, this, [this] { saveTemplate(); });
    connect(close_, &QAction::triggered, this, &QWidget::close);
    connect(undo_, &QAction::triggered, doc_, &DesignerDocument::undo);
    connect(redo_, &QAction::triggered, doc_, &DesignerDocument::redo);
    connect(first_, &QAction::triggered, this, [this] { moveRecord(RecordMove::First); });
    connect(prior_, &QAction::triggered, this, [this] { moveRecord(RecordMove::Prior); });
    connect(next_, &QAction::triggered, this, [this] { moveRecord(RecordMove::Next); });
    connect(last_, &QAction::triggered, this, [this] { moveRecord(RecordMove::Last); });
    connect(delete_, &QAction::triggered, doc_, &DesignerDocument::deleteSelection);
    connect(configure_, &QAction::triggered, this, &TFormSestE::configureElement);
    connect(newTemplate_, &QAction::triggered, this, &TFormSestE::newTemplate);
    connect(settings_, &QAction::triggered, this, [this] { openSettings(); });
    connect(options_, &QAction::triggered, this, &TFormSestE::openOptions);
    connect(preview_, &QAction::triggered, this, &TFormSestE::previewTemplate);
    connect(print_, &QAction::triggered, this, &TFormSestE::printTemplate);
    connect(cut_, &QAction::triggered, this, [this] {
        doc_->cut();
        refreshCommands();
    });
    connect(copy_, &QAction::triggered, this, [this] {
        doc_->copy();
        refreshCommands();
    });
    connect(paste_, &QAction::triggered, this, [this] {
        palette_->releaseTool();
        surface_->setTool(0);
        doc_->clearSelection();
        surface_->setPasteMode(!surface_->pasteMode());
        refreshCommands();
    });
}

bool TFormSestE::load() {
    inMemory_ = !component_.inMemoryTemplate.isEmpty();
    if (inMemory_)
        doc_->loadLines(component_.inMemoryTemplate);
    else if (!doc_->open(component_.templatePath()))
        return false;
    setWindowTitle(captionText());
    refreshCommands();
    // A template without a line starts with the wizard as soon as the window shows.
    if (doc_->loadedEmpty()) QTimer::singleShot(0, this, &TFormSestE::newTemplate);
    return true;
}

bool TFormSestE::edit(TSestava& component, Messages& messages, const EditorOptions& options,
                      DesignerServices services, QWidget* parent) {
    TFormSestE window(component, messages, options, std::move(services), parent);
    if (!window.load()) return false;
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    QEventLoop loop;
    QObject::connect(&window, &TFormSestE::closed, &loop, &QEventLoop::quit);
    loop.exec();
    return false;
}

void TFormSestE::setZoomIndex(int index) {
    zoom_->setCurrentIndex(qBound(0, index, kZoomStepCount - 1));
    surface_->setZoom(zoomFactor(zoom_->currentIndex()));
}

int TFormSestE::zoomIndex() const {
    return zoom_->currentIndex();
}

QString TFormSestE::captionText() const {
    return QStringLiteral("Oprava předlohy tiskové sestavy - %1 \"%2\"")
        .arg(doc_->model().title, component_.ReportName);
}

bool TFormSestE::saveTemplate() {
    bool saved = false;
    if (inMemory_) {
        // The component's own text, no file.
        component_.inMemoryTemplate = doc_->saveInMemory();
        saved = true;
    } else if (component_.ReportSaveDialog) {
        const QString extension = QFileInfo(component_.ReportName).suffix();
        const QString filter =
            QStringLiteral("Předlohy tiskových sestav (*.%1 *.%2);;Všechny soubory (*)")
                .arg(extension.toLower(), extension.toUpper());
        const QString start = component_.ReportDirIgnore ? programDirectory() : component_.ReportDir();
        QString chosen = QFileDialog::getSaveFileName(
            this, QStringLiteral("Uložení předlohy tiskové sestavy do souboru"),
            start + component_.ReportName, filter, nullptr, QFileDialog::DontConfirmOverwrite);
        if (chosen.isEmpty()) return false;
        chosen = templateSavePath(chosen);
        const QFileInfo info(chosen);
        if (QFileInfo(chosen).absoluteFilePath() != QFileInfo(doc_->path()).absoluteFilePath()) {
            // The query of a combined data source goes with the template.
            if (component_.SortEnabled &&
                doc_->model().dataSource.kind == DataSourceSettings::Combined)
                copyQueryFile(doc_->path(), chosen);
            confirmNewName(chosen);
        }
        saved = doc_->saveAs(chosen);
        if (saved) {
            component_.ReportName = info.fileName();
            if (!component_.ReportDirIgnore) component_.setReportDir(info.absolutePath());
        }
    } else {
        saved = doc_->save();
    }
    setWindowTitle(captionText());
    refreshCommands();
    return saved;
}

void TFormSestE::confirmNewName(const QString& path) {
    ReportSettingsContext context = settingsContext();
    const QFileInfo info(path);
    context.component.fileName = info.fileName();
    context.component.directory = info.absolutePath();
    context.minimumMargins = nullptr;  // only the page "Sestava": the paper is not edited here
    // The reduced dialog edits a copy; only the title comes back.
    const std::unique_ptr<ReportModel> copy = doc_->modelCopy();
    TSestDlg dialog(*copy, context, this);
    dialog.setReducedForm(true);
    if (dialog.exec() == QDialog::Accepted) doc_->setTitle(dialog.values().title);
}

void TFormSestE::closeEvent(QCloseEvent* event) {
    if (doc_->isModified() && saveWithoutAsking_) {
        if (!saveTemplate()) {
            saveWithoutAsking_ = false;
            component_.restartRequested = false;
            event->ignore();
            return;
        }
    } else if (doc_->isModified()) {
        switch (messages_.ask(QStringLiteral("V předloze sestavy byly provedeny změny. Uložit?"))) {
            case Messages::Answer::Yes:
                if (!saveTemplate()) {
                    event->ignore();
                    return;
                }
                break;
            case Messages::Answer::No:
                break;
            case Messages::Answer::Cancel:
                event->ignore();
                return;
        }
    }
    event->accept();
    emit closed();
}

void TFormSestE::refreshCommands() {
    undo_->setEnabled(doc_->canUndo());
    undo_->setToolTip(doc_->undoHint());
    redo_->setEnabled(doc_->canRedo());
    redo_->setToolTip(doc_->redoHint());
    const TSesPrvek* e = doc_->current();
    for (QAction* a : {delete_, cut_, copy_}) a->setEnabled(e);
    // Field values, field labels and functions of existing fields and
    // functions open the element dialog, other texts the font dialog.
    const bool dialogElement = e && (e->type() == ElementType::FieldValue ||
                                     e->type() == ElementType::FieldLabel ||
                                     e->type() == ElementType::Function);
    configure_->setEnabled(e && e->isText() &&
                           (!dialogElement || canConfigureElement(*e, doc_->fieldSource(),
                                                                  int(doc_->model().functions.size()))));
    const bool hasData = component_.dataSet() != nullptr;
    preview_->setEnabled(hasData);
    print_->setEnabled(hasData);
    objectBar_->barcodeButton()->setEnabled(e && e->isText());
    paste_->setEnabled(doc_->canPaste());
    paste_->setChecked(surface_ && surface_->pasteMode());
    first_->setEnabled(doc_->canMoveBack());
    prior_->setEnabled(doc_->canMoveBack());
    next_->setEnabled(doc_->canMoveForward());
    last_->setEnabled(doc_->canMoveForward());
    setWindowTitle(captionText() + (doc_->isModified() ? QStringLiteral(" *") : QString()));
}

void TFormSestE::toolChanged(int code) {
    surface_->setTool(code);
    refreshCommands();
}

void TFormSestE::sectionClicked(int indexOdd, QPoint point) {
    if (surface_->pasteMode()) {
        doc_->paste(indexOdd, point);
        surface_->setPasteMode(false);
    } else if (const int tool = palette_->tool()) {
        doc_->insertElement(indexOdd, tool, point);
        palette_->releaseTool();
        surface_->setTool(0);
    }
    refreshCommands();
}

void TFormSestE::moveRecord(RecordMove how) {
    doc_->moveRecord(how);
    refreshCommands();
}

void TFormSestE::openFontDialog() {
    const TSesPrvek* e = doc_->current();
    if (!e || !e->isText()) return;
    const QFont initial = fontDialogPreset(e->fontName(), e->fontSize, e->font.style);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, this, QStringLiteral("Písmo"));
    if (!ok) return;
    doc_->setFont(chosenFontName(e->fontName(), initial, chosen),
                  chosen.pointSize() > 0 ? chosen.pointSize() : e->fontSize, fontStyleBits(chosen));
}

void TFormSestE::openBarcodeDialog() {
    const TSesPrvek* e = doc_->current();
    if (!e || !e->isText()) return;
    const QFont font = dialogFont(e->fontName(), e->fontSize, e->font.style);
    const std::optional<QString> format = editBarcodeFormat(
        static_cast<const TSesText*>(e)->BcFormat(), font, doc_->displayText(e), this);
    if (format) doc_->setBarcodeFormat(*format);
}

QString TFormSestE::settingsFilePath() const {
    return component_.Environment ? component_.Environment->settingsFilePath() : QString();
}

FunctionEditContext TFormSestE::functionContext(ValueSource* source) const {
    FunctionEditContext c;
    c.references = expressionReferences(*doc_);
    c.groupCount = doc_->model().groupCount();
    c.byName = doc_->options().SledPodle;
    c.enabledTypeFields = component_.EnabledTypeFields;
    c.source = source;
    c.messages = &messages_;
    return c;
}

void TFormSestE::configureElement() {
    TSesPrvek* e = doc_->current();
    if (!e || !e->isText()) return;
    if (e->type() != ElementType::FieldValue && e->type() != ElementType::FieldLabel &&
        e->type() != ElementType::Function) {
        openFontDialog();
        return;
    }
    if (!canConfigureElement(*e, doc_->fieldSource(), int(doc_->model().functions.size()))) return;
    const std::unique_ptr<ReportRun> source = designerValueSource(*doc_);
    QList<FunctionDefinition> functions = doc_->model().functions;
    ElementDialogContext context;
    context.fields = doc_->fieldSource();
    context.functions = &functions;
    context.functionEditing = functionContext(source.get());
    context.enabledTypeFields = component_.EnabledTypeFields;
    const std::optional<ElementDialogValues> values =
        dorvana::configureElement(elementDialogValues(*e), context, this);
    // "Funkce ..." changes the function at once, whatever the dialog ends with.
    for (int f = 0; f < functions.size() && f < doc_->model().functions.size(); ++f)
        if (!(functions[f] == doc_->model().functions[f])) doc_->replaceFunction(f, functions[f]);
    if (values) applyElementConfiguration(*doc_, *e, *values);
    refreshCommands();
}

void TFormSestE::addFunction() {
    palette_->releaseTool();
    toolChanged(0);
    FunctionDefinition row;
    row.name = QStringLiteral("Funkce_%1").arg(doc_->model().functions.size() + 1);
    const std::unique_ptr<ReportRun> source = designerValueSource(*doc_);
    if (EditFunction(functionContext(source.get()), row, this) == 1) doc_->addFunction(row);
}

void TFormSestE::editFunction() {
    const int index = palette_->tool() - 10000;
    if (index < 0 || index >= doc_->model().functions.size()) return;
    FunctionDefinition row = doc_->model().functions[index];
    const std::unique_ptr<ReportRun> source = designerValueSource(*doc_);
    EditFunction(functionContext(source.get()), row, this);
    // Recorded also after Cancel, as the button's hint is refreshed either way.
    doc_->replaceFunction(index, row);
}

ReportSettingsContext TFormSestE::settingsContext() {
    ReportSettingsContext c;
    const QFileInfo info(doc_->path());
    c.component.fileName = info.fileName();
    c.component.directory = info.absolutePath();
    c.component.copies = component_.PrintCopies;
    c.component.startPage = component_.StartPage;
    c.component.endPage = component_.EndPage;
    c.component.maxRecords = component_.MaxRecords;
    c.component.description = component_.Popis;
    c.component.sortEnabled = component_.SortEnabled;
    c.component.enabledTypeFields = component_.EnabledTypeFields;
    c.fieldNames = doc_->fieldNames();
    for (const FunctionDefinition& f : doc_->model().functions) c.functionNames << f.name;
    c.formats = &formats_;
    c.installedPrinters = printer().printers();
    c.currentPrinterSettings = [this](const QString& fullName) {
        return currentPrinterSettingsText(printer(), fullName);
    };
    c.editPrinterSettings = [this](TPolTisk& polTisk) {
        return editTemplatePrinterSettings(printer(), polTisk, messages_, this);
    };
    // The margins the current printer cannot print, for the check on closing.
    c.minimumMargins = [this](int orientation) -> std::optional<MinimumMargins> {
        Printer& current = printer();
        if (current.count() == 0) return std::nullopt;
        PageGeometry geometry;
        geometry.orientation = orientation;
        ReportPrinter metrics(current, geometry);
        metrics.SelectReportPrinter(-1);
        metrics.ApplyOrientation();
        return metrics.minimumMargins();
    };
    if (services_.queryBuilder) {
        c.buildSql = [this](const QString& sql) -> std::optional<QString> {
            // The builder works on "SqlBuild.stm": the template's query file
            // takes that name while it runs.
            QueryFileSwap swap(component_.ReportDirIgnore ? programDirectory() : component_.ReportDir(),
                               component_.ReportName);
            QString error;
            if (!swap.begin(&error)) {
                messages_.error(error);
                return std::nullopt;
            }
            // Over the settings dialog that asks for it.
            QWidget* parent = QApplication::activeModalWidget();
            const std::optional<QString> built =
                services_.queryBuilder(component_, sql, parent ? parent : this);
            if (!swap.end(&error)) messages_.error(error);
            return built;
        };
    }
    c.optionRasterX = doc_->options().RastrX;
    c.optionRasterY = doc_->options().RastrY;
    c.messages = &messages_;
    return c;
}

void TFormSestE::openSettings(int indexOdd) {
    palette_->releaseTool();
    toolChanged(0);
    // The dialog edits a copy of the model; the document takes it back as one step.
    std::unique_ptr<ReportModel> edited = doc_->modelCopy();
    TSestDlg dialog(*edited, settingsContext(), this);
    dialog.showSection(indexOdd);
    if (dialog.exec() != QDialog::Accepted) {
        // Plans and groups inserted or deleted stay; so do margins raised on Cancel.
        doc_->replaceModel(std::move(edited), ChangeKind::Settings);
        refreshCommands();
        return;
    }
    const ReportSettingsValues values = dialog.values();
    applySettingsToDocument(*doc_, std::move(edited), values);
    QString error;
    const QString ini = settingsFilePath();
    if (!ini.isEmpty() && !SaveFormats(formats_, ini, &error)) messages_.error(error);
    refreshCommands();
    if (values.restartNeeded &&
        messages_.confirm(QStringLiteral(
            "Aby se mohly uplatnit změny parametrů je nutné uložit předlohu sestavy a restatovat "
            "editor sestav ! Uložit předlohu sestavy a restartovat editor sestav hned ?"))) {
        saveWithoutAsking_ = true;
        component_.restartRequested = true;
        close();
    }
}

void TFormSestE::openOptions() {
    EditorOptionsContext context;
    context.enabledTypeFields = component_.EnabledTypeFields;
    context.messages = &messages_;
    context.printerSetup = [this] { choosePrinter(printer(), messages_, this); };
    const std::optional<EditorOptions> options = editEditorOptions(doc_->options(), context, this);
    if (options) {
        QString error;
        if (component_.Environment && !component_.Environment->saveEditorOptions(*options, &error))
            messages_.error(error);
        doc_->setOptions(*options);
        palette_->rebuild();
        surface_->update();
    } else {
        doc_->setOptions(doc_->options());  // the snapshot capacity again
    }
    refreshCommands();
}

void TFormSestE::newTemplate() {
    if (doc_->hasElements() &&
        !messages_.confirm(
            QStringLiteral("Zrušit všechny prvky a začít s návrhem nové předlohy?")))
        return;
    palette_->releaseTool();
    toolChanged(0);
    surface_->setPasteMode(false);
    doc_->startNewTemplate();

    NewReportContext context;
    if (const DataSet* ds = doc_->dataSet()) context.fields = wizardFields(*ds);
    context.options = wizardOptions(*doc_, doc_->options().SledPodle);
    context.enabledTypeFields = component_.EnabledTypeFields;
    context.messages = &messages_;
    context.choosePaper = [this]() -> std::optional<WizardPaper> {
        std::unique_ptr<ReportModel> edited = doc_->modelCopy();
        TSestDlg dialog(*edited, settingsContext(), this);
        dialog.setPaperOnly(true);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        applySettingsToDocument(*doc_, std::move(edited), dialog.values());
        return wizardPaper(*doc_);
    };
    context.chooseSheet = [this]() -> std::optional<WizardPaper> {
        TDlgArchEtiket chooser(SheetCatalogue::standard(), QApplication::activeModalWidget());
        if (chooser.exec() != QDialog::Accepted) return std::nullopt;
        SheetPage sheet;
        QString error;
        if (!chooser.page(&sheet, &error)) {
            messages_.error(error);
            return std::nullopt;
        }
        applySheetToDocument(*doc_, sheet);
        if (!sheet.warning.isEmpty()) messages_.warning(sheet.warning);
        return wizardPaper(*doc_, sheet.rowPitch);
    };
    if (const std::optional<QStringList> lines = designNewReport(context, this))
        doc_->takeNewTemplateLines(*lines);
    refreshCommands();
}

void TFormSestE::runOverTemplate(const std::function<void()>& operation) {
    palette_->releaseTool();
    toolChanged(0);
    {
        // The report runs over the template as it is now, saved or not.
        const TemplateInUse inUse(component_, *doc_);
        operation();
    }
    doc_->refreshFieldValues();
    refreshCommands();
    activateWindow();
}

Printer& TFormSestE::printer() const {
    return services_.printer ? *services_.printer : programPrinter();
}

void TFormSestE::previewTemplate() {
    runOverTemplate([this] {
        ReportWindowHost host;
        host.parent = this;
        host.printer = &printer();
        // The preview is a window of its own over the designer, which waits
        // (greyed, saying why) until "Oprava předlohy" or closing returns to it.
        // Its corrections button is that way back: corrections belong to the
        // reports printed, not to a template being designed.
        const bool corrections = component_.OpravyEnabled;
        component_.OpravyEnabled = true;
        host.opened = [this](TFormSestE_NOR& window) {
            window.setWindowModality(Qt::ApplicationModal);
            window.setGeometry(QRect(mapToGlobal(QPoint(0, 0)), size()));
            if (auto* back = window.findChild<QToolButton*>(QStringLiteral("SBPrevEdit"))) {
                QObject::disconnect(back, nullptr, &window, nullptr);
                back->setCheckable(false);
                back->setToolTip(QStringLiteral("Oprava předlohy"));
                back->setAccessibleName(QStringLiteral("Oprava předlohy"));
                connect(back, &QToolButton::clicked, &window, &QWidget::close);
            }
        };
        setDesignEnabled(false);
        statusBar()->showMessage(QStringLiteral(
            "Předloha je otevřena v ukázce před tiskem. Do návrhu se vrátíte tlačítkem "
            "\u201eOprava předlohy\u201c nebo zavřením ukázky."));
        previewReport(component_, messages_, PreviewPlacement{}, host);
        component_.OpravyEnabled = corrections;
        statusBar()->clearMessage();
        setDesignEnabled(true);
        scroll_->horizontalScrollBar()->setValue(0);
        scroll_->verticalScrollBar()->setValue(0);
    });
}

void TFormSestE::setDesignEnabled(bool on) {
    for (QToolBar* bar : findChildren<QToolBar*>()) bar->setEnabled(on);
    scroll_->setEnabled(on);
}

void TFormSestE::printTemplate() {
    runOverTemplate([this] {
        ReportWindowHost host;
        host.parent = this;
        host.printer = &printer();
        printReport(component_, messages_, -1, host);
    });
}

}  // namespace dorvana
