#pragma once

#include <QFrame>
#include <QPixmap>

namespace quantelo {

// A picture box: a sunken two-pixel border around a client area that shows
// its picture unscaled, top-left corner at the client area's top-left, and
// clipped at its edges. It never resizes itself to the picture.
class PictureBox : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    [[nodiscard]] const QPixmap& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};

} // namespace quantelo
