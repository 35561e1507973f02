// The calculator windows driven as a user drives them: keys, clicks, the
// message box, and what a screen reader is told.
#include "forms/controls/caption_label.h"
#include "forms/controls/colour_role.h"
#include "forms/controls/limited_line_edit.h"
#include "forms/platform/faces.h"
#include "forms/windows/calculator_window.h"
#include "forms/windows/fonts.h"
#include "tests/support/qt_windows.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <cmath>
#include <map>
#include <memory>
#include <vector>

using quantelo::CalculatorWindow;
using quantelo::Label;
using quantelo::TextBox;
using namespace quantelo::test_support;

namespace {

// The lightest pixel of `image` more than `margin` pixels inside its edges.
QColor lightestInside(const QImage& image, int margin)
{
    QColor lightest(Qt::black);
    for (int y = margin; y < image.height() - margin; ++y) {
        for (int x = margin; x < image.width() - margin; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.lightness() > lightest.lightness())
                lightest = c;
        }
    }
    return lightest;
}

// What the windows tell a screen reader unasked while it lives: "hide" and
// "show 'name'" for each widget in the notification role hidden and shown.
// Qt tells a screen reader of a widget shown or hidden as it sends the
// widget these events.
class NotificationRecorder : public QObject {
public:
    NotificationRecorder() { qApp->installEventFilter(this); }

    QStringList seen;
    QList<QWidget*> widgets; // those shown

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
            return false;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(watched);
        if (accessible == nullptr || accessible->role() != QAccessible::Notification)
            return false;
        if (event->type() == QEvent::Hide) {
            seen << QStringLiteral("hide");
        } else {
            seen << QStringLiteral("show '%1'").arg(accessible->text(QAccessible::Name));
            widgets << qobject_cast<QWidget*>(watched);
        }
        return false;
    }
};

// The geometry a window had when its native window was made.
class CreationWatcher : public QObject {
public:
    explicit CreationWatcher(QWidget& window)
        : m_window(window)
    {
        qApp->installEventFilter(this);
    }

    QRect geometryWhenMade;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::PlatformSurface && watched == m_window.windowHandle()
            && static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() == QPlatformSurfaceEvent::SurfaceCreated)
            geometryWhenMade = m_window.geometry();
        return false;
    }

private:
    QWidget& m_window;
};

constexpr quint32 Menu = 0x80000004;
constexpr quint32 WindowBackground = 0x80000005;
constexpr quint32 WindowText = 0x80000008;
constexpr quint32 InactiveBorder = 0x8000000B;
constexpr quint32 ButtonFace = 0x8000000F;
constexpr quint32 Grey = 0x00808080;

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    int buttonCount = 0;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool modal = false;
};

QStringList tabStops(const char* window)
{
    QStringList stops{"txtVolts", "txtAmps", "txtPF", "cmdSolve", "cmdClear", "cmdBackMainPage"};
    if (qstrcmp(window, "LL") == 0)
        stops << "txtRealPower"
              << "txtApPower";
    else
        stops << "txtApPower"
              << "txtRealPower";
    return stops;
}

// Rows of the data tables: a test reads its whole row with QFETCH(Row, row).
struct SolveRow {
    const char* name;
    QString key;
    QString volts;
    QString amps;
    QString pf;
    QString realPower;
    QString apparentPower;
    QString pfShown;
    QString status;
    quint32 statusColour;
    QString announced; // what a screen reader is told once Solve has ended
};

struct ResultRow {
    const char* name;
    QString key;
    QString volts;
    QString amps;
    QString pf;
    QString result;
};

struct InvalidPowerFactorRow {
    const char* name;
    QString key;
    QString pf;
    QString message;
    quint32 emptyBoxColour;
};

struct TypingRow {
    const char* name;
    QString key;
    QString boxName;
    QString before;
    QString action;
    QString input;
    QString after;
};

// Pasted into the single-phase voltage box after `before`: what the box
// shows, and the real power Solve then shows.
struct PasteRow {
    const char* name;
    const char* route; // Ctrl+V, type, menu, drop, input method, assistive
    QString before;
    QString pasted;
    QString shown;
    QString realPower;
};

struct UndoRow {
    const char* name;
    QString boxName;
    QString program; // written by the program first
    QString typed;
    QString pasted;
    bool backspace;
    QString after;
    QString undone;
    bool byMenu; // paste, undo and redo by the context menu's own actions
};

struct AccessibleNameRow {
    const char* name;
    QString key;
    QString control; // empty: the window
    QString spoken;
    QAccessible::Role role;
    QString description;
};

} // namespace

Q_DECLARE_METATYPE(SolveRow)
Q_DECLARE_METATYPE(ResultRow)
Q_DECLARE_METATYPE(InvalidPowerFactorRow)
Q_DECLARE_METATYPE(TypingRow)
Q_DECLARE_METATYPE(AccessibleNameRow)
Q_DECLARE_METATYPE(PasteRow)
Q_DECLARE_METATYPE(UndoRow)

class TestCalculatorWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensCentredWithFocusInVolts_data();
    void opensCentredWithFocusInVolts();
    void tabCycle_data();
    void tabCycle();
    void accessKeys_data();
    void accessKeys();
    void enterAndEscape_data();
    void enterAndEscape();
    void solve_data();
    void solve();
    void resultsShowFromTheirStart_data();
    void resultsShowFromTheirStart();
    void invalidPowerFactor_data();
    void invalidPowerFactor();
    void boxAndMenuInTheWindowsFace();
    void overLimitThenClear();
    void windowsAreIndependent();
    void typingLimit_data();
    void typingLimit();
    void pastesAreReadAsShown_data();
    void pastesAreReadAsShown();
    void undoAfterTrimmedEdits_data();
    void undoAfterTrimmedEdits();
    void programTextsAreNeverCut();
    void accessibleNames_data();
    void accessibleNames();
    void statusLabelNameFollowsCaption();
    void boxesReadWhole_data();
    void boxesReadWhole();
    void followsPaletteChange();

private:
    CalculatorWindow& window(const QString& key) const { return *m_windows.at(key); }
    QWidget& control(const QString& key, const QString& name) const;
    QLineEdit& box(const QString& key, TextBox which) const { return window(key).textBox(which); }
    void showAndActivate(CalculatorWindow& window);
    void type(const QString& key, const QString& volts, const QString& amps, const QString& pf);
    static void paste(QLineEdit& edit, const QString& text);
    // Right-clicks the box and triggers its context menu's action labelled
    // `label` (as Qt labels it, without its access key and shortcut).
    static void triggerMenuAction(QLineEdit& edit, const QString& label);
    // Brings `text` into the box by `route` (see PasteRow).
    static void bringIn(QLineEdit& edit, const QString& route, const QString& text);
    void click(const QString& key, const char* button);
    // Shows the window with 230 V, 10 A and 0.8 typed in and the focus on `focus`.
    void typeTypicalRunAndFocus(const QString& key, const QString& focus);

    std::map<QString, std::unique_ptr<CalculatorWindow>> m_windows;
    // Message boxes a test does not answer itself: recorded, never left open.
    std::shared_ptr<std::vector<std::string>> m_unexpectedBoxes;
    QPalette m_palette;
};

