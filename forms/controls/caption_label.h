#pragma once

#include <QLabel>

namespace quantelo {

// A label of fixed size: its caption wraps at blanks onto further lines, and
// a line that does not fit wholly above the bottom edge is not shown (so a
// one-line title shows only its first line). Text starts at the top edge.
//
// Its accessible name follows the caption, so a screen reader announces a
// new status message; while the caption is empty the name is the label's
// own role name, rather than the name of the frame it stands in.
class CaptionLabel : public QLabel {
    Q_OBJECT

public:
    explicit CaptionLabel(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    void setEmptyCaptionName(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateAccessibleName();

    QString m_emptyCaptionName;
};

} // namespace quantelo
