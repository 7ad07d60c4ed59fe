#pragma once
// TfmFilter2: the filter dialog "Volba filtru". The user picks a field of
// the shown table, enters a range ("Hodnota od :" / "Hodnota do :"), adds
// more conditions ("and") and groups ("&Dále", "or"), and applies the filter
// ("&OK"), clears it ("&Výmaz"), or saves and loads it as a filter file
// ("&Ulož", "&Načti"). The composing is FilterComposer's.

#include <QDialog>

#include "app/core/filter_composer.h"
#include "app/file_chooser.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QToolButton;

namespace dorvana {

class DataSet;
class Messages;

class TfmFilter2 : public QDialog {
    Q_OBJECT
public:
    // The dialog works on the shown data set; messages and file dialogs go
    // through the given interfaces.
    TfmFilter2(DataSet& shown, Messages& messages, FileChooser chooseFile, QWidget* parent = nullptr);

    const FilterComposer& composer() const { return composer_; }
    QListWidget* fieldList() const { return fields_; }
    // The two inputs of the field chosen now (null before a field is chosen).
    QLineEdit* fromInput() const;
    QLineEdit* toInput() const;

    // The buttons' handlers.
    void Button1Click();  // "&OK"
    void Button3Click();  // "&Dále"
    void Button2Click();  // "&Výmaz"
    void SaveButtonClick();
    void LoadButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum Kind { Text, Number, Date, KindCount };
    void resetAll(bool disableInputs);
    void choose(int row);
    void leaveFrom();
    void leaveTo();
    void clearInputs();
    void enableInputs(bool on);
    void showTicks();
    // Sets the data set's filter; the engine's message and the earlier state when it refuses.
    void applyFilter(const QString& text);
    QLineEdit* makeInput(const char* name);
    QString emptyText(Kind kind) const;

    DataSet& shown_;
    Messages& messages_;
    FileChooser chooseFile_;
    FilterComposer composer_;
    QListWidget* fields_;
    QLineEdit* from_[KindCount];
    QLineEdit* to_[KindCount];
    QToolButton* calendar_[2];
    QLabel* fromLabel_;
    QLabel* toLabel_;
    int kind_ = -1;        // the input kind shown now
    bool leaving_ = false;  // a focus change is being handled
};

}  // namespace dorvana