void TestCalculatorWindow::initTestCase()
{
    quantelo::installFontStandIns();
    m_palette = QApplication::palette();
}

void TestCalculatorWindow::init()
{
    m_windows.clear();
    m_unexpectedBoxes = std::make_shared<std::vector<std::string>>();
    for (const quantelo::Calculator which : AllCalculators) {
        auto window = quantelo::createCalculatorWindow(which);
        recordMessageBoxes(*window, m_unexpectedBoxes);
        m_windows.emplace(QString::fromLatin1(facts(which).key), std::move(window));
    }
}

void TestCalculatorWindow::cleanup()
{
    m_windows.clear();
    QApplication::setPalette(m_palette);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(*m_unexpectedBoxes, std::vector<std::string>());
}

QWidget& TestCalculatorWindow::control(const QString& key, const QString& name) const
{
    auto* found = window(key).findChild<QWidget*>(name);
    if (found == nullptr)
        qFatal("no control %s", qPrintable(name));
    return *found;
}

void TestCalculatorWindow::showAndActivate(CalculatorWindow& window)
{
    QVERIFY(quantelo::test_support::showAndActivate(window));
}

void TestCalculatorWindow::type(const QString& key, const QString& volts, const QString& amps, const QString& pf)
{
    QTest::keyClicks(&box(key, TextBox::txtVolts), volts);
    QTest::keyClicks(&box(key, TextBox::txtAmps), amps);
    QTest::keyClicks(&box(key, TextBox::txtPF), pf);
}

void TestCalculatorWindow::typeTypicalRunAndFocus(const QString& key, const QString& focus)
{
    showAndActivate(window(key));
    type(key, "230", "10", "0.8");
    control(key, focus).setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), &control(key, focus));
}

void TestCalculatorWindow::paste(QLineEdit& edit, const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QString saved = clipboard->text();
    clipboard->setText(text);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    clipboard->setText(saved);
}

void TestCalculatorWindow::triggerMenuAction(QLineEdit& edit, const QString& label)
{
    // What a right click sends the box.
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, edit.rect().center(),
                                 edit.mapToGlobal(edit.rect().center()));
    QCoreApplication::sendEvent(&edit, &rightClick);
    QMenu* menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
    QAction* found = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')) == label)
            found = action;
    }
    QVERIFY2(found != nullptr, qPrintable(label));
    QVERIFY2(found->isEnabled(), qPrintable(label + QStringLiteral(" is greyed out")));
    found->trigger();
    menu->close();
}

void TestCalculatorWindow::bringIn(QLineEdit& edit, const QString& route, const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (route == QLatin1String("Ctrl+V")) {
        paste(edit, text);
    } else if (route == QLatin1String("type")) {
        // One key per character, as a keyboard layout that has it types it.
        for (const char32_t c : text.toUcs4())
            QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, QString::fromUcs4(&c, 1), Qt::NoModifier);
    } else if (route == QLatin1String("Ctrl+Alt")) {
        // As "type", but a line feed, vertical tab, form feed or carriage
        // return comes as the key that carries it on X11: Ctrl+Alt+J, K, L, M.
        const std::map<char32_t, Qt::Key> controlKeys{
            {u'\n', Qt::Key_J}, {u'\v', Qt::Key_K}, {u'\f', Qt::Key_L}, {u'\r', Qt::Key_M}};
        for (const char32_t c : text.toUcs4()) {
            const auto control = controlKeys.find(c);
            const bool withCtrlAlt = control != controlKeys.end();
            QTest::sendKeyEvent(QTest::Click, &edit, withCtrlAlt ? control->second : Qt::Key_unknown,
                                QString::fromUcs4(&c, 1),
                                withCtrlAlt ? Qt::ControlModifier | Qt::AltModifier : Qt::NoModifier);
        }
    } else if (route == QLatin1String("menu")) {
        const QString saved = clipboard->text();
        clipboard->setText(text);
        triggerMenuAction(edit, QStringLiteral("Paste"));
        clipboard->setText(saved);
    } else if (route == QLatin1String("input method")) {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QCoreApplication::sendEvent(&edit, &commit);
    } else if (route == QLatin1String("assistive")) {
        // An assistive tool inserts at the start of the box.
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&edit);
        QVERIFY(accessible && accessible->editableTextInterface());
        accessible->editableTextInterface()->insertText(0, text);
    } else if (route == QLatin1String("drop")) {
        // Dragged in from another program, which offers a copy or a move and
        // proposes the move (as Shift does here, and a text editor's drag by
        // default), at the box's right end (past its centred text). Accepted
        // or not, the drop is never a move: the source keeps its text.
        QMimeData data;
        data.setText(text);
        const QPoint at(edit.width() - 3, edit.height() / 2);
        // A real drag reaches the box through the event loop, after it has
        // drawn what was typed: QLineEdit places its text when it paints,
        // and a drop maps the pointer to a character by that placing.
        edit.repaint();
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
        QCoreApplication::sendEvent(&edit, &enter);
        QVERIFY(enter.isAccepted());
        QCOMPARE(enter.dropAction(), Qt::CopyAction);
        QDragMoveEvent move(at, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
        QCoreApplication::sendEvent(&edit, &move);
        QCOMPARE(move.dropAction(), Qt::CopyAction);
        QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
        QCoreApplication::sendEvent(&edit, &drop);
        if (drop.isAccepted())
            QCOMPARE(drop.dropAction(), Qt::CopyAction);
    } else {
        QFAIL(qPrintable(QStringLiteral("no route ") + route));
    }
}

void TestCalculatorWindow::click(const QString& key, const char* button)
{
    QTest::mouseClick(&control(key, QString::fromLatin1(button)), Qt::LeftButton);
}

void TestCalculatorWindow::opensCentredWithFocusInVolts_data()
{
    QTest::addColumn<QString>("key");
    QTest::newRow("LL") << "LL";
    QTest::newRow("LN") << "LN";
    QTest::newRow("1Ph") << "1Ph";
}

void TestCalculatorWindow::opensCentredWithFocusInVolts()
{
    QFETCH(QString, key);
    CalculatorWindow& form = window(key);
    const CreationWatcher made(form);
    showAndActivate(form);
    QCOMPARE(QApplication::focusWidget(), &control(key, "txtVolts"));
    const QRect available = form.screen()->availableGeometry();
    // Centred by its frame, title bar included, where the platform has one.
    const QPoint centre = form.frameGeometry().center();
    QCOMPARE(form.size(), QSize(714, 471));
    // On a screen too small for it (run again at scale factor 2) the window
    // keeps its top-left corner, title bar included, on the screen.
    QVERIFY(form.frameGeometry().left() >= available.left());
    QVERIFY(form.frameGeometry().top() >= available.top());
    if (form.frameGeometry().width() > available.width() || form.frameGeometry().height() > available.height())
        return;
    QVERIFY2((centre - available.center()).manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
    // Made where it is shown, not moved there after the display made it.
    // (A first window whose frame is lopsided, with a title bar, is centred
    // once more when the window manager reports the frame.)
    const QMargins frame = form.windowHandle()->frameMargins();
    if (frame.left() == frame.right() && frame.top() == frame.bottom())
        QCOMPARE(made.geometryWhenMade, form.geometry());
}

void TestCalculatorWindow::tabCycle_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("stops");
    for (const char* key : {"LL", "LN", "1Ph"})
        QTest::newRow(key) << QString::fromLatin1(key) << tabStops(key);
}

