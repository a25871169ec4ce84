#!/usr/bin/env bash
# Installs the built program into a temporary prefix as a user would, and
# checks the tree: the launcher answers --version without a display, the menu
# entry is valid, the stand-ins are links to one binary, the icons, the
# AppStream metadata and the gzipped manual page are there.
set -uo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
folder=$prefix/lib/quillet32

version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/quillet32" --version) || fail "launcher did not run"
[ "$version" = "Quillet32 2.82" ] || fail "launcher said '$version'"

for name in wrar.exe warj.pif ace.pif wace.pif killd.pif notepad.exe winhelp.exe webdial.exe; do
  [ "$(readlink "$folder/$name")" = quillet32-standin ] || fail "$name is not a link to quillet32-standin"
done
for program in quillet32 quillet32-standin; do
  file -L "$folder/$program" | grep -q 'not stripped' && fail "$program is not stripped"
done
for file in Quil32.HLP thunder.wav error.wav $(grep -o 'help/[^"]*\.png' "$folder/Quil32.HLP"); do
  [ -s "$folder/$file" ] || fail "$file missing"
done

entry=$prefix/share/applications/io.github.quillet32.Quillet32.desktop
launcher=$(sed -n 's/^Exec="\(.*\)"$/\1/p' "$entry")
[ "$("$launcher" --version 2>/dev/null)" = "Quillet32 2.82" ] || fail "the menu entry starts '$launcher'"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "the menu entry is not valid"
else
  echo "desktop-file-validate not installed: the menu entry is not validated"
fi
for size in 16 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/quillet32.png
  file "$icon" | grep -q "PNG image data, $size x $size" || fail "no ${size}x${size} icon"
done
grep -q '<launchable type="desktop-id">io.github.quillet32.Quillet32.desktop<' \
  "$prefix/share/metainfo/io.github.quillet32.Quillet32.metainfo.xml" || fail "no metadata naming the menu entry"
gzip -dc "$prefix/share/man/man1/quillet32.1.gz" | grep -q '^\.TH QUILLET32 1' || fail "no gzipped manual page"

[ "$failures" = 0 ] && echo "installed tree: $(du -sh "$folder" | cut -f1) in lib/quillet32"
exit "$failures"
