#include "forms/windows/form_description.h"

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

void applyChange(ControlDescription& control, const ControlChange& change)
{
    control.rect.left = change.left.value_or(control.rect.left);
    control.rect.top = change.top.value_or(control.rect.top);
    control.rect.width = change.width.value_or(control.rect.width);
    control.rect.height = change.height.value_or(control.rect.height);
    control.caption = change.caption.value_or(control.caption);
    if (change.foreColor)
        control.foreColor = change.foreColor;
    control.tabIndex = change.tabIndex.value_or(control.tabIndex);
    control.typingLimit = change.typingLimit.value_or(control.typingLimit);
    control.accessibleName = change.accessibleName.value_or(control.accessibleName);
}

} // namespace quantelo
