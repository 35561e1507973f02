#include "forms/controls/sunken_edge.h"

#include <QPainter>
#include <QPalette>

namespace quantelo {
namespace {

// One ring one pixel wide: `topLeft` along the top and left sides, `bottomRight`
// along the bottom and right sides (which own the two far corners).
void drawRing(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
    painter.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), topLeft);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height() - 1), bottomRight);
}

} // namespace

void drawSunkenEdge(QPainter& painter, const QRect& rect, const QPalette& palette)
{
    if (rect.width() < 2 * SunkenEdgeWidth || rect.height() < 2 * SunkenEdgeWidth)
        return;
    drawRing(painter, rect, palette.color(QPalette::Dark), palette.color(QPalette::Light));
    drawRing(painter, rect.adjusted(1, 1, -1, -1), palette.color(QPalette::Shadow), palette.color(QPalette::Midlight));
}

} // namespace quantelo