void TestCalculatorWindow::tabCycle()
{
    QFETCH(QString, key);
    QFETCH(QStringList, stops);
    showAndActivate(window(key));

    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < stops.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, stops + QStringList{stops.first()});

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), stops.last());
}

void TestCalculatorWindow::accessKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("from");
    QTest::addColumn<char>("letter");
    for (const char* key : {"LL", "LN", "1Ph"}) {
        QTest::addRow("%s Alt+S in txtPF", key) << key << "txtPF" << 'S';
        QTest::addRow("%s Alt+S on cmdBackMainPage", key) << key << "cmdBackMainPage" << 'S';
        QTest::addRow("%s Alt+C in txtVolts", key) << key << "txtVolts" << 'C';
        QTest::addRow("%s Alt+B in txtApPower", key) << key << "txtApPower" << 'B';
    }
}

void TestCalculatorWindow::accessKeys()
{
    QFETCH(QString, key);
    QFETCH(QString, from);
    QFETCH(char, letter);
    CalculatorWindow& form = window(key);
    typeTypicalRunAndFocus(key, from);
    if (QTest::currentTestFailed())
        return;
    QSignalSpy back(&form, &CalculatorWindow::backToMainPageRequested);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(letter), Qt::AltModifier);
    switch (letter) {
    case 'S':
        QTRY_COMPARE(box(key, TextBox::txtPF).text(), QStringLiteral("0.80"));
        QVERIFY(!box(key, TextBox::txtRealPower).text().isEmpty());
        QCOMPARE(back.count(), 0);
        break;
    case 'C':
        QTRY_COMPARE(box(key, TextBox::txtVolts).text(), QString());
        QCOMPARE(box(key, TextBox::txtPF).text(), QString());
        break;
    default:
        QTRY_COMPARE(back.count(), 1);
        QCOMPARE(box(key, TextBox::txtVolts).text(), QStringLiteral("230"));
        QCOMPARE(box(key, TextBox::txtRealPower).text(), QString());
    }
}

void TestCalculatorWindow::enterAndEscape_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("pressed");
    QTest::addColumn<bool>("solves");
    for (const char* key : {"LL", "LN", "1Ph"}) {
        QTest::addRow("%s Return in txtPF", key) << key << "txtPF" << int(Qt::Key_Return) << false;
        QTest::addRow("%s keypad Enter in txtVolts", key) << key << "txtVolts" << int(Qt::Key_Enter) << false;
        QTest::addRow("%s Escape in txtAmps", key) << key << "txtAmps" << int(Qt::Key_Escape) << false;
        QTest::addRow("%s Escape on cmdSolve", key) << key << "cmdSolve" << int(Qt::Key_Escape) << false;
        QTest::addRow("%s Return on cmdSolve", key) << key << "cmdSolve" << int(Qt::Key_Return) << true;
    }
}

void TestCalculatorWindow::enterAndEscape()
{
    QFETCH(QString, key);
    QFETCH(QString, focus);
    QFETCH(int, pressed);
    QFETCH(bool, solves);
    CalculatorWindow& form = window(key);
    typeTypicalRunAndFocus(key, focus);
    if (QTest::currentTestFailed())
        return;
    QSignalSpy back(&form, &CalculatorWindow::backToMainPageRequested);

    // A key that clicks a button presses it at once (an animated click lets
    // it go 100 ms later): where no button is pressed, nothing is pending.
    std::vector<std::pair<QString, std::unique_ptr<QSignalSpy>>> presses;
    for (auto* button : form.findChildren<QAbstractButton*>())
        presses.emplace_back(button->objectName(), std::make_unique<QSignalSpy>(button, &QAbstractButton::pressed));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(pressed));
    QCoreApplication::processEvents();
    if (solves)
        QTRY_COMPARE(box(key, TextBox::txtPF).text(), QStringLiteral("0.80"));
    for (const auto& [name, press] : presses)
        QCOMPARE(press->count(), solves && name == QLatin1String("cmdSolve") ? 1 : 0);
    QCOMPARE(box(key, TextBox::txtPF).text(), solves ? QStringLiteral("0.80") : QStringLiteral("0.8"));
    QCOMPARE(box(key, TextBox::txtRealPower).text().isEmpty(), !solves);
    QCOMPARE(box(key, TextBox::txtVolts).text(), QStringLiteral("230"));
    QCOMPARE(back.count(), 0);
    QVERIFY(form.isVisible());
}

void TestCalculatorWindow::solve_data()
{
    // clang-format off
    const SolveRow rows[] = {
        {"LN typical",               "LN",  "230", "10", "0.8",  "5.5", "6.9", "0.80", "",               ButtonFace,     "Real power 5.5 kW, apparent power 6.9 kVA."},
        {"LL typical",               "LL",  "400", "10", "0.85", "5.9", "6.9", "0.85", "",               ButtonFace,     "Real power 5.9 kW, apparent power 6.9 kVA."},
        {"1Ph typical",              "1Ph", "230", "10", "0.8",  "1.8", "2.3", "0.80", "",               ButtonFace,     "Real power 1.8 kW, apparent power 2.3 kVA."},
        {"LN power factor typed .8", "LN",  "230", "10", ".8",   "5.5", "6.9", "0.80", "",               ButtonFace,     "Real power 5.5 kW, apparent power 6.9 kVA."},
        {"LL no voltage",            "LL",  "",    "10", "0.8",  "",    "",    "0.80", " Enter Voltage", InactiveBorder, " Enter Voltage"},
        {"1Ph no voltage",           "1Ph", "",    "10", "0.8",  "",    "",    "0.80", " Enter Voltage", Grey,           " Enter Voltage"},
        {"LN no current",            "LN",  "230", "",   "0.8",  "",    "",    "0.80", " Enter Current", InactiveBorder, " Enter Current"},
        {"1Ph empty power factor",   "1Ph", "230", "10", "",     "0.0", "2.3", "0.00", "",               ButtonFace,     "Real power 0.0 kW, apparent power 2.3 kVA."},
    };
    // clang-format on
    addRows(rows);
}

