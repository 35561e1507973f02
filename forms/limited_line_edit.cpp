#include "forms/limited_line_edit.h"

#include "forms/sunken_edge.h"

#include <QKeyEvent>
#include <QPainter>
#include <QValidator>

#include <algorithm>

namespace quantelo {

// Cuts an edit that would take the text past the limit down to what fits.
// A validator sees every change the user makes (keys, paste, drop, input
// methods) before it is shown, and may change it; it compares the proposed
// text with the text before the edit.
class LimitedLineEdit::LimitValidator : public QValidator {
public:
    explicit LimitValidator(QObject* parent)
        : QValidator(parent)
    {
    }

    State validate(QString& input, int& pos) const override
    {
        if (m_limit <= 0 || m_programWrite || input.size() <= m_limit || input.size() <= m_previous.size())
            return Acceptable;

        // The text after the cursor and the unchanged text before the edit
        // are the old text; between them is what the edit inserted.
        const qsizetype inputSize = input.size();
        const qsizetype oldSize = m_previous.size();
        qsizetype tail = 0;
        const qsizetype maxTail = std::min<qsizetype>(inputSize - pos, oldSize);
        while (tail < maxTail && input.at(inputSize - 1 - tail) == m_previous.at(oldSize - 1 - tail))
            ++tail;
        qsizetype head = 0;
        const qsizetype maxHead = std::min(inputSize - tail, oldSize - tail);
        while (head < maxHead && input.at(head) == m_previous.at(head))
            ++head;

        const qsizetype inserted = inputSize - head - tail;
        const qsizetype room = std::max<qsizetype>(0, m_limit - (head + tail));
        if (inserted <= room)
            return Acceptable;
        input = input.left(head) + input.mid(head, room) + input.right(tail);
        pos = static_cast<int>(head + room);
        return Acceptable;
    }

    int m_limit = 0;
    bool m_programWrite = false;
    QString m_previous; // the text before the edit being validated
};

LimitedLineEdit::LimitedLineEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_validator(new LimitValidator(this))
{
    setValidator(m_validator);
    setFrame(false);
    setTextMargins(SunkenEdgeWidth, SunkenEdgeWidth, SunkenEdgeWidth, SunkenEdgeWidth);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { m_validator->m_previous = text; });
}

void LimitedLineEdit::setTypingLimit(int characters)
{
    m_validator->m_limit = std::max(0, characters);
}

int LimitedLineEdit::typingLimit() const
{
    return m_validator->m_limit;
}

void LimitedLineEdit::setProgramText(const QString& text)
{
    // QLineEdit runs its validator on setText() too.
    m_validator->m_programWrite = true;
    setText(text);
    m_validator->m_programWrite = false;
    // setText() leaves the cursor at the end, which scrolls a long text left
    // and hides its sign and leading digits.
    setCursorPosition(0);
}

void LimitedLineEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    drawSunkenEdge(painter, rect(), palette());
}

void LimitedLineEdit::keyPressEvent(QKeyEvent* event)
{
    const bool keypadDecimal = event->modifiers().testFlag(Qt::KeypadModifier)
        && (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma);
    if (!keypadDecimal) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent point(event->type(), Qt::Key_Period, event->modifiers(), event->nativeScanCode(),
                    event->nativeVirtualKey(), event->nativeModifiers(), QStringLiteral("."), event->isAutoRepeat(),
                    static_cast<quint16>(event->count()));
    QLineEdit::keyPressEvent(&point);
    event->setAccepted(point.isAccepted());
}

} // namespace quantelo
