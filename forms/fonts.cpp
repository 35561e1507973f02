#include "forms/fonts.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <QWidget>

namespace quantelo {
namespace {

const QStringList AskedFaces{QStringLiteral("Tahoma"), QStringLiteral("Arial Unicode MS"),
                             QStringLiteral("@Arial Unicode MS"), QStringLiteral("MS Sans Serif")};

bool installed = false;
double scale = 1.0; // of every window font; below 1 where the last resort stands in

// Only the regular outline of Wine's Tahoma: the bold file that comes with it
// has bold spacing but regular-weight strokes, so bold captions drawn with it
// look no heavier than regular ones. With the regular outline alone, the font
// engine emboldens its strokes for a bold request, and bold captions keep
// regular Tahoma's advances, so they fit their labels.
void registerTahoma(const QString& file)
{
    if (!file.isEmpty() && QFile::exists(file))
        QFontDatabase::addApplicationFont(file);
}

void standIn(const QString& face, const QStringList& substitutes)
{
    if (!QFontDatabase::hasFamily(face))
        QFont::insertSubstitutions(face, substitutes);
}

} // namespace

void installFontStandIns(const QString& wineTahomaFile)
{
    if (installed)
        return;
    installed = true;

    const QString tahoma = QStringLiteral("Tahoma");
    const QString liberationSans = QStringLiteral("Liberation Sans");
    const QString dejaVuSans = QStringLiteral("DejaVu Sans");

    if (!QFontDatabase::hasFamily(tahoma))
        registerTahoma(wineTahomaFile);
    const bool haveTahoma = QFontDatabase::hasFamily(tahoma);
    const bool haveLiberation = QFontDatabase::hasFamily(liberationSans);

    standIn(tahoma, {liberationSans, dejaVuSans});
    standIn(QStringLiteral("Arial Unicode MS"), {liberationSans, dejaVuSans});
    standIn(QStringLiteral("@Arial Unicode MS"), {liberationSans, dejaVuSans});
    standIn(QStringLiteral("MS Sans Serif"),
            haveTahoma ? QStringList{tahoma, liberationSans, dejaVuSans} : QStringList{liberationSans, dejaVuSans});

    // Wine's Tahoma alone is not enough: the Arial faces then fall to DejaVu
    // Sans, whose wider letters overflow their labels at the asked sizes.
    if (haveLiberation)
        return;
    // The windows built before this point (the main window, at start-up) get
    // the smaller size too; none of them has been drawn yet.
    scale = LastResortScale;
    for (QWidget* widget : QApplication::allWidgets()) {
        if (!widget->testAttribute(Qt::WA_SetFont) || !AskedFaces.contains(widget->font().family()))
            continue;
        QFont font = widget->font();
        font.setPointSizeF(font.pointSizeF() * scale);
        widget->setFont(font);
    }
}

QFont controlFont(const QString& face, double pointSize, int weight)
{
    QFont font(face);
    font.setPointSizeF(pointSize * scale);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

} // namespace quantelo
