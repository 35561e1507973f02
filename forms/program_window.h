#pragma once

#include <QString>

class QWidget;

namespace quantelo {

// The caption of every message box the program opens. Window titles never
// carry it: they are exactly the windows' own captions.
inline constexpr char ApplicationTitle[] = "Quantelo1";

// The program icon on a window's title bar and in the task bar.
void applyProgramIcon(QWidget& window);

// Centres a top-level window, its frame and title bar included, on the
// available area of its screen; call it when the window is first shown. Where
// the frame is not known before the window is mapped, the client area is
// centred and the window is centred again by its frame as soon as the window
// manager reports it. Where no frame is ever reported (no window manager,
// Wayland), the client area stays centred.
void placeCentredOnScreen(QWidget& window);

} // namespace quantelo
