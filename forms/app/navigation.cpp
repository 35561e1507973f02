#include "forms/app/navigation.h"

#include "forms/windows/calculator_window.h"
#include "forms/windows/main_window.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <cstring>

namespace quantelo {

namespace {

// Shows a window modeless, restores it when the user had minimised it, and
// brings it to the front and activates it: whatever state it was in, it ends
// up on screen and in front. A window shown for the first time is mapped in
// front and given the focus as every new window is (by the window manager on
// X11, by the system on Windows); asking for either again would only make
// the display restack it and move the focus once more before it is first
// drawn.
void bringToFront(ProgramWindow& window)
{
    const bool firstShow = !window.hasBeenShown();
    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    // Not show(), which opens a window full screen where the platform says
    // so (a web page's): every window keeps its size and title bar.
    window.setVisible(true);
    if (firstShow)
        return;
    window.raise();
    window.activateWindow();
}

} // namespace

// A window whose native window another program destroyed (an X11 client
// may destroy any window) can never be shown again, and Qt still counts it
// as open, so the program would never end. Such a window is closed as if the
// user had closed it: it is discarded, the next request makes a new one,
// and the program still ends with its last window. X11 only; the event is
// read from its wire layout, so no X11 headers are needed.
class DestroyedWindowWatcher : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        // xcb_destroy_notify_event_t: response type, pad, sequence, event
        // window, destroyed window; every event comes in 32 bytes. Its bytes
        // are copied out: the event is no object of this type.
        struct DestroyNotify {
            std::uint8_t responseType;
            std::uint8_t pad;
            std::uint16_t sequence;
            std::uint32_t event;
            std::uint32_t window;
        };
        static_assert(sizeof(DestroyNotify) == 12);
        constexpr std::uint8_t XcbDestroyNotify = 17;
        DestroyNotify notify{};
        std::memcpy(&notify, message, sizeof notify);
        if ((notify.responseType & 0x7F) != XcbDestroyNotify)
            return false;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            // A window not made on the display yet has the id 0, which no
            // destroyed window has.
            if (window->internalWinId() == notify.window && window->isVisible()) {
                // Not from inside the native event: on the next turn.
                QTimer::singleShot(0, window, [window] { window->close(); });
            }
        }
        return false;
    }
};

Navigator::Navigator(QObject* parent)
    : QObject(parent)
    , m_destroyedWindows(std::make_unique<DestroyedWindowWatcher>())
{
    QCoreApplication::instance()->installNativeEventFilter(m_destroyedWindows.get());
}

Navigator::~Navigator()
{
    QCoreApplication::instance()->removeNativeEventFilter(m_destroyedWindows.get());
    delete m_mainWindow;
    for (auto& calculator : m_calculators)
        delete calculator;
}

MainWindow& Navigator::showMainWindow()
{
    if (m_mainWindow.isNull()) {
        // Top-level without an owner; closing it discards it.
        m_mainWindow = new MainWindow;
        m_mainWindow->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_mainWindow, &MainWindow::calculatorRequested, this,
                [this](Calculator which) { showCalculator(which); });
    }
    bringToFront(*m_mainWindow);
    return *m_mainWindow;
}

CalculatorWindow& Navigator::showCalculator(Calculator which)
{
    auto& slot = m_calculators[index(which)];
    if (slot.isNull()) {
        slot = createCalculatorWindow(which).release();
        slot->setAttribute(Qt::WA_DeleteOnClose);
        connect(slot, &CalculatorWindow::backToMainPageRequested, this, [this] { showMainWindow(); });
    }
    bringToFront(*slot);
    return *slot;
}

MainWindow* Navigator::mainWindow() const
{
    return m_mainWindow;
}

CalculatorWindow* Navigator::calculator(Calculator which) const
{
    return m_calculators[index(which)];
}

} // namespace quantelo
