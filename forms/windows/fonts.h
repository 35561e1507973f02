#pragma once

#include "forms/platform/faces.h"

#include <QString>

class QFont;

namespace quantelo {

// Makes a close face stand in for each face the calculators ask for that this
// machine does not have. Run once at start-up, after the QApplication exists
// and before any window is first drawn; later calls change nothing. A face
// that is there is always used itself: on Windows, which has them all, this
// changes nothing. Only the faces of the windows built so far are looked up
// then (at start-up, the main window's Tahoma); the others when
// `controlFont` is first asked for them, as the window that needs them is
// built.
//   "Tahoma"              the Tahoma-metric outline font that Wine ships
//                         (`wineTahomaFile`: on Linux Debian's fonts-wine, in
//                         a folder fontconfig does not scan; under Wine its
//                         own copy, which Wine does not offer to programs),
//                         registered here with its regular outline only,
//                         which the font engine emboldens for bold captions;
//                         else Liberation Sans
//   "Arial Unicode MS"    Arial, else Liberation Sans (metric-compatible
//                         with Arial)
//   "@Arial Unicode MS"   the same: the "@" face is the one for vertical
//                         writing, which for horizontal Latin text draws like
//                         the plain face
//   "MS Sans Serif"       Tahoma as above, else Liberation Sans
// With these the sizes and weights asked for stay the same. Under Wine, the
// desktop's faces that Qt's own widgets use (the message boxes, the context
// menus), which Wine names as Windows does and Qt's FreeType engine does not
// find, get the stand-ins of "MS Sans Serif" too.
//
// DejaVu Sans is the last resort for each (the Linux package depends on the
// faces above, but a build may run without them). Its letters are wider, and
// at the sizes asked for the captions no longer fit their fixed labels: where
// it stands in for any face, every window font is smaller by LastResortScale,
// those of windows already built included.
void installFontStandIns(const QString& wineTahomaFile = QString::fromStdString(platform::wineTahomaFile()));

// The font of a control: `face` at `pointSize` and `weight`, smaller where
// the last resort stands in (see above).
QFont controlFont(const QString& face, double pointSize, int weight);

// In DejaVu Sans at 0.83 of the size asked for, every caption of the windows
// fits its label or button. The tightest is the status " Enter Power Factor"
// in the line-to-line window's one-line lbl8, which needs 0.85 or less; the
// rest is margin for hinting and rounding at other resolutions.
inline constexpr double LastResortScale = 0.83;

} // namespace quantelo