void TestCalculatorWindow::solve()
{
    QFETCH(SolveRow, row);
    const auto& [rowName, key, volts, amps, pf, realPower, apparentPower, pfShown, status, statusColour, announced]
        = row;
    CalculatorWindow& form = window(key);
    showAndActivate(form);

    type(key, volts, amps, pf);
    NotificationRecorder told;
    click(key, "cmdSolve");

    // Told once, at the end, without the focus moving from Clear; the
    // notification takes no room, so nothing of it is drawn.
    QCOMPARE(told.seen, QStringList{QStringLiteral("show '%1'").arg(announced)});
    QCOMPARE(told.widgets.front()->size(), QSize(0, 0));
    QCOMPARE(told.widgets.front()->focusPolicy(), Qt::NoFocus);
    QCOMPARE(told.widgets.front()->window(), &form);

    QCOMPARE(box(key, TextBox::txtRealPower).text(), realPower);
    QCOMPARE(box(key, TextBox::txtApPower).text(), apparentPower);
    QCOMPARE(box(key, TextBox::txtPF).text(), pfShown);
    QCOMPARE(box(key, TextBox::txtVolts).text(), volts);
    QCOMPARE(QApplication::focusWidget(), &control(key, "cmdClear"));
    QCOMPARE(form.label(Label::lbl8).text(), status);
    QCOMPARE(quantelo::backColor(form.label(Label::lbl8)), std::optional<quint32>(statusColour));
    QCOMPARE(form.label(Label::lblMsg).text(), QString());
    QCOMPARE(quantelo::backColor(box(key, TextBox::txtRealPower)), std::optional<quint32>(WindowBackground));
    QCOMPARE(quantelo::backColor(box(key, TextBox::txtApPower)), std::optional<quint32>(WindowBackground));
}

void TestCalculatorWindow::resultsShowFromTheirStart_data()
{
    const ResultRow rows[] = {
        {"1Ph nine integer digits", "1Ph", "999999", "999999", "1", "999998016.0"},
        {"LN nine integer digits", "LN", "999999", "99999", "1", "299996704.0"},
        {"LL nine integer digits", "LL", "999999", "99999", "1", "173203168.0"},
        {"1Ph negative power keeps its sign", "1Ph", "-99999", "9999", "1", "-999890.0"},
    };
    addRows(rows);
}

void TestCalculatorWindow::resultsShowFromTheirStart()
{
    QFETCH(ResultRow, row);
    const auto& [rowName, key, volts, amps, pf, result] = row;
    showAndActivate(window(key));
    type(key, volts, amps, pf);
    click(key, "cmdSolve");
    QCOMPARE(box(key, TextBox::txtPF).cursorPosition(), 0);

    for (TextBox which : {TextBox::txtRealPower, TextBox::txtApPower}) {
        auto& shown = static_cast<quantelo::LimitedLineEdit&>(box(key, which));
        QCOMPARE(shown.text(), result);
        QCOMPARE(shown.cursorPosition(), 0);
        // What the user sees: the box drawn with its first character alone is
        // the reference for where, and how, that character is drawn; the box
        // holding the whole result must draw the same pixels there.
        const QImage drawn = shown.grab().toImage();
        shown.setProgramText(result.left(1));
        const QImage first = shown.grab().toImage();
        shown.setProgramText(result);
        const QColor back = shown.palette().color(QPalette::Base);
        int inkRight = -1;
        for (int x = 0; x < first.width() / 2; ++x) {
            for (int y = 3; y < first.height() - 3; ++y) {
                if (QColor(first.pixel(x, y)) != back && x > 2)
                    inkRight = x;
            }
        }
        QVERIFY2(inkRight > 0, "the first character draws no ink");
        for (int x = 0; x <= inkRight; ++x) {
            for (int y = 0; y < first.height(); ++y) {
                QVERIFY2(drawn.pixel(x, y) == first.pixel(x, y),
                         qPrintable(QStringLiteral("%1 at %2,%3: not its first character, '%4'")
                                        .arg(result)
                                        .arg(x)
                                        .arg(y)
                                        .arg(result.left(1))));
            }
        }
    }
}

void TestCalculatorWindow::invalidPowerFactor_data()
{
    const char* const below = "Enter PF value between 0.00 and 1.00 ";
    const char* const above = "PF value should be between 0.00 and 1.00 ";
    const InvalidPowerFactorRow rows[] = {
        {"LL -0.5", "LL", "-0.5", below, InactiveBorder},
        {"LN 1.5", "LN", "1.5", above, InactiveBorder},
        {"1Ph 1.01", "1Ph", "1.01", above, Grey},
    };
    addRows(rows);
}

void TestCalculatorWindow::invalidPowerFactor()
{
    QFETCH(InvalidPowerFactorRow, row);
    const auto& [rowName, key, pf, message, emptyBoxColour] = row;
    CalculatorWindow& form = window(key);
    form.setMessageBoxRunner(nullptr); // the real modal box
    showAndActivate(form);
    type(key, "230", "10", pf);

    QList<SeenBox> seen;
    QString statusBehindBox;
    bool boxesEmptyBehindBox = false;
    QWidget* focusBehindBox = nullptr;
    NotificationRecorder told;
    QStringList toldBehindBox;
    {
        const ModalWatchdog watchdog([&](QMessageBox& messageBox) {
            seen << SeenBox{messageBox.windowTitle(),         messageBox.text(), messageBox.standardButtons(),
                            int(messageBox.buttons().size()), messageBox.icon(), messageBox.isModal()};
            statusBehindBox = form.label(Label::lbl8).text();
            boxesEmptyBehindBox = true;
            for (const TextBox which : quantelo::AllTextBoxes)
                boxesEmptyBehindBox = boxesEmptyBehindBox && form.text(which).empty();
            focusBehindBox = form.focusWidget();
            toldBehindBox = told.seen;
            QTest::mouseClick(messageBox.button(QMessageBox::Ok), Qt::LeftButton);
        });
        click(key, "cmdSolve");
        QCOMPARE(watchdog.unexpected, QStringList());
    }

    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].title, QStringLiteral("Quantelo1"));
    QCOMPARE(seen[0].text, message);
    QCOMPARE(seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(seen[0].buttonCount, 1);
    QCOMPARE(seen[0].icon, QMessageBox::NoIcon);
    QVERIFY(seen[0].modal);
    QCOMPARE(statusBehindBox, QStringLiteral(" Invalid PF value"));
    QVERIFY(boxesEmptyBehindBox);
    QCOMPARE(focusBehindBox, &control(key, "cmdClear"));
    // The status that stands once the box is dismissed is told, then only.
    QCOMPARE(toldBehindBox, QStringList());
    QCOMPARE(told.seen, QStringList{"show ' Enter Power Factor'"});

    // After the box, the empty boxes are reported.
    QCOMPARE(form.label(Label::lbl8).text(), QStringLiteral(" Enter Power Factor"));
    QCOMPARE(quantelo::backColor(form.label(Label::lbl8)), std::optional<quint32>(emptyBoxColour));
    QCOMPARE(form.label(Label::lblMsg).text(), QString());
    // The window title never carries the application title.
    QVERIFY(!form.windowTitle().contains(QStringLiteral("Quantelo1")));
}

