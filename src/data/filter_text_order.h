#pragma once
// The order filters compare texts in: Windows-1250 bytes, case mattering, so
// that an upper bound padded with 'ž' (0x9E) takes in every text beginning
// with it.

#include <QByteArray>
#include <QString>

#include "base/code_page.h"

namespace dorvana {

inline QByteArray filterTextKey(const QString& text) {
    return encode(text, CodePage::Windows1250);
}

inline bool filterTextBefore(const QString& a, const QString& b) {
    return filterTextKey(a) < filterTextKey(b);
}

}  // namespace dorvana
