#!/usr/bin/env bash
# Runs one end-to-end test module against the real program inside a desktop
# session of its own: a virtual X display (scripts/lib/display.sh) with a
# window manager, a D-Bus session bus, and inside it (in-session.sh) the
# accessibility bus. Everything started here is ended here.
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
# shellcheck source=scripts/lib/display.sh
source "$here/../../scripts/lib/display.sh"
# The Debian interpreter: python3-pyatspi is installed for it alone.
python=/usr/bin/python3

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
    stop_virtual_display
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
    start_virtual_display --size 1920x1200 --wm
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
dbus-run-session -- "$here/in-session.sh" "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
