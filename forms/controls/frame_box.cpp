#include "forms/controls/frame_box.h"

#include <QPainter>

namespace quantelo {

namespace {
constexpr int CaptionIndent = 8; // pixels from the left edge to the caption
constexpr int CaptionGap = 2;    // blank pixels either side of the caption
} // namespace

FrameBox::FrameBox(const QString& title, QWidget* parent)
    : QGroupBox(title, parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void FrameBox::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int lineTop = metrics.height() / 2;
    const QRect outer(0, lineTop, width() - 1, height() - lineTop - 1);

    // Etched: a shadow line with a light line just inside it.
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(outer.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(outer.adjusted(1, 1, 0, 0));

    if (title().isEmpty())
        return;
    const QRect caption(CaptionIndent, 0, metrics.horizontalAdvance(title()), metrics.height());
    painter.fillRect(caption.adjusted(-CaptionGap, 0, CaptionGap, 0), palette().color(backgroundRole()));
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title());
}

} // namespace quantelo
