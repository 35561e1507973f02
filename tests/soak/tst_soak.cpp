// A long run of random user actions on the program's four windows: typing,
// Solve, Clear, Back, opening and closing windows. After every action each
// open calculator must show exactly what the calculation core computes for
// the same actions on an in-memory window, and the navigation must still hold
// one window per kind at most. Run under the sanitizers, it also finds the
// crashes and leaks of windows opened and discarded many times over.
//
// The run is random but repeatable: the seed is printed, and
// QUANTELO_SOAK_SEED=<seed> runs the same actions again. QUANTELO_SOAK_ACTIONS
// changes how many are done.
#include "calc/commands.h"
#include "forms/app/navigation.h"
#include "forms/controls/caption_label.h"
#include "forms/controls/colour_role.h"
#include "forms/controls/limited_line_edit.h"
#include "forms/windows/calculator_window.h"
#include "forms/windows/fonts.h"
#include "forms/windows/main_window.h"
#include "tests/support/fake_window.h"
#include "tests/support/qt_windows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace quantelo;
using namespace quantelo::test_support;

namespace {

constexpr std::uint32_t DefaultSeed = 20240611;
constexpr int DefaultActions = 20000;

QString colourText(std::optional<ColourValue> colour)
{
    return colour ? QStringLiteral("%1").arg(*colour, 8, 16, QLatin1Char('0')) : QStringLiteral("none");
}

// An open calculator window and its shadow.
struct OpenCalculator {
    QPointer<CalculatorWindow> window;
    std::unique_ptr<FakeWindow> shadow;
    std::unique_ptr<CalculatorCommands> commands;
    // The message boxes the window asked for, answered at once.
    std::shared_ptr<std::vector<std::string>> boxes;
};

// The offscreen platform cannot raise a window and says so each time the
// navigation brings one to the front; those thousands of lines say nothing.
QtMessageHandler qtMessages = nullptr;

void dropRaiseWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.contains(QLatin1String("does not support raise()")))
        return;
    qtMessages(type, context, message);
}

std::optional<std::uint64_t> environmentNumber(const char* name)
{
    const QByteArray value = qgetenv(name);
    if (value.isEmpty())
        return std::nullopt;
    bool ok = false;
    const qulonglong number = value.trimmed().toULongLong(&ok, 0);
    if (!ok)
        qFatal("%s is not a number: %s", name, value.constData());
    return number;
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void randomUserActions();

private:
    // Random choices. std::mt19937 is the same everywhere; the distributions
    // of <random> are not, so a seed gives the same run on every platform.
    int pick(int choices) { return static_cast<int>(m_random() % static_cast<std::uint32_t>(choices)); }
    bool chance(int percent) { return pick(100) < percent; }
    QString randomInput();
    std::optional<Calculator> randomOpenCalculator();

    void typeIntoBox();
    void emptyBox();
    void solve();
    void clear();
    void back();
    void openCalculator();
    void closeWindow();
    void closeEverything();

    void pressButton(QWidget& window, const char* name, Qt::Key accessKey);
    void track(Calculator which);
    void processDeletions();
    void note(const QString& action);
    void fault(const QString& what);
    [[nodiscard]] QString compareCalculator(Calculator which) const;
    [[nodiscard]] QString checkAll() const;

    std::unique_ptr<Navigator> m_navigator;
    std::array<std::unique_ptr<OpenCalculator>, 3> m_open;
    bool m_mainClosed = false;
    std::mt19937 m_random;
    std::uint32_t m_seed = DefaultSeed;
    int m_action = 0;
    std::deque<QString> m_recent;
    QString m_fault;
    std::map<QString, int> m_counts;
};

void TestSoak::initTestCase()
{
    installFontStandIns();
    qtMessages = qInstallMessageHandler(dropRaiseWarnings);
    // Closing every window ends the program; here the soak goes on.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    if (const auto seed = environmentNumber("QUANTELO_SOAK_SEED"))
        m_seed = static_cast<std::uint32_t>(*seed);
    m_random.seed(m_seed);
    qInfo("soak seed %u (set QUANTELO_SOAK_SEED to repeat a run)", m_seed);
}

void TestSoak::cleanupTestCase()
{
    m_open = {};
    m_navigator.reset();
    processDeletions();
    qInstallMessageHandler(qtMessages);
}

