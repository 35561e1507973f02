#include "forms/controls/limited_line_edit.h"

#include "forms/controls/accessibility.h"
#include "forms/controls/qt_text_facts.h"
#include "forms/controls/sunken_edge.h"
#include "input/box_text.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QValidator>

#include <algorithm>

namespace quantelo {
namespace {

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
        // An assistive tool's insert comes as a whole new text with the
        // cursor at its end, so the cursor cannot bound the unchanged tail.
        qsizetype tail = 0;
        const qsizetype maxTail = std::min(inputSize, oldSize);
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
        const QString fits = typableText(inserted, input::room(m_limit, static_cast<std::size_t>(kept)));
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
    installAccessibleInterfaces();
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
    const qsizetype kept = characters(this->text()) - characters(selectedText());
    return typableText(text, input::room(m_validator->m_limit, static_cast<std::size_t>(kept)));
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

    // A key whose text begins with a control character (Return, Tab,
    // Ctrl+Alt+J's line feed on X11 ...) types nothing in QLineEdit, which
    // handles it as it always does.
    if (!event->text().isEmpty() && event->text().at(0).category() == QChar::Other_Control) {
        QLineEdit::keyPressEvent(event);
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
        // QLineEdit sees the release too, after the paste (an input method
        // may act on a click into its pre-edit text), as the release of no
        // button, so that it does not paste the selection once more,
        // untrimmed.
        QMouseEvent release(event->type(), event->position(), event->scenePosition(), event->globalPosition(),
                            Qt::NoButton, event->buttons(), event->modifiers(), event->pointingDevice());
        QLineEdit::mouseReleaseEvent(&release);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

namespace {

// A drop from anywhere but this box copies: the box may take only part of
// the text, or none of it, and the source must never lose what did not go
// in. Only a move within the box itself stays a move.
bool dropsAsCopy(const QDropEvent& event, const QWidget& box)
{
    return event.source() != &box && event.possibleActions().testFlag(Qt::CopyAction);
}

} // namespace

void LimitedLineEdit::dragEnterEvent(QDragEnterEvent* event)
{
    QLineEdit::dragEnterEvent(event);
    if (event->isAccepted() && dropsAsCopy(*event, *this))
        event->setDropAction(Qt::CopyAction);
}

void LimitedLineEdit::dragMoveEvent(QDragMoveEvent* event)
{
    QLineEdit::dragMoveEvent(event);
    if (event->isAccepted() && dropsAsCopy(*event, *this))
        event->setDropAction(Qt::CopyAction);
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
        event->ignore(); // the source keeps its text
        return;
    }
    QMimeData data;
    data.setText(fits);
    // Offered as a copy only, so that QLineEdit accepts it as one.
    const Qt::DropActions actions
        = dropsAsCopy(*event, *this) ? Qt::DropActions(Qt::CopyAction) : event->possibleActions();
    QDropEvent trimmed(event->position(), actions, &data, event->buttons(), event->modifiers());
    QLineEdit::dropEvent(&trimmed);
    event->setDropAction(trimmed.dropAction());
    event->setAccepted(trimmed.isAccepted());
}

void LimitedLineEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // QLineEdit's own menu, with Paste, Undo and Redo taking the same paths
    // as their keys. The menu connects each action's triggered() to the
    // QLineEdit slot of the same name; Qt 6.4 gives the actions no object
    // names, and their places and texts vary with the version and the
    // language. So an action is known by that connection itself: the one
    // whose triggered() can be disconnected from QLineEdit's paste() is
    // Paste. Qt 6.4 connects by signature, later versions by member
    // pointer; either form is tried.
    QMenu* menu = createStandardContextMenu();
    const auto takeOver = [this](QAction* item, const char* signature, void (QLineEdit::*slot)()) {
        return disconnect(item, SIGNAL(triggered()), this, signature)
            || disconnect(item, &QAction::triggered, this, slot);
    };
    for (QAction* item : menu->actions()) {
        if (takeOver(item, SLOT(paste()), &QLineEdit::paste))
            connect(item, &QAction::triggered, this, [this] { pasteFitted(QClipboard::Clipboard); });
        else if (takeOver(item, SLOT(undo()), &QLineEdit::undo))
            connect(item, &QAction::triggered, this, [this] { stepThroughHistory(true); });
        else if (takeOver(item, SLOT(redo()), &QLineEdit::redo))
            connect(item, &QAction::triggered, this, [this] { stepThroughHistory(false); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace quantelo
