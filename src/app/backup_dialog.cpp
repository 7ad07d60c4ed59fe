#include "app/backup_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/core/volume_label.h"
#include "app/late_progress.h"
#include "base/messages.h"
#include "base/progress.h"

namespace dorvana {

namespace {

// The gauges follow the work; a restore or backup that lasts shows the
// progress window with "Přeruš", which stops it. The window keeps processing
// events.
class GaugeProgress final : public Progress {
public:
    GaugeProgress(QWidget* over, QProgressBar* entry, QProgressBar* total, QLabel* status)
        : window_(over), entry_(entry), total_(total), status_(status) {}
    void step(int done, int total, const QString& text) override {
        entry_->setValue(100);
        total_->setValue(total > 0 ? int(qint64(done) * 100 / total) : 0);
        status_->setText(text);
        window_.step(done, total, text);
        QApplication::processEvents();
    }
    bool cancelled() override { return window_.cancelled(); }

private:
    LateProgress window_;
    QProgressBar* entry_;
    QProgressBar* total_;
    QLabel* status_;
};

const QString kArchiveName = QStringLiteral("zdsave.zip");

}  // namespace

TZaloha::TZaloha(const QString& dataDirectory, const QString& startDirectory,
                 const QString& saveDirectory, Messages& messages, VolumeLabels& labels,
                 QWidget* parent)
    : QDialog(parent),
      data_(dataDirectory),
      start_(startDirectory),
      save_(saveDirectory),
      messages_(messages),
      labels_(labels),
      media_(systemRemovableMedia) {
    setWindowTitle(QStringLiteral("Zálohování dat"));
    setObjectName(QStringLiteral("TZaloha"));

    auto* nameLabel = new QLabel(QStringLiteral("&Soubor zálohy:"), this);
    // The name with a list of the usual places: the removable media and the
    // save folder.
    places_ = new QComboBox(this);
    places_->setObjectName(QStringLiteral("Places"));
    places_->setEditable(true);
    places_->setInsertPolicy(QComboBox::NoInsert);
    places_->setAccessibleName(QStringLiteral("Soubor zálohy"));
    name_ = places_->lineEdit();
    name_->setText(QStringLiteral("null.zip"));
    name_->setObjectName(QStringLiteral("Edit1"));
    name_->setAccessibleName(QStringLiteral("Soubor zálohy"));
    places_->setMinimumWidth(420);
    nameLabel->setBuddy(places_);
    connect(name_, &QLineEdit::editingFinished, this, &TZaloha::forceExtension);
    // Enter in the name only completes the name; it never starts a restore.
    name_->installEventFilter(this);
    auto* browse = new QToolButton(this);
    browse->setText(QStringLiteral("…"));
    browse->setToolTip(QStringLiteral("Vybrat soubor zálohy"));
    browse->setAccessibleName(QStringLiteral("Vybrat soubor zálohy"));
    connect(browse, &QToolButton::clicked, this, &TZaloha::browse);

    entryGauge_ = new QProgressBar(this);
    entryGauge_->setObjectName(QStringLiteral("Gauge1"));
    entryGauge_->setAccessibleName(QStringLiteral("Průběh položky"));
    totalGauge_ = new QProgressBar(this);
    totalGauge_->setObjectName(QStringLiteral("Gauge2"));
    totalGauge_->setAccessibleName(QStringLiteral("Průběh zálohy"));
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("Label1"));
    status_->setMinimumWidth(320);

    restoreButton_ = new QPushButton(QStringLiteral("&Obnova"), this);
    restoreButton_->setObjectName(QStringLiteral("Button4"));
    saveButton_ = new QPushButton(QStringLiteral("&Uložení"), this);
    saveButton_->setObjectName(QStringLiteral("Button1"));
    auto* close = new QPushButton(QStringLiteral("&Zavři"), this);
    close->setObjectName(QStringLiteral("Button3"));
    connect(restoreButton_, &QPushButton::clicked, this, &TZaloha::restore);
    connect(saveButton_, &QPushButton::clicked, this, &TZaloha::save);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);  // Esc too

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(places_, 1);
    nameRow->addWidget(browse);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(restoreButton_);
    buttons->addWidget(saveButton_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addWidget(entryGauge_);
    layout->addWidget(totalGauge_);
    layout->addWidget(status_);
    layout->addLayout(buttons);
    setTabOrder(places_, browse);
    setTabOrder(browse, restoreButton_);
    setTabOrder(restoreButton_, saveButton_);
    setTabOrder(saveButton_, close);
}

bool TZaloha::eventFilter(QObject* watched, QEvent* event) {
    if (watched == name_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            forceExtension();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TZaloha::setMediaSource(std::function<QStringList()> media) {
    media_ = std::move(media);
}

void TZaloha::prepare() {
    QStringList names;
    for (const QString& medium : media_ ? media_() : QStringList())
        names << QDir(medium).filePath(kArchiveName);
    names << QDir(save_).filePath(kArchiveName);
    places_->clear();
    places_->addItems(names);
    name_->setText(names.first());
    entryGauge_->setValue(0);
    totalGauge_->setValue(0);
    status_->clear();
}

QString TZaloha::archiveName() const {
    return name_->text();
}

void TZaloha::setArchiveName(const QString& name) {
    name_->setText(name);
    forceExtension();
}

void TZaloha::forceExtension() {
    name_->setText(forceZipExtension(name_->text()));
}

void TZaloha::browse() {
    const QString chosen = QFileDialog::getOpenFileName(
        this, QStringLiteral("Soubor zálohy"), QDir(save_).filePath(QStringLiteral("*.zip")),
        QStringLiteral("Soubory záložních dat (*.zip)"));
    if (!chosen.isEmpty()) setArchiveName(chosen);
}

bool TZaloha::insertDisk(int number) {
    return messages_.confirm(QStringLiteral("Založ disketu pořadové číslo : %1").arg(number));
}

void TZaloha::wrongDisk() {
    messages_.error(QStringLiteral("To není ta správná disketa"));
}

void TZaloha::restore() {
    forceExtension();
    restoreButton_->setEnabled(false);
    GaugeProgress progress(this, entryGauge_, totalGauge_, status_);
    const RestoreResult r = restoreBackup(archiveName(), data_, start_, *this, labels_, &progress);
    restoreButton_->setEnabled(true);
    entryGauge_->setValue(0);
    totalGauge_->setValue(0);
    if (r.ok) {
        status_->setText(kRestoreDone);
    } else {
        status_->clear();
        messages_.error(r.message);
    }
}

void TZaloha::save() {
    forceExtension();
    saveButton_->setEnabled(false);
    GaugeProgress progress(this, entryGauge_, totalGauge_, status_);
    QString error;
    int written = 0;
    const bool ok = writeBackup(archiveName(), data_, start_, &progress, &error, &written);
    saveButton_->setEnabled(true);
    entryGauge_->setValue(0);
    totalGauge_->setValue(0);
    if (ok) {
        status_->setText(kRestoreDone);
        messages_.information(
            QStringLiteral("Záloha %1 byla uložena (souborů: %2).").arg(archiveName()).arg(written));
    } else {
        status_->clear();
        messages_.error(error);
    }
}

}  // namespace dorvana
