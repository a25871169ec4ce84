# Timing helpers shared by the benchmarks; sourced, not run.

# Runs "$@" once, its output dropped; prints the seconds it took.
time_once() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f\n", b - a }'
}

# Prints "median min max" of the seconds given.
summary() {
  printf '%s\n' "$@" | sort -g | awk '{ t[NR] = $1 } END {
    m = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2; printf "%.3f %.3f %.3f\n", m, t[1], t[NR] }'
}
