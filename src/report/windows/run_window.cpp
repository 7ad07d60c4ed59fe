#include "report/windows/run_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "report/layout/pages/font_preset.h"
#include "report/model/zoom_table.h"
#include "report/layout/font_measurer.h"
#include "report/layout/pages/printed_fonts.h"
#include "report/model/report_model.h"
#include "report/render/printer/printer.h"
#include "report/run/preview_geometry.h"
#include "report/run/report_component.h"
#include "report/windows/preview_page.h"
#include "report/windows/printer_properties.h"
#include "report/windows/progress_window.h"
#include "report/windows/window_print_prompts.h"

namespace dorvana {

namespace {

const QString kCaption = QStringLiteral("Prohlížení sestavy před tiskem");
constexpr int kScrollIncrement = 64;
constexpr int kTextLength = 132;
const int kZoomCaptions[kZoomStepCount] = {32,  40,  50,  64,  75,  83,  100, 117,
                                           125, 150, 175, 200, 225, 250, 275, 300};

// The font chosen in the font dialog opened on `preset`; a family left as the
// dialog showed it keeps the element's own font name.
PrintedFont printedFontOf(const QFont& font, const QFont& preset, const PrintedFont& was) {
    PrintedFont f = was;
    f.name = chosenFontName(was.name, preset, font);
    f.size = font.pointSize() > 0 ? font.pointSize() : was.size;
    f.style = fontStyleBits(font);
    return f;
}

// A printer drawn for themes without a "document-print" icon: a sheet going
// in at the top, the body, a printed sheet coming out at the front.
QIcon drawnPrinterIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));  // the sheet going in
        p.setBrush(QColor(120, 120, 120));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);  // the body
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4.5));  // the printed sheet
        p.setPen(QPen(QColor(60, 60, 60), 0.8));
        p.drawLine(QPointF(6, 12.5), QPointF(10, 12.5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(80, 200, 80));
        p.drawEllipse(QPointF(12.5, 8.5), 0.9, 0.9);  // the ready light
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

TFormSestE_NOR::TFormSestE_NOR(TSestava& component, Messages& messages, Printer& printer,
                               QWidget* parent)
    : QWidget(parent), component_(component), messages_(messages) {
    setObjectName(QStringLiteral("FormSestE_NOR"));
    setWindowTitle(kCaption);
    setAttribute(Qt::WA_DeleteOnClose, false);
    session_ = std::make_unique<PrintSession>(component_, printer);
    document_ = std::make_unique<PreviewDocument>(job().pages(), job().corrections());
    document_->editAllowed = component_.OpravyEnabled;

    tools_ = new QFrame(this);
    tools_->setObjectName(QStringLiteral("PanelTools"));
    tools_->setFrameShape(QFrame::StyledPanel);
    buildToolPanel(tools_);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("ScrollBox"));
    scroll_->setAlignment(Qt::AlignCenter);  // centred where smaller than the view
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setWidgetResizable(false);
    scroll_->horizontalScrollBar()->setSingleStep(kScrollIncrement);
    scroll_->verticalScrollBar()->setSingleStep(kScrollIncrement);
    page_ = new PreviewPage(*document_);
    scroll_->setWidget(page_);

    editPanel_ = new QFrame(this);
    editPanel_->setObjectName(QStringLiteral("PanelEdit"));
    editPanel_->setFrameShape(QFrame::StyledPanel);
    buildEditPanel(editPanel_);
    editPanel_->hide();
    buildMemoPanel();

    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(scroll_, 1);
    right->addWidget(editPanel_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(tools_);
    layout->addLayout(right, 1);
    tools_->hide();

    connect(document_.get(), &PreviewDocument::pageChanged, this, &TFormSestE_NOR::pageShown);
    connect(document_.get(), &PreviewDocument::selectionChanged, this, [this] {
        fillFields();
        // A selected element's text is ready to be typed over.
        if (document_->selectedElement()) focusTextOf(document_->selected());
        page_->update();
    });
    connect(document_.get(), &PreviewDocument::elementChanged, this, [this](int) {
        fillFields();
        page_->update();
    });
    connect(document_.get(), &PreviewDocument::modeChanged, this, [this] {
        editPanel_->setVisible(document_->editMode());
        edit_->setChecked(document_->editMode());
        selectTool_->setChecked(document_->tool() == PreviewDocument::Tool::Select);
        newText_->setChecked(document_->tool() == PreviewDocument::Tool::InsertText);
        newMemo_->setChecked(document_->tool() == PreviewDocument::Tool::InsertMemo);
        page_->updateCursor();
        fillFields();
    });
    connect(page_, &PreviewPage::pointerMoved, this, [this](QPoint p) {
        xSou_->setText(QString::number(p.x()));
        ySou_->setText(QString::number(p.y()));
    });
    connect(page_, &PreviewPage::panBy, this, [this](QPoint d) {
        scroll_->horizontalScrollBar()->setValue(scroll_->horizontalScrollBar()->value() + d.x());
        scroll_->verticalScrollBar()->setValue(scroll_->verticalScrollBar()->value() + d.y());
    });

    setTabOrder(xEdit_, yEdit_);
    setTabOrder(yEdit_, wEdit_);
    setTabOrder(wEdit_, hEdit_);
    setTabOrder(hEdit_, text_);
    setTabOrder(text_, font_);
    setTabOrder(font_, alignment_);

    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
    resize(1000, 760);
    showPageNumbers();
    enableFields(false);
}

TFormSestE_NOR::~TFormSestE_NOR() {
    if (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

// --- panels ---

QToolButton* TFormSestE_NOR::toolButton(const QString& name, const QString& hint,
                                        QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setAccessibleName(hint.trimmed());
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIconSize(QSize(22, 22));
    b->setMinimumSize(30, 30);
    return b;
}

void TFormSestE_NOR::buildToolPanel(QFrame* panel) {
    QStyle* s = style();
    konec_ = toolButton(QStringLiteral("SBPrevKonec"), QStringLiteral("Ukončení (Esc)"), panel);
    konec_->setIcon(s->standardIcon(QStyle::SP_DialogCloseButton));
    edit_ = toolButton(QStringLiteral("SBPrevEdit"), QStringLiteral("Opravy tiskové sestavy"), panel);
    edit_->setIcon(s->standardIcon(QStyle::SP_FileDialogDetailedView));
    edit_->setCheckable(true);
    tisk_ = toolButton(QStringLiteral("SBPrevTisk"), QStringLiteral("Tisk sestavy"), panel);
    tisk_->setIcon(QIcon::fromTheme(QStringLiteral("document-print"), drawnPrinterIcon()));
    pgFi_ = toolButton(QStringLiteral("SBPrevPgFi"), QStringLiteral("První stránka"), panel);
    pgFi_->setIcon(s->standardIcon(QStyle::SP_MediaSkipBackward));
    pgUp_ = toolButton(QStringLiteral("SBPrevPgUp"), QStringLiteral("Předchozí stránka "), panel);
    pgUp_->setIcon(s->standardIcon(QStyle::SP_MediaSeekBackward));
    pgDn_ = toolButton(QStringLiteral("SBPrevPgDn"), QStringLiteral("Další stránka "), panel);
    pgDn_->setIcon(s->standardIcon(QStyle::SP_MediaSeekForward));
    pgLa_ = toolButton(QStringLiteral("SBPrevPgLa"), QStringLiteral("Poslední stránka"), panel);
    pgLa_->setIcon(s->standardIcon(QStyle::SP_MediaSkipForward));

    pageNumber_ = new QLabel(panel);
    pageNumber_->setObjectName(QStringLiteral("PanelPrevCisloStrany"));
    // Read out as their numbers, described by what they count.
    pageNumber_->setAccessibleDescription(QStringLiteral("Číslo stránky"));
    pageNumber_->setToolTip(QStringLiteral("Číslo stránky"));
    pageCount_ = new QLabel(panel);
    pageCount_->setObjectName(QStringLiteral("PanelPrevPocetStran"));
    pageCount_->setAccessibleDescription(QStringLiteral("Počet stran"));
    pageCount_->setToolTip(QStringLiteral("Počet stran"));
    for (QLabel* l : {pageNumber_, pageCount_}) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setAlignment(Qt::AlignCenter);
        l->setMinimumWidth(44);
    }

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setSpacing(2);
    grid->addWidget(konec_, 0, 0);
    grid->addWidget(edit_, 0, 1);
    grid->addWidget(tisk_, 1, 0, 1, 2, Qt::AlignHCenter);
    grid->addWidget(pgFi_, 2, 0);
    grid->addWidget(pgLa_, 2, 1);
    grid->addWidget(pgUp_, 3, 0);
    grid->addWidget(pgDn_, 3, 1);
    grid->addWidget(pageNumber_, 4, 0);
    grid->addWidget(pageCount_, 4, 1);
    for (int i = 0; i < kZoomStepCount; ++i) {
        const QString caption = QString::number(kZoomCaptions[i]);
        auto* b = toolButton(QStringLiteral("SBPr") + caption,
                             QStringLiteral("Zobrazení v měřítku [%]"), panel);
        b->setText(caption);
        b->setAccessibleName(caption);
        b->setCheckable(true);
        b->setAutoExclusive(true);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setMinimumWidth(40);
        // Toggled, not clicked: assistive technology checks the button.
        connect(b, &QToolButton::toggled, this, [this, i](bool on) {
            if (on && document_->zoomStep() != i) zoomTo(i);
        });
        zoomButtons_ << b;
        grid->addWidget(b, 5 + i / 2, i % 2);
    }
    xSou_ = new QLabel(panel);
    xSou_->setObjectName(QStringLiteral("XSou"));
    xSou_->setToolTip(QStringLiteral("Souřadnice X"));
    xSou_->setAccessibleName(QStringLiteral("Souřadnice X"));
    ySou_ = new QLabel(panel);
    ySou_->setObjectName(QStringLiteral("YSou"));
    ySou_->setToolTip(QStringLiteral("Souřadnice Y"));
    ySou_->setAccessibleName(QStringLiteral("Souřadnice Y"));
    const int row = 5 + kZoomStepCount / 2;
    grid->addWidget(new QLabel(QStringLiteral("X:"), panel), row, 0);
    grid->addWidget(xSou_, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Y:"), panel), row + 1, 0);
    grid->addWidget(ySou_, row + 1, 1);
    grid->setRowStretch(row + 2, 1);

    connect(konec_, &QToolButton::clicked, this, &QWidget::close);
    connect(edit_, &QToolButton::toggled, this, [this](bool on) {
        if (on != document_->editMode()) document_->setEditMode(on);
    });
    connect(tisk_, &QToolButton::clicked, this, [this] { print(-1); });
    connect(pgFi_, &QToolButton::clicked, this, [this] { document_->firstPage(); });
    connect(pgUp_, &QToolButton::clicked, this, [this] { document_->previousPage(); });
    connect(pgDn_, &QToolButton::clicked, this, [this] { document_->nextPage(); });
    connect(pgLa_, &QToolButton::clicked, this, [this] { document_->lastPage(); });
}

void TFormSestE_NOR::buildEditPanel(QFrame* panel) {
    const auto field = [panel](const QString& name, const QString& hint, int length) {
        auto* e = new QLineEdit(panel);
        e->setObjectName(name);
        e->setToolTip(hint);
        e->setAccessibleName(hint);
        e->setMaxLength(length);
        e->setMaximumWidth(60);
        return e;
    };
    xEdit_ = field(QStringLiteral("XEdit"), QStringLiteral("Levý okraj prvku (Ctrl <- ,Ctrl ->)"), 4);
    yEdit_ = field(QStringLiteral("YEdit"),
                   QStringLiteral("Horní okraj prvku (Ctrl - šipka nahoru, Ctrl - šipka dolů)"), 4);
    wEdit_ = field(QStringLiteral("WEdit"), QStringLiteral("Šířka prvku (Alt <-, Alt ->)"), 4);
    hEdit_ = field(QStringLiteral("HEdit"),
                   QStringLiteral("Výška prvku (Alt - šipka nahoru, Alt - šipka dolů)"), 3);
    text_ = field(QStringLiteral("TextEdit"),
                  QStringLiteral("Text vybraného jednořádkového prvku (Enter)"), kTextLength);
    text_->setMaximumWidth(QWIDGETSIZE_MAX);
    font_ = new QPushButton(QStringLiteral("Písmo..."), panel);
    font_->setObjectName(QStringLiteral("PrPismo"));
    alignment_ = new QComboBox(panel);
    alignment_->setObjectName(QStringLiteral("Zarovnani"));
    alignment_->setAccessibleName(QStringLiteral("Zarovnání"));
    alignment_->addItems({QStringLiteral("Vlevo"), QStringLiteral("Vpravo"),
                          QStringLiteral("Uprostřed")});
    selectTool_ = toolButton(QStringLiteral("ZrusVlozeni"), QStringLiteral("Výběr aktivního prvku"), panel);
    selectTool_->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    newText_ = toolButton(QStringLiteral("NewPrvek"), QStringLiteral("Vložit nový jednořádkový prvek"), panel);
    newText_->setText(QStringLiteral("T"));
    newMemo_ = toolButton(QStringLiteral("NewMemo"), QStringLiteral("Vložit nový víceřádkový prvek"), panel);
    newMemo_->setText(QStringLiteral("≡"));
    for (QToolButton* b : {selectTool_, newText_, newMemo_}) {
        b->setCheckable(true);
        b->setAutoExclusive(true);
    }
    selectTool_->setChecked(true);
    delete_ = toolButton(QStringLiteral("SmazPrvek"), QStringLiteral("Smazat vybraný prvek"), panel);
    delete_->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));

    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 2, 4, 2);
    const auto add = [&](const QString& label, QWidget* w) {
        auto* l = new QLabel(label, panel);
        l->setBuddy(w);
        row->addWidget(l);
        row->addWidget(w);
    };
    add(QStringLiteral("X:"), xEdit_);
    add(QStringLiteral("Y:"), yEdit_);
    add(QStringLiteral("Š:"), wEdit_);
    add(QStringLiteral("V:"), hEdit_);
    row->addWidget(font_);
    row->addWidget(alignment_);
    add(QStringLiteral("Text:"), text_);
    row->addWidget(selectTool_);
    row->addWidget(newText_);
    row->addWidget(newMemo_);
    row->addWidget(delete_);

    connect(font_, &QPushButton::clicked, this, &TFormSestE_NOR::chooseFont);
    connect(alignment_, &QComboBox::activated, this,
            [this](int i) { document_->setSelectedAlignment(i); });
    const auto tool = [this](QToolButton* b, PreviewDocument::Tool t) {
        connect(b, &QToolButton::toggled, this, [this, t](bool on) {
            if (on && document_->tool() != t) document_->setTool(t);
        });
    };
    tool(selectTool_, PreviewDocument::Tool::Select);
    tool(newText_, PreviewDocument::Tool::InsertText);
    tool(newMemo_, PreviewDocument::Tool::InsertMemo);
    connect(delete_, &QToolButton::clicked, this, &TFormSestE_NOR::deleteElement);
}

