#!/usr/bin/env bash
# The Windows installer in a Wine prefix of its own, made fresh here: a silent
# install (/S), the Start-menu entry and the entry under installed programs,
# the installed program started from its folder, then the silent uninstall,
# which must take all of it away again.
#   installer.sh SETUP.EXE
# Needs a display (DISPLAY) with a window manager.
set -euo pipefail

setup=$(realpath "$1")
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/quantelo-installer-prefix.XXXXXX")
export WINEPREFIX
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
wineboot -i </dev/null >/dev/null 2>&1

MAIN_TITLE="Kestrova's Quantelo - Find Real Power, Apparent Power in 1 Ph and 3 Ph  Installations"
folder="$WINEPREFIX/drive_c/Program Files/Quantelo"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quantelo"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quantelo'

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }
# The uninstall entry's values; reg exits with 1 where there is none.
registered() { wine reg query "$uninstall_key" </dev/null 2>/dev/null | tr -d '\r'; }

wine "$setup" /S </dev/null
wineserver -w
[ -f "$folder/Quantelo-Power.exe" ] && ok "installed in Program Files" || fail "no $folder/Quantelo-Power.exe"
[ -f "$folder/platforms/qwindows.dll" ] && ok "with its platform plugin" || fail "no platform plugin"
[ -f "$folder/Uninstall.exe" ] && ok "with an uninstaller" || fail "no uninstaller"
[ -f "$menu/Quantelo.lnk" ] && ok "Start-menu entry" || fail "no Start-menu entry in $menu"
entry=$(registered || true)
grep -q 'DisplayName.*Quantelo' <<<"$entry" && ok "listed under installed programs" ||
    fail "no uninstall entry: $entry"
grep -q 'DisplayIcon.*Quantelo-Power.exe' <<<"$entry" && ok "with the program's icon" || fail "no DisplayIcon"

# The installed program starts on its main window and ends with status 0
# when that window is closed.
(cd "$folder" && wine Quantelo-Power.exe </dev/null) &
program=$!
id=
for _ in $(seq 300); do
    id=$(xdotool search --onlyvisible --name "^Kestrova's Quantelo - Find" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] && break
    sleep 0.1
done
if [ -z "$id" ]; then
    fail "the installed program showed no main window"
    kill "$program" 2>/dev/null || true
else
    title=$(xdotool getwindowname "$id")
    [ "$title" = "$MAIN_TITLE" ] && ok "the installed program shows its main window" || fail "title '$title'"
    sleep 0.5
    xdotool windowactivate --sync "$id" key alt+F4 2>/dev/null || xdotool key alt+F4
    status=0
    wait "$program" || status=$?
    [ "$status" -eq 0 ] && ok "the installed program ends with status 0" || fail "exit status $status"
fi

# The uninstaller copies itself away and returns at once: wait for it.
wine "$folder/Uninstall.exe" /S </dev/null
wineserver -w
for _ in $(seq 100); do
    [ -e "$folder" ] || break
    sleep 0.1
done
[ -e "$folder/Quantelo-Power.exe" ] && fail "the program is still installed" || ok "uninstalled the program"
[ -e "$folder" ] && fail "the folder is left: $(ls "$folder")" || ok "removed its folder"
[ -e "$menu" ] && fail "the Start-menu entry is left" || ok "removed the Start-menu entry"
registered >/dev/null && fail "the uninstall entry is left" || ok "removed the uninstall entry"

[ "$failures" -eq 0 ] || { echo "$failures installer check(s) failed"; exit 1; }
echo "The installer passed every check."
