#pragma once

#include "layout/form_description.h"

#include <QWidget>

namespace quantelo {

// What the program's four windows share: an independent top-level window
// (no owner) with a title bar, control menu, close and minimise buttons but
// no maximise button, a fixed client area built from its description, the
// program icon, its frame centred on the screen when first shown, and
// colours that follow a change of the desktop's colour scheme
// (colour_role.h).
class ProgramWindow : public QWidget {
    Q_OBJECT

public:
    explicit ProgramWindow(const FormDescription& form);

    void setVisible(bool visible) override;
    // Whether the window has been shown since it was made.
    [[nodiscard]] bool hasBeenShown() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_shown = false;
    bool m_painted = false;
};

} // namespace quantelo
