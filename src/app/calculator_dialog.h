#pragma once
// "Kalkulačka": a modal desk calculator that remembers where it stood.

#include <QDialog>

#include "app/core/desk_calculator.h"

class QLineEdit;

namespace dorvana {

class CalculatorDialog : public QDialog {
    Q_OBJECT
public:
    explicit CalculatorDialog(QWidget* parent = nullptr);
    // Shows it modally at the place it was left last time.
    static void run(QWidget* parent);
    QLineEdit* display() const { return display_; }
    // Presses a key ("0".."9", ",", "+", "-", "*", "/", "=", "C", "±").
    void press(const QString& key);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    DeskCalculator calc_;
    QLineEdit* display_;
};

}  // namespace dorvana
