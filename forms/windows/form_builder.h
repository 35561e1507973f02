#pragma once

#include "forms/windows/form_description.h"

#include <QWidget>

#include <stdexcept>
#include <string>
#include <string_view>

namespace quantelo {

// Builds the controls of `form` as children of `window`, which gets the
// form's object name, caption, fixed client size and background. Labels are
// CaptionLabel, text boxes LimitedLineEdit, frames FrameBox, picture boxes
// PictureBox and command buttons CommandButton (never a default button).
// Text boxes, buttons and picture boxes take the focus in increasing tab
// index; labels and frames never take it.
void buildForm(QWidget& window, const FormDescription& form);

// The control of a built window with this name and type. Throws
// std::logic_error when the window has none: a window resolves its controls
// once, right after it is built, so a misspelt name fails its construction.
template <typename T> T& resolveControl(const QWidget& window, std::string_view name)
{
    T* found = window.findChild<T*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    if (found == nullptr)
        throw std::logic_error(window.objectName().toStdString() + " has no control " + std::string(name)
                               + " of the expected kind");
    return *found;
}

} // namespace quantelo
