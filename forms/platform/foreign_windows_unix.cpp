#include "forms/platform/foreign_windows.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QByteArray>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <cstring>

namespace quantelo::platform {
namespace {

// X11's events as Qt's xcb platform hands them over; other platforms of a
// Unix desktop (Wayland) send none, and nothing is done there. The events
// are read from their wire layout, so no X11 headers are needed.
class ForeignWindowFilter : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        // xcb_destroy_notify_event_t and xcb_unmap_notify_event_t begin
        // alike: response type, pad, sequence, event window, the window
        // destroyed or unmapped; every event comes in 32 bytes. Its bytes
        // are copied out: the event is no object of this type.
        struct WindowNotify {
            std::uint8_t responseType;
            std::uint8_t pad;
            std::uint16_t sequence;
            std::uint32_t event;
            std::uint32_t window;
        };
        static_assert(sizeof(WindowNotify) == 12);
        constexpr std::uint8_t XcbDestroyNotify = 17;
        constexpr std::uint8_t XcbUnmapNotify = 18;
        WindowNotify notify{};
        std::memcpy(&notify, message, sizeof notify);
        const std::uint8_t type = notify.responseType & 0x7F;
        if (type != XcbDestroyNotify && type != XcbUnmapNotify)
            return false;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            // A window not made on the display yet has the id 0, which no
            // destroyed or unmapped window has.
            if (window->internalWinId() != notify.window)
                continue;
            // Not from inside the native event: on the next turn, once Qt has
            // read what came with it (a minimise's new window state).
            if (type == XcbDestroyNotify) {
                // Also when hidden: a destroyed window is unmapped first, and
                // the unmap may have been handled already.
                QTimer::singleShot(0, window, [window] { window->close(); });
            } else if (window->isVisible()) {
                // One that the program hid itself is hidden already when its
                // unmap arrives; the window manager unmaps the windows it
                // minimises.
                QTimer::singleShot(0, window, [window] {
                    if (window->isVisible() && !window->isMinimized())
                        window->hide();
                });
            }
        }
        return false;
    }
};

} // namespace

ForeignWindowChanges::ForeignWindowChanges()
    : m_filter(std::make_unique<ForeignWindowFilter>())
{
    QCoreApplication::instance()->installNativeEventFilter(m_filter.get());
}

ForeignWindowChanges::~ForeignWindowChanges()
{
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeNativeEventFilter(m_filter.get());
}

} // namespace quantelo::platform
