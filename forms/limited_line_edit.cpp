#include "forms/limited_line_edit.h"

#include "forms/sunken_edge.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QValidator>

#include <algorithm>
#include <limits>

namespace quantelo {
namespace {

constexpr qsizetype NoLimit = std::numeric_limits<qsizetype>::max();

bool isLineBreak(char32_t c)
{
    return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == 0x85 || c == 0x2028 || c == 0x2029;
}

// The first `room` characters of `text` that a box may hold. Tabs and line
// breaks become blanks (CR LF one blank); control and format characters,
// and halves of surrogate pairs without their other half, are dropped. Stops
// reading once the room is filled, so a huge paste costs no more than what
// goes in.
QString typable(const QString& text, qsizetype room)
{
    QString kept;
    qsizetype count = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size && count < room; ++i) {
        const QChar unit = text.at(i);
        char32_t c = unit.unicode();
        qsizetype units = 1;
        if (unit.isHighSurrogate() && i + 1 < size && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(unit, text.at(i + 1));
            units = 2;
        } else if (unit.isSurrogate()) {
            continue;
        }
        if (c == u'\t' || isLineBreak(c)) {
            if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
                ++i;
            kept += u' ';
        } else if (QChar::category(c) == QChar::Other_Control || QChar::category(c) == QChar::Other_Format) {
            continue;
        } else {
            kept += text.mid(i, units);
        }
        i += units - 1;
        ++count;
    }
    return kept;
}

qsizetype characters(QStringView text)
{
    return text.size() - std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLowSurrogate(); });
}

} // namespace

// The last resort: an edit that reached QLineEdit without passing through
// LimitedLineEdit::fitted() is cut down in place to what fits. It compares
// the proposed text with the text before the edit; between the unchanged
// head and tail is what the edit inserted.
class LimitedLineEdit::LimitValidator : public QValidator {
public:
    explicit LimitValidator(QObject* parent)
        : QValidator(parent)
    {
    }

    State validate(QString& input, int& pos) const override
    {
        if (m_programWrite || m_historyStep)
            return Acceptable;
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
        // Never split a surrogate pair at the edges of the insertion.
        if (head > 0 && input.at(head - 1).isHighSurrogate())
            --head;
        if (tail > 0 && input.at(inputSize - tail).isLowSurrogate())
            --tail;

        const QString inserted = input.mid(head, inputSize - head - tail);
        if (inserted.isEmpty())
            return Acceptable;
        const qsizetype kept = characters(QStringView(input).left(head)) + characters(QStringView(input).right(tail));
        const qsizetype room = m_limit > 0 ? std::max<qsizetype>(0, m_limit - kept) : NoLimit;
        const QString fits = typable(inserted, room);
        if (fits == inserted)
            return Acceptable;
        input = input.left(head) + fits + input.right(tail);
        pos = static_cast<int>(head + fits.size());
        return Acceptable;
    }

    int m_limit = 0;
    bool m_programWrite = false;
    bool m_historyStep = false; // undo and redo give back texts the box held
    QString m_previous;         // the text before the edit being validated
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

QString LimitedLineEdit::fitted(const QString& text) const
{
    if (m_validator->m_limit <= 0)
        return typable(text, NoLimit);
    const qsizetype kept = characters(this->text()) - characters(selectedText());
    return typable(text, std::max<qsizetype>(0, m_validator->m_limit - kept));
}

void LimitedLineEdit::startUndoStep()
{
    // QLineEdit begins a new undo step whenever the cursor moves (and when a
    // selection is replaced), as its own paste does; there is no other
    // public way to begin one.
    if (hasSelectedText() || text().isEmpty())
        return;
    const int at = cursorPosition();
    setCursorPosition(at > 0 ? at - 1 : at + 1);
    setCursorPosition(at);
}

void LimitedLineEdit::pasteFitted(QClipboard::Mode mode)
{
    const QString clip = QGuiApplication::clipboard()->text(mode);
    const QString fits = fitted(clip);
    if (fits.isEmpty() && !hasSelectedText())
        return;
    startUndoStep();
    insert(fits);
    startUndoStep();
}

void LimitedLineEdit::stepThroughHistory(bool undo)
{
    // Undo may give back a text longer than the limit (a program text the
    // user shortened): it is what the box held, so the validator lets it be.
    m_validator->m_historyStep = true;
    if (undo)
        QLineEdit::undo();
    else
        QLineEdit::redo();
    m_validator->m_historyStep = false;
}

void LimitedLineEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    drawSunkenEdge(painter, rect(), palette());
}

void LimitedLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        // Ctrl+Shift+Insert pastes the selection where there is one (X11).
        const bool selection = event->key() == Qt::Key_Insert
            && event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier)
            && QGuiApplication::clipboard()->supportsSelection();
        pasteFitted(selection ? QClipboard::Selection : QClipboard::Clipboard);
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        stepThroughHistory(event->matches(QKeySequence::Undo));
        event->accept();
        return;
    }

    const bool keypadDecimal = event->modifiers().testFlag(Qt::KeypadModifier)
        && (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma);
    const QString text = keypadDecimal ? fitted(QStringLiteral(".")) : fitted(event->text());
    if (text == event->text() && !keypadDecimal) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // The same key with only what the box takes of its text; a key whose
    // text does not go in at all is passed on with none.
    QKeyEvent fits(event->type(), keypadDecimal ? Qt::Key_Period : event->key(), event->modifiers(),
                   event->nativeScanCode(), event->nativeVirtualKey(), event->nativeModifiers(), text,
                   event->isAutoRepeat(), static_cast<quint16>(event->count()));
    QLineEdit::keyPressEvent(&fits);
    event->setAccepted(fits.isAccepted());
}

void LimitedLineEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    const QString fits = fitted(commit);
    if (fits == commit) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent trimmed(event->preeditString(), event->attributes());
    trimmed.setCommitString(fits, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&trimmed);
    event->setAccepted(trimmed.isAccepted());
}

void LimitedLineEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // A middle click pastes the selection where there is one (X11).
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        pasteFitted(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void LimitedLineEdit::dropEvent(QDropEvent* event)
{
    const QString dropped = event->mimeData()->text();
    // Text moved within the box keeps its length; QLineEdit handles it.
    if (dropped.isNull() || (event->source() == this && event->dropAction() == Qt::MoveAction)) {
        QLineEdit::dropEvent(event);
        return;
    }
    // QLineEdit drops at the pointer with nothing selected.
    deselect();
    const QString fits = fitted(dropped);
    if (fits.isEmpty()) {
        event->ignore(); // a source that moves its text keeps it
        return;
    }
    QMimeData data;
    data.setText(fits);
    QDropEvent trimmed(event->position(), event->possibleActions(), &data, event->buttons(), event->modifiers());
    trimmed.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&trimmed);
    event->setDropAction(trimmed.dropAction());
    event->setAccepted(trimmed.isAccepted());
}

void LimitedLineEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // QLineEdit's own menu, with Paste, Undo and Redo taking this box's
    // paths.
    QMenu* menu = createStandardContextMenu();
    const auto reroute = [this, menu](const char* name, auto slot, auto action) {
        if (auto* item = menu->findChild<QAction*>(QLatin1String(name))) {
            disconnect(item, &QAction::triggered, this, slot);
            connect(item, &QAction::triggered, this, action);
        }
    };
    reroute("edit-paste", &QLineEdit::paste, [this] { pasteFitted(QClipboard::Clipboard); });
    reroute("edit-undo", &QLineEdit::undo, [this] { stepThroughHistory(true); });
    reroute("edit-redo", &QLineEdit::redo, [this] { stepThroughHistory(false); });
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace quantelo
