#pragma once
// TObrForm ("Obrázek"): the image window over the picture of a record, with
// the picture tool bar. It shows a PictureDocument; the binding to the
// record is app/core/picture_binding.h.

#include <QColor>
#include <QDialog>
#include <QList>
#include <memory>

#include "app/core/image_window_settings.h"
#include "app/core/picture_document.h"
#include "app/core/scanner.h"

class QAction;
class QScrollArea;

namespace dorvana {

class Messages;
class PictureView;

class TObrForm : public QDialog {
    Q_OBJECT
public:
    // The scanner is not owned; without one the window scans through SANE.
    TObrForm(PictureDocument& picture, Messages& messages, QWidget* parent = nullptr,
             Scanner* scanner = nullptr);

    ImageWindowSettings settings() const;
    void setSettings(const ImageWindowSettings& settings);

    // The commands of the tool bar, in their order, with their hints.
    const QList<QAction*>& commands() const { return commands_; }
    QAction* command(const QString& hint) const;
    // The selection rectangle in picture pixels (what "Vyříznutí" keeps).
    void setSelection(const QRect& area);
    QRect selection() const;
    // Shows the picture again after a change of the document.
    void refresh();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QAction* add(const QString& hint, const QString& label, void (TObrForm::*slot)());
    void scan();
    void loadFile();
    void saveFile();
    void copy();
    void paste();
    void print();
    void crop();
    void information();
    void about();

    PictureDocument& picture_;
    Messages& messages_;
    QColor background_;
    QScrollArea* area_;
    PictureView* view_;
    QList<QAction*> commands_;
    std::unique_ptr<Scanner> ownScanner_;
    Scanner* scanner_;
};

class DataSet;

// "Editace obrázku": the window over a picture field of the data set's
// current record, modal; when it closes a changed picture is kept after
// "Uložit obrázek ?" is answered Yes. The settings are the window's remembered
// zoom, fit style and background (read and updated). False when the field is
// no picture field (nothing shown) or the record cannot be edited (the
// table's message shown).
bool editPicture(DataSet& data, const QString& field, Messages& messages,
                 ImageWindowSettings& settings, QWidget* parent = nullptr);

}  // namespace dorvana
