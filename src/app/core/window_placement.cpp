#include "app/core/window_placement.h"

#include <QStringList>
#include <algorithm>

namespace dorvana {

std::optional<WindowPlacement> parseWindowPlacement(const QString& text) {
    const QStringList p = text.split(QLatin1Char(','));
    if (p.size() < 4) return std::nullopt;
    int v[4];
    for (int k = 0; k < 4; ++k) {
        bool ok = false;
        v[k] = p[k].trimmed().toInt(&ok);
        if (!ok) return std::nullopt;
    }
    if (v[2] < 400 || v[3] < 300) return std::nullopt;
    WindowPlacement out;
    out.rect = QRect(v[0], v[1], v[2], v[3]);
    out.maximized = p.value(4).trimmed() == u"1";
    return out;
}

QRect fitOntoScreens(const QRect& wanted, const QList<QRect>& screens) {
    if (screens.isEmpty()) return wanted;
    QRect screen = screens.first();
    qint64 best = 0;
    for (const QRect& s : screens) {
        const QRect common = s.intersected(wanted);
        const qint64 area = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        if (area > best) {
            best = area;
            screen = s;
        }
    }
    const int w = std::min(wanted.width(), screen.width());
    const int h = std::min(wanted.height(), screen.height());
    // 64-bit arithmetic: a hostile position may be near the end of the int range.
    const qint64 x = std::clamp<qint64>(wanted.x(), screen.x(), qint64(screen.x()) + screen.width() - w);
    const qint64 y = std::clamp<qint64>(wanted.y(), screen.y(), qint64(screen.y()) + screen.height() - h);
    return QRect(int(x), int(y), w, h);
}

}  // namespace dorvana
