#pragma once
// The designer's object bar: the current element's position and size fields
// "L:", "H:", "Š:", "V:", the order and raster buttons, and one page per
// element kind ("Texty", "Cary", "Ramy", "Obraz") with its properties.
// Every edit goes to the document.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;

namespace dorvana {

class DesignerDocument;
class TSesPrvek;

class ObjectBar : public QWidget {
    Q_OBJECT
public:
    enum Page { Texts, Lines, Frames, Picture, Empty };

    explicit ObjectBar(DesignerDocument& document, QWidget* parent = nullptr);

    // Shows the current element (or nothing).
    void refresh();
    int page() const;
    QLineEdit* geometryField(int which) const { return geometry_[which]; }
    QLineEdit* textField() const { return text_; }
    QPushButton* barcodeButton() const { return barcode_; }

signals:
    // "Písmo..." was pressed: the window opens the font dialog.
    void fontRequested();
    // "Nastav čárový kód" was pressed: the window opens the barcode dialog.
    void barcodeRequested();

private:
    QWidget* buildTexts();
    QWidget* buildLines();
    QWidget* buildFrames();
    QWidget* buildPicture();
    void geometryEntered(int which);

    DesignerDocument& doc_;
    bool filling_ = false;
    QLineEdit* geometry_[4];
    QToolButton *front_, *back_, *snap_;
    QStackedWidget* pages_;
    // Texty
    QPushButton* fontButton_;
    QComboBox* alignment_;
    QComboBox* rotation_;
    QLineEdit* text_;
    QToolButton* borders_[4];
    QPushButton* barcode_;
    // Cary
    QComboBox* lineColour_;
    QComboBox* lineStyle_;
    QSpinBox* lineWidth_;
    QToolButton* edges_[6];
    // Ramy
    QComboBox* fillColour_;
    QComboBox* outlineColour_;
    QComboBox* fillStyle_;
    QSpinBox* outlineWidth_;
    // Obraz
    QComboBox* pictureFile_;
    QCheckBox* stretch_;
    QCheckBox* keepRatio_;
};

}  // namespace dorvana
