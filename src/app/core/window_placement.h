#pragma once
// The main window's placement as the settings keep it ("x,y,w,h,maximized")
// and its fit onto the screens there are now: a stored place that lies off
// every screen (another monitor set-up, or an edited settings file) is moved
// and shrunk onto a screen, so the window never opens where nobody sees it.

#include <QList>
#include <QRect>
#include <QString>
#include <optional>

namespace dorvana {

struct WindowPlacement {
    QRect rect;
    bool maximized = false;
};

// The placement text read; nothing when it is not four whole numbers (and an
// optional maximized flag) or the size is below the window's least size
// (400 × 300).
std::optional<WindowPlacement> parseWindowPlacement(const QString& text);

// The rectangle moved and shrunk to lie wholly on the screen it overlaps
// most (on the first screen when it overlaps none). screens: the available
// areas of the screens, the primary one first; none: the rectangle as given.
QRect fitOntoScreens(const QRect& wanted, const QList<QRect>& screens);

}  // namespace dorvana
