#pragma once

#include <QIcon>

namespace zq {

// The name the desktop knows the program by: the file name of its desktop
// entry without ".desktop", and the name of its icon in the icon theme.
inline constexpr char kDesktopId[] = ZQ61_DESKTOP_ID;

// The program's icon: the one the icon theme holds under kDesktopId (the
// installed icon, at every size the theme has), else the built-in one.
QIcon ProgramIcon();

// Tells the window system whose windows these are, so that the task bar
// shows the program's name and icon. Runs before the first window is made.
void SetProgramIdentity();

}  // namespace zq
