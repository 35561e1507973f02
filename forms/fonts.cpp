#include "forms/fonts.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <QWidget>

#include <algorithm>

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

// Lets the first of `closeFaces` that is there, else DejaVu Sans, stand in for
// `face` where it is missing. Returns false when only DejaVu Sans is left.
bool standIn(const QString& face, const QStringList& closeFaces)
{
    if (QFontDatabase::hasFamily(face))
        return true;
    QFont::insertSubstitutions(face, closeFaces + QStringList{QStringLiteral("DejaVu Sans")});
    return std::any_of(closeFaces.begin(), closeFaces.end(),
                       [](const QString& close) { return QFontDatabase::hasFamily(close); });
}

} // namespace

void installFontStandIns(const QString& wineTahomaFile)
{
    if (installed)
        return;
    installed = true;

    const QString tahoma = QStringLiteral("Tahoma");
    const QString liberationSans = QStringLiteral("Liberation Sans");
    const QString arial = QStringLiteral("Arial");

    if (!QFontDatabase::hasFamily(tahoma))
        registerTahoma(wineTahomaFile);

    // Evaluated one by one: a face that falls to DejaVu Sans anywhere (Wine's
    // Tahoma alone leaves the Arial faces to it) makes every caption smaller.
    bool closeFacesOnly = standIn(tahoma, {liberationSans});
    closeFacesOnly = standIn(QStringLiteral("Arial Unicode MS"), {arial, liberationSans}) && closeFacesOnly;
    closeFacesOnly = standIn(QStringLiteral("@Arial Unicode MS"), {arial, liberationSans}) && closeFacesOnly;
    closeFacesOnly = standIn(QStringLiteral("MS Sans Serif"), {tahoma, liberationSans}) && closeFacesOnly;
    if (closeFacesOnly)
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

void chooseFontEngine()
{
    if (platform::runningUnderWine() && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
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
