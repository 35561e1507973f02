#pragma once

#include <QIcon>

namespace quantelo {

// The program icon for all windows: the 16 x 16 image of quantelo.ico for
// title bars, with the same design at 48, 64 and 128 pixels for task bars and
// switchers that ask for a bigger one (instead of blowing up the 16 x 16).
QIcon programIcon();

} // namespace quantelo
