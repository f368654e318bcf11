#!/usr/bin/env bash
# The Win32 window under Wine on a virtual display: fragtide.exe started with a log (a quoted path
# with spaces, as Windows passes it) opens with the caption of the stored game and the General
# Info report of that log; View, Who Killed Whom opens the matrix, whose Copy puts it on the
# clipboard and whose frozen names scroll and select with the counts; Browse with two logs chosen together shows "2 files" and analyses them as one;
# File, Export Report... offers their folder's name and writes the same page as
# fragtide-report --export of that folder (when REPORT_EXE is given); File, Game Select opens its
# dialog with that game chosen and says what it reads. Pictures of the main window, the main
# window resized, the matrix and Game Select go to OUT. Without Xvfb, xwd or ImageMagick it says
# it is skipped and exits 77 (ctest's skip), never 0.
# Usage: window_test.sh FRAGTIDE_EXE PROBE_EXE LOG OUT [REPORT_EXE]
set -euo pipefail
exe=$1 probe=$2 log=$3 out=$4 report=${5:-}
skip() {
    echo "window_test: skipped: $*"
    exit 77
}
command -v Xvfb > /dev/null || skip "Xvfb is not installed (scripts/bootstrap installs it)"
command -v xwd > /dev/null || skip "xwd is not installed (x11-apps)"
convert=""
for c in convert-im6.q16 magick /usr/bin/convert; do
    if command -v "$c" > /dev/null && "$c" -version 2> /dev/null | grep -q ImageMagick; then
        convert=$c
        break
    fi
done
[ -n "$convert" ] || skip "ImageMagick is not installed"
[ -n "${WINEPREFIX:-}" ] || skip "no WINEPREFIX (run it through scripts/test-windows)"

