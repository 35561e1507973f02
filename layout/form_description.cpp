#include "layout/form_description.h"

namespace quantelo {
namespace {

bool isButtonFaceKind(ControlKind kind)
{
    return kind != ControlKind::TextBox;
}

} // namespace

ColourValue defaultBackColor(ControlKind kind)
{
    return isButtonFaceKind(kind) ? Colour::ButtonFace : Colour::WindowBackground;
}

ColourValue defaultForeColor(ControlKind kind)
{
    return isButtonFaceKind(kind) ? Colour::ButtonText : Colour::WindowText;
}

} // namespace quantelo