// Wine names the desktop's faces, which Qt gives the message box and the
// context menu, as Windows does; they must draw in the windows' face, not in
// the serif face that Qt's FreeType engine falls back on.
void TestCalculatorWindow::boxAndMenuInTheWindowsFace()
{
    if (!quantelo::platform::runningUnderWine())
        QSKIP("Only under Wine are the desktop's faces Windows names");
    const QString windowsFace = QFontInfo(quantelo::controlFont(QStringLiteral("Tahoma"), 8, 400)).family();
    QStringList drawnIn; // "what: face"
    CalculatorWindow& form = window("1Ph");
    form.setMessageBoxRunner(nullptr); // the real modal box
    showAndActivate(form);
    type("1Ph", "230", "10", "1.5");
    {
        const ModalWatchdog watchdog([&](QMessageBox& messageBox) {
            for (const QWidget* part : messageBox.findChildren<QWidget*>()) {
                if (qobject_cast<const QLabel*>(part) != nullptr || qobject_cast<const QPushButton*>(part) != nullptr)
                    drawnIn << QStringLiteral("box %1 (%2): %3")
                                   .arg(part->metaObject()->className(), part->font().family(),
                                        QFontInfo(part->font()).family());
            }
            QTest::mouseClick(messageBox.button(QMessageBox::Ok), Qt::LeftButton);
        });
        click("1Ph", "cmdSolve");
    }
    auto& volts = static_cast<QLineEdit&>(control("1Ph", "txtVolts"));
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, volts.rect().center(),
                                 volts.mapToGlobal(volts.rect().center()));
    QCoreApplication::sendEvent(&volts, &rightClick);
    QMenu* menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
    drawnIn << QStringLiteral("context menu (%1): %2").arg(menu->font().family(), QFontInfo(menu->font()).family());
    menu->close();

    QVERIFY2(drawnIn.size() >= 3, qPrintable(drawnIn.join(QStringLiteral(", ")))); // the text, OK, the menu
    for (const QString& part : std::as_const(drawnIn))
        QVERIFY2(part.endsWith(QStringLiteral(": ") + windowsFace),
                 qPrintable(part + QStringLiteral(" instead of ") + windowsFace));
}

void TestCalculatorWindow::overLimitThenClear()
{
    const QString key = QStringLiteral("LN");
    CalculatorWindow& form = window(key);
    showAndActivate(form);
    type(key, "400000", "1000", "0.5");
    QCOMPARE(box(key, TextBox::txtVolts).text(), QStringLiteral("400000"));
    click(key, "cmdSolve");

    QLineEdit& real = box(key, TextBox::txtRealPower);
    QLineEdit& apparent = box(key, TextBox::txtApPower);
    QCOMPARE(real.text(), QStringLiteral("600000.0"));
    QCOMPARE(apparent.text(), QStringLiteral("1200000.0"));
    QCOMPARE(apparent.displayText(), QStringLiteral("1200000.0"));
    QCOMPARE(form.label(Label::lblMsg).text(), QStringLiteral("exceeded allocated value 9.99x10^5"));
    QCOMPARE(quantelo::backColor(apparent), std::optional<quint32>(WindowText));
    QCOMPARE(quantelo::backColor(real), std::optional<quint32>(WindowBackground));
    // A screen reader reads the flag with the flagged box, and only there.
    const auto description
        = [](QLineEdit& edit) { return QAccessible::queryAccessibleInterface(&edit)->text(QAccessible::Description); };
    QCOMPARE(description(apparent), QStringLiteral("exceeded allocated value 9.99x10^5"));
    QCOMPARE(description(real), QString());
    // The flagged box really paints the window-text colour.
    const QImage flagged = apparent.grab().toImage();
    QCOMPARE(QColor(flagged.pixel(flagged.width() - 6, 4)), QApplication::palette().color(QPalette::Text));
    // ... and its digits stay readable on it, in the window background colour.
    QVERIFY(quantelo::contrastRatio(apparent.palette().color(QPalette::Text), apparent.palette().color(QPalette::Base))
            >= 3.0);
    QCOMPARE(quantelo::foreColor(apparent), std::optional<quint32>(WindowText)); // the value stays
    QVERIFY(lightestInside(flagged, 5).lightness() > QApplication::palette().color(QPalette::Text).lightness() + 50);

    // A later run within the limit keeps the flag until Clear.
    box(key, TextBox::txtVolts).clear();
    QTest::keyClicks(&box(key, TextBox::txtVolts), "230");
    box(key, TextBox::txtAmps).clear();
    QTest::keyClicks(&box(key, TextBox::txtAmps), "10");
    {
        NotificationRecorder told;
        click(key, "cmdSolve");
        // Hidden and shown again to be told anew; the stale status is not
        // news: only the results are told.
        QCOMPARE(told.seen, (QStringList{"hide", "show 'Real power 3.5 kW, apparent power 6.9 kVA.'"}));
    }
    QCOMPARE(apparent.text(), QStringLiteral("6.9"));
    QCOMPARE(quantelo::backColor(apparent), std::optional<quint32>(WindowText));
    QCOMPARE(description(apparent), QStringLiteral("exceeded allocated value 9.99x10^5"));
    QCOMPARE(form.label(Label::lblMsg).text(), QStringLiteral("exceeded allocated value 9.99x10^5"));

    click(key, "cmdClear");
    for (TextBox which :
         {TextBox::txtVolts, TextBox::txtAmps, TextBox::txtPF, TextBox::txtRealPower, TextBox::txtApPower})
        QCOMPARE(QString::fromStdString(form.text(which)), QString());
    QCOMPARE(form.label(Label::lbl8).text(), QString());
    QCOMPARE(form.label(Label::lblMsg).text(), QString());
    QCOMPARE(quantelo::backColor(real), std::optional<quint32>(Menu));
    QCOMPARE(apparent.palette().color(QPalette::Text), QApplication::palette().color(QPalette::Text));
    QCOMPARE(quantelo::backColor(apparent), std::optional<quint32>(Menu));
    QCOMPARE(description(apparent), QString());
    QCOMPARE(quantelo::backColor(form.label(Label::lbl8)), std::optional<quint32>(Menu));
    const QImage cleared = form.label(Label::lbl8).grab().toImage();
    QCOMPARE(QColor(cleared.pixel(1, cleared.height() - 2)), QApplication::palette().color(QPalette::Window));
}

