#pragma once
// The desk calculator's logic: a pocket calculator with one pending
// operation, decimal comma, sign change and clear.

#include <QString>

namespace dorvana {

class DeskCalculator {
public:
    // "0".."9", ",", "+", "-", "*", "/", "=", "C", "±".
    void press(const QString& key);
    // The text shown: the number being typed or the last result ("Chyba" after a division by zero).
    QString display() const { return display_; }

private:
    double operand_ = 0;
    QString pending_;
    bool fresh_ = true;  // the next digit starts a new number
    QString display_ = QStringLiteral("0");
};

}  // namespace dorvana
