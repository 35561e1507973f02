#pragma once

#include <QClipboard>
#include <QLineEdit>

namespace quantelo {

// A text box with a typing limit that holds for the user only. Typing stops
// at the limit and a paste inserts what fits; texts that the program writes
// with setProgramText() are shown whole, however long, and the user can still
// delete from them. (QLineEdit::maxLength would cut the program's texts too.)
// The limit counts characters (Unicode code points), so a character outside
// the Basic Multilingual Plane counts once and is never split.
//
// One rule for every character that comes in, whatever the route (keys,
// input methods, pastes by key, by context menu or by middle click, drops,
// an assistive tool's insert): the box rule of input/box_text.h, with the
// Unicode facts from Qt (qt_text_facts.h). What the box shows is what the
// number reading reads: characters that are not seen are dropped, those
// that look like a digit, a sign, a decimal point or a blank go in as their
// ASCII form, and tabs and line breaks become blanks.
// A key whose text is a control character (Return, Tab, Ctrl+Alt+J's line
// feed on X11) types nothing, as in QLineEdit. The typing limit refuses what
// does not fit on every route alike and never splits a grapheme cluster as
// the user brought it in.
//
// Every user edit that brings text in is trimmed before QLineEdit applies
// it, and goes in as QLineEdit's own undoable edit, so Undo and Redo (keys
// and context menu alike) step through what the user typed and pasted. A
// drop from elsewhere is always a copy: its source never loses text that did
// not go in. A validator stays behind that for any other way in (an
// assistive tool sets the whole text); it trims in place, which QLineEdit
// cannot undo, so it is the last resort only.
//
// Every text the program writes is shown from its first character, as a
// user reads a number: a result wider than its box keeps its sign and its
// leading digits on show, and the user can still scroll to its end.
//
// The box has the classic sunken edge (sunken_edge.h) rather than the
// style's own frame.
//
// The numeric keypad's decimal key types "." whatever the keyboard layout: the
// calculators read only "." as a decimal point, and a "," typed by the keypad
// of, say, a German layout would end the number there.
class LimitedLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit LimitedLineEdit(QWidget* parent = nullptr);

    // Characters the user may type; 0: no limit.
    void setTypingLimit(int characters);
    [[nodiscard]] int typingLimit() const;

    void setProgramText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    class LimitValidator;

    // What of `text` goes in when it replaces the selection: typable
    // characters only, as many as the limit leaves room for.
    [[nodiscard]] QString fitted(const QString& text) const;
    void pasteFitted(QClipboard::Mode mode);
    void stepThroughHistory(bool undo);
    void startUndoStep();

    LimitValidator* m_validator;
};

} // namespace quantelo