void TestCalculatorWindow::windowsAreIndependent()
{
    showAndActivate(window("LL"));
    type("LL", "400", "10", "0.85");
    showAndActivate(window("LN"));
    type("LN", "", "", "-1");
    click("LN", "cmdSolve");
    QCOMPARE(*m_unexpectedBoxes, std::vector<std::string>{"'Enter PF value between 0.00 and 1.00 ' over [||||]"});
    m_unexpectedBoxes->clear();
    QCOMPARE(window("LN").label(Label::lbl8).text(), QStringLiteral(" Enter Power Factor"));

    QCOMPARE(box("LL", TextBox::txtVolts).text(), QStringLiteral("400"));
    QCOMPARE(box("LL", TextBox::txtPF).text(), QStringLiteral("0.85"));
    QCOMPARE(box("LL", TextBox::txtRealPower).text(), QString());
    QCOMPARE(window("LL").label(Label::lbl8).text(), QString());
    QCOMPARE(window("1Ph").label(Label::lbl8).text(), QString());

    click("LL", "cmdSolve");
    QCOMPARE(box("LL", TextBox::txtRealPower).text(), QStringLiteral("5.9"));
    QCOMPARE(window("LN").label(Label::lbl8).text(), QStringLiteral(" Enter Power Factor"));
    QCOMPARE(box("1Ph", TextBox::txtRealPower).text(), QString());
}

void TestCalculatorWindow::typingLimit_data()
{
    // clang-format off
    const TypingRow rows[] = {
        {"type 8 into txtVolts",         "LL",  "txtVolts",     "",       "type",    "12345678",  "123456"},
        {"type 5 into txtPF",            "1Ph", "txtPF",        "",       "type",    "0.855",     "0.85"},
        {"type 9 into LN txtApPower",    "LN",  "txtApPower",   "",       "type",    "123456789", "12345678"},
        {"type 9 into 1Ph txtRealPower", "1Ph", "txtRealPower", "",       "type",    "123456789", "1234567"},
        {"paste inserts what fits",      "LL",  "txtAmps",      "12",     "paste",   "34567890",  "123456"},
        {"paste into a full box",        "LN",  "txtVolts",     "123456", "paste",   "7",         "123456"},
        {"paste that fits",              "1Ph", "txtPF",        "0",      "paste",   ".8",        "0.8"},
        {"keypad decimal comma",         "LL",  "txtPF",        "0",      "keypad,", "",          "0."},
        {"keypad decimal point",         "LN",  "txtVolts",     "23",     "keypad.", "",          "23."},
        {"main comma stays",             "1Ph", "txtPF",        "0",      "type",    ",8",        "0,8"},
    };
    // clang-format on
    addRows(rows);
}

void TestCalculatorWindow::typingLimit()
{
    QFETCH(TypingRow, row);
    const auto& [rowName, key, boxName, before, action, input, after] = row;
    showAndActivate(window(key));
    auto& edit = static_cast<QLineEdit&>(control(key, boxName));
    QTest::keyClicks(&edit, before);
    QCOMPARE(edit.text(), before);

    if (action == QLatin1String("paste")) {
        paste(edit, input);
    } else if (action.startsWith(QLatin1String("keypad"))) {
        const Qt::Key key = action.endsWith(QLatin1Char(',')) ? Qt::Key_Comma : Qt::Key_Period;
        QTest::keyClick(&edit, key, Qt::KeypadModifier);
    } else {
        QTest::keyClicks(&edit, input);
    }
    QCOMPARE(edit.text(), after);
}

void TestCalculatorWindow::pastesAreReadAsShown_data()
{
    // Brought into the single-phase voltage box (6 characters) after
    // `before` by `route`; then 10 A, power factor 1, Solve. The real power
    // shows what Solve read.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");    // U+1F600, a surrogate pair
    const QString flag = QString::fromUtf8("\U0001F1E9\U0001F1EA"); // two regional indicators, one cluster
    const auto ucs4 = [](char32_t c) { return QString::fromUcs4(&c, 1); };
    // Man, woman and girl joined by zero-width joiners: one cluster, three
    // characters in the box.
    const QString family = ucs4(0x1F468) + QChar(0x200D) + ucs4(0x1F469) + QChar(0x200D) + ucs4(0x1F467);
    const QString familyInBox = ucs4(0x1F468) + ucs4(0x1F469) + ucs4(0x1F467);
    // White flag, variation selector 16, joiner, rainbow: two in the box.
    const QString rainbowFlag = ucs4(0x1F3F3) + QChar(0xFE0F) + QChar(0x200D) + ucs4(0x1F308);
    const PasteRow rows[] = {
        {"NUL first", "Ctrl+V", "", QString(QChar(0)) + "230", "230", "2.3"},
        {"right-to-left mark first", "Ctrl+V", "", QString(QChar(0x200F)) + "230", "230", "2.3"},
        {"byte-order mark first", "input method", "", QString(QChar(0xFEFF)) + "230", "230", "2.3"},
        {"zero-width space inside", "Ctrl+V", "", "2" + QString(QChar(0x200B)) + "30", "230", "2.3"},
        {"C1 control inside", "Ctrl+V", "", "23" + QString(QChar(0x9B)) + "0", "230", "2.3"},
        {"tab inside", "Ctrl+V", "", "2\t30", "2 30", "2.3"},
        {"line break after", "Ctrl+V", "", "230\r\n", "230 ", "2.3"},
        {"emoji at the limit", "Ctrl+V", "23000", emoji, "23000" + emoji, "230.0"},
        {"emoji past the limit", "Ctrl+V", "23000", "0" + emoji, "230000", "2300.0"},
        {"emoji and digit fit", "Ctrl+V", "2300", emoji + "9", "2300" + emoji + "9", "23.0"},
        {"controls do not take room", "Ctrl+V", "230", QString(QChar(0x200E)).repeated(5) + "000", "230000", "2300.0"},
        // Format characters outside the default-ignorable table.
        {"Arabic number sign inside", "input method", "", "2" + QString(QChar(0x0600)) + "30", "230", "2.3"},
        {"annotation anchor inside", "drop", "", "23" + QString(QChar(0xFFF9)) + "0", "230", "2.3"},
        // Typed with Ctrl+Alt, the control characters type nothing.
        {"line feed and the like typed", "Ctrl+Alt", "", "2\n3\v\f0\r", "230", "2.3"},
        // A joined emoji is one cluster: whole or not at all, though its
        // joiners and selectors are dropped.
        {"family past the limit", "Ctrl+V", "2300", family, "2300", "23.0"},
        {"rainbow flag past the limit", "menu", "2300", "0" + rainbowFlag, "23000", "230.0"},
        {"family that fits", "assistive", "230", family, familyInBox + "230", "0.0"},
        // Not seen: default-ignorable and unassigned code points.
        {"grapheme joiner inside", "Ctrl+V", "", "123" + QString(QChar(0x034F)) + "4", "1234", "12.3"},
        {"variation selector 16 inside", "menu", "", "23" + QString(QChar(0xFE0F)) + "0", "230", "2.3"},
        {"variation selector 1 inside", "type", "", "23" + QString(QChar(0xFE00)) + "0", "230", "2.3"},
        {"Mongolian selector inside", "drop", "", "23" + QString(QChar(0x180B)) + "0", "230", "2.3"},
        {"supplementary selector inside", "assistive", "", "23" + ucs4(0xE0100) + "0", "230", "2.3"},
        {"unassigned U+2065 inside", "drop", "", "23" + QString(QChar(0x2065)) + "0", "230", "2.3"},
        {"unassigned U+FFF0 inside", "menu", "", "23" + QString(QChar(0xFFF0)) + "0", "230", "2.3"},
        {"unassigned U+E0000 inside", "input method", "", "23" + ucs4(0xE0000) + "0", "230", "2.3"},
        // Looks like a digit, a sign or a blank: goes in as one.
        {"no-break space inside", "type", "", "2" + QString(QChar(0xA0)) + "30", "2 30", "2.3"},
        {"Arabic-Indic digits", "assistive", "", QString::fromUtf8("\u0662\u0663\u0660"), "230", "2.3"},
        {"Persian digits", "drop", "", QString::fromUtf8("\u06F2\u06F3\u06F0"), "230", "2.3"},
        {"full-width digits", "Ctrl+V", "", QString::fromUtf8("\uFF12\uFF13\uFF10"), "230", "2.3"},
        {"full-width point and exponent", "Ctrl+V", "", QString::fromUtf8("\uFF12\uFF13\uFF0E\uFF10\uFF25\uFF11"),
         "23.0E1", "2.3"},
        {"minus sign", "input method", "", QString::fromUtf8("\u2212230"), "-230", "-2.3"},
        // The limit refuses what does not fit, on every route alike.
        {"insert into a full box", "assistive", "123456", "9", "123456", "1234.6"},
        {"flag past the limit", "menu", "2300", "0" + flag, "23000", "230.0"},
        {"drop trimmed", "drop", "1234", "5678", "123456", "1234.6"},
        {"more controls than a line edit holds", "menu", "", QString(QChar(1)).repeated(40000) + "5", "5", "0.1"},
    };
    addRows(rows);
}

