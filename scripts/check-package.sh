#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh left in build/: lintian,
# the AppStream metadata, the menu entry and the manual page inside it, their
# versions against the package's, and that the package holds exactly what
# `cmake --install` puts in place (names, modes, links and contents).
# Needs no network. Usage: bash scripts/check-package.sh [BUILD_FOLDER [PACKAGE]]
# (the package defaults to the one in the build folder).
set -uo pipefail
build=${1:-$(dirname "$0")/../build}
deb=${2:-$(ls "$build"/quillet32_*.deb 2>/dev/null | head -1)}
[ -f "$deb" ] || { echo "no quillet32_*.deb in $build: run scripts/package.sh first"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

echo "== lintian $deb"
lintian --fail-on error --display-info "$deb" || fail "lintian found errors"

dpkg-deb -x "$deb" "$work/deb"
share=$work/deb/usr/share
app_id=io.github.quillet32.Quillet32
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml" || fail "AppStream metadata not valid"
echo "== desktop-file-validate"
desktop-file-validate "$share/applications/$app_id.desktop" || fail "menu entry not valid"
echo "== manual page"
warnings=$(gzip -dc "$share/man/man1/quillet32.1.gz" | groff -man -ww -z 2>&1)
[ -z "$warnings" ] || fail "manual page: $warnings"

version=$(dpkg-deb -f "$deb" Version)
grep -q "<release version=\"$version\"" "$share/metainfo/$app_id.metainfo.xml" || fail "metadata release is not $version"
gzip -dc "$share/man/man1/quillet32.1.gz" | grep -q "^\.TH .*\"Quillet32 $version\"" || fail "manual page is not of $version"
gzip -dc "$share/doc/quillet32/changelog.gz" | head -1 | grep -q "^quillet32 ($version)" || fail "changelog does not start with $version"

echo "== package contents against cmake --install"
# DESTDIR with the prefix /usr, so that the menu entry's launcher path is the
# package's too; the names are those of --prefix $work/installed/usr.
DESTDIR=$work/installed cmake --install "$build" --prefix /usr >/dev/null || fail "cmake --install"
listing() { (cd "$1" && find . -mindepth 1 \( -type l -printf '%M %p -> %l\n' \) -o -printf '%M %p\n' | sort); }
diff <(listing "$work/deb") <(listing "$work/installed") || fail "the package's files differ from the installed ones"
diff -r --no-dereference "$work/deb" "$work/installed" >/dev/null || fail "file contents differ"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's#/$##' | grep -v '^\.$' | sort > "$work/deb-names"
(cd "$work/installed" && find . -mindepth 1 | sort) | diff "$work/deb-names" - || fail "dpkg-deb -c lists other files"

echo "== $(basename "$deb"): $(du -k "$deb" | cut -f1) KB; Depends: $(dpkg-deb -f "$deb" Depends)"
[ "$failures" = 0 ] && echo "package checks passed"
exit "$failures"