void TFormSestE_NOR::buildMemoPanel() {
    memoPanel_ = new QFrame(page_);
    memoPanel_->setObjectName(QStringLiteral("MemoPanel"));
    memoPanel_->setFrameShape(QFrame::Panel);
    memoPanel_->setFrameShadow(QFrame::Raised);
    memoPanel_->setAutoFillBackground(true);
    memoPanel_->setMinimumSize(250, 110);
    auto* caption = new QLabel(QStringLiteral("Text vybraného víceřádkového prvku      "), memoPanel_);
    memoEdit_ = new QPlainTextEdit(memoPanel_);
    memoEdit_->setObjectName(QStringLiteral("MemoEdit"));
    memoEdit_->setAccessibleName(QStringLiteral("Text vybraného víceřádkového prvku"));
    memoApply_ = new QPushButton(memoPanel_);
    memoApply_->setObjectName(QStringLiteral("VlozText"));
    const QString hint =
        QStringLiteral("Vložit nový text do vybraného víceřádkového prvku (Ctrl-F2)");
    memoApply_->setToolTip(hint);
    memoApply_->setAccessibleName(hint);
    memoApply_->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    auto* top = new QHBoxLayout;
    top->addWidget(caption, 1);
    top->addWidget(memoApply_);
    auto* layout = new QVBoxLayout(memoPanel_);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(memoEdit_, 1);
    memoPanel_->resize(300, 130);
    memoPanel_->hide();
    connect(memoApply_, &QPushButton::clicked, this, &TFormSestE_NOR::applyFieldsFromPanel);
}

