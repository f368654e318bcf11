#!/usr/bin/env bash
# The Windows zip holds exactly the two programs, the help and the read-me, in one folder named
# after the version, and the installer was made beside it. Usage: package_test.sh DIST VERSION
set -euo pipefail
dist=$1 version=$2
name="fragtide-$version-windows-x64"
expected="$name/
$name/Fragtide.html
$name/README.txt
$name/fragtide-report.exe
$name/fragtide.exe"
actual=$(unzip -Z1 "$dist/$name.zip" | LC_ALL=C sort)
if [ "$actual" != "$(LC_ALL=C sort <<< "$expected")" ]; then
    echo "package_test: the zip holds:"
    echo "$actual"
    exit 1
fi
[ -s "$dist/$name-setup.exe" ] || { echo "package_test: no installer"; exit 1; }
echo "package_test: $dist/$name.zip and the installer are complete"
