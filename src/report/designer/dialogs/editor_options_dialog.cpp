#include "report/designer/dialogs/editor_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/messages.h"
#include "controls/object_names.h"
#include "report/layout/pages/printed_fonts.h"
#include "report/model/colour_table.h"

namespace dorvana {

namespace {

QFont optionsFont(const EditorOptions& o) {
    return dialogFont(o.ImplNazevFontu, o.ImplVyskaFontu, o.ImplStylFontu);
}

}  // namespace

FontSample::FontSample(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("VzorPisma"));
    setAccessibleName(QStringLiteral("ÁBČDábčd"));
    setMinimumSize(200, 80);
}

void FontSample::setSample(const QFont& font, QColor colour, int width, int height, int alignment) {
    font_ = font;
    colour_ = colour;
    width_ = width;
    height_ = height;
    alignment_ = alignment;
    update();
}

void FontSample::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    // The text sized to the element's width and height (1 unit = 1 pixel), centred.
    const QRect box(QPoint((width() - width_) / 2, (height() - height_) / 2), QSize(width_, height_));
    p.setPen(QColor(Qt::lightGray));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setPen(colour_);
    p.setFont(font_);
    static constexpr Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    p.drawText(box, aligns[qBound(0, alignment_, 2)] | Qt::AlignVCenter, QStringLiteral("ÁBČDábčd"));
}

