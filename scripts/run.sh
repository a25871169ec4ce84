#!/usr/bin/env bash
# Sets up, builds and starts Quillet32 on a fresh Debian 12 machine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
exec build/bin/quillet32 "$@"
