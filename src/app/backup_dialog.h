#pragma once
// TZaloha ("Zálohování dat"): restores the program's data from a backup
// archive (also one spanned over removable media) and writes one.

#include <QDialog>
#include <QStringList>
#include <functional>

#include "app/core/backup_restore.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace dorvana {

class Messages;
class VolumeLabels;

class TZaloha : public QDialog, private RestorePrompts {
    Q_OBJECT
public:
    // The directories restored into; messages and volume labels are not owned.
    TZaloha(const QString& dataDirectory, const QString& startDirectory, const QString& saveDirectory,
            Messages& messages, VolumeLabels& labels, QWidget* parent = nullptr);

    // Before every showing: "a:\zdsave.zip" becomes "zdsave.zip" on the
    // first mounted removable medium (else in the save folder), the name's
    // list offers it on every medium and in the save folder; the gauges 0,
    // the text line empty.
    void prepare();
    // Where the removable media are mounted (tests give their own folders).
    void setMediaSource(std::function<QStringList()> media);
    QString archiveName() const;
    void setArchiveName(const QString& name);

    // "&Obnova" and "&Uložení".
    void restore();
    void save();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool insertDisk(int number) override;
    void wrongDisk() override;
    void forceExtension();
    void browse();

    QString data_, start_, save_;
    Messages& messages_;
    VolumeLabels& labels_;
    std::function<QStringList()> media_;
    QComboBox* places_;
    QLineEdit* name_;
    QProgressBar* entryGauge_;
    QProgressBar* totalGauge_;
    QLabel* status_;
    QPushButton* restoreButton_;
    QPushButton* saveButton_;
};

}  // namespace dorvana
