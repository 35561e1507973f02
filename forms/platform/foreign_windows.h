#pragma once

#include <memory>

class QAbstractNativeEventFilter;

namespace quantelo::platform {

// What another program does to this one's windows. On X11 any client may
// destroy or unmap any window; Qt then still counts the window as open and
// shown, so it would never come back and the program would never end. A
// destroyed window is closed as if the user had closed it (discarded: the
// next request makes a new one); an unmapped one is hidden (the next request
// shows it again). Either way the program still ends with its last window on
// the screen. A window that is minimised, or that the program hides itself,
// is left as it is. Watches from construction to destruction. One file for
// each platform (foreign_windows_unix.cpp, foreign_windows_windows.cpp,
// foreign_windows_web.cpp); where no other program can do either, it
// watches nothing.
class ForeignWindowChanges {
public:
    ForeignWindowChanges();
    ~ForeignWindowChanges();
    ForeignWindowChanges(const ForeignWindowChanges&) = delete;
    ForeignWindowChanges& operator=(const ForeignWindowChanges&) = delete;
    ForeignWindowChanges(ForeignWindowChanges&&) = delete;
    ForeignWindowChanges& operator=(ForeignWindowChanges&&) = delete;

private:
    std::unique_ptr<QAbstractNativeEventFilter> m_filter;
};

} // namespace quantelo::platform
