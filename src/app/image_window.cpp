#include "app/image_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/core/picture_binding.h"
#include "app/core/scanner.h"
#include "base/messages.h"
#include "data/data_set.h"

namespace dorvana {

// The picture at its display size, with a selection rectangle drawn by the mouse.
class PictureView : public QWidget {
public:
    PictureView(PictureDocument& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
        setObjectName(QStringLiteral("Obrazek"));
        setAccessibleName(QStringLiteral("Obrázek"));
    }
    QSize viewport;
    QRect selection;  // picture pixels

    void updateSize() {
        const QSize s = picture_.displaySize(viewport);
        resize(s.isValid() ? s : QSize(0, 0));
        update();
    }
    double scaleX() const { return picture_.isEmpty() ? 1.0 : double(width()) / picture_.image().width(); }
    double scaleY() const { return picture_.isEmpty() ? 1.0 : double(height()) / picture_.image().height(); }

protected:
    void paintEvent(QPaintEvent*) override {
        if (picture_.isEmpty()) return;
        QPainter p(this);
        p.drawImage(rect(), picture_.image());
        if (!selection.isEmpty()) {
            p.setPen(QPen(Qt::black, 1, Qt::SolidLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(selection.x() * scaleX(), selection.y() * scaleY(),
                              selection.width() * scaleX(), selection.height() * scaleY()));
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        start_ = toPicture(e->position().toPoint());
        selection = QRect();
        update();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!(e->buttons() & Qt::LeftButton)) return;
        selection = QRect(start_, toPicture(e->position().toPoint())).normalized();
        update();
    }

private:
    QPoint toPicture(QPoint p) const { return QPoint(int(p.x() / scaleX()), int(p.y() / scaleY())); }
    PictureDocument& picture_;
    QPoint start_;
};

TObrForm::TObrForm(PictureDocument& picture, Messages& messages, QWidget* parent, Scanner* scanner)
    : QDialog(parent), picture_(picture), messages_(messages), scanner_(scanner) {
    if (!scanner_) {
        ownScanner_ = std::make_unique<SaneScanner>();
        scanner_ = ownScanner_.get();
    }
    setWindowTitle(QStringLiteral("Obrázek"));
    setObjectName(QStringLiteral("TObrForm"));
    // Three rows of commands, so that all 24 are in sight with whole words.
    QToolBar* bars[3];
    for (int row = 0; row < 3; ++row) {
        bars[row] = new QToolBar(this);
        bars[row]->setObjectName(QStringLiteral("NastrojeObrazku%1").arg(row + 1));
        bars[row]->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
    area_ = new QScrollArea(this);
    area_->setObjectName(QStringLiteral("PlochaObrazku"));
    area_->setAlignment(Qt::AlignCenter);
    view_ = new PictureView(picture_, area_);
    area_->setWidget(view_);
    area_->setWidgetResizable(false);

    const auto fit = [this](FitStyle style) {
        return [this, style] {
            picture_.setFitStyle(style);
            refresh();
        };
    };
    auto disabled = [this](const QString& hint, const QString& label, const QString& why) {
        auto* a = new QAction(label, this);
        a->setToolTip(hint + QStringLiteral(" (") + why + u')');
        a->setStatusTip(hint);
        a->setObjectName(hint);
        a->setEnabled(false);
        commands_ << a;
        return a;
    };
    add(QStringLiteral("Sejmout Scanerem"), QStringLiteral("Skener"), &TObrForm::scan);
    add(QStringLiteral("Načíst ze souboru"), QStringLiteral("Načíst"), &TObrForm::loadFile);
    add(QStringLiteral("Uložit"), QStringLiteral("Uložit"), &TObrForm::saveFile);
    add(QStringLiteral("Kopírovat"), QStringLiteral("Kopírovat"), &TObrForm::copy);
    add(QStringLiteral("Vložit"), QStringLiteral("Vložit"), &TObrForm::paste);
    add(QStringLiteral("Tisk"), QStringLiteral("Tisk"), &TObrForm::print);
    struct Fit {
        const char* hint;
        const char* label;
        FitStyle style;
    };
    for (const Fit& f : {Fit{"Optimální vyplnění", "Optimálně", FitStyle::Best},
                         Fit{"Vyplnění do šířky", "Na šířku", FitStyle::Width},
                         Fit{"Vyplnění do výšky", "Na výšku", FitStyle::Height},
                         Fit{"Vyplnění do okna", "Do okna", FitStyle::Window}}) {
        auto* a = new QAction(QString::fromUtf8(f.label), this);
        a->setToolTip(QString::fromUtf8(f.hint));
        a->setObjectName(QString::fromUtf8(f.hint));
        connect(a, &QAction::triggered, this, fit(f.style));
        commands_ << a;
    }
    auto simple = [this](const char* hint, const char* label, auto operation) {
        auto* a = new QAction(QString::fromUtf8(label), this);
        a->setToolTip(QString::fromUtf8(hint));
        a->setObjectName(QString::fromUtf8(hint));
        connect(a, &QAction::triggered, this, [this, operation] {
            operation(picture_);
            view_->selection = QRect();
            refresh();
        });
        commands_ << a;
    };
    simple("Obnovení rozměrů", "Původní", [](PictureDocument& p) { p.restoreSize(); });
    simple("Rotace vpravo", "↻ Vpravo", [](PictureDocument& p) { p.rotateRight(); });
    simple("Rotace vlevo", "↺ Vlevo", [](PictureDocument& p) { p.rotateLeft(); });
    simple("Rotace 180", "Otočit 180°", [](PictureDocument& p) { p.rotate180(); });
    simple("Zrcadlo horizontálně", "Zrcadlit ↔", [](PictureDocument& p) { p.mirrorHorizontally(); });
    simple("Zrcadlo vertikálně", "Zrcadlit ↕", [](PictureDocument& p) { p.mirrorVertically(); });
    add(QStringLiteral("Vyříznutí"), QStringLiteral("Výřez"), &TObrForm::crop);
    simple("Zvětšení", "Zvětšit", [](PictureDocument& p) { p.zoomIn(); });
    simple("Zmenšení", "Zmenšit", [](PictureDocument& p) { p.zoomOut(); });
    disabled(QStringLiteral("Paleta"), QStringLiteral("Paleta"),
             QStringLiteral("obrázky se ukládají v plných barvách"));
    disabled(QStringLiteral("Operace s obrázkem"), QStringLiteral("Operace"),
             QStringLiteral("další úpravy obrázku zatím nejsou"));
    add(QStringLiteral("Informace o obrázku"), QStringLiteral("Informace"), &TObrForm::information);
    add(QStringLiteral("O komponentě"), QStringLiteral("O komponentě"), &TObrForm::about);
    disabled(QStringLiteral("No Function"), QStringLiteral("Bez funkce"), QStringLiteral("bez funkce"));
    for (qsizetype i = 0; i < commands_.size(); ++i) {
        QAction* a = commands_[i];
        QToolBar* bar = bars[i / 8];
        a->setStatusTip(a->objectName());
        bar->addAction(a);
        if (QWidget* w = bar->widgetForAction(a)) {
            w->setAccessibleName(a->objectName());
            w->setObjectName(a->objectName());
        }
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bars[0]);
    layout->addWidget(bars[1]);
    layout->addWidget(bars[2]);
    layout->addWidget(area_, 1);
    resize(760, 560);
    refresh();
}

QAction* TObrForm::add(const QString& hint, const QString& label, void (TObrForm::*slot)()) {
    auto* a = new QAction(label, this);
    a->setToolTip(hint);
    a->setObjectName(hint);
    connect(a, &QAction::triggered, this, slot);
    commands_ << a;
    return a;
}

QAction* TObrForm::command(const QString& hint) const {
    for (QAction* a : commands_)
        if (a->objectName() == hint) return a;
    return nullptr;
}

ImageWindowSettings TObrForm::settings() const {
    return {picture_.zoom(), picture_.fitStyle(), background_};
}

void TObrForm::setSettings(const ImageWindowSettings& s) {
    picture_.setZoom(s.zoom);
    picture_.setFitStyle(s.fit);
    background_ = s.background;
    QPalette p = area_->palette();
    p.setColor(QPalette::Window, s.background.isValid() ? s.background : palette().color(QPalette::Button));
    area_->setPalette(p);
    area_->setBackgroundRole(QPalette::Window);
    refresh();
}

void TObrForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    refresh();
}

void TObrForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    refresh();
}

void TObrForm::setSelection(const QRect& area) {
    view_->selection = area;
    view_->update();
}

QRect TObrForm::selection() const {
    return view_->selection;
}

void TObrForm::refresh() {
    view_->viewport = area_->viewport()->size();
    view_->updateSize();
}

void TObrForm::scan() {
    QImage image;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = scanner_->scan(&image, &error);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        messages_.error(error);
        return;
    }
    picture_.setImage(image);
    refresh();
}