void TestCalculatorWindow::pastesAreReadAsShown()
{
    QFETCH(PasteRow, row);
    const auto& [rowName, route, before, pasted, shown, realPower] = row;
    showAndActivate(window("1Ph"));
    QLineEdit& volts = box("1Ph", TextBox::txtVolts);
    QTest::keyClicks(&volts, before);
    bringIn(volts, QString::fromLatin1(route), pasted);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(volts.text(), shown);
    QTest::keyClicks(&box("1Ph", TextBox::txtAmps), "10");
    QTest::keyClicks(&box("1Ph", TextBox::txtPF), "1");
    click("1Ph", "cmdSolve");
    QCOMPARE(box("1Ph", TextBox::txtRealPower).text(), realPower);
}

void TestCalculatorWindow::undoAfterTrimmedEdits_data()
{
    // Undo steps back over what the user typed and pasted, also where the
    // typing limit trimmed it, and Redo brings it back; a text the program
    // wrote is where Undo stops.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // U+1F600
    const UndoRow rows[] = {
        {"typed past the limit", "txtVolts", "", "1234567", "", false, "123456", "", false},
        {"paste trimmed", "txtAmps", "", "12", "34567890", false, "123456", "12", false},
        {"paste into a selection", "txtPF", "0.85", "", "0.999", false, "0.99", "0.85", false},
        {"BackSpace on a long result", "txtRealPower", "123456.5", "", "", true, "123456.", "123456.5", false},
        {"menu paste trimmed", "txtVolts", "", "9", "87654321", false, "987654", "9", true},
        {"menu paste of controls", "txtAmps", "", "", QString(QChar(1)).repeated(40000) + "5", false, "5", "", true},
        // A character outside the Basic Multilingual Plane counts once.
        {"typed after a program emoji", "txtPF", emoji, "123", "", false, emoji + "123", emoji, false},
    };
    addRows(rows);
}

void TestCalculatorWindow::undoAfterTrimmedEdits()
{
    QFETCH(UndoRow, row);
    const auto& [rowName, boxName, program, typed, pasted, backspace, after, undone, byMenu] = row;
    showAndActivate(window("1Ph"));
    auto& edit = static_cast<quantelo::LimitedLineEdit&>(control("1Ph", boxName));
    edit.setFocus();
    if (!program.isEmpty()) {
        edit.setProgramText(program);
        QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier); // not an undo step
        QCOMPARE(edit.text(), program);
        if (pasted.isEmpty())
            QTest::keyClick(&edit, Qt::Key_End);
    }
    QTest::keyClicks(&edit, typed);
    if (!pasted.isEmpty())
        bringIn(edit, byMenu ? QStringLiteral("menu") : QStringLiteral("Ctrl+V"), pasted);
    if (backspace)
        QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), after);

    if (byMenu)
        triggerMenuAction(edit, QStringLiteral("Undo"));
    else
        QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit.text(), undone);
    if (byMenu)
        triggerMenuAction(edit, QStringLiteral("Redo"));
    else
        QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(edit.text(), after);
    // What Undo gave back is a text the box held: it stays whole.
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit.displayText(), undone);
}

void TestCalculatorWindow::programTextsAreNeverCut()
{
    CalculatorWindow& form = window("1Ph");
    showAndActivate(form);
    form.setText(TextBox::txtPF, "12.50");
    QCOMPARE(form.text(TextBox::txtPF), std::string("12.50"));
    QCOMPARE(box("1Ph", TextBox::txtPF).displayText(), QStringLiteral("12.50"));
    // Typing into the over-long text adds nothing; deleting still works.
    QLineEdit& pf = box("1Ph", TextBox::txtPF);
    pf.end(false);
    QTest::keyClicks(&pf, "7");
    QCOMPARE(pf.text(), QStringLiteral("12.50"));
    QTest::keyClick(&pf, Qt::Key_Backspace);
    QCOMPARE(pf.text(), QStringLiteral("12.5"));
    // UTF-8 both ways.
    form.setText(TextBox::txtVolts, "230\xC2\xB5");
    QCOMPARE(form.text(TextBox::txtVolts), std::string("230\xC2\xB5"));
}

void TestCalculatorWindow::accessibleNames_data()
{
    using enum QAccessible::Role;
    // clang-format off
    const AccessibleNameRow rows[] = {
        {"LL txtVolts",         "LL",  "txtVolts",        "Voltage L-L, Volts",      EditableText, ""},
        {"LN txtVolts",         "LN",  "txtVolts",        "Voltage L-N, Volts",      EditableText, ""},
        {"1Ph txtVolts",        "1Ph", "txtVolts",        "Voltage L-N, Volts",      EditableText, ""},
        {"LL txtAmps",          "LL",  "txtAmps",         "Current, Amps",           EditableText, ""},
        {"LN txtPF",            "LN",  "txtPF",           "Power Factor",            EditableText, "Valid PF Values 0.00 to 1.00"},
        {"LL txtPF",            "LL",  "txtPF",           "Power Factor",            EditableText, "Valid PF Values 0.00 to 1.00"},
        {"1Ph txtRealPower",    "1Ph", "txtRealPower",    "Real Power (P), kW",      EditableText, ""},
        {"LL txtApPower",       "LL",  "txtApPower",      "Apparent Power (S), kVA", EditableText, ""},
        {"LN cmdSolve",         "LN",  "cmdSolve",        "Solve",                   Button,       ""},
        {"1Ph cmdBackMainPage", "1Ph", "cmdBackMainPage", "Back to Main Page",       Button,       ""},
        {"LL lbl8 empty",       "LL",  "lbl8",            "Input status",            StaticText,   ""},
        {"LN lblMsg empty",     "LN",  "lblMsg",          "Result status",           StaticText,   ""},
        {"1Ph Frame2",          "1Ph", "Frame2",          "Input Values",            Grouping,     ""},
        {"LL lblPF2",           "LL",  "lblPF2",          "PF",                      StaticText,   ""},
        // A window, not a filler: a screen reader's title-bar command reads it.
        {"1Ph window",          "1Ph", "", "Kestrova's Quantelo - Real-Apparent Power - 1 Phase -  L- N  Voltage", Window, ""},
    };
    // clang-format on
    addRows(rows);
}

