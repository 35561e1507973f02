#pragma once

#include <QString>

class QWidget;

namespace quantelo {

// The caption of every message box the program opens. Window titles never
// carry it: they are exactly the windows' own captions.
inline constexpr char ApplicationTitle[] = "Quantelo1";

// The program icon on a window's title bar and in the task bar.
void applyProgramIcon(QWidget& window);

// Centres a top-level window on the available area of its screen.
void placeCentredOnScreen(QWidget& window);

} // namespace quantelo
