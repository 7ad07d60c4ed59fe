#include "app/core/desk_calculator.h"

#include <QLocale>
#include <cmath>

namespace dorvana {

namespace {
double valueOf(const QString& text) {
    return QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}
QString textOf(double v) {
    QString s = QString::number(v, 'g', 15);
    return s.replace(QLatin1Char('.'), QLatin1Char(','));
}
}  // namespace

void DeskCalculator::press(const QString& key) {
    if (key == u"C") {
        *this = DeskCalculator();
        return;
    }
    if (display_ == u"Chyba" && key != u"C") return;
    if (key.size() == 1 && key[0].isDigit()) {
        display_ = fresh_ || display_ == u"0" ? key : display_ + key;
        fresh_ = false;
        return;
    }
    if (key == u",") {
        if (fresh_) display_ = QStringLiteral("0");
        if (!display_.contains(QLatin1Char(','))) display_ += QLatin1Char(',');
        fresh_ = false;
        return;
    }
    if (key == u"±") {
        display_ = textOf(-valueOf(display_));
        return;
    }
    // An operator or "=": the pending operation is done first.
    const double v = valueOf(display_);
    if (!pending_.isEmpty() && !fresh_) {
        double r = v;
        if (pending_ == u"+") r = operand_ + v;
        if (pending_ == u"-") r = operand_ - v;
        if (pending_ == u"*") r = operand_ * v;
        if (pending_ == u"/") {
            if (v == 0) {
                display_ = QStringLiteral("Chyba");
                pending_.clear();
                fresh_ = true;
                return;
            }
            r = operand_ / v;
        }
        display_ = textOf(r);
    }
    operand_ = valueOf(display_);
    pending_ = key == u"=" ? QString() : key;
    fresh_ = true;
}

}  // namespace dorvana
