# The one way the scripts and tests start a virtual X display. Sourced, not
# run.
#
#   start_virtual_display [--size WxH] [--wm]
#       starts Xvfb on a free display (at 96 dots per inch), and with --wm the
#       openbox window manager on it; exports DISPLAY. Default size 1280x1024.
#       If either does not start, it ends what it started and fails.
#   stop_virtual_display
#       ends what start_virtual_display started. Callers run it on every
#       exit (trap ... EXIT), not only after success.
#   wait_for_window TITLE-REGEX
#       prints the id of the visible window whose title matches, once mapped.

virtual_display_pids=()

start_virtual_display() {
    local size=1280x1024 with_wm=no
    while [ $# -gt 0 ]; do
        case $1 in
        --size) size=$2; shift 2 ;;
        --wm) with_wm=yes; shift ;;
        *) echo "start_virtual_display: unknown option $1" >&2; return 2 ;;
        esac
    done
    local fd_file
    fd_file=$(mktemp)
    # -displayfd: the server picks a free display itself, so displays started
    # side by side never collide. -noreset: the server must outlive each
    # client that connects in turn.
    Xvfb -displayfd 3 -screen 0 "${size}x24" -dpi 96 -noreset -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
    virtual_display_pids+=($!)
    local i
    for i in $(seq 100); do
        [ -s "$fd_file" ] && break
        sleep 0.1
    done
    if [ ! -s "$fd_file" ]; then
        rm -f "$fd_file"
        stop_virtual_display
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$(tr -d '\n' <"$fd_file")"
    rm -f "$fd_file"
    if [ "$with_wm" = yes ]; then
        openbox --sm-disable >/dev/null 2>&1 &
        virtual_display_pids+=($!)
        for i in $(seq 50); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
            sleep 0.1
        done
        stop_virtual_display
        echo "openbox did not start on $DISPLAY" >&2
        return 1
    fi
}

stop_virtual_display() {
    local pid
    for pid in "${virtual_display_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait "${virtual_display_pids[@]}" 2>/dev/null || true
    virtual_display_pids=()
}

wait_for_window() {
    local id i
    for i in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    echo "no window matching '$1' appeared" >&2
    return 1
}
