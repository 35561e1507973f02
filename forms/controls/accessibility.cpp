#include "forms/controls/accessibility.h"

#include "forms/controls/limited_line_edit.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <QVariant>

#include <mutex>

// Measured with Qt 6.4 and the Orca screen reader 43 (AT-SPI on X11); what
// reaches Windows' UI Automation from the same interfaces is noted with each.
//
// - A bare top-level QWidget is reported as a "filler", not a window, so a
//   screen reader finds no window frame to read the title of ("speak title
//   bar"). The program's windows say they are windows (setAccessibleRole);
//   UI Automation then reports them as windows too.
// - A focusable QFrame is reported as a "frame", which Orca takes for a
//   window and does not announce when it takes the focus; the title
//   picture says it is a picture (Graphic: an image in UI Automation).
// - QLineEdit's text interface reports zero-length attribute runs, and Orca
//   rebuilds a box's line from those runs on focus, losing its last
//   character ("2." for "2.3"). The boxes here report one run over the whole
//   text. UI Automation reads the text itself, not these runs.
// - Orca ignores a change of a label's name (with the label or status-bar
//   role), of an alert's name, and of the focused control's name or
//   description (Qt sends the object rather than the new text). It does
//   speak a widget with the Notification role when that widget is shown, so
//   the Announcer is hidden, given its text and shown again. Qt 6.8's
//   announcement event would do this directly; Qt 6.4 has none. Qt 6.4's UI
//   Automation bridge raises no event for a widget shown, so on Windows the
//   announcement is found only by reading the window.

namespace quantelo {
namespace {

constexpr const char* RoleProperty = "quanteloAccessibleRole";

// A widget in the role it was given.
class RoleInterface : public QAccessibleWidget {
public:
    RoleInterface(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role)
    {
    }
};

// A line edit as Qt reports it, with one attribute run over the whole text.
class LineEditInterface : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface {
public:
    explicit LineEditInterface(QLineEdit* edit)
        : QAccessibleWidget(edit, QAccessible::EditableText)
    {
    }

    [[nodiscard]] QLineEdit* lineEdit() const { return static_cast<QLineEdit*>(widget()); }

    [[nodiscard]] QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return lineEdit()->displayText();
        return QAccessibleWidget::text(kind);
    }

    void setText(QAccessible::Text kind, const QString& text) override
    {
        if (kind != QAccessible::Value) {
            QAccessibleWidget::setText(kind, text);
            return;
        }
        lineEdit()->setText(text); // through the box's validator
    }

    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (lineEdit()->isReadOnly())
            state.readOnly = true;
        else
            state.editable = true;
        state.selectableText = true;
        if (lineEdit()->hasSelectedText())
            state.selected = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || !lineEdit()->hasSelectedText())
            return;
        *startOffset = lineEdit()->selectionStart();
        *endOffset = lineEdit()->selectionEnd();
    }
    [[nodiscard]] int selectionCount() const override { return lineEdit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            lineEdit()->deselect();
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0)
            lineEdit()->setSelection(startOffset, endOffset - startOffset);
    }
    [[nodiscard]] int cursorPosition() const override { return lineEdit()->cursorPosition(); }
    void setCursorPosition(int position) override { lineEdit()->setCursorPosition(position); }
    [[nodiscard]] QString text(int startOffset, int endOffset) const override
    {
        if (startOffset > endOffset)
            return {};
        return lineEdit()->displayText().mid(startOffset, endOffset - startOffset);
    }
    [[nodiscard]] int characterCount() const override { return static_cast<int>(lineEdit()->displayText().size()); }
    [[nodiscard]] QRect characterRect(int offset) const override
    {
        // From the cursor's place, the one the box reports, by the advance
        // of the characters between the cursor and `offset`.
        const QString shown = lineEdit()->displayText();
        const QFontMetrics metrics(lineEdit()->font());
        const QRect cursor = lineEdit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int cursorX = metrics.horizontalAdvance(shown.left(lineEdit()->cursorPosition()));
        const int x = cursor.x() + metrics.horizontalAdvance(shown.left(offset)) - cursorX;
        const int width = offset < shown.size() ? metrics.horizontalAdvance(shown.at(offset)) : 1;
        return {lineEdit()->mapToGlobal(QPoint(x, cursor.y())), QSize(width, cursor.height())};
    }
    [[nodiscard]] int offsetAtPoint(const QPoint& point) const override
    {
        return lineEdit()->cursorPositionAt(lineEdit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        lineEdit()->setCursorPosition(endIndex);
        lineEdit()->setCursorPosition(startIndex);
    }
    [[nodiscard]] QString attributes(int /*offset*/, int* startOffset, int* endOffset) const override
    {
        // One run of the box's plain text: the whole of it.
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    // QAccessibleEditableTextInterface: whole new texts, as the box's
    // validator expects of an assistive tool.
    void deleteText(int startOffset, int endOffset) override
    {
        lineEdit()->setText(lineEdit()->text().remove(startOffset, endOffset - startOffset));
    }
    void insertText(int offset, const QString& text) override
    {
        lineEdit()->setText(lineEdit()->text().insert(offset, text));
        lineEdit()->setCursorPosition(offset + static_cast<int>(text.size()));
    }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        lineEdit()->setText(lineEdit()->text().replace(startOffset, endOffset - startOffset, text));
    }
};

QAccessibleInterface* interfaceFor(const QString& /*className*/, QObject* object)
{
    // Asked once for each class an object is of, most derived first: the
    // answer is the same for every one of them.
    if (object == nullptr || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    const QVariant role = widget->property(RoleProperty);
    if (role.isValid())
        return new RoleInterface(widget, static_cast<QAccessible::Role>(role.toInt()));
    if (auto* edit = qobject_cast<LimitedLineEdit*>(widget))
        return new LineEditInterface(edit);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(&interfaceFor); });
}

void setAccessibleRole(QWidget& widget, QAccessible::Role role)
{
    installAccessibleInterfaces();
    widget.setProperty(RoleProperty, static_cast<int>(role));
}

Announcer::Announcer(QWidget* parent)
    : QWidget(parent)
{
    setAccessibleRole(*this, QAccessible::Notification);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::announce(const QString& text)
{
    hide();
    setAccessibleName(text);
    show();
}

} // namespace quantelo
