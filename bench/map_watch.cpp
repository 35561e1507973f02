// Watches the X display for top-level windows being mapped and for the first
// of them to be drawn, for the start-up benchmark (bench/startup).
//
// It selects SubstructureNotify on the root window, prints "ready" once the
// server has taken the selection, then for each MapNotify of a child of the
// root (without override-redirect) prints
//   map WINDOW-ID SECONDS
// with the wall-clock time of the event's arrival (the clock of bash's
// EPOCHREALTIME). For the first window mapped it also prints, once no pixel
// of it has been drawn for QUIET-MS milliseconds,
//   frame WINDOW-ID SECONDS CHANGES
// where SECONDS is the moment its pixels last changed (its first finished
// frame) and CHANGES how many times they changed after the map.
//
// How the last change is found: a DAMAGE object on every top-level window,
// created when the window is, reports each drawing into it. After each
// report (once the reports queued so far are taken) the window's pixels are
// read back with GetImage and compared with the previous read. A read that
// differs dates the change to the arrival of the latest report it covers;
// reports that arrive while the read is under way are covered by it and are
// dated at the read's reply, which can only make the change later, never
// earlier. Reports that leave the pixels as they were are not changes.
//
// It ends after COUNT maps and the frame line (status 0) or after TIMEOUT
// seconds (status 1).
//   quantelo_map_watch COUNT TIMEOUT-SECONDS [QUIET-MS]   (default 400)

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <vector>

namespace {

double wallClockSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct ConnectionCloser {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};

struct FreeDeleter {
    void operator()(void* pointer) const { std::free(pointer); }
};

// A top-level window being watched.
struct Watched {
    xcb_damage_damage_t damage = XCB_NONE;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
};

// The first window mapped: its drawing and its last change.
struct FirstFrame {
    xcb_window_t window = XCB_NONE;
    bool damaged = false;  // a report not yet covered by a read
    double lastReport = 0; // arrival of the latest report
    double lastChange = 0; // when the pixels last changed
    bool read = false;     // pixels read at least once after the map
    int changes = 0;
    bool reported = false;
    std::vector<std::uint8_t> pixels;
};

class Watcher {
public:
    Watcher(xcb_connection_t* connection, std::uint8_t damageEvent)
        : m_connection(connection)
        , m_damageEvent(damageEvent)
    {
    }

    // Takes one event; `arrival` is when it was read from the connection.
    void take(const xcb_generic_event_t& event, double arrival)
    {
        const int type = event.response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto& create = reinterpret_cast<const xcb_create_notify_event_t&>(event);
            if (create.override_redirect != 0 || m_windows.count(create.window) != 0)
                return;
            Watched watched;
            watched.damage = xcb_generate_id(m_connection);
            watched.width = create.width;
            watched.height = create.height;
            xcb_damage_create(m_connection, watched.damage, create.window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            m_windows[create.window] = watched;
        } else if (type == XCB_CONFIGURE_NOTIFY) {
            const auto& configure = reinterpret_cast<const xcb_configure_notify_event_t&>(event);
            const auto found = m_windows.find(configure.window);
            if (found != m_windows.end()) {
                found->second.width = configure.width;
                found->second.height = configure.height;
            }
        } else if (type == XCB_MAP_NOTIFY) {
            const auto& map = reinterpret_cast<const xcb_map_notify_event_t&>(event);
            if (map.event != m_root || map.override_redirect != 0)
                return;
            std::printf("map 0x%x %.6f\n", map.window, arrival);
            std::fflush(stdout);
            ++m_maps;
            if (m_first.window == XCB_NONE) {
                m_first.window = map.window;
                // Whatever the window shows now counts as drawn after the map.
                m_first.damaged = true;
                m_first.lastReport = arrival;
            }
        } else if (type == m_damageEvent) {
            const auto& notify = reinterpret_cast<const xcb_damage_notify_event_t&>(event);
            // Taken: the next drawing reports again.
            xcb_damage_subtract(m_connection, notify.damage, XCB_NONE, XCB_NONE);
            if (m_first.window != XCB_NONE && notify.drawable == m_first.window) {
                m_first.damaged = true;
                m_first.lastReport = arrival;
            }
        }
    }

