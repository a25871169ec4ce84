#!/usr/bin/env bash
# Sets up, builds and runs every test of Quillet32 on a fresh Debian 12 machine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --with-wine32
bash scripts/build.sh
ctest --test-dir build --output-on-failure --timeout 600
