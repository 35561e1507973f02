#pragma once

#include <QGroupBox>

namespace quantelo {

// A frame: a single etched line around its controls, with the caption set
// into the top edge near the left corner, drawn in the frame's foreground
// colour on its background. Controls inside are placed from the frame's own
// top-left corner, above the line's top edge.
class FrameBox : public QGroupBox {
    Q_OBJECT

public:
    explicit FrameBox(const QString& title, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quantelo
