#include "forms/picture_box.h"

#include <QPainter>

namespace quantelo {

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent)
{
    // WinPanel is the classic sunken 3-D border, two pixels on each side.
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
}

void PictureBox::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    const QRect client = contentsRect();
    painter.setClipRect(client);
    // Device-independent size: on a high-DPI screen the picture keeps its
    // proportion to the box rather than its physical pixel count.
    painter.drawPixmap(client.topLeft(), m_picture);
}

} // namespace quantelo
