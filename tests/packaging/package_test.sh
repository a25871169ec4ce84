#!/usr/bin/env bash
# Makes the Debian package of the finished build in a temporary folder (the
# build folder's own package is left alone) and checks it as
# scripts/check-package.sh does.
set -uo pipefail
build=$1
for tool in dpkg-shlibdeps lintian appstreamcli desktop-file-validate groff; do
  command -v "$tool" >/dev/null || { echo "$tool not installed (scripts/setup.sh): not checked"; exit 77; }
done
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$folder" >/dev/null || { echo "FAIL: cpack"; exit 1; }
bash "$(dirname "$0")/../../scripts/check-package.sh" "$build" "$folder"/quillet32_*.deb
