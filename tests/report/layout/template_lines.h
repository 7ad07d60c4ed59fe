#pragma once
// Template lines for the layout tests, in the template text format.

#include <QString>

namespace dorvana::test {

// I,1: version 1.5 with passes and the main plan's fill flags.
inline QString version(int passes, bool fillPage = false, bool fillGroup = false) {
    return QStringLiteral("I,1,1,5,%1,%2,%3").arg(passes).arg(int(fillPage)).arg(int(fillGroup));
}
// I,2: portrait paper without margins, printable width x height.
inline QString paper(int height, int width = 300, int columns = 1, int gap = 0) {
    return QStringLiteral("I,2,0,%1,%2,0,0,0,0,%3,%4").arg(width).arg(height).arg(columns).arg(gap);
}
// I,3: main section s visible with a height, pass and condition.
inline QString section(int s, int height, int pass = 0, int condition = 0) {
    return QStringLiteral("I,3,%1,1,%2,%3,%4").arg(s).arg(height).arg(pass).arg(condition);
}
// Static text.
inline QString label(const QString& code, int x, int y, const QString& text) {
    return QStringLiteral("%1,1,0,%2,%3,100,10,Arial,10,0,0,0,0,1,238,\"%4\"")
        .arg(code)
        .arg(x)
        .arg(y)
        .arg(text);
}
// Field value of field ref.
inline QString field(const QString& code, int ref, int x, int y, int w = 90, int h = 10,
                     int align = 0) {
    return QStringLiteral("%1,2,%2,%3,%4,%5,%6,Arial,10,0,0,%7,0,1,238")
        .arg(code)
        .arg(ref)
        .arg(x)
        .arg(y)
        .arg(w)
        .arg(h)
        .arg(align);
}
// Report variable ref with an output format.
inline QString variable(const QString& code, int ref, int x, int y, const QString& format = {}) {
    return QStringLiteral("%1,5,%2,%3,%4,100,10,Arial,10,0,0,0,0,1,238,\"%5\"")
        .arg(code)
        .arg(ref)
        .arg(x)
        .arg(y)
        .arg(format);
}
// User function ref (0-based).
inline QString function(const QString& code, int ref, int x, int y) {
    return QStringLiteral("%1,6,%2,%3,%4,100,10,Arial,10,0,0,0,0,1,238")
        .arg(code)
        .arg(ref)
        .arg(x)
        .arg(y);
}
// A number function in the general format: processing 2 sums, 1 counts.
inline QString sumFunction(const QString& name, const QString& expression, int resetScope = 0,
                           int processing = 2) {
    return QStringLiteral("F,0,%1,\"\",0,\"0\",%2,\"%3\",%4,15,0,0,\"\"")
        .arg(name)
        .arg(resetScope)
        .arg(expression)
        .arg(processing);
}

}  // namespace dorvana::test