// --- loading, building ---

void TFormSestE_NOR::setProfilePath(const QString& path) { session_->setProfilePath(path); }

bool TFormSestE_NOR::loadTemplate() {
    FontMeasurer* measurer = new FontMeasurer;
    session_->setTextMeasurer(measurer);
    measurer_.reset(measurer);
    QString error;
    if (!session_->load(&error)) {
        messages_.error(error);
        return false;
    }
    if (!job().correctionsWarning().isEmpty()) messages_.warning(job().correctionsWarning());
    ReportModel& model = job().run().model();
    title_ = model.title;
    document_->barcodeByPrinter = job().run().barcodeByPrinter;
    PagePaper& paper = job().pages().paper;
    const PageGeometry& g = model.paper;
    paper.width = g.pageWidth();
    paper.height = g.pageHeight();
    paper.orientation = g.orientation;
    paper.leftMargin = g.leftMargin;
    paper.rightMargin = g.rightMargin;
    paper.topMargin = g.topMargin;
    paper.bottomMargin = g.bottomMargin;
    page_->setFixedSize(document_->pageSize());
    return true;
}

namespace {

// Passes a build's progress on, and tells once when the build has gone past
// its first page.
class FirstPageWatch final : public Progress {
public:
    FirstPageWatch(Progress& to, const PageStore& pages, std::function<void()> done)
        : to_(to), pages_(pages), done_(std::move(done)) {}
    void step(int done, int total, const QString& text) override {
        to_.step(done, total, text);
        check();
    }
    bool cancelled() override {
        check();
        return to_.cancelled();
    }

private:
    void check() {
        if (!done_ || pages_.pageCount() < 2) return;
        auto done = std::move(done_);
        done_ = nullptr;
        done();
    }
    Progress& to_;
    const PageStore& pages_;
    std::function<void()> done_;
};

}  // namespace