void TObrForm::loadFile() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Načíst ze souboru"), QString(),
        QStringLiteral("Obrázky (*.png *.jpg *.jpeg *.bmp *.gif *.tif *.tiff);;Všechny soubory (*)"));
    QString error;
    if (!path.isEmpty() && !picture_.loadFile(path, &error)) messages_.error(error);
    refresh();
}

void TObrForm::saveFile() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Uložit"), QString(),
        QStringLiteral("PNG (*.png);;JPEG (*.jpg);;BMP (*.bmp);;TIFF (*.tif)"));
    QString error;
    if (!path.isEmpty() && !picture_.saveFile(path, &error)) messages_.error(error);
}

void TObrForm::copy() {
    if (!picture_.isEmpty()) QApplication::clipboard()->setImage(picture_.image());
}

void TObrForm::paste() {
    const QImage image = QApplication::clipboard()->image();
    if (image.isNull()) {
        messages_.beep();
        return;
    }
    picture_.setImage(image);
    refresh();
}

void TObrForm::print() {
    if (picture_.isEmpty()) return;
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    const QSize size = picture_.image().size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(page.topLeft(), size), picture_.image());
}

void TObrForm::crop() {
    if (!picture_.crop(view_->selection)) {
        messages_.beep();
        return;
    }
    view_->selection = QRect();
    refresh();
}

void TObrForm::information() {
    messages_.information(picture_.information());
}

void TObrForm::about() {
    messages_.information(QStringLiteral(
        "Obrázky záznamů programu Dorvana: načtení a uložení (PNG, JPEG, BMP, GIF, TIFF), "
        "schránka, tisk, otočení, zrcadlení, výřez a zvětšení. V záznamu se obrázek ukládá "
        "jako PNG."));
}

bool editPicture(DataSet& data, const QString& field, Messages& messages,
                 ImageWindowSettings& settings, QWidget* parent) {
    const Field* f = data.findField(field);
    if (!f || !isPictureField(*f)) return false;
    PictureDocument picture;
    QString error;
    if (!openPictureField(data, field, picture, &error)) {
        messages.error(error);
        return false;
    }
    TObrForm window(picture, messages, parent);
    window.setSettings(settings);
    window.exec();
    settings = window.settings();
    const bool keep = picture.isModified() && messages.confirmQuestion(QStringLiteral("Uložit obrázek"));
    if (!closePictureField(data, field, picture, keep, &error)) messages.error(error);
    return true;
}

}  // namespace dorvana