tmp=$(mktemp -d)
xvfb=""
wine_pid=""
cleanup() {
    [ -n "$wine_pid" ] && kill "$wine_pid" 2> /dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2> /dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5> "$tmp/display" 2> "$tmp/xvfb.log" &
xvfb=$!
for _ in $(seq 50); do
    [ -s "$tmp/display" ] && break
    sleep 0.1
done
[ -s "$tmp/display" ] || skip "Xvfb cannot start here: $(tail -1 "$tmp/xvfb.log")"
export DISPLAY=":$(head -1 "$tmp/display")"

fail() {
    echo "window_test: FAILED: $*"
    exit 1
}
shot() {
    xwd -root -silent -display "$DISPLAY" > "$tmp/shot.xwd"
    "$convert" "xwd:$tmp/shot.xwd" "png:$1"
    echo "window_test: screenshot $1"
}

mkdir -p "$out" "$tmp/my logs"
cp "$log" "$tmp/my logs/Match 1.LOG"
cp "$log" "$tmp/my logs/Match 2.LOG"
windows_log=$(winepath -w "$tmp/my logs/Match 1.LOG" 2> /dev/null)
desktop=fragtide-test
# The prefix is shared with the settings tests, which store other games: start from no stored
# choice, so the window opens with the default game whatever ran before. /reg:64: with wine32
# installed, `wine reg` is the 32-bit reg.exe, which would see the 32-bit programs' HKLM\Software.
wine reg delete 'HKCU\Software\Fragtide' /f /reg:64 > /dev/null 2>&1 || true
wine reg delete 'HKLM\Software\Fragtide' /f /reg:64 > /dev/null 2>&1 || true
# A Wine desktop of its own draws the window frames that a bare X display would lack.
# One argument with spaces: Wine quotes it on the command line, as Windows Explorer does.
wine explorer "/desktop=$desktop,900x600" "$exe" "$windows_log" > "$tmp/wine.log" 2>&1 &
wine_pid=$!

export FRAGTIDE_PROBE_DESKTOP=$desktop
timeout 120 wine "$probe" main 90 > "$tmp/main.txt" 2> "$tmp/probe.log" || {
    cat "$tmp/probe.log" "$tmp/wine.log"
    fail "the main window did not open"
}
tr -d '\r' < "$tmp/main.txt" > "$tmp/main.clean"
cat "$tmp/main.clean"
grep -qx 'title: Fragtide (analyzing Quake I : Standard log files)' "$tmp/main.clean" || fail "caption"
grep -qx 'file: match 1.log' "$tmp/main.clean" || fail "txtFile"
grep -qx 'lst: LIST OF ALL KILLS PER WEAPON:' "$tmp/main.clean" || fail "no General Info report"
[ "$(grep -c '^lst: ' "$tmp/main.clean")" -gt 5 ] || fail "the report is too short"
grep -q '^players: Total players : [1-9]' "$tmp/main.clean" || fail "no players counted"
sleep 1  # the last repaint
shot "$out/win32-main.png"

# A user's drag to a larger frame: every control is drawn again at its new place.
timeout 30 wine "$probe" resize 10 890 590 > /dev/null 2>&1 || fail "cannot resize the main window"
sleep 1
shot "$out/win32-resized.png"

timeout 60 wine "$probe" whokilledwhom 30 > "$tmp/wkw.txt" 2> "$tmp/probe.log" || {
    cat "$tmp/probe.log"
    fail "Who Killed Whom did not open"
}
tr -d '\r' < "$tmp/wkw.txt" > "$tmp/wkw.clean"
cat "$tmp/wkw.clean"
grep -qx 'wkw: Who Killed Whom' "$tmp/wkw.clean" || fail "who-killed-whom title"
grep -qx 'over main: yes' "$tmp/wkw.clean" || fail "who killed whom did not open over the main window"
grep -qx 'size: 6 7' "$tmp/wkw.clean" || fail "who killed whom: not five killers, a total row, five victims, name and total"
grep -qx 'names: 6' "$tmp/wkw.clean" || fail "who killed whom: the frozen names are not the five killers and the total"
# Worked by hand from the log; "Joël" is its Windows-1252 byte 0xEB, decoded once.
grep -qxP 'copy: \tThorn\tJoël\tVexa\tMordecai\tBig Lou\tTotal' "$tmp/wkw.clean" || fail "who killed whom: victims"
grep -qxP 'copy: Thorn\t0\t1\t2\t1\t1\t5' "$tmp/wkw.clean" || fail "who killed whom: Thorn's row"
grep -qxP 'copy: Total\t5\t2\t5\t2\t5\t19' "$tmp/wkw.clean" || fail "who killed whom: totals"
# Made small, so that it scrolls both ways: the names follow the counts' rows and selection, the
# counts follow the names' wheel, and a victim's heading shows its name in a tip.
# The probe draws the window and its tip: a screenshot of the root window leaves both out.
timeout 60 wine "$probe" wkw-scroll 10 300 180 "$(winepath -w "$tmp/wkw.bmp" 2> /dev/null)" \
    "$(winepath -w "$tmp/tip.bmp" 2> /dev/null)" > "$tmp/scroll.txt" 2> "$tmp/probe.log" || {
    cat "$tmp/probe.log"
    fail "cannot scroll Who Killed Whom"
}
tr -d '\r' < "$tmp/scroll.txt" > "$tmp/scroll.clean"
cat "$tmp/scroll.clean"
grep -qxE 'tops: ([1-9]) \1' "$tmp/scroll.clean" || fail "who killed whom: the names did not follow the counts to the last row"
grep -qx 'selected: 5 5' "$tmp/scroll.clean" || fail "who killed whom: the names did not follow the selection"
grep -qxE 'wheel tops: ([1-9]) \1' "$tmp/scroll.clean" || fail "who killed whom: the counts did not follow the names' wheel"
grep -qxE 'tip: (Thorn|Joël|Vexa|Mordecai|Big Lou|Total)' "$tmp/scroll.clean" ||
    fail "who killed whom: no tip with a victim's name over the headings"
# The tip laid over the window where it shows, both placed by their frames on the desktop.
read -r wkw_left wkw_top < <(sed -n 's/^frame: //p' "$tmp/scroll.clean")
read -r tip_left tip_top < <(sed -n 's/^tip frame: //p' "$tmp/scroll.clean")
"$convert" "bmp:$tmp/wkw.bmp" "bmp:$tmp/tip.bmp" -geometry "+$((tip_left - wkw_left))+$((tip_top - wkw_top))" \
    -composite "png:$out/win32-whokilledwhom.png"
echo "window_test: screenshot $out/win32-whokilledwhom.png"
timeout 30 wine "$probe" close-wkw > /dev/null 2>&1 || true

# Browse with two logs chosen together: "2 files", read as one log, so every count doubles.
timeout 60 wine "$probe" browse 30 "$(winepath -w "$tmp/my logs" 2> /dev/null)" "Match 1.LOG" "Match 2.LOG" \
    > "$tmp/browse.txt" 2> "$tmp/probe.log" || {
    cat "$tmp/probe.log"
    fail "Browse did not take two files"
}
tr -d '\r' < "$tmp/browse.txt" > "$tmp/browse.clean"
cat "$tmp/browse.clean"
grep -qx 'file: 2 files' "$tmp/browse.clean" || fail "txtFile does not say 2 files"
timeout 30 wine "$probe" post 30 1004 > /dev/null 2>&1 || fail "cannot press Analyze Log"
for _ in $(seq 50); do
    timeout 30 wine "$probe" main 10 > "$tmp/two.txt" 2> /dev/null || true
    grep -q 'Vexa with 14 frags' "$tmp/two.txt" && break
    sleep 0.2
done
grep -q 'Vexa with 14 frags' "$tmp/two.txt" || fail "two logs were not analysed as one"
echo "window_test: two logs chosen together are analysed as one"

timeout 60 wine "$probe" export 30 "$(winepath -w "$tmp/window.html" 2> /dev/null)" > "$tmp/export.txt" 2> "$tmp/probe.log" || {
    cat "$tmp/probe.log"
    fail "Export Report did not write the page"
}
tr -d '\r' < "$tmp/export.txt" > "$tmp/export.clean"
cat "$tmp/export.clean"
grep -qx 'export: Export Report' "$tmp/export.clean" || fail "export dialog title"
grep -qx 'name: my logs.html' "$tmp/export.clean" || fail "export: the name offered is not the logs' folder's"
grep -q '^told: The report was exported to .*window\.html\.$' "$tmp/export.clean" || fail "export: not told where the file went"
if [ -n "$report" ]; then
    wine "$report" --export "$(winepath -w "$tmp/cli.html" 2> /dev/null)" "$(winepath -w "$tmp/my logs" 2> /dev/null)" > /dev/null 2>&1 ||
        fail "fragtide-report --export failed"
    cmp "$tmp/window.html" "$tmp/cli.html" || fail "the window's export differs from fragtide-report's"
    echo "window_test: the export is fragtide-report's, byte for byte"
fi

# The probe writes the picture of the dialog: a screenshot of the root window shows the main
# window where the dialog is.
gs_bmp=$(winepath -w "$tmp/gs.bmp" 2> /dev/null)
timeout 60 wine "$probe" gameselect 30 "$gs_bmp" > "$tmp/gs.txt" 2> "$tmp/probe.log" || {
    cat "$tmp/probe.log"
    fail "Game Select did not open"
}
tr -d '\r' < "$tmp/gs.txt" > "$tmp/gs.clean"
cat "$tmp/gs.clean"
grep -qx 'dialog: Game Select' "$tmp/gs.clean" || fail "dialog title"
grep -qx 'selected: Quake I : Standard' "$tmp/gs.clean" || fail "the current game is not selected"
grep -qx "description: Reads Quake's client console obituaries, deathmatch" "$tmp/gs.clean" ||
    fail "Game Select does not say what the game reads"
[ -s "$tmp/gs.bmp" ] || fail "no picture of Game Select"
"$convert" "bmp:$tmp/gs.bmp" "png:$out/win32-gameselect.png"
echo "window_test: screenshot $out/win32-gameselect.png"

timeout 30 wine "$probe" close > /dev/null 2>&1 || true
for _ in $(seq 100); do
    kill -0 "$wine_pid" 2> /dev/null || break
    sleep 0.1
done
echo "window_test: passed"
