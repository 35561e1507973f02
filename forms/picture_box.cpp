#include "forms/picture_box.h"

#include "forms/sunken_edge.h"

#include <QPainter>

namespace quantelo {

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::NoFrame);
    setContentsMargins(SunkenEdgeWidth, SunkenEdgeWidth, SunkenEdgeWidth, SunkenEdgeWidth);
}

void PictureBox::setPicturePath(const QString& path)
{
    m_path = path;
    m_picture = QPixmap();
    m_decoded = false;
    update();
}

const QPixmap& PictureBox::picture() const
{
    if (!m_decoded) {
        m_picture.load(m_path);
        m_decoded = true;
    }
    return m_picture;
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    drawSunkenEdge(painter, rect(), palette());
    if (picture().isNull())
        return;
    const QRect client = contentsRect();
    painter.setClipRect(client);
    // Device-independent size: on a high-DPI screen the picture keeps its
    // proportion to the box rather than its physical pixel count.
    painter.drawPixmap(client.topLeft(), picture());
}

} // namespace quantelo
