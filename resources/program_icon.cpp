#include "resources/program_icon.h"

namespace quantelo {

QIcon programIcon()
{
    QIcon icon(QStringLiteral(":/icons/quantelo.ico"));
    for (const int size : {48, 64, 128})
        icon.addFile(QStringLiteral(":/icons/quantelo-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace quantelo
