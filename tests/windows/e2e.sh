#!/usr/bin/env bash
# The Windows program end to end, as a user of the portable folder meets it:
# Quantelo-Power.exe started under Wine from the unpacked zip (so every DLL
# and plugin it needs must be in the folder), on a virtual X display with a
# window manager, driven with real keystrokes (xdotool) and read back the way
# a user takes a value away: Tab to the box, Ctrl+A, Ctrl+C, and the
# clipboard, which Wine shares with X (xclip).
#   e2e.sh FOLDER [SCREENSHOT-DIR]
# Needs an initialised Wine prefix (WINEPREFIX) and a display (DISPLAY); with
# SCREENSHOT-DIR it saves the main window, the single-phase calculator, its
# power-factor message box and a text box's context menu.
set -euo pipefail

folder=$1
shots=${2:-}
exe=$folder/Quantelo-Power.exe
[ -f "$exe" ] || { echo "no program at $exe" >&2; exit 1; }
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Only what is in the folder: no DLL from elsewhere.
unset WINEPATH

MAIN_TITLE="Kestrova's Quantelo - Find Real Power, Apparent Power in 1 Ph and 3 Ph  Installations"
SINGLE_TITLE="Kestrova's Quantelo - Real-Apparent Power - 1 Phase -  L- N  Voltage"
MESSAGE_TITLE="Quantelo1"

failures=0
check() { # what expected actual
    if [ "$2" = "$3" ]; then
        echo "ok: $1: '$3'"
    else
        echo "FAILED: $1: expected '$2', got '$3'"
        failures=$((failures + 1))
    fi
}

# Prints the id of the visible window titled exactly $1, once there.
wait_window() {
    local pattern id i
    pattern=$(printf '%s' "$1" | sed 's/[][().*+?^$|\\]/\\&/g')
    for i in $(seq 300); do
        id=$(xdotool search --onlyvisible --name "^${pattern}\$" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    echo "no window titled '$1'" >&2
    return 1
}

wait_gone() {
    local pattern i
    pattern=$(printf '%s' "$1" | sed 's/[][().*+?^$|\\]/\\&/g')
    for i in $(seq 100); do
        xdotool search --onlyvisible --name "^${pattern}\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    echo "window '$1' is still there" >&2
    return 1
}

# Waits until the window with id $1 has the keyboard focus.
wait_active() {
    local i
    for i in $(seq 100); do
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0
        xdotool windowactivate "$1" 2>/dev/null || true
        sleep 0.1
    done
    echo "window $1 never became active" >&2
    return 1
}

key() { xdotool key --delay 60 "$@"; sleep 0.2; }

# The clipboard after Ctrl+A, Ctrl+C in the focused box. The clipboard is
# emptied first, so a copy that did not happen cannot pass for one.
copied() {
    printf '' | xclip -selection clipboard -i
    key ctrl+a ctrl+c
    local i text=
    for i in $(seq 50); do
        text=$(xclip -selection clipboard -o 2>/dev/null || true)
        [ -n "$text" ] && break
        sleep 0.1
    done
    printf '%s' "$text"
}

# The single-phase window's input status (lbl8) as it reads: its rectangle
# (7080, 2400, 3015 x 500 twips in the client area, 15 twips a pixel) cut
# from the screen, its white on grey made black on white, four times the
# size, and read by Tesseract. Polls until it reads $1, and prints what it
# read last.
status_reads() {
    local i x y text='' picture
    picture=$(mktemp --suffix=.png)
    for i in $(seq 20); do
        x=$(xwininfo -id "$single" | sed -n 's/^ *Absolute upper-left X: *//p')
        y=$(xwininfo -id "$single" | sed -n 's/^ *Absolute upper-left Y: *//p')
        import -window root -crop "201x33+$((x + 472))+$((y + 160))" +repage "$picture"
        convert "$picture" -colorspace gray -resize 400% -threshold 70% -negate \
            -bordercolor white -border 20 "$picture"
        text=$(tesseract "$picture" stdout --psm 7 2>/dev/null | tr -d '\f' | sed '/^$/d')
        [ "$text" = "$1" ] && break
        sleep 0.2
    done
    rm -f "$picture"
    printf '%s' "$text"
}

cd "$folder"
# A GUI program, yet --version reaches the terminal: through a pipe, and from
# a console window's command line (cmd), whose console it borrows.
check "--version through a pipe" "Quantelo 1.00" "$(wine Quantelo-Power.exe --version </dev/null | tr -d '\r')"
check "--version from cmd" "Quantelo 1.00" "$(wine cmd /c Quantelo-Power.exe --version </dev/null 2>/dev/null | tr -d '\r')"
status=0
wine Quantelo-Power.exe --no-such-option </dev/null >/dev/null 2>&1 || status=$?
check "exit status on a wrong option" 2 "$status"
# -? and /?, as Windows programs answer them: the help, as --help prints it.
help=$(wine Quantelo-Power.exe --help </dev/null | tr -d '\r')
check "the help lists -?" yes "$(grep -qF -- '-?, -h, --help' <<<"$help" && echo yes || echo "$help")"
for switch in '-?' '/?'; do
    out=$(wine Quantelo-Power.exe "$switch" </dev/null | tr -d '\r') || true
    check "$switch prints the help" yes "$([ "$out" = "$help" ] && echo yes || echo "$out")"
done
# A platform plugin that the folder lacks: Qt says so in a box; once that is
# dismissed, the program names the cause in Windows terms, not the display's,
# and ends with status 1.
errors=$(mktemp)
wine Quantelo-Power.exe -platform minimal </dev/null >/dev/null 2>"$errors" &
failing=$!
for i in $(seq 300); do
    kill -0 "$failing" 2>/dev/null || break
    box=$(xdotool search --onlyvisible --name '^Quantelo-Power$' 2>/dev/null | head -n 1) || true
    [ -z "$box" ] || { xdotool windowactivate --sync "$box" key Return 2>/dev/null || true; }
    sleep 0.1
done
status=0
wait "$failing" || status=$?
check "exit status without its platform plugin" 1 "$status"
cause=$(tr -d '\r' <"$errors" | grep '^Quantelo-Power: ' || true)
check "the cause, in Windows terms" yes \
    "$(grep -q 'no Qt platform plugin could be loaded.*next to Quantelo-Power.exe' <<<"$cause" &&
        ! grep -q DISPLAY <<<"$cause" && echo yes || echo "$cause")"