void TestCalculatorWindow::accessibleNames()
{
    QFETCH(AccessibleNameRow, row);
    const auto& [rowName, key, controlName, spoken, role, description] = row;
    QWidget& widget = controlName.isEmpty() ? window(key) : control(key, controlName);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), spoken);
    QCOMPARE(accessible->role(), role);
    QCOMPARE(accessible->text(QAccessible::Description), description);

    // And no control of the window goes unnamed.
    for (QWidget* child : window(key).findChildren<QWidget*>()) {
        if (child->objectName().isEmpty() || child->objectName().startsWith(QLatin1String("qt_")))
            continue;
        QAccessibleInterface* other = QAccessible::queryAccessibleInterface(child);
        QVERIFY2(other && !other->text(QAccessible::Name).isEmpty(), qPrintable(child->objectName()));
    }
}

void TestCalculatorWindow::boxesReadWhole_data()
{
    QTest::addColumn<QString>("shown");
    QTest::newRow("result") << QStringLiteral("2.3");
    QTest::newRow("empty") << QString();
    QTest::newRow("over the limit") << QStringLiteral("1200000.0");
    QTest::newRow("typed with a unit") << QStringLiteral("230V");
}

// A screen reader rebuilds a box's line from its attribute runs: one run
// covers the whole text, wherever it asks, so no character is lost.
void TestCalculatorWindow::boxesReadWhole()
{
    QFETCH(QString, shown);
    CalculatorWindow& form = window("1Ph");
    showAndActivate(form);
    form.setText(TextBox::txtApPower, shown.toStdString());
    QAccessibleTextInterface* text
        = QAccessible::queryAccessibleInterface(&box("1Ph", TextBox::txtApPower))->textInterface();
    QVERIFY(text);
    const int length = static_cast<int>(shown.size());
    QCOMPARE(text->characterCount(), length);
    QCOMPARE(text->text(0, length), shown);
    for (int offset = 0; offset <= length; ++offset) {
        int start = -1;
        int end = -1;
        text->attributes(offset, &start, &end);
        QCOMPARE((std::pair{start, end}), (std::pair{0, length}));
    }
}

void TestCalculatorWindow::statusLabelNameFollowsCaption()
{
    CalculatorWindow& form = window("1Ph");
    showAndActivate(form);
    QAccessibleInterface* status = QAccessible::queryAccessibleInterface(&form.label(Label::lbl8));
    QAccessibleInterface* message = QAccessible::queryAccessibleInterface(&form.label(Label::lblMsg));
    QVERIFY(status && message);

    click("1Ph", "cmdSolve"); // all boxes empty
    QCOMPARE(status->text(QAccessible::Name), QStringLiteral("Enter Current"));
    click("1Ph", "cmdClear");
    type("1Ph", "400000", "9999", "1");
    click("1Ph", "cmdSolve");
    QCOMPARE(message->text(QAccessible::Name), QStringLiteral("exceeded allocated value 9.99x10^5"));
    click("1Ph", "cmdClear");
    QCOMPARE(status->text(QAccessible::Name), QStringLiteral("Input status"));
    QCOMPARE(message->text(QAccessible::Name), QStringLiteral("Result status"));
}

void TestCalculatorWindow::followsPaletteChange()
{
    CalculatorWindow& form = window("LL");
    showAndActivate(form);
    form.setText(TextBox::txtApPower, "1.0");
    form.setBackColor(TextBox::txtApPower, WindowText);
    QPalette dark = QApplication::palette();
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(220, 220, 220));
    dark.setColor(QPalette::Window, QColor(50, 50, 50));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Shadow, QColor(20, 20, 20)); // the 3-D dark shadow of a dark scheme
    QApplication::setPalette(dark);

    QCOMPARE(box("LL", TextBox::txtVolts).palette().color(QPalette::Base), QColor(30, 30, 30));
    QCOMPARE(box("LL", TextBox::txtVolts).palette().color(QPalette::Text), QColor(220, 220, 220));
    QCOMPARE(box("LL", TextBox::txtApPower).palette().color(QPalette::Base), QColor(220, 220, 220));
    QCOMPARE(form.label(Label::lbl8).palette().color(QPalette::Window), QColor(50, 50, 50));
    // Every window follows, shown or not: one filter serves them all.
    for (const char* other : {"LN", "1Ph"}) {
        QCOMPARE(box(other, TextBox::txtVolts).palette().color(QPalette::Base), QColor(30, 30, 30));
        QCOMPARE(window(other).palette().color(QPalette::Window), QColor(50, 50, 50));
    }
    // Fixed RGB colours stay: Label1 is grey, 0x00808080.
    QCOMPARE(control("LL", "Label1").palette().color(QPalette::WindowText), QColor(128, 128, 128));
    // The flagged result box keeps its digits readable on the new scheme.
    const QPalette flagged = box("LL", TextBox::txtApPower).palette();
    QVERIFY(quantelo::contrastRatio(flagged.color(QPalette::Text), flagged.color(QPalette::Base)) >= 3.0);
    // Text named by a system colour stays readable: the result status is
    // drawn in the dark shadow, which on this scheme would vanish on the
    // dark window; the scheme's window text stands in.
    const QPalette status = form.label(Label::lblMsg).palette();
    QVERIFY(quantelo::contrastRatio(status.color(QPalette::WindowText), status.color(QPalette::Window)) >= 3.0);
    QCOMPARE(status.color(QPalette::WindowText), QColor(230, 230, 230));
    // Every label and box whose colours are system colours reads on this scheme.
    for (QWidget* w : form.findChildren<QWidget*>()) {
        const auto fore = quantelo::foreColor(*w);
        if (!fore || !quantelo::isSystemColour(*fore))
            continue;
        const QPalette p = w->palette();
        QVERIFY2(quantelo::contrastRatio(p.color(w->foregroundRole()), p.color(w->backgroundRole())) >= 3.0,
                 qPrintable(w->objectName()));
    }
}

QTEST_MAIN(TestCalculatorWindow)
#include "tst_calculator_window.moc"
