#pragma once

#include <QPushButton>

namespace quantelo {

// A command button that is never a default button: Enter in a text box
// clicks nothing, and Esc nothing either. Enter on the button itself clicks
// it, as Space does.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    explicit CommandButton(const QString& caption, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace quantelo
