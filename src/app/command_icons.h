#pragma once
// The icons of the main window's tool bars: each command has one icon of its
// own, named as the desktop's icon theme names it (freedesktop icon naming),
// so that it means there what it means in other programs; where the theme
// lacks it, a drawing of ours with the same meaning is shown.

#include <QIcon>
#include <QList>
#include <QString>

namespace dorvana {

struct CommandIcon {
    const char* command;    // the action's object name
    const char* themeName;  // the icon's name in the desktop's icon theme
};

// Every tool bar command of the main window (first bar, then the print bar).
const QList<CommandIcon>& commandIcons();
// The theme name of a command's icon; empty for a command without one.
QString themeIconName(const QString& command);
// The command's icon: the theme's, or our drawing of it.
QIcon commandIcon(const QString& command);
// Our drawing of a command's icon (what shows without an icon theme).
QIcon drawnCommandIcon(const QString& command);

// Where the desktop names no icon theme (a bare X session), icons are looked
// up in the freedesktop theme Adwaita when it is installed.
void useDesktopIconTheme();

}  // namespace dorvana
