#!/usr/bin/env bash
# Sets up, builds and packages Quillet32 on a fresh Debian 12 machine: leaves
# build/quillet32_VERSION_ARCH.deb (install it with
# `sudo apt install ./build/quillet32_*.deb`).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
rm -f build/quillet32_*.deb
(cd build && cpack -G DEB)
ls build/quillet32_*.deb
