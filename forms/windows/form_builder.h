#pragma once

#include "layout/form_description.h"

#include <QWidget>

#include <string_view>

namespace quantelo {

// Builds the controls of `form` as children of `window`, which gets the
// form's object name, caption, fixed client size and background. Labels are
// CaptionLabel, text boxes LimitedLineEdit, frames FrameBox, picture boxes
// PictureBox and command buttons CommandButton (never a default button).
// Text boxes, buttons and picture boxes take the focus in increasing tab
// index; labels and frames never take it.
void buildForm(QWidget& window, const FormDescription& form);

// The control of a built window with this name and type. A window resolves
// its controls once, right after it is built; a control its table lacks is a
// fault of the program, which ends it at once with a message naming the
// window and the control (the calculator tables are checked as they are
// compiled, calculator_layouts.cpp).
template <typename T> T& resolveControl(const QWidget& window, std::string_view name)
{
    const QString controlName = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    T* found = window.findChild<T*>(controlName);
    if (found == nullptr)
        qFatal("%s has no control %s of the expected kind", qUtf8Printable(window.objectName()),
               qUtf8Printable(controlName));
    return *found;
}

} // namespace quantelo
