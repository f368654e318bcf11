#!/usr/bin/env bash
# The Windows installer under Wine, as a user without administrator rights runs it: a silent
# install puts both programs, the help and the uninstaller under AppData\Local\Programs\Fragtide,
# a Start-menu shortcut and an uninstall entry under HKEY_CURRENT_USER; the installed
# fragtide-report.exe tells its version; a silent uninstall removes all of them again. The
# installer is a 32-bit program: Wine runs it only with wine32.
# Usage: installer_test.sh SETUP_EXE VERSION (WINEPREFIX set, as scripts/test-windows does)
set -euo pipefail
setup=$1 version=$2
fail() {
    echo "installer_test: FAILED: $*"
    exit 1
}
[ -n "${WINEPREFIX:-}" ] || fail "no WINEPREFIX (run it through scripts/test-windows)"

windows_folder() {
    local folder
    folder=$(wine cmd /c echo "%$1%" 2> /dev/null | tr -d '\r')
    winepath -u "$folder" 2> /dev/null
}
dir="$(windows_folder LOCALAPPDATA)/Programs/Fragtide"
shortcut="$(windows_folder APPDATA)/Microsoft/Windows/Start Menu/Programs/Fragtide.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Fragtide'
installed() { wine reg query "$key" > /dev/null 2>&1; }

[ ! -e "$dir" ] && ! installed || fail "Fragtide is installed already in this prefix"
timeout 120 wine "$setup" /S || fail "the installer exited with status $?"
for file in fragtide.exe fragtide-report.exe Fragtide.html uninstall.exe; do
    [ -s "$dir/$file" ] || fail "no $file in $dir (a 32-bit program needs wine32: scripts/bootstrap)"
done
[ -s "$shortcut" ] || fail "no Start-menu shortcut at $shortcut"
wine reg query "$key" /v UninstallString 2> /dev/null | tr -d '\r' | grep -q 'Fragtide\\uninstall.exe' ||
    fail "no uninstall entry under $key"
said=$(timeout 60 wine "$dir/fragtide-report.exe" --version 2> /dev/null | tr -d '\r')
[ "$said" = "fragtide-report $version" ] || fail "the installed fragtide-report.exe --version says '$said'"
echo "installer_test: installed in $dir, with its shortcut and uninstall entry"

# The uninstaller copies itself out of the folder it removes and returns at once: wait for it.
timeout 120 wine "$dir/uninstall.exe" /S || fail "the uninstaller exited with status $?"
for _ in $(seq 300); do
    [ ! -e "$dir" ] && [ ! -e "$shortcut" ] && ! installed && break
    sleep 0.2
done
[ ! -e "$dir" ] || fail "the uninstaller left $dir: $(ls -A "$dir" | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu shortcut"
! installed || fail "the uninstaller left the uninstall entry"
echo "installer_test: the uninstaller removed the programs, the help, the shortcut and the entry"