QString TestSoak::randomInput()
{
    // Numbers a user would type, and some that are not.
    static const std::array<const char*, 34> plausible = {
        "230", "400", "415",    "10",     "100",   "0.8",   ".85",  "1",      "0",     "-0.5",   "1.5",  "0.",
        "1E5", "9e9", "1E38",   "3.5E38", "2E-3",  "&H1F",  "&O17", " 12 ",   "1,5",   "+7",     "-230", "999990",
        "4E5", "1D3", "400000", "9999",   "1e309", "0.999", "1.00", "0.0001", "12abc", "-1E-45",
    };
    static const QString alphabet = QStringLiteral("0123456789012345678901234..--+E ,eDdHhOo&xZ");
    const int shape = pick(10);
    if (shape < 5)
        return QString::fromLatin1(plausible[static_cast<std::size_t>(pick(static_cast<int>(plausible.size())))]);
    // Short runs of characters, and now and then one longer than any box's
    // typing limit.
    const int length = shape < 9 ? 1 + pick(8) : 9 + pick(12);
    QString text;
    for (int i = 0; i < length; ++i)
        text += alphabet.at(pick(static_cast<int>(alphabet.size())));
    return text;
}

std::optional<Calculator> TestSoak::randomOpenCalculator()
{
    std::vector<Calculator> open;
    for (const Calculator which : AllCalculators) {
        if (m_open[index(which)])
            open.push_back(which);
    }
    if (open.empty())
        return std::nullopt;
    return open[static_cast<std::size_t>(pick(static_cast<int>(open.size())))];
}

void TestSoak::note(const QString& action)
{
    ++m_counts[action.section(QLatin1Char(' '), 0, 0)];
    m_recent.push_back(QStringLiteral("#%1 %2").arg(m_action).arg(action));
    if (m_recent.size() > 12)
        m_recent.pop_front();
}

void TestSoak::fault(const QString& what)
{
    if (m_fault.isEmpty())
        m_fault = what;
}

void TestSoak::processDeletions()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Clicks a button with the mouse, or now and then with its access key
// (Alt+letter) in its active window. An access key animates the click for a
// tenth of a second, so it is the rarer way.
void TestSoak::pressButton(QWidget& window, const char* name, Qt::Key accessKey)
{
    QPushButton& target = button(window, name);
    if (!chance(1)) {
        QTest::mouseClick(&target, Qt::LeftButton);
        return;
    }
    ++m_counts[QStringLiteral("(access key)")];
    window.raise();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window, 2000)) {
        fault(QStringLiteral("window %1 does not become active").arg(window.objectName()));
        return;
    }
    QWidget* focus = window.focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &window, accessKey, Qt::AltModifier);
    // The click follows the animation; `window` may be gone by then.
    const QPointer<QPushButton> pressed = &target;
    if (!QTest::qWaitFor([&] { return pressed.isNull() || !pressed->isDown(); }, 2000))
        fault(QStringLiteral("Alt+%1 never clicked %2")
                  .arg(QChar(static_cast<char16_t>(accessKey)))
                  .arg(QLatin1String(name)));
}

// Starts a shadow for a calculator that the navigation has just created. Its
// colours start as the window's designed ones; its texts start empty.
void TestSoak::track(Calculator which)
{
    CalculatorWindow* window = m_navigator->calculator(which);
    auto open = std::make_unique<OpenCalculator>();
    open->window = window;
    open->shadow = std::make_unique<FakeWindow>();
    open->commands = std::make_unique<CalculatorCommands>(*open->shadow, facts(which).kind);
    open->boxes = std::make_shared<std::vector<std::string>>();
    for (const TextBox box : AllTextBoxes)
        open->shadow->boxColours[index(box)] = backColor(window->textBox(box));
    for (const Label label : AllLabels)
        open->shadow->labelColours[index(label)] = backColor(window->label(label));
    // Answers each message box at once, never running it modal.
    recordMessageBoxes(*window, open->boxes);
    m_open[index(which)] = std::move(open);
}

