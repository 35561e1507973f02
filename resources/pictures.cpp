#include "resources/pictures.h"

#include "resources/picture_data.h"

namespace quantelo {
namespace {

QImage wrap(const PictureData& picture)
{
    // The data is never written to: a const pointer makes QImage copy the
    // pixels before any change.
    return {reinterpret_cast<const uchar*>(picture.pixels), picture.width, picture.height,
            static_cast<qsizetype>(picture.width) * 4, picture.alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32};
}

} // namespace

QImage titlePicture()
{
    return wrap(pictures::title);
}

QImage iconPicture(int size)
{
    switch (size) {
    case 16: return wrap(pictures::icon16);
    case 48: return wrap(pictures::icon48);
    case 64: return wrap(pictures::icon64);
    case 128: return wrap(pictures::icon128);
    default: return {};
    }
}

} // namespace quantelo
