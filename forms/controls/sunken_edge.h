#pragma once

#include <QRect>

class QPainter;
class QPalette;

namespace quantelo {

// The classic sunken three-dimensional edge of a text box or a picture box:
// two pixels on each side, drawn inside `rect`.
//   outer ring: shadow (Dark) above and left, highlight (Light) below and right
//   inner ring: dark shadow (Shadow) above and left, light (Midlight) below
//               and right
// The colours come from `palette`, so a dark colour scheme draws its own
// sunken edge.
inline constexpr int SunkenEdgeWidth = 2;

void drawSunkenEdge(QPainter& painter, const QRect& rect, const QPalette& palette);

} // namespace quantelo
