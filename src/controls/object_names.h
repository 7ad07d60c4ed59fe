#pragma once
// Names a widget for the tests and the accessibility tools that find it by
// its object name, where it is made: named(new QCheckBox(...), "VyplnStranky").

#include <QString>

namespace dorvana {

template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace dorvana
