#include "forms/controls/caption_label.h"

#include <QPainter>
#include <QTextLayout>

namespace quantelo {

CaptionLabel::CaptionLabel(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setFocusPolicy(Qt::NoFocus);
}

void CaptionLabel::setCaption(const QString& caption)
{
    setText(caption);
    updateAccessibleName();
}

void CaptionLabel::setEmptyCaptionName(const QString& name)
{
    m_emptyCaptionName = name;
    updateAccessibleName();
}

void CaptionLabel::updateAccessibleName()
{
    const QString spoken = text().simplified();
    setAccessibleName(spoken.isEmpty() ? m_emptyCaptionName : spoken);
}

void CaptionLabel::paintEvent(QPaintEvent* /*event*/)
{
    // The background, when opaque, is already filled from the palette.
    QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WordWrap);
    QTextLayout layout(text(), font());
    layout.setTextOption(option);
    layout.setCacheEnabled(true);

    const qreal width = contentsRect().width();
    const qreal bottom = contentsRect().height();
    qreal y = 0;
    int shownLines = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
        // The first line shows even when the label is lower than the font.
        if (y <= bottom || shownLines == 0)
            ++shownLines;
    }
    layout.endLayout();

    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QPointF origin = contentsRect().topLeft();
    for (int i = 0; i < shownLines; ++i)
        layout.lineAt(i).draw(&painter, origin);
}

} // namespace quantelo
