#pragma once

#include <QFrame>
#include <QImage>

namespace quantelo {

// A picture box: a sunken two-pixel border around a client area that shows
// its picture unscaled, top-left corner at the client area's top-left, and
// clipped at its edges. It never resizes itself to the picture.
//
// The picture is an image held as it is given: one compiled into the program
// (resources/pictures.h) is drawn straight from the program's read-only
// copy, with nothing decoded or converted first.
class PictureBox : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    [[nodiscard]] const QImage& picture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};

} // namespace quantelo
