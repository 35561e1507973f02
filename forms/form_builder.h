#pragma once

#include "forms/form_description.h"

#include <QString>

class QFont;
class QWidget;

namespace quantelo {

// Builds the controls of `form` as children of `window`, which gets the
// form's object name, caption, fixed client size and background. Labels are
// CaptionLabel, text boxes LimitedLineEdit, frames FrameBox, picture boxes
// PictureBox and command buttons CommandButton (never a default button).
// Text boxes, buttons and picture boxes take the focus in increasing tab
// index; labels and frames never take it.
void buildForm(QWidget& window, const FormDescription& form);

QFont toQFont(const FontDescription& font);
QString toQString(std::string_view utf8);
// A caption as assistive technology should read it: without the access-key
// "&" and runs of blanks.
QString spokenCaption(std::string_view caption);

} // namespace quantelo
