#include "forms/controls/picture_box.h"

#include "forms/controls/accessibility.h"
#include "forms/controls/sunken_edge.h"

#include <QPainter>

namespace quantelo {

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent)
{
    setAccessibleRole(*this, QAccessible::Graphic);
    setFrameStyle(QFrame::NoFrame);
    setContentsMargins(SunkenEdgeWidth, SunkenEdgeWidth, SunkenEdgeWidth, SunkenEdgeWidth);
}

void PictureBox::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

const QImage& PictureBox::picture() const
{
    return m_picture;
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    drawSunkenEdge(painter, rect(), palette());
    if (m_picture.isNull())
        return;
    const QRect client = contentsRect();
    painter.setClipRect(client);
    // Device-independent size: on a high-DPI screen the picture keeps its
    // proportion to the box rather than its physical pixel count. Only the
    // rows inside the box are read.
    painter.drawImage(client.topLeft(), m_picture);
}

} // namespace quantelo
