#pragma once

#include <QLineEdit>

namespace quantelo {

// A text box with a typing limit that holds for the user only. Typing stops
// at the limit and a paste inserts what fits; texts that the program writes
// with setProgramText() are shown whole, however long, and the user can still
// delete from them. (QLineEdit::maxLength would cut the program's texts too.)
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
    void paintEvent(QPaintEvent* event) override;

private:
    class LimitValidator;

    LimitValidator* m_validator;
};

} // namespace quantelo
