#include "forms/windows/program_window.h"

#include "forms/controls/accessibility.h"
#include "forms/controls/application_state.h"
#include "forms/platform/display.h"
#include "forms/windows/form_builder.h"
#include "resources/program_icon.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace quantelo {
namespace {

// The frame the window manager last reported around one of the program's
// windows. All four windows have the same decorations, so a window shown
// after the first can be centred by its frame before it is mapped.
class KnownFrame : public QObject {
public:
    static constexpr const char* Name = "quanteloKnownFrame";

    explicit KnownFrame(QObject* application)
        : QObject(application)
    {
    }

    QMargins frame;
};

// The client area that puts the frame (client plus `frame`) in the centre of
// the screen's available area. A frame larger than that area (a small
// screen, a large scale factor) keeps its top-left corner, title bar
// included, inside it, so the window can always be reached and moved.
QRect centredClientArea(const QSize& client, const QMargins& frame, const QRect& available)
{
    const QSize outer = client.grownBy(frame);
    QRect outerRect = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, outer, available);
    outerRect.moveTopLeft(
        QPoint(std::max(outerRect.left(), available.left()), std::max(outerRect.top(), available.top())));
    return {outerRect.topLeft() + QPoint(frame.left(), frame.top()), client};
}

// Watches a window that was centred without knowing its frame, and centres it
// once more when the window manager reports the frame after mapping it. Only
// the placement at first show is corrected: the watcher ends with the first
// correction, or when the window is hidden, without ever moving the window a
// second time.
class FrameWatcher : public QObject {
public:
    // A child of `window`: it ends with the window at the latest.
    explicit FrameWatcher(QWidget& window)
        : QObject(&window)
        , m_window(window)
    {
        window.windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Expose:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::PlatformSurface: recentre(); break;
        case QEvent::Hide: finish(); break;
        default: break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void recentre()
    {
        if (m_window.windowHandle() == nullptr)
            return;
        const QMargins frame = m_window.windowHandle()->frameMargins();
        if (frame.isNull())
            return;
        applicationState<KnownFrame>().frame = frame;
        if (const QScreen* screen = m_window.screen())
            m_window.setGeometry(centredClientArea(m_window.size(), frame, screen->availableGeometry()));
        finish();
    }

    void finish()
    {
        if (m_window.windowHandle() != nullptr)
            m_window.windowHandle()->removeEventFilter(this);
        deleteLater();
    }

    QWidget& m_window;
};

constexpr Qt::WindowFlags ProgramWindowFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
    | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

void applyProgramIcon()
{
    // One icon for the whole program, held by the application. Qt's pixmap
    // cache keys the images it hands a window by the pixmap they come from:
    // an icon built anew for each window decodes new pixmaps, so every window
    // opened added its images to the cache again, until the cache was full.
    // Copies of the one icon share its pixmaps, and the cache serves them.
    // Every window without an icon of its own shows the application's, so
    // the icon is set once and each window sends it to the display once
    // (an icon of the window's own on top would send all sizes again).
    if (QGuiApplication::windowIcon().isNull())
        QGuiApplication::setWindowIcon(programIcon());
}

// Centres a top-level window, its frame and title bar included, on the
// available area of its screen, before it is shown: the window is then made
// and mapped where it belongs, rather than moved after the display has made
// it (a move that would reach it only as it is first drawn, and that makes Qt
// ask the display for the frame again). The frame is known before the window
// is mapped only when the window manager reported it for an earlier window.
// Otherwise the client area is centred, and true says that the window should
// be centred again by its frame as soon as the window manager reports it.
// Where no frame is ever reported (no window manager, Wayland), the client
// area stays centred. Where the platform knows the frame of a window as soon
// as it is made (a web page), the window is made first and centred by it.
bool placeCentredOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return false;
    if (window.windowHandle() == nullptr && platform::frameKnownOnceMade())
        window.winId(); // makes the native window
    QMargins frame = window.windowHandle() != nullptr ? window.windowHandle()->frameMargins() : QMargins();
    if (frame.isNull())
        frame = applicationState<KnownFrame>().frame;
    window.setGeometry(centredClientArea(window.size(), frame, screen->availableGeometry()));
    return frame.isNull();
}

} // namespace

ProgramWindow::ProgramWindow(const FormDescription& form)
    : QWidget(nullptr, ProgramWindowFlags)
{
    setAccessibleRole(*this, QAccessible::Window);
    buildForm(*this, form);
}

bool ProgramWindow::hasBeenShown() const
{
    return m_shown;
}

void ProgramWindow::setVisible(bool visible)
{
    // Placed once: a window the user closes is discarded, and the next one
    // is a new window, centred again.
    bool watchFrame = false;
    if (visible && !m_shown) {
        m_shown = true;
        watchFrame = placeCentredOnScreen(*this);
    }
    QWidget::setVisible(visible);
    if (watchFrame && windowHandle() != nullptr)
        new FrameWatcher(*this);
}

void ProgramWindow::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // The icon, in all its sizes, is some 90 kB for the display to take:
    // the first frame need not wait for it, so it follows on the next turn
    // of the event loop after the window's first paint.
    if (!m_painted) {
        m_painted = true;
        QTimer::singleShot(0, this, [] { applyProgramIcon(); });
    }
}

} // namespace quantelo
