#pragma once

#include <QFrame>
#include <QPixmap>
#include <QString>

namespace quantelo {

// A picture box: a sunken two-pixel border around a client area that shows
// its picture unscaled, top-left corner at the client area's top-left, and
// clipped at its edges. It never resizes itself to the picture.
//
// The picture is named by its file or resource path and decoded when it is
// first needed, normally for the first paint: a window does not wait for
// its pictures before it appears.
class PictureBox : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicturePath(const QString& path);
    // Decodes the picture if it has not been yet; a null pixmap if the path
    // names no readable picture.
    [[nodiscard]] const QPixmap& picture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_path;
    mutable QPixmap m_picture;
    mutable bool m_decoded = true;
};

} // namespace quantelo