bool TFormSestE_NOR::buildPages() {
    // A print that builds its pages keeps its own progress window (its
    // prompts show in it).
    if (!printing_ || !progress_) progress_ = std::make_unique<ProgressWindow>(this);
    FirstPageWatch watch(*progress_, job().pages(), [this] {
        document_->pagesReplaced();
        if (firstPageBuilt) firstPageBuilt();
    });
    building_ = true;
    const bool complete = session_->build(watch);
    building_ = false;
    progress_->finish();
    document_->pagesReplaced();
    page_->setFixedSize(document_->pageSize());
    return complete;
}

void TFormSestE_NOR::enterPreviewMode() {
    tools_->show();
    edit_->setEnabled(component_.OpravyEnabled);
    previewMode_ = true;
    setWindowTitle(kCaption + QStringLiteral(" - ") + title_);
    zoomButtons_[document_->zoomStep()]->setChecked(true);
    page_->setFixedSize(document_->pageSize());
    pageShown();
}

void TFormSestE_NOR::setZoomStep(int step) { zoomTo(step); }

// --- pages and zoom ---

void TFormSestE_NOR::showPageNumbers() {
    const int count = document_->pageCount();
    pageNumber_->setText(count ? QString::number(document_->currentPage() + 1) : QString());
    pageCount_->setText(QString::number(count));
    const int current = document_->currentPage();
    pgFi_->setEnabled(current > 0);
    pgUp_->setEnabled(current > 0);
    pgDn_->setEnabled(current < count - 1);
    pgLa_->setEnabled(current < count - 1);
}

