#pragma once

#include <QImage>

namespace quantelo {

// The program's pictures, converted from the files in resources/ when the
// program is built and compiled in: reading them decodes nothing and loads
// no image plug-in. Each image shares the program's read-only copy of the
// pixels (Format_RGB32 when opaque, else Format_ARGB32); changing one copies
// it first, as QImage does.

// The title picture of the main window's Picture1: title.jpg, 400 x 311,
// exactly as Qt's JPEG reader decodes it.
QImage titlePicture();

// The program icon's design at `size` x `size` pixels: 16 (quantelo.ico, as
// Qt's ICO reader decodes it), 48, 64 or 128 (icons/quantelo-N.png). A null
// image for any other size.
QImage iconPicture(int size);

} // namespace quantelo