    // Reads the first window's pixels back if it was drawn into since the
    // last read, and dates a change.
    void readBackIfDrawn()
    {
        if (!m_first.damaged || m_first.reported)
            return;
        const auto found = m_windows.find(m_first.window);
        if (found == m_windows.end())
            return;
        m_first.damaged = false;
        double covered = m_first.lastReport;
        const xcb_get_image_cookie_t cookie = xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_first.window, 0,
                                                            0, found->second.width, found->second.height, ~0U);
        std::unique_ptr<xcb_get_image_reply_t, FreeDeleter> reply(xcb_get_image_reply(m_connection, cookie, nullptr));
        const double replied = wallClockSeconds();
        // Reports that came in while waiting were drawn before the read.
        while (xcb_generic_event_t* queued = xcb_poll_for_queued_event(m_connection)) {
            take(*queued, replied);
            std::free(queued);
            if (m_first.damaged) {
                m_first.damaged = false;
                covered = replied;
            }
        }
        if (!reply)
            return;
        const std::uint8_t* data = xcb_get_image_data(reply.get());
        const int length = xcb_get_image_data_length(reply.get());
        const bool same = m_first.read && static_cast<std::size_t>(length) == m_first.pixels.size()
            && std::equal(data, data + length, m_first.pixels.begin());
        if (!same) {
            m_first.pixels.assign(data, data + length);
            m_first.lastChange = covered;
            ++m_first.changes;
        }
        m_first.read = true;
    }

    // Prints the frame line once the first window has been quiet long enough.
    void reportIfQuiet(double quietSeconds)
    {
        if (m_first.reported || !m_first.read || m_first.damaged)
            return;
        if (wallClockSeconds() - m_first.lastReport < quietSeconds)
            return;
        std::printf("frame 0x%x %.6f %d\n", m_first.window, m_first.lastChange, m_first.changes);
        std::fflush(stdout);
        m_first.reported = true;
    }

    void setRoot(xcb_window_t root) { m_root = root; }
    [[nodiscard]] int maps() const { return m_maps; }
    [[nodiscard]] bool frameReported() const { return m_first.reported; }
    [[nodiscard]] bool waitingForQuiet() const { return m_first.read && !m_first.reported; }

private:
    xcb_connection_t* m_connection;
    std::uint8_t m_damageEvent;
    xcb_window_t m_root = XCB_NONE;
    std::map<xcb_window_t, Watched> m_windows;
    FirstFrame m_first;
    int m_maps = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s COUNT TIMEOUT-SECONDS [QUIET-MS]\n", argv[0]);
        return 2;
    }
    const int count = std::atoi(argv[1]);
    const double timeout = std::atof(argv[2]);
    const double quiet = (argc == 4 ? std::atof(argv[3]) : 400.0) / 1000.0;

    std::unique_ptr<xcb_connection_t, ConnectionCloser> connection(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(connection.get()) != 0) {
        std::fprintf(stderr, "cannot connect to the X display\n");
        return 2;
    }
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection.get(), &xcb_damage_id);
    if (extension == nullptr || extension->present == 0) {
        std::fprintf(stderr, "the X display has no DAMAGE extension\n");
        return 2;
    }
    std::unique_ptr<xcb_damage_query_version_reply_t, FreeDeleter> version(xcb_damage_query_version_reply(
        connection.get(),
        xcb_damage_query_version(connection.get(), XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION), nullptr));
    if (!version) {
        std::fprintf(stderr, "cannot use the DAMAGE extension\n");
        return 2;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection.get())).data;
    const xcb_window_t root = screen->root;

    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const xcb_void_cookie_t selected
        = xcb_change_window_attributes_checked(connection.get(), root, XCB_CW_EVENT_MASK, &mask);
    // The check is a round trip: the selection is in force once it returns.
    if (xcb_generic_error_t* error = xcb_request_check(connection.get(), selected)) {
        std::fprintf(stderr, "cannot select SubstructureNotify on the root window (error %d)\n", error->error_code);
        std::free(error);
        return 2;
    }
    std::printf("ready\n");
    std::fflush(stdout);

    Watcher watcher(connection.get(), static_cast<std::uint8_t>(extension->first_event + XCB_DAMAGE_NOTIFY));
    watcher.setRoot(root);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout);
    pollfd watched{xcb_get_file_descriptor(connection.get()), POLLIN, 0};
    while (watcher.maps() < count || !watcher.frameReported()) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection.get())) {
            watcher.take(*event, wallClockSeconds());
            std::free(event);
        }
        watcher.readBackIfDrawn();
        watcher.reportIfQuiet(quiet);
        xcb_flush(connection.get());
        if (watcher.maps() >= count && watcher.frameReported())
            break;
        if (xcb_connection_has_error(connection.get()) != 0) {
            std::fprintf(stderr, "lost the X display\n");
            return 2;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return 1;
        // While waiting for quiet, wake up in time to see it.
        if (watcher.waitingForQuiet())
            left = std::min(left, std::chrono::milliseconds(10));
        poll(&watched, 1, static_cast<int>(left.count()));
    }
    return 0;
}