void TFormSestE_NOR::pageShown() {
    showPageNumbers();
    fillFields();
    page_->update();
}

void TFormSestE_NOR::zoomTo(int step) {
    QScrollBar* h = scroll_->horizontalScrollBar();
    QScrollBar* v = scroll_->verticalScrollBar();
    const QSize oldSize = page_->size();
    const QSize view = scroll_->viewport()->size();
    const int oldX = h->value(), oldY = v->value();
    document_->setZoomStep(step);
    const QSize newSize = document_->pageSize();
    page_->setFixedSize(newSize);
    placeMemoPanel();
    // The scroll ranges follow the new size before the positions are set.
    scroll_->widget()->updateGeometry();
    QApplication::sendPostedEvents(scroll_, QEvent::LayoutRequest);
    h->setRange(0, qMax(0, newSize.width() - view.width()));
    v->setRange(0, qMax(0, newSize.height() - view.height()));
    h->setValue(scrollAfterZoom(oldX, view.width(), oldSize.width(), newSize.width()));
    v->setValue(scrollAfterZoom(oldY, view.height(), oldSize.height(), newSize.height()));
    if (step >= 0 && step < zoomButtons_.size()) zoomButtons_[step]->setChecked(true);
    page_->update();
}

void TFormSestE_NOR::scrollByKey(int dx, int dy, bool toEnd) {
    QScrollBar* h = scroll_->horizontalScrollBar();
    QScrollBar* v = scroll_->verticalScrollBar();
    if (toEnd) {
        if (dx) h->setValue(dx < 0 ? h->minimum() : h->maximum());
        if (dy) v->setValue(dy < 0 ? v->minimum() : v->maximum());
        return;
    }
    h->setValue(h->value() + dx * kScrollIncrement);
    v->setValue(v->value() + dy * kScrollIncrement);
}

