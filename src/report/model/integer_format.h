#pragma once
// Format strings with one integer argument, as a variable element's Format
// uses them: "%d", "%5d", "%-4d", "%.3d", "%u", "%x", "%0:d", "%%" and plain
// text around them.

#include <QString>
#include <QStringView>
#include <optional>

namespace dorvana {

// The format applied to the one integer argument; nothing when the format
// asks for a kind of argument the integer is not (text, real, pointer), for
// more arguments than the one, or is malformed.
std::optional<QString> formatWithInteger(QStringView format, qint32 value);

}  // namespace dorvana