TSestKonfigDlg::TSestKonfigDlg(const EditorOptions& options, const EditorOptionsContext& context,
                               QWidget* parent)
    : QDialog(parent), base_(options), context_(context) {
    setWindowTitle(QStringLiteral("Prostředí editoru sestav"));
    setObjectName(QStringLiteral("TSestKonfigDlg"));
    const EditorOptionsTexts texts = editorOptionsTexts(options);
    auto edit = [this](const QString& text, const char* name) {
        auto* e = named(new QLineEdit(text, this), name);
        e->setMaximumWidth(80);
        return e;
    };
    auto check = [this](const char* text, const char* name, bool on) {
        auto* c = named(new QCheckBox(QString::fromUtf8(text), this), name);
        c->setChecked(on);
        return c;
    };

    // "Pr"
    auto* editor = new QGroupBox(QStringLiteral("Prostředí editoru:"));
    zoom_ = named(new QComboBox(editor), "ImplMeritko");
    zoom_->addItems(zoomItems());
    zoom_->setCurrentIndex(qBound(0, options.ImplMeritko, zoom_->count() - 1));
    rasterX_ = edit(texts.rasterX, "RastrX");
    rasterY_ = edit(texts.rasterY, "RastrY");
    undo_ = edit(texts.undoSteps, "PocetUndo");
    showRaster_ = check("Zobrazovat rastr", "RastrZobrazovat", options.RastrZobrazovat);
    snap_ = check("Zarovnávat do rastru", "RastrZarovnavat", options.RastrZarovnavat);
    askOne_ = check("Potvrdit mazání jedné položky", "MazaniJedne", options.MazaniJedne);
    askMany_ = check("Potvrdit mazání více položek", "MazaniVice", options.MazaniVice);
    undoSave_ = check("Sledovat změny i po uložení na disk", "UndoSave", options.UndoSave);
    fieldList_ = check("Vybírat položky tabulky ze seznamu", "VybSezna", options.VybSezna);
    byName_ = check("Sledovat podle názvu", "SledPodle", options.SledPodle);
    byName_->setEnabled(context.enabledTypeFields);
    auto* ef = new QFormLayout(editor);
    ef->addRow(QStringLiteral("Impl. měřítko"), zoom_);
    ef->addRow(QStringLiteral("Rastr X:"), rasterX_);
    ef->addRow(QStringLiteral("Rastr Y:"), rasterY_);
    ef->addRow(showRaster_);
    ef->addRow(snap_);
    ef->addRow(askOne_);
    ef->addRow(askMany_);
    ef->addRow(QStringLiteral("Maximální počet kroků sledování změn:"), undo_);
    ef->addRow(undoSave_);
    ef->addRow(fieldList_);
    ef->addRow(byName_);
    auto* editorPage = named(new QWidget, "ProstrediEditoru");
    auto* el = new QVBoxLayout(editorPage);
    el->addWidget(editor);
    el->addStretch();

    // "Ph"
    auto* inserted = new QGroupBox(QStringLiteral("Počáteční vlastnosti vkládaných položek:"));
    width_ = edit(texts.width, "ImplSirka");
    height_ = edit(texts.height, "ImplVyska");
    alignment_ = named(new QComboBox(inserted), "ImplZarovnani");
    alignment_->addItems({QStringLiteral("Vlevo"), QStringLiteral("Vpravo"), QStringLiteral("Uprostřed")});
    alignment_->setCurrentIndex(qBound(0, options.ImplZarovnani, 2));
    auto* font = named(new QPushButton(QStringLiteral("Předvolené písmo ..."), inserted), "PredvolenePismo");
    sample_ = new FontSample(inserted);
    auto* inf = new QFormLayout;
    inf->addRow(QStringLiteral("Šířka položky:"), width_);
    inf->addRow(QStringLiteral("Výška položky:"), height_);
    inf->addRow(QStringLiteral("Zarovnání textu:"), alignment_);
    inf->addRow(font);
    auto* il = new QVBoxLayout(inserted);
    il->addLayout(inf);
    il->addWidget(sample_, 1);
    auto* valuesPage = named(new QWidget, "PredvoleneHodnoty");
    auto* vl = new QVBoxLayout(valuesPage);
    vl->addWidget(inserted);

    tabs_ = named(new QTabWidget(this), "TabSet");
    tabs_->addTab(editorPage, QStringLiteral("Pr"));
    tabs_->setTabToolTip(0, QStringLiteral("Prostředí editoru"));
    tabs_->addTab(valuesPage, QStringLiteral("Ph"));
    tabs_->setTabToolTip(1, QStringLiteral("Předvolené hodnoty"));
    // Tab on "Ph" goes down the form.
    setTabOrder(width_, height_);
    setTabOrder(height_, alignment_);
    setTabOrder(alignment_, font);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("&Konec"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Konec"));
    ok->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Storno"));
    auto* help = buttons->addButton(QDialogButtonBox::Help);
    help->setObjectName(QStringLiteral("Napoveda"));
    help->setEnabled(false);  // the program has no help pages
    auto* printer = buttons->addButton(QStringLiteral("&Tiskárna.."), QDialogButtonBox::ActionRole);
    printer->setObjectName(QStringLiteral("Tiskarna"));
    printer->setEnabled(bool(context.printerSetup));
    connect(printer, &QPushButton::clicked, this, [this] {
        if (context_.printerSetup) context_.printerSetup();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &TSestKonfigDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);

    connect(alignment_, &QComboBox::currentIndexChanged, this, [this] { updateSample(); });
    connect(width_, &QLineEdit::textChanged, this, [this] { updateSample(); });
    connect(height_, &QLineEdit::textChanged, this, [this] { updateSample(); });
    connect(font, &QPushButton::clicked, this, [this] {
        QFont f = optionsFont(base_);
        bool ok = false;
        if (context_.chooseFont)
            ok = context_.chooseFont(f);
        else
            f = QFontDialog::getFont(&ok, f, this, QStringLiteral("Předvolené písmo"));
        if (!ok) return;
        base_.ImplNazevFontu = f.family().left(kMaxEditorFontNameLength);
        if (f.pointSize() > 0) base_.ImplVyskaFontu = f.pointSize();
        base_.ImplStylFontu = fontStyleBits(f);
        updateSample();
    });
    updateSample();
}

void TSestKonfigDlg::updateSample() {
    sample_->setSample(optionsFont(base_), QColor(colourOfIndex(base_.ImplBarvaFontu)),
                       qBound(1, width_->text().toInt(), 2000), qBound(1, height_->text().toInt(), 2000),
                       alignment_->currentIndex());
}

std::optional<EditorOptions> TSestKonfigDlg::options(QString* error) const {
    EditorOptions o = base_;
    o.ImplMeritko = zoom_->currentIndex();
    o.RastrZobrazovat = showRaster_->isChecked();
    o.RastrZarovnavat = snap_->isChecked();
    o.MazaniJedne = askOne_->isChecked();
    o.MazaniVice = askMany_->isChecked();
    o.UndoSave = undoSave_->isChecked();
    o.VybSezna = fieldList_->isChecked();
    o.SledPodle = byName_->isChecked();
    o.ImplZarovnani = alignment_->currentIndex();
    return applyEditorOptionsTexts(o, {rasterX_->text(), rasterY_->text(), undo_->text(),
                                       width_->text(), height_->text()},
                                   error);
}

void TSestKonfigDlg::accept() {
    QString error;
    if (!options(&error)) {
        if (context_.messages) context_.messages->error(error);
        return;  // the dialog stays open and nothing is written
    }
    QDialog::accept();
}

std::optional<EditorOptions> editEditorOptions(const EditorOptions& options,
                                               const EditorOptionsContext& context,
                                               QWidget* parent) {
    TSestKonfigDlg dialog(options, context, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.options();
}

}  // namespace dorvana
