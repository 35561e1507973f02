#include "forms/colour_role.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>

namespace quantelo {
namespace {

constexpr const char* BackColorProperty = "quanteloBackColour";
constexpr const char* ForeColorProperty = "quanteloForeColour";

constexpr std::array ColourGroups{QPalette::Active, QPalette::Inactive, QPalette::Disabled};

// WCAG's minimum for large text: below it a text is hard to read.
constexpr double MinimumTextContrast = 3.0;

// The palette role a system colour stands for; nothing for an RGB value or a
// system colour the calculators do not use.
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

// The colour a colour value stands for in one group of `palette`; the top
// byte of an RGB value is ignored.
QColor toQColor(ColourValue value, const QPalette& palette, QPalette::ColorGroup group)
{
    if (const auto role = systemColourRole(value))
        return palette.color(group, *role);
    const int red = static_cast<int>(value & 0xFFU);
    const int green = static_cast<int>((value >> 8U) & 0xFFU);
    const int blue = static_cast<int>((value >> 16U) & 0xFFU);
    return {red, green, blue};
}

double relativeLuminance(const QColor& colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

// A text colour of the desktop's scheme that can be read on `back`: the
// scheme's window text if it can, else black or white, whichever reads better.
QColor readableOn(const QColor& back, const QPalette& scheme, QPalette::ColorGroup group)
{
    const QColor windowText = scheme.color(group, QPalette::WindowText);
    if (contrastRatio(windowText, back) >= MinimumTextContrast)
        return windowText;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(black, back) >= contrastRatio(white, back) ? black : white;
}

void applyColour(QWidget& widget, QPalette::ColorRole target, ColourValue value)
{
    const QPalette source = QApplication::palette();
    QPalette palette = widget.palette();
    for (const QPalette::ColorGroup group : ColourGroups)
        palette.setColor(group, target, toQColor(value, source, group));
    widget.setPalette(palette);
}

// A text colour named by a system colour follows the desktop's scheme, and a
// scheme may make it unreadable on the control's background: the 3-D dark
// shadow of a dark scheme is dark on a dark window. Then the scheme's
// readable text colour stands in. Fixed RGB text colours stay as they are.
void applyForeColor(QWidget& widget, ColourValue value)
{
    if (!isSystemColour(value)) {
        applyColour(widget, widget.foregroundRole(), value);
        return;
    }
    const QPalette source = QApplication::palette();
    QPalette palette = widget.palette();
    for (const QPalette::ColorGroup group : ColourGroups) {
        QColor fore = toQColor(value, source, group);
        const QColor back = palette.color(group, widget.backgroundRole());
        if (contrastRatio(fore, back) < MinimumTextContrast)
            fore = readableOn(back, source, group);
        palette.setColor(group, widget.foregroundRole(), fore);
    }
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
    if (const auto back = backColor(widget))
        applyColour(widget, widget.backgroundRole(), *back);
    if (const auto fore = foreColor(widget))
        applyForeColor(widget, *fore);
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

void setBackColor(QWidget& widget, ColourValue value)
{
    widget.setProperty(BackColorProperty, QVariant::fromValue(value));
    applyColour(widget, widget.backgroundRole(), value);
    // The text must stay readable on the new background.
    if (const auto fore = foreColor(widget))
        applyForeColor(widget, *fore);
}

void setForeColor(QWidget& widget, ColourValue value)
{
    widget.setProperty(ForeColorProperty, QVariant::fromValue(value));
    applyForeColor(widget, value);
}

std::optional<ColourValue> backColor(const QWidget& widget)
{
    return remembered(widget, BackColorProperty);
}

std::optional<ColourValue> foreColor(const QWidget& widget)
{
    return remembered(widget, ForeColorProperty);
}

void refreshColours(QWidget& widget)
{
    refreshOne(widget);
    for (QWidget* child : widget.findChildren<QWidget*>())
        refreshOne(*child);
}

} // namespace quantelo
