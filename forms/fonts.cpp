#include "forms/fonts.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace quantelo {
namespace {

// Debian's fonts-wine package.
const QStringList TahomaFiles{
    QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"),
    QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf"),
};

void registerTahoma()
{
    for (const QString& file : TahomaFiles) {
        if (QFile::exists(file))
            QFontDatabase::addApplicationFont(file);
    }
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
