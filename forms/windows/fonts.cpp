#include "forms/windows/fonts.h"

#include "forms/controls/application_state.h"
#include "forms/windows/text_conversion.h"
#include "layout/calculators.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <string_view>

namespace quantelo {
namespace {

// The faces the windows' tables ask for, collected from them once.
const QStringList& askedFaceNames()
{
    static const QStringList faces = [] {
        QStringList all;
        for (const std::string_view face : quantelo::askedFaces())
            all.append(toQString(face));
        return all;
    }();
    return faces;
}

// What the stand-ins found, for as long as the application lives.
class FaceState : public QObject {
public:
    static constexpr const char* Name = "quanteloFaces";

    explicit FaceState(QObject* application)
        : QObject(application)
    {
    }

    bool installed = false;
    bool haveTahoma = false;
    double scale = 1.0; // of every window font; below 1 where the last resort stands in
    // The faces controls have asked for, and of those the ones already
    // looked at: a face is looked up in the font database only once a
    // window needs it, so that the first window does not wait for the faces
    // of the others.
    QStringList askedFor;
    QStringList lookedAt;
};

FaceState& faces()
{
    return applicationState<FaceState>();
}

// Only the regular outline of Wine's Tahoma: the bold file that comes with it
// has bold spacing but regular-weight strokes, so bold captions drawn with it
// look no heavier than regular ones. With the regular outline alone, the font
// engine emboldens its strokes for a bold request, and bold captions keep
// regular Tahoma's advances, so they fit their labels. True if Tahoma is
// there now.
bool registerTahoma(const QString& file)
{
    if (file.isEmpty() || !QFile::exists(file))
        return false;
    const int id = QFontDatabase::addApplicationFont(file);
    return id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(QStringLiteral("Tahoma"));
}

// Whether the font database has `face` itself. QFontDatabase::hasFamily
// first runs the name through fontconfig's substitution rules, which costs
// some 0.1 to 0.2 ms a name with a desktop's set of rules, and a rule that
// puts another family first would make a face that is not there count as
// present. A family that several foundries make is listed once per foundry,
// as "Family [Foundry]".
bool hasFace(const QString& face)
{
    const QStringList families = QFontDatabase::families();
    return std::any_of(families.cbegin(), families.cend(), [&face](const QString& listed) {
        if (!listed.startsWith(face, Qt::CaseInsensitive))
            return false;
        const QStringView rest = QStringView(listed).mid(face.size());
        return rest.isEmpty() || rest.startsWith(QLatin1String(" ["));
    });
}

const QString LiberationSans = QStringLiteral("Liberation Sans");
const QString Arial = QStringLiteral("Arial");

bool isArialFace(const QString& face)
{
    return face == QLatin1String("Arial Unicode MS") || face == QLatin1String("@Arial Unicode MS");
}

// The faces that stand in for `face` where the machine does not have it,
// closest first, DejaVu Sans last; none for a face no window asks for.
QStringList substitutesFor(const QString& face)
{
    const QString dejaVuSans = QStringLiteral("DejaVu Sans");
    if (face == QLatin1String("MS Sans Serif") && faces().haveTahoma)
        return {QStringLiteral("Tahoma"), LiberationSans, dejaVuSans};
    if (isArialFace(face))
        return {Arial, LiberationSans, dejaVuSans};
    if (askedFaceNames().contains(face))
        return {LiberationSans, dejaVuSans};
    return {};
}

// Whether DejaVu Sans would stand in for a face that a window asks for.
// Liberation Sans stands in for all of them; without it, Tahoma must be
// there (it serves "MS Sans Serif" too) and the Arial faces or Arial (Wine's
// Tahoma alone leaves them to DejaVu Sans).
bool lastResortStandsIn()
{
    if (hasFace(LiberationSans))
        return false;
    const bool arialFaces = hasFace(Arial) || hasFace(QStringLiteral("Arial Unicode MS"));
    return !faces().haveTahoma || !arialFaces;
}

// Puts the stand-ins for `face` in place, the first time it is asked for.
void standIn(const QString& face)
{
    FaceState& state = faces();
    if (state.lookedAt.contains(face))
        return;
    state.lookedAt.append(face);
    const QStringList substitutes = substitutesFor(face);
    if (!substitutes.isEmpty() && !hasFace(face))
        QFont::insertSubstitutions(face, substitutes);
}

// Under Wine, the faces of the desktop that Qt gives its own widgets and
// those that set no font: the message boxes, the text boxes' context menu,
// the buttons of a message box. Wine names them as Windows does ("MS Shell
// Dlg 2", say) and resolves them through substitutes of its own, which Qt's
// FreeType engine does not know: it would draw them in the first face it
// falls back on, a serif one. Each such face that this machine lacks draws
// in the windows' Tahoma, or in the faces that stand in for it. The system
// face ("MS Shell Dlg") is listed even without a font file, so a face counts
// as there only with a style the engine can load.
void standInForDesktopFaces()
{
    static const char* const widgetClasses[]
        = {"QMessageBox", "QMenu",      "QMenuBar",    "QMenuItem",        "QLabel",
           "QTipLabel",   "QStatusBar", "QPushButton", "QAbstractItemView"};
    QStringList faces{QApplication::font().family()};
    for (const char* widgetClass : widgetClasses)
        faces.append(QApplication::font(widgetClass).family());
    faces.removeDuplicates();
    const QStringList substitutes = substitutesFor(QStringLiteral("MS Sans Serif"));
    for (const QString& face : std::as_const(faces)) {
        if (!face.isEmpty() && !askedFaceNames().contains(face) && QFontDatabase::styles(face).isEmpty())
            QFont::insertSubstitutions(face, substitutes);
    }
}

} // namespace

void installFontStandIns(const QString& wineTahomaFile)
{
    FaceState& state = faces();
    if (state.installed)
        return;
    state.installed = true;

    for (const std::string& file : platform::bundledFaceFiles())
        QFontDatabase::addApplicationFont(QString::fromStdString(file));
    const QString tahoma = QStringLiteral("Tahoma");
    state.haveTahoma = hasFace(tahoma) || registerTahoma(wineTahomaFile);
    if (!state.haveTahoma)
        QFont::insertSubstitutions(tahoma, substitutesFor(tahoma));
    state.lookedAt.append(tahoma);
    // The faces asked for before now (the main window's, at start-up); the
    // others follow when a window first asks for them.
    for (const QString& face : std::as_const(state.askedFor))
        standIn(face);
    if (platform::runningUnderWine())
        standInForDesktopFaces();

    if (!lastResortStandsIn())
        return;
    // The windows built before this point (the main window, at start-up) get
    // the smaller size too; none of them has been drawn yet.
    state.scale = LastResortScale;
    for (QWidget* widget : QApplication::allWidgets()) {
        if (!widget->testAttribute(Qt::WA_SetFont) || !askedFaceNames().contains(widget->font().family()))
            continue;
        QFont font = widget->font();
        font.setPointSizeF(font.pointSizeF() * state.scale);
        widget->setFont(font);
    }
}

QFont controlFont(const QString& face, double pointSize, int weight)
{
    FaceState& state = faces();
    if (!state.askedFor.contains(face))
        state.askedFor.append(face);
    if (state.installed)
        standIn(face);
    QFont font(face);
    font.setPointSizeF(pointSize * state.scale);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

} // namespace quantelo
