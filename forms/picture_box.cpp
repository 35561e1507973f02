#include "forms/picture_box.h"

#include <QPainter>

namespace quantelo {

PictureBox::PictureBox(QWidget* parent)
    : QFrame(parent)
{
    // WinPanel is the classic sunken 3-D border, two pixels on each side.
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
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
    if (picture().isNull())
        return;
    QPainter painter(this);
    const QRect client = contentsRect();
    painter.setClipRect(client);
    // Device-independent size: on a high-DPI screen the picture keeps its
    // proportion to the box rather than its physical pixel count.
    painter.drawPixmap(client.topLeft(), picture());
}

} // namespace quantelo
