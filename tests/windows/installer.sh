#!/usr/bin/env bash
# The Windows installer in a Wine prefix of its own, made fresh here, as a
# user and a deployment tool meet it: the installer's version block, then for
# the default folder and for one chosen with /D=, a silent install (/S), the
# Start-menu entries, the entry under installed programs, the program started
# from the Start-menu entry as a user starts it, then the silent uninstall
# through the entry's QuietUninstallString, which must take all of it away
# again.
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
menu_folder='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Quantelo'
menu=$(winepath -u "$menu_folder" 2>/dev/null)
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quantelo'

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }
# expect WHAT EXPECTED ACTUAL
expect() { [ "$2" = "$3" ] && ok "$1: '$3'" || fail "$1: expected '$2', got '$3'"; }
# The uninstall entry's values; reg exits with 1 where there is none.
registered() { wine reg query "$uninstall_key" </dev/null 2>/dev/null | tr -d '\r'; }
# value NAME: one value of the entry, as reg prints it after its type.
value() { registered | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }
# run_line COMMAND-LINE: runs a Windows command line as it stands, through a
# batch file (given as an argument, Wine would quote its quotes and its
# blanks), and waits for what it started.
run_line() {
    printf '@%s\r\n' "$1" >"$WINEPREFIX/drive_c/line.bat"
    wine cmd /c 'C:\line.bat' </dev/null || fail "'$1' exited with status $?"
    wineserver -w
}

# The installer's own version block (wrestool: the raw VS_VERSIONINFO, whose
# texts are UTF-16): each name is followed by its text.
version_block=$(wrestool -x --raw -t16 "$setup" | strings -el -n 1)
version_text() { grep -A1 -x "$1" <<<"$version_block" | sed -n 2p; }
expect "setup.exe's ProductName" "Quantelo1" "$(version_text ProductName)"
expect "setup.exe's CompanyName" "Kestrova" "$(version_text CompanyName)"
expect "setup.exe's ProductVersion" "1.00" "$(version_text ProductVersion)"
expect "setup.exe's FileVersion" "1.00" "$(version_text FileVersion)"
expect "setup.exe's OriginalFilename" "$(basename "$setup")" "$(version_text OriginalFilename)"

# install_and_check WINDOWS-FOLDER [SETUP-OPTION]
install_and_check() {
    local windows_folder=$1 folder
    echo "-- installed in $windows_folder"
    run_line "\"$(winepath -w "$setup" 2>/dev/null)\" /S${2:+ $2}"
    folder=$(winepath -u "$windows_folder" 2>/dev/null)
    [ -f "$folder/Quantelo-Power.exe" ] && ok "installed in $windows_folder" || fail "no $folder/Quantelo-Power.exe"
    [ -f "$folder/platforms/qwindows.dll" ] && ok "with its platform plugin" || fail "no platform plugin"
    [ -f "$folder/Uninstall.exe" ] && ok "with an uninstaller" || fail "no uninstaller"
    [ -f "$menu/Quantelo.lnk" ] && ok "Start-menu entry" || fail "no Start-menu entry in $menu"
    [ -f "$menu/Uninstall.lnk" ] && ok "Start-menu entry of the uninstaller" || fail "no Uninstall.lnk in $menu"

    # The entry under installed programs, with what deployment tools read.
    local version size kib
    version=$(wine "$folder/Quantelo-Power.exe" --version </dev/null 2>/dev/null | tr -d '\r' || true)
    expect "DisplayName" "Quantelo" "$(value DisplayName)"
    expect "DisplayVersion, as the program gives it ($version)" "${version#Quantelo }" "$(value DisplayVersion)"
    expect "Publisher" "Kestrova" "$(value Publisher)"
    expect "DisplayIcon" "$windows_folder\\Quantelo-Power.exe" "$(value DisplayIcon)"
    expect "InstallLocation" "$windows_folder" "$(value InstallLocation)"
    expect "QuietUninstallString" "\"$windows_folder\\Uninstall.exe\" /S" "$(value QuietUninstallString)"
    size=$(value EstimatedSize)
    kib=$(du -sk "$folder" | cut -f1)
    if [[ $size == 0x* ]] && [ $((size)) -ge $((kib * 9 / 10)) ] && [ $((size)) -le $((kib * 11 / 10)) ]; then
        ok "EstimatedSize $((size)) KiB for $kib KiB in the folder"
    else
        fail "EstimatedSize '$size' for $kib KiB in the folder"
    fi

    # The program started as a user starts it, from its Start-menu entry,
    # shows its main window and ends with status 0 when that window is closed.
    wine start /wait "$menu_folder\\Quantelo.lnk" </dev/null &
    local program=$! id=
    for _ in $(seq 300); do
        id=$(xdotool search --onlyvisible --name "^Kestrova's Quantelo - Find" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && break
        sleep 0.1
    done
    if [ -z "$id" ]; then
        fail "the Start-menu entry showed no main window"
        kill "$program" 2>/dev/null || true
        wineserver -k 2>/dev/null || true
    else
        expect "the Start-menu entry starts the program" "$MAIN_TITLE" "$(xdotool getwindowname "$id")"
        sleep 0.5
        xdotool windowactivate --sync "$id" key alt+F4 2>/dev/null || xdotool key alt+F4
        local status=0
        wait "$program" || status=$?
        expect "exit status of the program started from the Start menu" 0 "$status"
    fi

    # Uninstalled as a deployment tool does it, with the entry's
    # QuietUninstallString. The uninstaller copies itself away and returns at
    # once: wait for it.
    run_line "$(value QuietUninstallString)"
    for _ in $(seq 100); do
        [ -e "$folder" ] || break
        sleep 0.1
    done
    [ -e "$folder/Quantelo-Power.exe" ] && fail "the program is still installed" || ok "uninstalled the program"
    [ -e "$folder" ] && fail "the folder is left: $(ls "$folder")" || ok "removed its folder"
    [ -e "$menu" ] && fail "the Start-menu entry is left" || ok "removed the Start-menu entry"
    registered >/dev/null && fail "the uninstall entry is left" || ok "removed the uninstall entry"
}

install_and_check 'C:\Program Files\Quantelo'
install_and_check 'C:\Tools\Power calc' '/D=C:\Tools\Power calc'

[ "$failures" -eq 0 ] || { echo "$failures installer check(s) failed"; exit 1; }
echo "The installer passed every check."
