// Watches the X display for top-level windows being mapped, for the start-up
// benchmark (bench/startup). It selects SubstructureNotify on the root window,
// prints "ready" once the server has taken the selection, then for each
// MapNotify of a child of the root (without override-redirect) prints
//   map WINDOW-ID SECONDS
// with the wall-clock time of the event's arrival (the clock of bash's
// EPOCHREALTIME). It ends after COUNT maps (status 0) or after TIMEOUT
// seconds (status 1).
//   quantelo_map_watch COUNT TIMEOUT-SECONDS

#include <xcb/xcb.h>

#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

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

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s COUNT TIMEOUT-SECONDS\n", argv[0]);
        return 2;
    }
    const int count = std::atoi(argv[1]);
    const double timeout = std::atof(argv[2]);

    std::unique_ptr<xcb_connection_t, ConnectionCloser> connection(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(connection.get()) != 0) {
        std::fprintf(stderr, "cannot connect to the X display\n");
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

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout);
    pollfd watched{xcb_get_file_descriptor(connection.get()), POLLIN, 0};
    int seen = 0;
    while (seen < count) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection.get())) {
            const double arrival = wallClockSeconds();
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
                if (map->event == root && map->override_redirect == 0) {
                    std::printf("map 0x%x %.6f\n", map->window, arrival);
                    std::fflush(stdout);
                    ++seen;
                }
            }
            std::free(event);
            if (seen >= count)
                return 0;
        }
        if (xcb_connection_has_error(connection.get()) != 0) {
            std::fprintf(stderr, "lost the X display\n");
            return 2;
        }
        const auto left
            = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return 1;
        poll(&watched, 1, static_cast<int>(left.count()));
    }
    return 0;
}
