#pragma once

#include "calc/colour_value.h"

#include <QColor>
#include <QPalette>

#include <optional>

class QWidget;

namespace quantelo {

// System colours (0x80000000 + n) are palette roles, so that the desktop's
// colour scheme, a dark one included, is followed:
//   4 menu background      -> Window
//   5 window background    -> Base (the background of text entry)
//   8 window text          -> Text (the text on Base)
//  11 inactive border      -> AlternateBase (a shade next to Base)
//  15 button face          -> Window
//  18 button text          -> ButtonText
//  21 3-D dark shadow      -> Shadow
// Any other value is RGB 0x00BBGGRR, red in the low byte.

// The contrast ratio of two colours, from 1 (the same) to 21 (black and
// white), as WCAG defines it.
double contrastRatio(const QColor& a, const QColor& b);

// A control's background (its backgroundRole()) and text colour (its
// foregroundRole()), taken from the running application palette. A text
// colour named by a system colour that would not read on the background
// (contrast below 3) gives way to the scheme's window text, or black or white. The widget
// remembers the value last written, readable with backColor()/foreColor().
// Backgrounds paint only where the widget paints its background role: a text
// box always paints Base; a label needs autoFillBackground.
void setBackColor(QWidget& widget, ColourValue value);
void setForeColor(QWidget& widget, ColourValue value);
// Both at once, the palette built once.
void setColours(QWidget& widget, ColourValue back, ColourValue fore);
// The value last written; nothing if none was.
std::optional<ColourValue> backColor(const QWidget& widget);
std::optional<ColourValue> foreColor(const QWidget& widget);
// Resolves the remembered values of `widget` and all its children again, after
// the application palette has changed. Done for every window when the
// application is told of a new palette.
void refreshColours(QWidget& widget);

} // namespace quantelo