rm -f "$errors"

wine Quantelo-Power.exe &
program=$!

main=$(wait_window "$MAIN_TITLE")
wait_active "$main"
sleep 1
[ -z "$shots" ] || import -window "$main" -frame "$shots/windows-main.png"

key alt+r
single=$(wait_window "$SINGLE_TITLE")
wait_active "$single"
xdotool type --delay 60 230; key Tab
xdotool type --delay 60 10; key Tab
xdotool type --delay 60 0.8
key alt+s
# Solve leaves the focus on Clear; two Tabs on are the results, two back
# the power factor.
key Tab Tab
check "apparent power (kVA)" "2.3" "$(copied)"
key Tab
check "real power (kW)" "1.8" "$(copied)"
key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
check "power factor, rewritten" "0.80" "$(copied)"
[ -z "$shots" ] || import -window "$single" -frame "$shots/windows-single-phase.png"

# A power factor above 1: the modal message box, read with Ctrl+C as on any
# Windows message box.
key ctrl+a
xdotool type --delay 60 1.5
key alt+s
box=$(wait_window "$MESSAGE_TITLE")
wait_active "$box"
[ -z "$shots" ] || { sleep 0.5; import -window "$box" -frame "$shots/windows-message-box.png"; }
printf '' | xclip -selection clipboard -i
key ctrl+c
message=$(xclip -selection clipboard -o 2>/dev/null || true)
case $message in
*"PF value should be between 0.00 and 1.00"*) check "power-factor message" ok ok ;;
*) check "power-factor message" "PF value should be between 0.00 and 1.00" "$message" ;;
esac
# Solve waits at the box: behind it the input status reads what Solve wrote
# before opening it, and what it writes after only once OK is pressed. The
# box is moved off the status first.
xdotool windowmove --sync "$box" 0 0 || xdotool windowmove "$box" 0 0
wait_active "$box"
check "input status behind the box" "Invalid PF value" "$(status_reads "Invalid PF value")"
key Return
wait_gone "$MESSAGE_TITLE"
wait_active "$single"
check "input status after OK" "Enter Power Factor" "$(status_reads "Enter Power Factor")"
if [ -n "$shots" ]; then
    # The power factor box's context menu (the Menu key) over its window: the
    # window's area of the screen.
    key shift+Tab shift+Tab Menu
    sleep 1
    import -window "$single" -frame -screen "$shots/windows-context-menu.png"
    key Escape
fi

# Closing the last window ends the program, with status 0.
key alt+F4
wait_gone "$SINGLE_TITLE"
wait_active "$main"
key alt+F4
status=0
for i in $(seq 100); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$program" 2>/dev/null; then
    echo "FAILED: the program did not end with its last window"
    kill "$program"
    failures=$((failures + 1))
else
    wait "$program" || status=$?
    check "exit status" 0 "$status"
fi

[ "$failures" -eq 0 ] || { echo "$failures end-to-end check(s) failed"; exit 1; }
echo "The Windows program passed every end-to-end check."
