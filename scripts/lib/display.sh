# A virtual X display for scripts that show windows without a desktop.
# Sourced, not run. start_virtual_display [with-wm] sets DISPLAY and
# registers the cleanup; stop_virtual_display ends what it started.

virtual_display_pids=()

start_virtual_display() {
    local with_wm=${1:-}
    local n=99
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do
        n=$((n + 1))
    done
    # -noreset: the server must outlive each client that connects in turn.
    Xvfb ":$n" -screen 0 1280x1024x24 -dpi 96 -noreset -nolisten tcp >/dev/null 2>&1 &
    virtual_display_pids+=($!)
    export DISPLAY=":$n"
    local i
    for i in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    if [ "$with_wm" = with-wm ]; then
        openbox --sm-disable >/dev/null 2>&1 &
        virtual_display_pids+=($!)
        for i in $(seq 50); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
            sleep 0.1
        done
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

# wait_for_window TITLE-REGEX: prints the id of the visible window whose
# title matches, once it is mapped.
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
