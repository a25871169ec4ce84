#!/usr/bin/env bash
# Tries the Debian package that scripts/package.sh left in build/ on this
# machine, as root: apt installs it with its dependencies, `quillet32
# --version` answers, the menu entry's command starts the window (under
# Xvfb), and apt removes it again, leaving none of its files behind.
# Changes the machine's installed packages: run it on a test machine.
# Usage: sudo bash scripts/try-package.sh [PACKAGE]
set -uo pipefail
deb=$(realpath "${1:-$(ls "$(dirname "$0")"/../build/quillet32_*.deb 2>/dev/null | head -1)}")
[ -f "$deb" ] || { echo "no package: run scripts/package.sh first"; exit 1; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

echo "== apt install $deb"
apt-get install -y "$deb" >/dev/null || { echo "FAIL: apt could not install it"; exit 1; }
files=$(dpkg -L quillet32 | sort)
quillet32 --version | grep -q "^Quillet32 $(dpkg-deb -f "$deb" Version)$" || fail "quillet32 --version"

echo "== the menu entry's command"
entry=/usr/share/applications/io.github.quillet32.Quillet32.desktop
command=$(sed -n 's/^Exec=//p' "$entry" | sed 's/ %[fFuU]//')
home=$(mktemp -d)
HOME=$home QUILLET32_DRIVES="c=$home" timeout 15 xvfb-run -a bash -c "$command & sleep 6; xwininfo -root -tree" \
    >"$home/windows.txt" 2>/dev/null
grep -q '"Quillet32"' "$home/windows.txt" || fail "the menu entry's command showed no window"
rm -rf "$home"

echo "== apt remove"
apt-get remove -y quillet32 >/dev/null || fail "apt could not remove it"
left=$(while read -r path; do [ -f "$path" ] || [ -L "$path" ] && echo "$path"; done <<<"$files")
[ -z "$left" ] || fail "left behind: $left"
echo "$(basename "$deb"): $(echo "$files" | wc -l) paths installed and removed"
[ "$failures" = 0 ] && echo "package tried: installed, started, removed"
exit "$failures"
