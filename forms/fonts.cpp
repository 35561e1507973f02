#include "forms/fonts.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace quantelo {
namespace {

// Debian's fonts-wine package. Only the regular outline: the bold file that
// comes with it has bold spacing but regular-weight strokes, so bold captions
// drawn with it look no heavier than regular ones. With the regular outline
// alone, the font engine emboldens its strokes for a bold request, and bold
// captions keep regular Tahoma's advances, so they fit their labels.
const QString TahomaRegularFile = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");

void registerTahoma()
{
    if (QFile::exists(TahomaRegularFile))
        QFontDatabase::addApplicationFont(TahomaRegularFile);
}

void standIn(const QString& face, const QStringList& substitutes)
{
    if (!QFontDatabase::hasFamily(face))
        QFont::insertSubstitutions(face, substitutes);
}

} // namespace

void installFontStandIns()
{
    const QString tahoma = QStringLiteral("Tahoma");
    const QString liberationSans = QStringLiteral("Liberation Sans");
    const QString dejaVuSans = QStringLiteral("DejaVu Sans");

    if (!QFontDatabase::hasFamily(tahoma))
        registerTahoma();
    const bool haveTahoma = QFontDatabase::hasFamily(tahoma);

    standIn(tahoma, {liberationSans, dejaVuSans});
    standIn(QStringLiteral("Arial Unicode MS"), {liberationSans, dejaVuSans});
    standIn(QStringLiteral("@Arial Unicode MS"), {liberationSans, dejaVuSans});
    standIn(QStringLiteral("MS Sans Serif"),
            haveTahoma ? QStringList{tahoma, liberationSans, dejaVuSans} : QStringList{liberationSans, dejaVuSans});
}

} // namespace quantelo
