#!/usr/bin/env bash
# The Debian package, unpacked with dpkg-deb -x into a temporary folder (nothing is installed):
# fragtide-report there tells its version and prints the players of a sample log exactly as the
# command-line tests expect; the manual pages, the completion, the desktop entry, the help and the
# copyright are where Debian looks for them. Usage: deb_test.sh DEB VERSION
set -euo pipefail
deb=$1 version=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() {
    echo "deb_test: FAILED: $*"
    exit 1
}

dpkg-deb -x "$deb" "$tmp"
report="$tmp/usr/bin/fragtide-report"
[ "$("$report" --version)" = "fragtide-report $version" ] || fail "--version says '$("$report" --version)'"
# No stored game may leak in from the user's settings: --game names it.
FRAGTIDE_SETTINGS_DIR="$tmp/settings" "$report" --game q1 --report players "$root/samples/q1_standard.log" \
    > "$tmp/players.txt" || fail "the report failed"
cmp "$tmp/players.txt" "$root/tests/cli/expected/q1_standard_players.txt" || fail "the report differs"

for file in usr/bin/fragtide usr/share/man/man1/fragtide.1.gz usr/share/man/man1/fragtide-report.1.gz \
    usr/share/bash-completion/completions/fragtide-report usr/share/applications/fragtide.desktop \
    usr/share/icons/hicolor/256x256/apps/fragtide.png usr/share/fragtide/Fragtide.html \
    usr/share/doc/fragtide/copyright usr/share/doc/fragtide/changelog.gz; do
    [ -s "$tmp/$file" ] || fail "no $file"
done
# The completion offers every game the program lists, and the page of the program is readable.
completion="$tmp/usr/share/bash-completion/completions/fragtide-report"
bash -n "$completion" || fail "the completion is no bash"
for game in $("$report" --help | sed -n '/^Games:/,$s/^  \([a-z0-9-]*\) .*/\1/p'); do
    grep -q "[' ]$game[' ]" "$completion" || fail "the completion does not offer --game $game"
done
zcat "$tmp/usr/share/man/man1/fragtide-report.1.gz" | grep -q '^\.SH "EXIT STATUS"' || fail "no EXIT STATUS in the manual page"
echo "deb_test: $deb unpacks, runs and holds what it should"
