#!/usr/bin/env bash
# Compares the test command (build/bench/testzipsbench: TestZips run headless
# over a folder) with the zip engine alone (build/bench/zipbench test --serial:
# one test call per archive, as the command makes them) on the same archives,
# built here in tmpfs and removed afterwards:
#   small     50 archives of about 2 MB, each with a file_id.diz
#   packages  the package set of compare.sh (5 archives, about 300 MB unpacked)
# Both are timed as whole processes, RUNS times each, alternating; the median
# and the min-max spread are printed, and the ratio of the medians.
# Goal: the test command at most 1.2x the engine.
#
# Usage: bench/testzips.sh [BUILD_DIR]   (environment: RUNS=7, WORK=/dev/shm/q32-testzips;
# KEEP=1 keeps the corpus afterwards and uses a kept one instead of building it again)
set -eu

BUILD_DIR=${1:-build}
ZIPBENCH=$(realpath "$BUILD_DIR/bench/zipbench")
TESTZIPS=$(realpath "$BUILD_DIR/bench/testzipsbench")
RUNS=${RUNS:-7}
WORK=${WORK:-/dev/shm/q32-testzips}
SMALL=50

command -v 7zz >/dev/null || { echo "missing: 7zz" >&2; exit 1; }
for program in "$ZIPBENCH" "$TESTZIPS"; do
  [ -x "$program" ] || { echo "missing: $program (build the zipbench and testzipsbench targets)" >&2; exit 1; }
done

. "$(dirname "$0")/corpus.sh"
. "$(dirname "$0")/timing.sh"
[ "${KEEP:-0}" = 1 ] || trap 'rm -rf "$WORK"' EXIT

make_small() {
  local k tree
  for k in $(seq 1 "$SMALL"); do
    tree="$WORK/src/small$k"
    mkdir -p "$tree"
    printf 'Small package %d\r\nA benchmark archive.\r\n' "$k" >"$tree/file_id.diz"
    text_files | copy_files "$tree" $(( k * 150 )) 2
    binary_files | copy_files "$tree" $(( k * 20 )) 2
    random_files "$tree" 600
    (cd "$tree" && 7zz a -tzip -mx=5 "$WORK/small/small$k.zip" . >/dev/null)
    rm -rf "$tree"
  done
}

if [ ! -f "$WORK/complete" ]; then
  rm -rf "$WORK"
  mkdir -p "$WORK"/{src,zips,small}
  echo "building the corpus in $WORK ..." >&2
  make_small
  make_packages
  rm -rf "$WORK/src"
  touch "$WORK/complete"
fi

report() {
  local name=$1 folder=$2 engine command
  local archives=("$folder"/*.zip)
  echo "$name: $(du -shc "${archives[@]}" | tail -1 | cut -f1) in ${#archives[@]} archive(s)" >&2
  # Both must find every archive sound before they are timed.
  "$ZIPBENCH" test --serial "${archives[@]}" >/dev/null
  "$TESTZIPS" "$folder" >&2
  : >"$WORK/engine.txt"; : >"$WORK/command.txt"
  for _ in $(seq 1 "$RUNS"); do
    time_once "$ZIPBENCH" test --serial "${archives[@]}" >>"$WORK/engine.txt"
    time_once "$TESTZIPS" "$folder" >>"$WORK/command.txt"
  done
  engine=$(summary $(cat "$WORK/engine.txt"))
  command=$(summary $(cat "$WORK/command.txt"))
  printf '%-9s %-22s %8s %8s %8s\n' "$name" "zipbench test --serial" $engine
  printf '%-9s %-22s %8s %8s %8s %6s\n' "$name" "TestZips (headless)" $command \
    "$(awk -v a="${command%% *}" -v b="${engine%% *}" 'BEGIN { printf "%.2fx", a / b }')"
}

echo "$(nproc) cores; $RUNS runs each; seconds: median min max; ratio: TestZips median / zipbench median (goal 1.20x)" >&2
printf '%-9s %-22s %8s %8s %8s %6s\n' set program median min max ratio
report small "$WORK/small"
report packages "$WORK/zips"