void TestSoak::typeIntoBox()
{
    const auto which = randomOpenCalculator();
    if (!which)
        return openCalculator();
    OpenCalculator& open = *m_open[index(*which)];
    // Mostly the three inputs; the result boxes take typing too.
    const TextBox box = chance(80) ? AllTextBoxes[static_cast<std::size_t>(pick(3))]
                                   : AllTextBoxes[static_cast<std::size_t>(3 + pick(2))];
    LimitedLineEdit& edit = open.window->textBox(box);
    const QString text = randomInput();
    const bool atStart = chance(20);
    note(QStringLiteral("type %1 %2 '%3' at %4")
             .arg(QLatin1String(facts(*which).key), QLatin1String(controlName(box)), text,
                  atStart ? QStringLiteral("start") : QStringLiteral("end")));

    const QString before = edit.text();
    QTest::keyClick(&edit, atStart ? Qt::Key_Home : Qt::Key_End);
    QTest::keyClicks(&edit, text);

    // Typing stops at the box's limit; a longer text (one the program wrote)
    // takes nothing more.
    const qsizetype room
        = edit.typingLimit() > 0 ? std::max<qsizetype>(0, edit.typingLimit() - before.size()) : text.size();
    const QString typed = text.left(room);
    const QString expected = atStart ? typed + before : before + typed;
    if (edit.text() != expected)
        fault(QStringLiteral("typing left '%1', expected '%2'").arg(edit.text(), expected));
    open.shadow->texts[index(box)] = edit.text().toStdString();
}

void TestSoak::emptyBox()
{
    const auto which = randomOpenCalculator();
    if (!which)
        return openCalculator();
    OpenCalculator& open = *m_open[index(*which)];
    const TextBox box = AllTextBoxes[static_cast<std::size_t>(pick(5))];
    note(QStringLiteral("empty %1 %2").arg(QLatin1String(facts(*which).key), QLatin1String(controlName(box))));
    LimitedLineEdit& edit = open.window->textBox(box);
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Delete);
    if (!edit.text().isEmpty())
        fault(QStringLiteral("select all and delete left '%1'").arg(edit.text()));
    open.shadow->texts[index(box)] = edit.text().toStdString();
}

void TestSoak::solve()
{
    const auto which = randomOpenCalculator();
    if (!which)
        return openCalculator();
    OpenCalculator& open = *m_open[index(*which)];
    note(QStringLiteral("solve %1").arg(QLatin1String(facts(*which).key)));
    pressButton(*open.window, "cmdSolve", Qt::Key_S);
    open.shadow->focusOnClear = false;
    open.commands->cmdSolve_Click();
    if (open.shadow->focusOnClear && open.window->focusWidget() != &button(*open.window, "cmdClear"))
        fault(QStringLiteral("the focus did not move to cmdClear"));
}

void TestSoak::clear()
{
    const auto which = randomOpenCalculator();
    if (!which)
        return openCalculator();
    OpenCalculator& open = *m_open[index(*which)];
    note(QStringLiteral("clear %1").arg(QLatin1String(facts(*which).key)));
    pressButton(*open.window, "cmdClear", Qt::Key_C);
    open.commands->cmdClear_Click();
}

void TestSoak::back()
{
    const auto which = randomOpenCalculator();
    if (!which)
        return openCalculator();
    note(QStringLiteral("back %1").arg(QLatin1String(facts(*which).key)));
    pressButton(*m_open[index(*which)]->window, "cmdBackMainPage", Qt::Key_B);
    m_mainClosed = false;
    if (m_navigator->mainWindow() == nullptr || !m_navigator->mainWindow()->isVisible())
        fault(QStringLiteral("Back did not show the main window"));
}

void TestSoak::openCalculator()
{
    MainWindow* main = m_navigator->mainWindow();
    if (main == nullptr)
        return back();
    const Calculator which = AllCalculators[static_cast<std::size_t>(pick(static_cast<int>(AllCalculators.size())))];
    note(QStringLiteral("open %1").arg(QLatin1String(facts(which).key)));
    const QPointer<CalculatorWindow> before = m_open[index(which)] ? m_open[index(which)]->window : nullptr;
    pressButton(*main, facts(which).openButton, facts(which).openAccessKey);

    CalculatorWindow* window = m_navigator->calculator(which);
    if (window == nullptr || !window->isVisible())
        return fault(QStringLiteral("the calculator did not open"));
    if (before) {
        // Shown again with its contents.
        if (window != before)
            fault(QStringLiteral("a second window of the same calculator"));
        return;
    }
    for (const TextBox box : AllTextBoxes) {
        if (!window->textBox(box).text().isEmpty())
            fault(QStringLiteral("a new window with text in %1").arg(QLatin1String(controlName(box))));
    }
    for (const Label label : AllLabels) {
        if (!window->label(label).text().isEmpty())
            fault(QStringLiteral("a new window with a caption in %1").arg(QLatin1String(controlName(label))));
    }
    track(which);
}

