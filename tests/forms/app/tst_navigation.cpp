#include "forms/app/navigation.h"
#include "forms/controls/limited_line_edit.h"
#include "forms/controls/picture_box.h"
#include "forms/windows/calculator_window.h"
#include "forms/windows/fonts.h"
#include "forms/windows/main_window.h"
#include "tests/support/qt_windows.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QImageReader>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace quantelo;

Q_DECLARE_METATYPE(quantelo::Calculator)

namespace {

using test_support::button;
using test_support::facts;
using test_support::visibleWindows;

struct ControlRow {
    const char* name;
    const char* caption;
    QRect pixels;
    QAccessible::Role role; // as a screen reader is told
};

// Set in the process that checks the loaded plug-ins alone.
constexpr char OwnProcessVariable[] = "QUANTELO_PLUGIN_CHECK_ALONE";

const char* formName(Calculator which)
{
    return facts(which).formName;
}

} // namespace

Q_DECLARE_METATYPE(ControlRow)

class TestNavigation : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        // In the order of the program's start-up: the window first, the
        // stand-in faces before its first paint.
        m_navigator = std::make_unique<Navigator>();
        QWidget& main = m_navigator->showMainWindow();
        installFontStandIns();
        QVERIFY(QTest::qWaitForWindowActive(&main));
    }

    void cleanup()
    {
        m_navigator.reset();
        QTRY_VERIFY(visibleWindows().isEmpty());
        QCOMPARE(m_watchdog.unexpected, QStringList());
    }

    void startsWithTheMainWindowAlone()
    {
        const auto windows = visibleWindows();
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows.front()->objectName(), QStringLiteral("frmPowerSolve"));
        QCOMPARE(
            windows.front()->windowTitle(),
            QStringLiteral("Kestrova's Quantelo - Find Real Power, Apparent Power in 1 Ph and 3 Ph  Installations"));
        QCOMPARE(windows.front()->size(), QSize(714, 471));
        QCOMPARE(QAccessible::queryAccessibleInterface(windows.front())->role(), QAccessible::Window);
        QCOMPARE(windows.front()->minimumSize(), windows.front()->maximumSize());
        QVERIFY(!(windows.front()->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(windows.front()->windowFlags() & Qt::WindowMinimizeButtonHint);
        // The icon follows the window on the next turn of the event loop.
        QTRY_VERIFY(!windows.front()->windowIcon().isNull());
    }

    void mainWindowControls_data()
    {
        // clang-format off
        const ControlRow rows[] = {
            {"Command3", "&Real and Apparent Power 1 Phase",                           {96, 288, 521, 33},  QAccessible::Button},
            {"Command1", "  R&eal and Apparent Power 3 Ph -  Line to Line Voltage",    {96, 344, 521, 33},  QAccessible::Button},
            {"Command2", " Re&al and Apparent Power 3 Ph -  Line to Neutral Voltage", {96, 400, 521, 33},  QAccessible::Button},
            // A Tab stop read as a picture: a frame's focus is not announced.
            {"Picture1", "",                                                           {160, 16, 404, 252}, QAccessible::Graphic},
        };
        // clang-format on
        test_support::addRows(rows);
    }

    void mainWindowControls()
    {
        QFETCH(ControlRow, row);
        const QString name = QString::fromLatin1(row.name);
        const QString caption = row.caption;
        const QRect pixels = row.pixels;
        QWidget* main = m_navigator->mainWindow();
        auto* control = main->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget(), main);
        QCOMPARE(control->geometry(), pixels);
        QCOMPARE(QAccessible::queryAccessibleInterface(control)->role(), row.role);
        if (auto* b = qobject_cast<QPushButton*>(control)) {
            QCOMPARE(b->text(), caption);
            QCOMPARE(b->font().family(), QStringLiteral("Tahoma"));
            // The face really drawn: the stand-in registered after the
            // window was shown is the one the first paint uses.
            QCOMPARE(QFontInfo(b->font()).family(), QStringLiteral("Tahoma"));
            QCOMPARE(QFontInfo(b->font()).weight(), int(QFont::Bold));
            QCOMPARE(b->font().pointSizeF(), 12.0);
            QCOMPARE(b->font().weight(), QFont::Bold);
            QVERIFY(!b->isDefault() && !b->autoDefault());
        }
    }

    void startsWithoutImagePlugins()
    {
        // The window, its picture and its icon are on screen without an
        // image plug-in: their pixels are compiled in. Another test of this
        // suite loads the JPEG plug-in (to read the title picture's source),
        // so the check runs in a process of its own, whatever the order: this
        // suite started again with this function alone.
        // Under Wine the second process's log does not come back through the
        // pipe: there the check runs in this process, before the suite's JPEG
        // test (the functions run in the order they are declared).
#if !defined(Q_OS_WIN)
        constexpr bool inOwnProcess = true;
#else
        constexpr bool inOwnProcess = false;
#endif
        if (inOwnProcess && !qEnvironmentVariableIsSet(OwnProcessVariable)) {
            QProcess alone;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QString::fromLatin1(OwnProcessVariable), QStringLiteral("1"));
            alone.setProcessEnvironment(environment);
            alone.setProcessChannelMode(QProcess::MergedChannels);
            alone.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("startsWithoutImagePlugins"), QStringLiteral("-platform"),
                         QGuiApplication::platformName(), QStringLiteral("-o"), QStringLiteral("-,txt")});
            QVERIFY(alone.waitForFinished(120000));
            const QByteArray log = alone.readAll();
            QVERIFY2(alone.exitStatus() == QProcess::NormalExit && alone.exitCode() == 0, log.constData());
            if (log.contains("SKIP   : TestNavigation::startsWithoutImagePlugins"))
                QSKIP("no /proc/self/maps to see the loaded libraries in");
            QVERIFY2(log.contains("PASS   : TestNavigation::startsWithoutImagePlugins"), log.constData());
            return;
        }
        QTRY_VERIFY(!m_navigator->mainWindow()->windowIcon().isNull());
        m_navigator->mainWindow()->grab();
        QFile maps(QStringLiteral("/proc/self/maps"));
        if (!maps.open(QIODevice::ReadOnly))
            QSKIP("no /proc/self/maps to see the loaded libraries in");
        const QByteArray loaded = maps.readAll();
        const qsizetype plugin = loaded.indexOf("/imageformats/");
        QVERIFY2(plugin < 0, loaded.mid(plugin, loaded.indexOf('\n', plugin) - plugin).constData());
    }

    void titlePictureIsShownUnscaledAndClipped()
    {
        auto* picture = m_navigator->mainWindow()->findChild<PictureBox*>(QStringLiteral("Picture1"));
        QVERIFY(picture);
        QCOMPARE(picture->picture().size(), QSize(400, 311));
        QTRY_VERIFY(!m_navigator->mainWindow()->windowIcon().isNull());
        // A two-pixel sunken border leaves 400 x 248 pixels: the picture's
        // full width, and its lowest 63 rows hidden.
        QCOMPARE(picture->contentsRect(), QRect(2, 2, 400, 248));
        // Drawn pixel for pixel as Qt's JPEG reader decodes the source.
        QImageReader reader(QStringLiteral(QUANTELO_RESOURCES_DIR "/title.jpg"));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage title = reader.read().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(title.size(), QSize(400, 311));
        const QImage shown = m_navigator->mainWindow()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QPoint origin = picture->mapTo(m_navigator->mainWindow(), picture->contentsRect().topLeft());
        QCOMPARE(shown.copy(QRect(origin, QSize(400, 248))), title.copy(0, 0, 400, 248));
    }

    void focusStartsOnCommand3AndTabCycles()
    {
        QWidget* main = m_navigator->mainWindow();
        QTRY_COMPARE(QApplication::focusWidget(), &button(*main, "Command3"));
        const QStringList cycle = {"Command1", "Command2", "Picture1", "Command3", "Command1"};
        for (const QString& next : cycle) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), next);
        }
    }

    void accessKeysOpenTheirCalculators_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Calculator>("which");
        QTest::newRow("Alt+R single phase") << int(Qt::Key_R) << Calculator::SinglePhase;
        QTest::newRow("Alt+E line to line") << int(Qt::Key_E) << Calculator::LineToLine;
        QTest::newRow("Alt+A line to neutral") << int(Qt::Key_A) << Calculator::LineToNeutral;
    }

    void accessKeysOpenTheirCalculators()
    {
        QFETCH(int, key);
        QFETCH(Calculator, which);
        QTest::keyClick(m_navigator->mainWindow(), Qt::Key(key), Qt::AltModifier);
        QTRY_VERIFY(m_navigator->calculator(which) != nullptr);
        QCOMPARE(m_navigator->calculator(which)->objectName(), QString::fromLatin1(formName(which)));
        QCOMPARE(visibleWindows().size(), 2);
        // A calculator has no owner: it is a window of its own.
        QCOMPARE(m_navigator->calculator(which)->parentWidget(), nullptr);
    }

    void openingAllThreeAndGoingBackLeavesFourWindows()
    {
        MainWindow* main = m_navigator->mainWindow();
        for (const char* name : {"Command1", "Command2", "Command3"}) {
            button(*main, name).click();
            QTRY_VERIFY(QApplication::activeWindow() != main);
            QWidget* calculator = QApplication::activeWindow();
            button(*calculator, "cmdBackMainPage").click();
            QTRY_COMPARE(QApplication::activeWindow(), main);
            QVERIFY(calculator->isVisible()); // Back neither hides nor closes it
        }
        QCOMPARE(visibleWindows().size(), 4);
        QCOMPARE(m_navigator->mainWindow(), main);
        // Each button again brings back the same single instance.
        CalculatorWindow* first = m_navigator->calculator(Calculator::LineToLine);
        button(*main, "Command1").click();
        QCOMPARE(m_navigator->calculator(Calculator::LineToLine), first);
        QTRY_COMPARE(QApplication::activeWindow(), first);
        QCOMPARE(visibleWindows().size(), 4);
    }

    void aCalculatorKeepsItsContentsAcrossBack()
    {
        MainWindow* main = m_navigator->mainWindow();
        CalculatorWindow& calculator = m_navigator->showCalculator(Calculator::LineToLine);
        calculator.setText(TextBox::txtVolts, "415");
        calculator.setText(TextBox::txtAmps, "100");
        calculator.setText(TextBox::txtPF, "0.8");
        calculator.cmdSolve_Click();
        button(calculator, "cmdBackMainPage").click();
        QTRY_COMPARE(QApplication::activeWindow(), main);
        button(*main, "Command1").click();
        QCOMPARE(m_navigator->calculator(Calculator::LineToLine), &calculator);
        QCOMPARE(calculator.text(TextBox::txtRealPower), "57.5");
        QCOMPARE(calculator.text(TextBox::txtApPower), "71.9");
        QCOMPARE(calculator.text(TextBox::txtPF), "0.80");
        QCOMPARE(calculator.text(TextBox::txtVolts), "415");
    }

    void aClosedCalculatorComesBackFresh()
    {
        CalculatorWindow* calculator = &m_navigator->showCalculator(Calculator::SinglePhase);
        calculator->setText(TextBox::txtVolts, "230");
        calculator->setBackColor(TextBox::txtRealPower, Colour::WindowText);
        QSignalSpy destroyed(calculator, &QObject::destroyed);
        QVERIFY(calculator->close());
        QTRY_COMPARE(destroyed.size(), 1);
        QCOMPARE(m_navigator->calculator(Calculator::SinglePhase), nullptr);

        button(*m_navigator->mainWindow(), "Command3").click();
        calculator = m_navigator->calculator(Calculator::SinglePhase);
        QVERIFY(calculator);
        QCOMPARE(calculator->text(TextBox::txtVolts), "");
        QTRY_COMPARE(QApplication::focusWidget(), &calculator->textBox(TextBox::txtVolts));
    }

    void backAfterTheMainWindowWasClosedMakesANewOne()
    {
        CalculatorWindow& calculator = m_navigator->showCalculator(Calculator::LineToNeutral);
        QPointer<MainWindow> oldMain = m_navigator->mainWindow();
        QVERIFY(oldMain->close());
        QTRY_VERIFY(oldMain.isNull());
        // Closing the main window leaves the calculator open.
        QVERIFY(calculator.isVisible());
        QCOMPARE(visibleWindows().size(), 1);

        for (int i = 0; i < 3; ++i)
            button(calculator, "cmdBackMainPage").click();
        MainWindow* main = m_navigator->mainWindow();
        QVERIFY(main);
        QTRY_COMPARE(QApplication::activeWindow(), main);
        QCOMPARE(visibleWindows().size(), 2); // one main window, however often Back is pressed
        QTRY_COMPARE(QApplication::focusWidget(), &button(*main, "Command3"));
    }

    // Runs last: it leaves the event loop that it starts.
    void closingTheLastWindowEndsTheProgram()
    {
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        CalculatorWindow& calculator = m_navigator->showCalculator(Calculator::LineToLine);
        bool calculatorOutlivedMain = false;
        QTimer::singleShot(0, this, [&] {
            m_navigator->mainWindow()->close();
            QTimer::singleShot(50, this, [&] {
                calculatorOutlivedMain = calculator.isVisible() && lastClosed.isEmpty();
                calculator.close();
            });
        });
        // Should the program not end, the test does, with another status.
        QTimer::singleShot(10000, this, [] { QCoreApplication::exit(99); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(calculatorOutlivedMain);
        QCOMPARE(lastClosed.size(), 1);
    }

private:
    std::unique_ptr<Navigator> m_navigator;
    test_support::ModalWatchdog m_watchdog;
};

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
