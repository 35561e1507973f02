#include "resources/program_icon.h"

#include "resources/pictures.h"

#include <QPixmap>

namespace quantelo {

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(iconPicture(size)));
    return icon;
}

} // namespace quantelo