void TestSoak::closeWindow()
{
    const auto which = randomOpenCalculator();
    const bool closeMain = m_navigator->mainWindow() != nullptr && (!which || chance(25));
    if (!closeMain && !which)
        return; // nothing open; the loop reopens the main window
    QPointer<QWidget> window;
    if (closeMain) {
        note(QStringLiteral("close main"));
        window = m_navigator->mainWindow();
        m_mainClosed = true;
    } else {
        note(QStringLiteral("close %1").arg(QLatin1String(facts(*which).key)));
        window = m_open[index(*which)]->window.data();
        m_open[index(*which)].reset();
    }
    if (!window->close())
        return fault(QStringLiteral("the window refused to close"));
    processDeletions();
    if (!window.isNull())
        fault(QStringLiteral("a closed window was not discarded"));
}

// The user closes every window, in a random order: the program would end.
void TestSoak::closeEverything()
{
    note(QStringLiteral("close-all"));
    std::vector<QPointer<QWidget>> windows;
    for (const Calculator which : AllCalculators) {
        if (m_open[index(which)]) {
            windows.emplace_back(m_open[index(which)]->window.data());
            m_open[index(which)].reset();
        }
    }
    if (m_navigator->mainWindow() != nullptr) {
        windows.emplace(windows.begin() + pick(static_cast<int>(windows.size()) + 1), m_navigator->mainWindow());
        m_mainClosed = true;
    }
    for (const QPointer<QWidget>& window : windows) {
        if (!window->close())
            return fault(QStringLiteral("a window refused to close"));
    }
    processDeletions();
    for (const QPointer<QWidget>& window : windows) {
        if (!window.isNull())
            return fault(QStringLiteral("a closed window was not discarded"));
    }
}

QString TestSoak::compareCalculator(Calculator which) const
{
    const OpenCalculator& open = *m_open[index(which)];
    const FakeWindow& shadow = *open.shadow;
    CalculatorWindow& window = *open.window;
    const QString name = QLatin1String(facts(which).key);
    for (const TextBox box : AllTextBoxes) {
        const std::string shown = window.text(box);
        if (shown != shadow.texts[index(box)]) {
            return QStringLiteral("%1 %2 shows '%3', the core wrote '%4'")
                .arg(name, QLatin1String(controlName(box)), QString::fromStdString(shown),
                     QString::fromStdString(shadow.texts[index(box)]));
        }
        const auto colour = backColor(window.textBox(box));
        if (colour != shadow.boxColours[index(box)]) {
            return QStringLiteral("%1 %2 colour %3, the core set %4")
                .arg(name, QLatin1String(controlName(box)), colourText(colour),
                     colourText(shadow.boxColours[index(box)]));
        }
        // Whatever colour the core gave a box, its digits stay readable.
        if (shadow.recoloured[index(box)]) {
            const QPalette p = window.textBox(box).palette();
            if (contrastRatio(p.color(QPalette::Text), p.color(QPalette::Base)) < 3.0)
                return QStringLiteral("%1 %2 text unreadable on %3")
                    .arg(name, QLatin1String(controlName(box)), colourText(colour));
        }
    }
    for (const Label label : AllLabels) {
        const QString caption = window.label(label).text();
        if (caption != QString::fromStdString(shadow.captions[index(label)])) {
            return QStringLiteral("%1 %2 reads '%3', the core wrote '%4'")
                .arg(name, QLatin1String(controlName(label)), caption,
                     QString::fromStdString(shadow.captions[index(label)]));
        }
        const auto colour = backColor(window.label(label));
        if (colour != shadow.labelColours[index(label)]) {
            return QStringLiteral("%1 %2 colour %3, the core set %4")
                .arg(name, QLatin1String(controlName(label)), colourText(colour),
                     colourText(shadow.labelColours[index(label)]));
        }
    }
    if (*open.boxes != shadow.messageBoxes) {
        QStringList shown;
        for (const auto& box : *open.boxes)
            shown << QString::fromStdString(box);
        QStringList wanted;
        for (const auto& box : shadow.messageBoxes)
            wanted << QString::fromStdString(box);
        return QStringLiteral("%1 message boxes {%2}, the core asked for {%3}")
            .arg(name, shown.join(QLatin1String("; ")), wanted.join(QLatin1String("; ")));
    }
    const CalculatorNumbers& real = window.commands().numbers();
    const CalculatorNumbers& core = open.commands->numbers();
    const auto same = [](float a, float b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    if (!same(real.Volts, core.Volts) || !same(real.Amps, core.Amps) || !same(real.PF, core.PF)
        || !same(real.RealPower, core.RealPower) || !same(real.ApPower, core.ApPower))
        return QStringLiteral("%1 keeps other numbers than the core").arg(name);
    return {};
}

QString TestSoak::checkAll() const
{
    if (QApplication::activeModalWidget() != nullptr)
        return QStringLiteral("a modal window is open");

    int open = 0;
    for (const Calculator which : AllCalculators) {
        CalculatorWindow* window = m_navigator->calculator(which);
        const auto& tracked = m_open[index(which)];
        if (!tracked) {
            if (window != nullptr)
                return QStringLiteral("%1 exists after it was closed").arg(QLatin1String(facts(which).key));
            continue;
        }
        if (tracked->window.isNull())
            return QStringLiteral("%1 vanished").arg(QLatin1String(facts(which).key));
        if (window != tracked->window)
            return QStringLiteral("%1 was replaced").arg(QLatin1String(facts(which).key));
        if (!window->isVisible())
            return QStringLiteral("%1 was hidden").arg(QLatin1String(facts(which).key));
        ++open;
        if (const QString difference = compareCalculator(which); !difference.isEmpty())
            return difference;
    }

    MainWindow* main = m_navigator->mainWindow();
    if ((main == nullptr) != m_mainClosed)
        return m_mainClosed ? QStringLiteral("the closed main window is back")
                            : QStringLiteral("the main window went away");
    if (main != nullptr && !main->isVisible())
        return QStringLiteral("the main window was hidden");

    // No stray windows: one per kind, visible, and nothing else.
    int visible = 0;
    int calculators = 0;
    int mains = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            ++visible;
        if (qobject_cast<CalculatorWindow*>(window) != nullptr)
            ++calculators;
        if (qobject_cast<MainWindow*>(window) != nullptr)
            ++mains;
    }
    const int expected = open + (main != nullptr ? 1 : 0);
    if (visible != expected || calculators != open || mains != (main != nullptr ? 1 : 0))
        return QStringLiteral("%1 visible windows, %2 calculators and %3 main windows, expected %4 with %5 open "
                              "calculators")
            .arg(visible)
            .arg(calculators)
            .arg(mains)
            .arg(expected)
            .arg(open);
    return {};
}