// --- the edit panel ---

void TFormSestE_NOR::enableFields(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{xEdit_, yEdit_, wEdit_, hEdit_, font_,
                                                      alignment_, text_})
        w->setEnabled(on);
    delete_->setEnabled(on);
}

void TFormSestE_NOR::fillFields() {
    const TPrevPrvek* e = document_->selectedElement();
    enableFields(e != nullptr && document_->editMode());
    if (!e) {
        for (QLineEdit* f : {xEdit_, yEdit_, wEdit_, hEdit_, text_}) f->clear();
        alignment_->setCurrentIndex(-1);
        memoPanel_->hide();
        return;
    }
    xEdit_->setText(QString::number(e->X));
    yEdit_->setText(QString::number(e->Y));
    wEdit_->setText(QString::number(e->W));
    hEdit_->setText(QString::number(e->H));
    alignment_->setCurrentIndex(qBound(0, e->alignment() & 3, 2));
    if (e->memo) {
        text_->clear();
        text_->setEnabled(false);
        memoEdit_->setPlainText(e->lines.join(u'\n'));
        placeMemoPanel();
        memoPanel_->show();
        memoPanel_->raise();
    } else {
        text_->setText(e->text);
        memoPanel_->hide();
    }
}

void TFormSestE_NOR::placeMemoPanel() {
    const TPrevPrvek* e = document_->selectedElement();
    if (!e || !e->memo) return;
    const PagePaper& paper = document_->pages().paper;
    const double z = document_->zoom();
    int x = int((paper.leftMargin + e->X) * z) + 10;
    int y = int((paper.topMargin + e->Y) * z) + 50;
    x = qBound(0, x, qMax(0, page_->width() - memoPanel_->width()));
    y = qBound(0, y, qMax(0, page_->height() - memoPanel_->height()));
    memoPanel_->move(x, y);
}

void TFormSestE_NOR::focusTextOf(int element) {
    const TStranaPrvku& page = document_->pages().page(document_->currentPage());
    if (element < 0 || element >= page.count()) return;
    fillFields();
    if (page.element(element).memo) {
        memoEdit_->setFocus();
        memoEdit_->selectAll();
    } else {
        text_->setFocus();
        text_->selectAll();
    }
}

void TFormSestE_NOR::applyFieldsFromPanel() {
    ElementFields fields{xEdit_->text(), yEdit_->text(), wEdit_->text(), hEdit_->text(),
                         text_->text(), {}};
    fields.lines = memoEdit_->toPlainText().split(u'\n');
    PreviewDocument::Field bad = PreviewDocument::FieldX;
    QString error;
    if (document_->applyFields(fields, &bad, &error)) return;
    if (error.isEmpty()) return;  // nothing selected
    messages_.error(error);
    QLineEdit* badEdit[] = {xEdit_, yEdit_, wEdit_, hEdit_};
    badEdit[bad]->setFocus();
    badEdit[bad]->selectAll();
}

