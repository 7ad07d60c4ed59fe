#pragma once
// TGenForm: "Generování vět", the parameters of "Tažení aktuální věty" —
// which fields of the current record are dragged, which field is stepped,
// how many records, the step, and whether new records are generated or the
// following ones modified. runRecordGeneration runs the whole command.

#include <QDialog>

#include "app/core/record_generation.h"

class QCheckBox;
class QListWidget;
class QRadioButton;
class QSpinBox;

namespace dorvana {

class Messages;

class TGenForm : public QDialog {
    Q_OBJECT
public:
    explicit TGenForm(QWidget* parent = nullptr);

    // What the dialog holds now.
    GenerationSettings settings() const;

    QListWidget* TahList() const { return tahList_; }
    QRadioButton* incrementButton(IncrementField f) const { return inc_[int(f)]; }
    QSpinBox* Pocet() const { return pocet_; }
    QSpinBox* Krok() const { return krok_; }
    QCheckBox* gennew() const { return gennew_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void gennewClick();
    void KrokChange(int value);

    QListWidget* tahList_;
    QRadioButton* inc_[4];
    QSpinBox* pocet_;
    QSpinBox* krok_;
    QCheckBox* gennew_;
    int previousStep_ = 1;
};

// The command on the label table's current record: reads the record, asks
// the dialog, and generates with a progress window that can stop it for long
// runs; the duplicate or engine message is shown. False when cancelled in
// the dialog or nothing could be read. `ask` shows the dialog (tests answer it).
bool runRecordGeneration(DataSet& labels, Messages& messages, QWidget* parent,
                         const std::function<bool(TGenForm&)>& ask = {});

}  // namespace dorvana