void TestSoak::randomUserActions()
{
    const int actions = static_cast<int>(environmentNumber("QUANTELO_SOAK_ACTIONS").value_or(DefaultActions));
    QElapsedTimer clock;
    clock.start();
    m_navigator = std::make_unique<Navigator>();
    m_navigator->showMainWindow();
    int restarts = 0;

    for (m_action = 1; m_action <= actions; ++m_action) {
        const int roll = pick(1000);
        if (roll < 380)
            typeIntoBox();
        else if (roll < 440)
            emptyBox();
        else if (roll < 690)
            solve();
        else if (roll < 770)
            clear();
        else if (roll < 830)
            back();
        else if (roll < 983)
            openCalculator();
        else if (roll < 998)
            closeWindow();
        else
            closeEverything();
        processDeletions();

        // Every message box of the action has been answered and compared.
        if (m_fault.isEmpty())
            m_fault = checkAll();
        for (auto& open : m_open) {
            if (open) {
                m_counts[QStringLiteral("(message box)")] += static_cast<int>(open->boxes->size());
                open->boxes->clear();
                open->shadow->messageBoxes.clear();
                open->shadow->log.clear();
            }
        }
        if (!m_fault.isEmpty()) {
            QStringList recent(m_recent.begin(), m_recent.end());
            QFAIL(qPrintable(QStringLiteral("after action %1 of seed %2: %3\nlast actions:\n  %4")
                                 .arg(m_action)
                                 .arg(m_seed)
                                 .arg(m_fault, recent.join(QLatin1String("\n  ")))));
        }

        // The user closed the last window: the program would end. Start it
        // again, as Back would.
        if (m_navigator->mainWindow() == nullptr && !randomOpenCalculator()) {
            m_navigator->showMainWindow();
            m_mainClosed = false;
            ++restarts;
        }
    }

    QStringList counts;
    for (const auto& [action, count] : m_counts)
        counts << QStringLiteral("%1 %2").arg(action).arg(count);
    qInfo("%d actions in %lld ms, %d restarts: %s", actions, static_cast<long long>(clock.elapsed()), restarts,
          qPrintable(counts.join(QLatin1String(", "))));
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
