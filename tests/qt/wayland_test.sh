#!/usr/bin/env bash
# Runs a Qt test program with Qt's Wayland platform under weston without a
# screen. Whatever the program writes on standard error fails the test: a
# warning of Qt's Wayland platform comes before Qt Test can see it.
set -uo pipefail
program=$1
command -v weston >/dev/null || { echo "weston not installed (scripts/setup.sh): not checked"; exit 77; }
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
[ -e "$plugins/platforms/libqwayland-generic.so" ] ||
  { echo "Qt's Wayland platform not installed (qt6-wayland, scripts/setup.sh): not checked"; exit 77; }

runtime=$(mktemp -d)
chmod 700 "$runtime"
weston_pid=""
cleanup() {
  if [ -n "$weston_pid" ]; then kill "$weston_pid" 2>/dev/null; wait "$weston_pid" 2>/dev/null; fi
  rm -rf "$runtime"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$runtime
weston --backend=headless-backend.so --socket=quillet32-test --idle-time=0 --no-config \
  --width=2400 --height=1600 >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
  [ -S "$runtime/quillet32-test" ] && break
  sleep 0.1
done
[ -S "$runtime/quillet32-test" ] || { echo "FAIL: weston did not start"; cat "$runtime/weston.log"; exit 1; }

WAYLAND_DISPLAY=quillet32-test QT_QPA_PLATFORM=wayland "$program" 2>"$runtime/stderr"
status=$?
if [ -s "$runtime/stderr" ]; then
  echo "FAIL: standard error is not empty:"
  cat "$runtime/stderr"
  exit 1
fi
exit $status
