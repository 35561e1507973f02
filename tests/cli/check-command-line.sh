#!/bin/sh
# Runs the program with each row of the table below and checks its exit
# status and a text its output must hold. No row needs a display: the
# program must answer them all before it opens one.
# Usage: check-command-line.sh PROGRAM VERSION-TEXT
set -u
program=$1 version=$2
failures=0

# check NAME STATUS TEXT COMMAND...: TEXT is a fixed string looked for in
# stdout and stderr together; "" checks the status alone.
check() {
    name=$1 want_status=$2 want_text=$3
    shift 3
    output=$("$@" 2>&1)
    status=$?
    if [ "$status" -ne "$want_status" ]; then
        echo "FAIL $name: exit status $status, expected $want_status; output:"
        echo "$output"
        failures=$((failures + 1))
    elif [ -n "$want_text" ] && ! printf '%s\n' "$output" | grep -qF -- "$want_text"; then
        echo "FAIL $name: no '$want_text' in:"
        echo "$output"
        failures=$((failures + 1))
    else
        echo "ok   $name"
    fi
}

no_display="env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM"
check version-long          0 "Quantelo $version"  $no_display "$program" --version
check version-short         0 "Quantelo $version"  $no_display "$program" -v
check help-lists-help       0 "-h, --help"         $no_display "$program" --help
check help-lists-version    0 "-v, --version"      $no_display "$program" --help
check unknown-option        2 "Unknown option 'frobnicate'" $no_display "$program" --frobnicate
check unknown-single-dash   2 "Usage: Quantelo-Power" $no_display "$program" -frobnicate
check stray-argument        2 "unexpected argument 'file.txt'" $no_display "$program" file.txt
# Windows' help switches are not options here.
check no-question-mark      2 "Unknown option '?'" $no_display "$program" '-?'
check no-slash-question     2 "unexpected argument '/?'" $no_display "$program" '/?'
check qt-option-not-ours    2 "Unknown option 'platform'" $no_display "$program" -platform=offscreen
# Text that cannot be written (a full disk) is a failure, with a message.
check help-to-full-disk     3 "cannot write to standard output" \
    sh -c '"$0" --help >/dev/full' "$program"
check version-to-full-disk  3 "cannot write to standard output" \
    sh -c '"$0" --version >/dev/full' "$program"
check no-display            1 "neither DISPLAY nor WAYLAND_DISPLAY is set" $no_display "$program"
# A display that is named but cannot be reached: Qt's platform plugin fails,
# which must end the program with status 1, not an abort.
check unreachable-display   1 "cannot open a window on the display" \
    env -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM DISPLAY=:32123 "$program"

# An unknown option gives one line, on stderr, and nothing on stdout.
lines=$($no_display "$program" --frobnicate 2>&1 >/dev/null | wc -l)
out=$($no_display "$program" --frobnicate 2>/dev/null)
if [ "$lines" -ne 1 ] || [ -n "$out" ]; then
    echo "FAIL unknown-option-one-line: $lines lines on stderr, stdout '$out'"
    failures=$((failures + 1))
fi
[ "$failures" -eq 0 ]
