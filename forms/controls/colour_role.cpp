#include "forms/controls/colour_role.h"

#include "forms/controls/application_state.h"

#include <QApplication>
#include <QEvent>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

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

// Every role of a palette marked as set: QWidget::setPalette() then keeps the
// palette object as it is, rather than merging it with the inherited one into
// a new object with a new cache key.
QPalette withEveryRoleSet(QPalette palette)
{
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            palette.setBrush(g, r, palette.brush(g, r));
        }
    }
    return palette;
}

// One palette object for each set of colours in use. Qt's styles cache what
// they draw (button bevels, for one) in the pixmap cache under the palette's
// cache key: a palette made anew for each control of each window has a key of
// its own, so every window opened added its drawings to the cache again,
// until the cache was full. Controls of the same colours share one palette,
// whichever window they are in. Only the running scheme's palettes are kept
// (a handful: one per pair of control colours).
//
// The controls' colours are the running scheme's: when the desktop's colour
// scheme changes, every window's controls take its colours again. Qt 6.4
// tells the application object of the change, but not reliably each window:
// one filter on the application, for all windows, watches for it.
class SharedPalettes : public QObject {
public:
    static constexpr const char* Name = "quanteloSharedPalettes";

    explicit SharedPalettes(QObject* application)
        : QObject(application)
    {
        application->installEventFilter(this);
    }

    QPalette shared(const QPalette& palette)
    {
        const qint64 running = QApplication::palette().cacheKey();
        if (running != m_scheme) {
            m_palettes.clear();
            m_scheme = running;
        }
        // operator== compares the colours of every group and role.
        const auto found = std::find(m_palettes.begin(), m_palettes.end(), palette);
        if (found != m_palettes.end())
            return *found;
        m_palettes.push_back(withEveryRoleSet(palette));
        return m_palettes.back();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent() && event->type() == QEvent::ApplicationPaletteChange) {
            for (QWidget* window : QApplication::topLevelWidgets())
                refreshColours(*window);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    qint64 m_scheme = 0;
    std::vector<QPalette> m_palettes;
};

// A control's palette: the running scheme's, with the control's background
// and text colours in its background and foreground roles. A text colour
// named by a system colour follows the desktop's scheme, and a scheme may
// make it unreadable on the control's background: the 3-D dark shadow of a
// dark scheme is dark on a dark window. Then the scheme's readable text
// colour stands in. Fixed RGB text colours stay as they are.
void applyColours(QWidget& widget)
{
    const QPalette source = QApplication::palette();
    QPalette palette = source;
    if (const auto back = backColor(widget)) {
        for (const QPalette::ColorGroup group : ColourGroups)
            palette.setColor(group, widget.backgroundRole(), toQColor(*back, source, group));
    }
    if (const auto fore = foreColor(widget)) {
        for (const QPalette::ColorGroup group : ColourGroups) {
            QColor text = toQColor(*fore, source, group);
            const QColor back = palette.color(group, widget.backgroundRole());
            if (isSystemColour(*fore) && contrastRatio(text, back) < MinimumTextContrast)
                text = readableOn(back, source, group);
            palette.setColor(group, widget.foregroundRole(), text);
        }
    }
    widget.setPalette(applicationState<SharedPalettes>().shared(palette));
}

std::optional<ColourValue> remembered(const QWidget& widget, const char* property)
{
    const QVariant value = widget.property(property);
    if (!value.isValid())
        return std::nullopt;
    return static_cast<ColourValue>(value.toUInt());
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
    // The text colour is worked out again: it must stay readable on the new
    // background.
    applyColours(widget);
}

void setForeColor(QWidget& widget, ColourValue value)
{
    widget.setProperty(ForeColorProperty, QVariant::fromValue(value));
    applyColours(widget);
}

void setColours(QWidget& widget, ColourValue back, ColourValue fore)
{
    widget.setProperty(BackColorProperty, QVariant::fromValue(back));
    widget.setProperty(ForeColorProperty, QVariant::fromValue(fore));
    applyColours(widget);
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
    QList<QWidget*> widgets = widget.findChildren<QWidget*>();
    widgets.prepend(&widget);
    for (QWidget* each : std::as_const(widgets)) {
        if (backColor(*each) || foreColor(*each))
            applyColours(*each);
    }
}

} // namespace quantelo
