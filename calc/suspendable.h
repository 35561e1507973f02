#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>

// libc++ before 14 (Emscripten's) has the coroutine library only under
// its experimental name; the compiler looks it up there.
#if __has_include(<coroutine>)
#include <coroutine>
namespace quantelo::coroutine {
using std::coroutine_handle;
using std::suspend_always;
using std::suspend_never;
} // namespace quantelo::coroutine
#else
#include <experimental/coroutine>
namespace quantelo::coroutine {
using std::experimental::coroutine_handle;
using std::experimental::suspend_always;
using std::experimental::suspend_never;
} // namespace quantelo::coroutine
#endif

namespace quantelo {

// A command that can wait for the user in the middle: a coroutine that runs
// at once when called, and at each `co_await` of a message box stops until
// the box has been dismissed. Where the platform's box returns only once it
// has been dismissed (a nested event loop), the command never stops; where
// the box cannot wait (a web page has no nested event loop), the command
// goes on from the event loop when the user clicks OK.
//
// The object owns the coroutine: destroying it (with its window) ends a
// command that is still waiting, and revokes what it handed to the box (see
// untilDismissed), so nothing can resume it afterwards.
class [[nodiscard]] SuspendableCommand {
public:
    struct promise_type {
        SuspendableCommand get_return_object()
        {
            return SuspendableCommand{coroutine::coroutine_handle<promise_type>::from_promise(*this)};
        }
        coroutine::suspend_never initial_suspend() noexcept { return {}; }
        coroutine::suspend_always final_suspend() noexcept { return {}; }
        void return_void() noexcept { }
        // Nothing a command does throws; a fault is not carried on quietly.
        void unhandled_exception() noexcept { std::terminate(); }
    };

    SuspendableCommand() = default;
    SuspendableCommand(SuspendableCommand&& other) noexcept
        : m_handle(std::exchange(other.m_handle, {}))
    {
    }
    SuspendableCommand& operator=(SuspendableCommand&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_handle = std::exchange(other.m_handle, {});
        }
        return *this;
    }
    SuspendableCommand(const SuspendableCommand&) = delete;
    SuspendableCommand& operator=(const SuspendableCommand&) = delete;
    ~SuspendableCommand() { reset(); }

    // Whether the command is stopped at a message box.
    [[nodiscard]] bool waiting() const { return m_handle && !m_handle.done(); }

private:
    explicit SuspendableCommand(coroutine::coroutine_handle<promise_type> handle)
        : m_handle(handle)
    {
    }
    void reset()
    {
        if (m_handle) {
            m_handle.destroy();
            m_handle = {};
        }
    }

    coroutine::coroutine_handle<promise_type> m_handle;
};

// Called once the user has dismissed a message box. What a waiting command
// hands out is a token, not a pointer into the command: once the command has
// gone on, or has been destroyed, calling it does nothing.
using Dismissed = std::function<void()>;

namespace detail {

// What a command stopped at a message box shares with the token it handed
// out. The awaiter in the coroutine's frame owns it and the token only looks
// it up, so the frame's end revokes the token; and the guard against a second
// call lives here, outside the frame it guards.
struct BoxWait {
    coroutine::coroutine_handle<> waiting;
    bool suspended = false; // show() has returned: the command has stopped
    bool dismissed = false; // the token has been called
};

} // namespace detail

// `co_await untilDismissed(show)`: calls show(dismissed), which opens the
// box; the command goes on once `dismissed` has been called, at once if show
// called it before returning.
template <typename Show> auto untilDismissed(Show show)
{
    struct Awaiter {
        explicit Awaiter(Show opener)
            : show(std::move(opener))
        {
        }
        Show show;
        std::shared_ptr<detail::BoxWait> wait = std::make_shared<detail::BoxWait>();

        bool await_ready() const noexcept { return false; }
        bool await_suspend(coroutine::coroutine_handle<> handle)
        {
            wait->waiting = handle;
            show(Dismissed([token = std::weak_ptr<detail::BoxWait>(wait)] {
                // Held while the command goes on: the awaiter that owns it
                // ends on the way.
                const std::shared_ptr<detail::BoxWait> state = token.lock();
                if (!state || state->dismissed) {
                    return; // the command has gone, or has gone on already
                }
                state->dismissed = true;
                if (state->suspended) {
                    state->waiting.resume();
                }
            }));
            wait->suspended = !wait->dismissed;
            return wait->suspended; // dismissed already: go straight on
        }
        void await_resume() const noexcept { }
    };
    return Awaiter(std::move(show));
}

} // namespace quantelo
