#!/usr/bin/env bash
# Runs one end-to-end test module against the real program inside a desktop
# session of its own: a virtual X display, a window manager, a D-Bus session
# bus and the accessibility bus. Everything started here is ended here.
#   run-session.sh [--wayland] PROGRAM TEST [TEST...]
# TEST names what `python3 -m unittest` runs, e.g. test_program or
# test_conditions.DarkPalette. Needs Xvfb, openbox, dbus-run-session,
# at-spi2-core, xdotool, x11-utils, ImageMagick and python3-pyatspi.
# With --wayland the session is a headless Wayland compositor (weston, with
# its screenshot protocol enabled) instead of the X display and the window
# manager; it needs weston and qt6-wayland instead of Xvfb, openbox, xdotool
# and x11-utils.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The Debian interpreter: python3-pyatspi is installed for it alone.
python=/usr/bin/python3
# The last resort against a hang; each wait in the tests has its own timeout.
session_timeout=${QUANTELO_E2E_TIMEOUT:-240}

if [ "${1:-}" = --in-session ]; then
    shift
    display_kind=$1
    shift
    # Inside dbus-run-session: the session bus is up, DISPLAY is set.
    pids=()
    end_session() {
        local pid
        for pid in "${pids[@]}"; do
            kill "$pid" 2>/dev/null || true
        done
        for pid in "${pids[@]}"; do
            wait "$pid" 2>/dev/null || true
        done
    }
    trap end_session EXIT

    if [ "$display_kind" = x11 ]; then
        openbox --sm-disable >/dev/null 2>&1 &
        pids+=($!)
    fi
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    pids+=($!)

    has_owner() {
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true'
    }
    wm_ready=no a11y_ready=no
    # The Wayland compositor is its own window manager, ready before this.
    [ "$display_kind" = wayland ] && wm_ready=yes
    for _ in $(seq 100); do
        [ $wm_ready = yes ] || xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && wm_ready=yes
        has_owner org.a11y.Bus && a11y_ready=yes
        [ $wm_ready = yes ] && [ $a11y_ready = yes ] && break
        sleep 0.1
    done
    if [ $wm_ready != yes ] || [ $a11y_ready != yes ]; then
        echo "session not ready: window manager $wm_ready, accessibility bus $a11y_ready" >&2
        exit 1
    fi

    status=0
    (cd "$here" && timeout --kill-after=5 "$session_timeout" "$python" -W ignore::DeprecationWarning -m unittest -v "$@") || status=$?
    [ $status -eq 124 ] && echo "the tests did not end within $session_timeout s" >&2
    exit $status
fi

display_kind=x11
if [ "${1:-}" = --wayland ]; then
    display_kind=wayland
    shift
fi
if [ $# -lt 2 ]; then
    echo "usage: $0 [--wayland] PROGRAM TEST [TEST...]" >&2
    exit 2
fi
program=$1
shift
[ -x "$program" ] || {
    echo "no program at $program" >&2
    exit 1
}
# The tests run in their own folder.
export QUANTELO_PROGRAM=$(realpath "$program")
[ -z "${QUANTELO_SCREENSHOT:-}" ] || QUANTELO_SCREENSHOT=$(realpath -m "$QUANTELO_SCREENSHOT")
export PYTHONDONTWRITEBYTECODE=1 # nothing written into the source tree

missing=()
tools=(dbus-run-session dbus-send timeout /usr/libexec/at-spi-bus-launcher)
if [ $display_kind = x11 ]; then
    tools+=(Xvfb openbox xdotool xprop xwininfo import)
else
    tools+=(weston weston-screenshooter convert)
fi
for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
"$python" -c 'import pyatspi' 2>/dev/null || missing+=(python3-pyatspi)
if [ ${#missing[@]} -gt 0 ]; then
    echo "missing for the end-to-end tests: ${missing[*]} (scripts/test installs them)" >&2
    exit 1
fi

work=$(mktemp -d)
server=
cleanup() {
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# Nothing of the caller's desktop may leak in: ctest may run in one, or in none.
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER
unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR GTK_THEME
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME"

if [ $display_kind = x11 ]; then
    # -displayfd: the server picks a free display itself, so sessions run side
    # by side. -noreset: it must outlive each client that connects in turn.
    Xvfb -displayfd 3 -screen 0 1920x1200x24 -dpi 96 -noreset -nolisten tcp 3>"$work/display" \
        >"$work/server.log" 2>&1 &
    server=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$work/display" ]; then
        echo "Xvfb did not start:" >&2
        cat "$work/server.log" >&2
        exit 1
    fi
    export DISPLAY=:$(tr -d '\n' <"$work/display")
else
    unset DISPLAY
    # No panel, a plain background (so that a screenshot can be trimmed to
    # the windows), no screen blanking. The runtime folder is this session's
    # own, so the socket name is free. --debug enables the screenshot
    # protocol that weston-screenshooter uses.
    cat >"$work/weston.ini" <<'INI'
[core]
idle-time=0
[shell]
background-color=0xff3c4650
panel-position=none
locking=false
INI
    export WAYLAND_DISPLAY=quantelo-e2e
    weston --backend=headless-backend.so --use-pixman --width=1280 --height=800 --debug \
        --socket="$WAYLAND_DISPLAY" --config="$work/weston.ini" >"$work/server.log" 2>&1 &
    server=$!
    for _ in $(seq 100); do
        [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
        sleep 0.1
    done
    if [ ! -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]; then
        echo "weston did not start:" >&2
        cat "$work/server.log" >&2
        exit 1
    fi
fi

# dbus-run-session ends its bus when the command ends.
dbus-run-session -- "${BASH_SOURCE[0]}" --in-session "$display_kind" "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