void TFormSestE_NOR::chooseFont() {
    const TPrevPrvek* e = document_->selectedElement();
    if (!e) return;
    bool ok = false;
    const QFont preset = fontDialogPreset(e->font().name, e->font().size, e->font().style);
    const QFont chosen = QFontDialog::getFont(&ok, preset, this);
    if (!ok) return;
    document_->setSelectedFont(printedFontOf(chosen, preset, e->font()));
}

void TFormSestE_NOR::deleteElement() {
    if (!document_->selectedElement()) return;
    if (!messages_.confirm(PreviewDocument::deleteQuestion())) return;
    document_->deleteSelected();
}

// --- keys ---

bool TFormSestE_NOR::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && previewMode_ && isEnabled())
        return handleKey(static_cast<QKeyEvent*>(event), watched);
    return QWidget::eventFilter(watched, event);
}

bool TFormSestE_NOR::handleKey(QKeyEvent* key, QObject* target) {
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    const bool alt = mods & Qt::AltModifier;
    const bool selected = document_->editMode() && document_->selectedElement();
    int dx = 0, dy = 0;
    switch (key->key()) {
        case Qt::Key_Escape:
            close();
            return true;
        case Qt::Key_PageUp:
            ctrl ? document_->firstPage() : document_->previousPage();
            return true;
        case Qt::Key_PageDown:
            ctrl ? document_->lastPage() : document_->nextPage();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (target == xEdit_ || target == yEdit_ || target == wEdit_ || target == hEdit_ ||
                target == text_) {
                applyFieldsFromPanel();
                return true;
            }
            return false;
        case Qt::Key_F2:
            if (ctrl && (target == memoEdit_ || target == memoApply_ || target == memoPanel_)) {
                applyFieldsFromPanel();
                return true;
            }
            return false;
        case Qt::Key_Left: dx = -1; break;
        case Qt::Key_Right: dx = 1; break;
        case Qt::Key_Up: dy = -1; break;
        case Qt::Key_Down: dy = 1; break;
        default:
            return false;
    }
    if (selected && (ctrl || alt)) {
        ctrl ? document_->moveSelected(dx, dy) : document_->resizeSelected(dx, dy);
        placeMemoPanel();
        if (document_->selectedElement()->memo)
            memoEdit_->setFocus();
        else
            text_->setFocus();
        return true;
    }
    if (document_->selectedElement()) return false;  // the control's own arrows
    scrollByKey(dx, dy, ctrl);
    return true;
}

// --- printing ---

bool TFormSestE_NOR::print(int printerIndex) {
    progress_ = std::make_unique<ProgressWindow>(this);
    printing_ = true;
    WindowPrintPrompts prompts(session_->printer(), messages_, *progress_, this);
    prompts.dialog = printDialogOverride;
    prompts.properties = [this](int index) {
        return editPrinterProperties(*session_, index, messages_, this);
    };
    PrintRequest request = session_->request();
    request.printerIndex = printerIndex;
    request.previewMode = previewMode_;
    QString printError;
    const bool printed = session_->print(request, prompts, progress_.get(), &printError,
                                         [this] { return buildPages(); });
    printing_ = false;
    component_.StartPage = request.startPage;
    component_.EndPage = request.endPage;
    progress_->finish();
    setEnabled(true);
    if (!printed && !printError.isEmpty() && !progress_->cancelled()) messages_.error(printError);
    page_->update();
    return printed;
}

// --- closing and activation ---

void TFormSestE_NOR::saveCorrections() {
    if (saved_) return;
    saved_ = true;
    QString error;
    if (!job().saveCorrections(&error)) messages_.error(error);
}

void TFormSestE_NOR::closeEvent(QCloseEvent* event) {
    // Closed while its first page shows and the rest are built: the build
    // stops as with "Přeruš" (the progress window restores the cursor).
    if (building_ && progress_)
        progress_->cancelButton()->click();
    else if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    if (previewMode_) saveCorrections();
    event->accept();
    emit closed();
}

void TFormSestE_NOR::changeEvent(QEvent* event) {
    TemplatePrinters* printers = session_ ? session_->templatePrinters() : nullptr;
    if (event->type() == QEvent::ActivationChange && printers) {
        if (isActiveWindow())
            printers->windowActivated();
        else
            printers->windowDeactivated(progress_ && progress_->isVisible());
    }
    QWidget::changeEvent(event);
}

}  // namespace dorvana
