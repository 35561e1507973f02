#include "forms/colour_role.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>

#include <array>

namespace quantelo {
namespace {

constexpr const char* BackColourProperty = "quanteloBackColour";
constexpr const char* ForeColourProperty = "quanteloForeColour";

constexpr std::array ColourGroups{QPalette::Active, QPalette::Inactive, QPalette::Disabled};

void applyColour(QWidget& widget, QPalette::ColorRole target, ColourValue value)
{
    const QPalette source = QApplication::palette();
    QPalette palette = widget.palette();
    for (const QPalette::ColorGroup group : ColourGroups)
        palette.setColor(group, target, toQColor(value, source, group));
    widget.setPalette(palette);
}

std::optional<ColourValue> remembered(const QWidget& widget, const char* property)
{
    const QVariant value = widget.property(property);
    if (!value.isValid())
        return std::nullopt;
    return static_cast<ColourValue>(value.toUInt());
}

void refreshOne(QWidget& widget)
{
    if (const auto back = backColour(widget))
        applyColour(widget, widget.backgroundRole(), *back);
    if (const auto fore = foreColour(widget))
        applyColour(widget, widget.foregroundRole(), *fore);
}

} // namespace

std::optional<QPalette::ColorRole> systemColourRole(ColourValue value)
{
    switch (value) {
    case Colour::Menu:
    case Colour::ButtonFace: return QPalette::Window;
    case Colour::WindowBackground: return QPalette::Base;
    case Colour::WindowText: return QPalette::Text;
    case Colour::InactiveBorder: return QPalette::AlternateBase;
    case Colour::ButtonText: return QPalette::ButtonText;
    case Colour::DarkShadow3D: return QPalette::Shadow;
    default: return std::nullopt;
    }
}

QColor toQColor(ColourValue value, const QPalette& palette, QPalette::ColorGroup group)
{
    if (const auto role = systemColourRole(value))
        return palette.color(group, *role);
    const int red = static_cast<int>(value & 0xFFU);
    const int green = static_cast<int>((value >> 8U) & 0xFFU);
    const int blue = static_cast<int>((value >> 16U) & 0xFFU);
    return {red, green, blue};
}

void setBackColour(QWidget& widget, ColourValue value)
{
    widget.setProperty(BackColourProperty, QVariant::fromValue(value));
    applyColour(widget, widget.backgroundRole(), value);
}

void setForeColour(QWidget& widget, ColourValue value)
{
    widget.setProperty(ForeColourProperty, QVariant::fromValue(value));
    applyColour(widget, widget.foregroundRole(), value);
}

std::optional<ColourValue> backColour(const QWidget& widget)
{
    return remembered(widget, BackColourProperty);
}

std::optional<ColourValue> foreColour(const QWidget& widget)
{
    return remembered(widget, ForeColourProperty);
}

void refreshColours(QWidget& widget)
{
    refreshOne(widget);
    for (QWidget* child : widget.findChildren<QWidget*>())
        refreshOne(*child);
}

} // namespace quantelo
