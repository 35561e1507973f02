#include "forms/form_description.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quantelo {
namespace {

bool isButtonFaceKind(ControlKind kind)
{
    return kind != ControlKind::TextBox;
}

ControlDescription& control(FormDescription& form, std::string_view name)
{
    const auto found = std::find_if(form.controls.begin(), form.controls.end(),
                                    [name](const ControlDescription& c) { return c.name == name; });
    if (found == form.controls.end())
        throw std::logic_error("no control " + std::string(name) + " in " + std::string(form.name));
    return *found;
}

template <typename T> T valueAs(const Difference& difference)
{
    const auto* value = std::get_if<T>(&difference.value);
    if (value == nullptr)
        throw std::logic_error("wrong type of value for " + std::string(difference.control));
    return *value;
}

void apply(ControlDescription& c, const Difference& d)
{
    switch (d.field) {
    case Field::Left: c.rect.left = static_cast<int>(valueAs<std::int64_t>(d)); break;
    case Field::Top: c.rect.top = static_cast<int>(valueAs<std::int64_t>(d)); break;
    case Field::Width: c.rect.width = static_cast<int>(valueAs<std::int64_t>(d)); break;
    case Field::Height: c.rect.height = static_cast<int>(valueAs<std::int64_t>(d)); break;
    case Field::Caption: c.caption = valueAs<std::string_view>(d); break;
    case Field::ForeColor: c.foreColor = static_cast<ColourValue>(valueAs<std::int64_t>(d)); break;
    case Field::TypingLimit: c.typingLimit = static_cast<int>(valueAs<std::int64_t>(d)); break;
    case Field::TabIndex: c.tabIndex = static_cast<int>(valueAs<std::int64_t>(d)); break;
    case Field::AccessibleName: c.accessibleName = valueAs<std::string_view>(d); break;
    }
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

FormDescription withDifferences(const FormDescription& base, std::string_view name, std::string_view caption,
                                std::span<const Difference> differences, std::span<const AddedControl> added)
{
    FormDescription form = base;
    form.name = name;
    form.caption = caption;
    for (const AddedControl& extra : added) {
        const auto before = std::find_if(form.controls.begin(), form.controls.end(),
                                         [&extra](const ControlDescription& c) { return c.name == extra.before; });
        if (before == form.controls.end())
            throw std::logic_error("no control " + std::string(extra.before) + " in " + std::string(name));
        form.controls.insert(before, extra.control);
    }
    for (const Difference& difference : differences)
        apply(control(form, difference.control), difference);
    return form;
}

} // namespace quantelo
