#include "report/windows/progress_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dorvana {

namespace {
constexpr int kEventInterval = 30;  // ms between event processing while working
}

ProgressWindow::ProgressWindow(QWidget* over)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FormInfo"));
    setWindowTitle(QStringLiteral("Informace"));
    over_ = over;
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose, false);
    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("InfoText"));
    page_ = new QLabel(this);
    page_->setObjectName(QStringLiteral("InfoPage"));
    page_->setAccessibleName(QStringLiteral("Stránka"));
    cancel_ = new QPushButton(QStringLiteral("Přeruš"), this);
    cancel_->setObjectName(QStringLiteral("Prerus"));
    cancel_->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(page_);
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    setMinimumWidth(320);
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
    sinceEvents_.start();
}

ProgressWindow::~ProgressWindow() { finish(); }

void ProgressWindow::display() {
    if (!isVisible()) {
        show();
        if (over_) {
            const QRect outer = over_->window()->frameGeometry();
            move(outer.center() - rect().center());
        }
        processEvents(true);
    }
    if (!busyCursor_) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        busyCursor_ = true;
    }
    repaint();
    processEvents();
}

void ProgressWindow::step(int, int, const QString& text) {
    page_->setText(text);
    display();
}

void ProgressWindow::showStatus(const QString& text) {
    text_->setText(text);
    page_->clear();
    display();
}

bool ProgressWindow::cancelled() {
    processEvents();
    return cancelled_;
}

void ProgressWindow::processEvents(bool force) {
    if (!force && sinceEvents_.elapsed() < kEventInterval) return;
    QApplication::processEvents(QEventLoop::AllEvents);
    sinceEvents_.restart();
}

void ProgressWindow::reject() { cancelled_ = true; }

void ProgressWindow::closeEvent(QCloseEvent* event) {
    cancelled_ = true;
    event->ignore();
}

void ProgressWindow::finish() {
    if (busyCursor_) {
        QApplication::restoreOverrideCursor();
        busyCursor_ = false;
    }
    hide();
}

}  // namespace dorvana
