#!/usr/bin/env bash
# Compares the zip engine (build/bench/zipbench) with other tools on one
# corpus, built here and removed afterwards:
#   package set  5 archives, about 300 MB unpacked: text, binaries, incompressible data
#   tiny files   one archive of 20,000 tiny files
#   large member one archive holding one 1 GB member
#   methods      one archive per compression method, each holding the same
#                50 MB member (made of the package set's files); tested only
#   text         one archive per method of TEXT_METHODS (all of them unless
#                set), each holding the same 30 MB of plain text: this
#                checkout's sources and the headers under /usr/include, one
#                after another; tested only. These are the method rows that
#                say what users see; the methods set's data compresses poorly
#   repeat       the methods of REPEAT_METHODS over REPEAT_MB of one line over
#                and over, and over REPEAT_MB of zeros (long runs); tested only
#   side         archives side by side: one of a single SIDE_MB member of text
#                (the text set's files, over and over), then three of SIDE_FILES
#                small text files each; `zipbench test` of the four in one call
#                against one call each, against the big archive alone and the
#                three small ones alone, and against all four on one core (the
#                whole work); not among the default sets
# Testing is compared with `unzip -tq`, `7zz t` and `bsdtar -xOf ... >/dev/null`;
# extraction with `unzip`, `bsdtar -x` and `cp -a` of the extracted tree.
# Everything lives in tmpfs, so all files are in memory. Each command runs
# RUNS times; the median and the min-max spread are printed, and the ratios
# use the medians.
#
# A tool that cannot read a method gets "n/a" in that method's row.
#
# Usage: bench/compare.sh [BUILD_DIR]
#   environment: RUNS=5, WORK=/dev/shm/q32-bench, SETS="packages tiny large methods text",
#   SIDE_MB=110 and SIDE_FILES=4000 for the side set,
#   PIN=0 runs the whole script, and so every command, on that core alone (taskset),
#   BEFORE=path/to/zipbench adds its rows ("engine before") to the method rows
# The methods set needs build/bench/methodzip (built with the tests).
set -eu

BUILD_DIR=${1:-build}
ZIPBENCH=$(realpath "$BUILD_DIR/bench/zipbench")
METHODZIP=$(realpath "$BUILD_DIR/bench/methodzip")
SETS=${SETS:-packages tiny large methods text}
RUNS=${RUNS:-5}
WORK=${WORK:-/dev/shm/q32-bench}
LARGE_MB=1024
METHOD_MB=50
# methodzip's labels (tests/zip/method_fixtures.cpp); 7zz_Deflate is the reference row.
METHODS="7zz_Deflate 7zz_Deflate64 7zz_BZip2 7zz_LZMA 7zz_PPMd xz zstd shrink reduce4 implode8k3trees"
TEXT_MB=30
TEXT_METHODS=${TEXT_METHODS:-$METHODS}
REPEAT_METHODS=${REPEAT_METHODS:-7zz_Deflate 7zz_BZip2}
REPEAT_MB=${REPEAT_MB:-100}
SIDE_MB=${SIDE_MB:-110}
SIDE_FILES=${SIDE_FILES:-4000}
BEFORE=${BEFORE:+$(realpath "$BEFORE")}
PIN=${PIN:-}
if [ -n "$PIN" ]; then taskset -cp "$PIN" $$ >/dev/null; fi

for tool in unzip 7zz bsdtar; do
  command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done
[ -x "$ZIPBENCH" ] || { echo "missing: $ZIPBENCH (build the zipbench target)" >&2; exit 1; }

rm -rf "$WORK"
mkdir -p "$WORK"/{src,zips,out}
trap 'rm -rf "$WORK"' EXIT

# --- corpus -------------------------------------------------------------

. "$(dirname "$0")/corpus.sh"
. "$(dirname "$0")/timing.sh"

make_tiny() {
  local tree="$WORK/src/tiny"
  mkdir -p "$tree"/tiny/d{000..039}
  (cd "$tree" && awk 'BEGIN { for (i = 0; i < 20000; i++) {
      f = sprintf("tiny/d%03d/f%05d.txt", int(i / 500), i); n = 1 + (i * 7919) % 20;
      for (j = 0; j < n; j++) print "line " j " of file " i > f; close(f) } }' &&
    7zz a -tzip -mx=5 "$WORK/zips/tiny.zip" tiny >/dev/null)
}

# One member made of the package set's files, over and over, up to 1 GB.
make_large() {
  local tree="$WORK/src/large" budget=$(( LARGE_MB * 1048576 ))
  mkdir -p "$tree"
  while [ "$(stat -c %s "$tree/image.bin" 2>/dev/null || echo 0)" -lt "$budget" ]; do
    find "$WORK/src/pkg1" "$WORK/src/pkg2" -type f -print0 | sort -z | xargs -0 cat >>"$tree/image.bin"
  done
  truncate -s "$budget" "$tree/image.bin"
  (cd "$tree" && 7zz a -tzip -mx=5 "$WORK/zips/large.zip" image.bin >/dev/null)
  rm -f "$tree/image.bin"
}

# The archive $3 holding the file $2 in the method $1: 7-Zip's for the
# Deflate reference row, methodzip's for the others.
pack_method() {
  if [ "$1" = 7zz_Deflate ]; then
    (cd "$(dirname "$2")" && 7zz a -tzip -mm=Deflate "$3" "$(basename "$2")" >/dev/null)
  else
    "$METHODZIP" "$1" "$2" "$3"
  fi
}

# One member of METHOD_MB of the package set's files, in every method.
make_methods() {
  local tree="$WORK/src/methods" method
  mkdir -p "$tree" "$WORK/zips/methods"
  [ -d "$WORK/src/pkg1" ] || make_package_tree 1
  [ -d "$WORK/src/pkg2" ] || make_package_tree 2
  find "$WORK/src/pkg1" "$WORK/src/pkg2" -type f -print0 | sort -z | xargs -0 cat 2>/dev/null |
    head -c "${METHOD_MB}M" >"$tree/image.bin"
  for method in $METHODS; do
    pack_method "$method" "$tree/image.bin" "$WORK/zips/methods/$method.zip"
  done
  rm -f "$tree/image.bin"
}

# TEXT_MB of text in each method of TEXT_METHODS.
make_text() {
  local tree="$WORK/src/text" method checkout
  checkout=$(realpath "$(dirname "$0")/..")
  mkdir -p "$tree" "$WORK/zips/text"
  { find "$checkout/src" "$checkout/tests" "$checkout/bench" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z
    find /usr/include -type f -name '*.h' -print0 | sort -z; } | xargs -0 cat 2>/dev/null |
    head -c "${TEXT_MB}M" >"$tree/text.txt"
  for method in $TEXT_METHODS; do
    pack_method "$method" "$tree/text.txt" "$WORK/zips/text/$method.zip"
  done
  rm -f "$tree/text.txt"
}

# REPEAT_MB of one line and of zeros, in each method of REPEAT_METHODS.
make_repeat() {
  local tree="$WORK/src/repeat" method kind
  mkdir -p "$tree" "$WORK/zips/line" "$WORK/zips/zeros"
  yes 'The quick brown fox jumps over the lazy dog, again and again.' | head -c "${REPEAT_MB}M" >"$tree/line.txt"
  head -c "${REPEAT_MB}M" /dev/zero >"$tree/zeros.bin"
  for method in $REPEAT_METHODS; do
    for kind in line:line.txt zeros:zeros.bin; do
      pack_method "$method" "$tree/${kind#*:}" "$WORK/zips/${kind%%:*}/$method.zip"
    done
  done
  rm -rf "$tree"
}

# SIDE_MB of text in one member, then three archives of SIDE_FILES files of
# 40 lines each, cut from other parts of the same text.
make_side() {
  local tree="$WORK/src/side" checkout k lines=$(( SIDE_FILES * 40 ))
  checkout=$(realpath "$(dirname "$0")/..")
  mkdir -p "$tree" "$WORK/zips/side"
  { find "$checkout/src" "$checkout/tests" "$checkout/bench" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 |
      sort -z
    find /usr/include -type f -name '*.h' -print0 | sort -z; } | xargs -0 cat 2>/dev/null >"$tree/once.txt"
  while [ "$(stat -c %s "$tree/big.txt" 2>/dev/null || echo 0)" -lt $(( SIDE_MB * 1048576 )) ]; do
    cat "$tree/once.txt" >>"$tree/big.txt"
  done
  truncate -s "${SIDE_MB}M" "$tree/big.txt"
  (cd "$tree" && 7zz a -tzip -mx=5 "$WORK/zips/side/big.zip" big.txt >/dev/null)
  for k in 1 2 3; do
    mkdir -p "$tree/small$k/files"
    tail -n +$(( k * lines * 2 )) "$tree/big.txt" | head -n "$lines" |
      (cd "$tree/small$k/files" && split -l 40 -a 5 -d - part)
    (cd "$tree/small$k" && 7zz a -tzip -mx=5 "$WORK/zips/side/small$k.zip" files >/dev/null)
  done
  rm -rf "$tree"
}

wanted() { case " $SETS " in *" $1 "*) return 0 ;; esac; return 1; }

echo "building the corpus in $WORK ..." >&2
if wanted packages || wanted large; then make_packages; fi
if wanted tiny; then make_tiny; fi
if wanted large; then make_large; fi
if wanted methods || wanted text || wanted repeat; then
  [ -x "$METHODZIP" ] || { echo "missing: $METHODZIP (build the methodzip target)" >&2; exit 1; }
fi
if wanted methods; then make_methods; fi
if wanted text; then make_text; fi
if wanted repeat; then make_repeat; fi
if wanted side; then make_side; fi
PACKAGE_ZIPS=("$WORK"/zips/pkg*.zip)  # none unless wanted

# --- measuring ----------------------------------------------------------

# Runs "$@" RUNS times after `prepare` (untimed); prints "median min max".
measure() {
  local prepare=$1; shift
  local times=()
  for _ in $(seq 1 "$RUNS"); do
    eval "$prepare"
    times+=("$(time_once "$@")")
  done
  summary "${times[@]}"
}

each_unzip_test() { for a in "$@"; do unzip -tq "$a"; done; }
each_7zz_test() { for a in "$@"; do 7zz t "$a"; done; }
each_bsdtar_test() { for a in "$@"; do bsdtar -xOf "$a" >/dev/null; done; }
each_unzip_extract() { for a in "$@"; do unzip -qo "$a" -d "$WORK/out/$(basename "$a" .zip)"; done; }
each_bsdtar_extract() {
  for a in "$@"; do mkdir -p "$WORK/out/$(basename "$a" .zip)"; bsdtar -xf "$a" -C "$WORK/out/$(basename "$a" .zip)"; done
}
engine_extract() { for a in "$@"; do "$ZIPBENCH" extract -d "$WORK/out/$(basename "$a" .zip)" "$a"; done; }
copy_tree() { cp -a "$WORK/tree" "$WORK/out/copy"; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2fx", a / b }'; }
line() { printf '%-16s %-8s %-22s %8s %8s %8s %9s\n' "$@"; }
clean_out='rm -rf "$WORK/out"; mkdir -p "$WORK/out"'

report_set() {
  local name=$1; shift
  local archives=("$@") engine tool median min max
  echo "$name: $(du -shc "${archives[@]}" | tail -1 | cut -f1) in ${#archives[@]} archive(s)" >&2
  # Results must be right before they are timed.
  "$ZIPBENCH" test "${archives[@]}" >&2
  engine=$(measure : "$ZIPBENCH" test "${archives[@]}")
  line "$name" test "zip engine" $engine "1.00"
  for tool in unzip 7zz bsdtar; do
    read -r median min max < <(measure : "each_${tool}_test" "${archives[@]}")
    line "$name" test "$tool" "$median" "$min" "$max" "$(ratio "$median" "${engine%% *}")"
  done

  # The tree that cp -a copies: what unzip extracts.
  rm -rf "$WORK/tree" && mkdir -p "$WORK/tree"
  for a in "${archives[@]}"; do unzip -qo "$a" -d "$WORK/tree/$(basename "$a" .zip)"; done
  eval "$clean_out"
  engine_extract "${archives[@]}" >/dev/null
  diff -r "$WORK/tree" "$WORK/out" >/dev/null || { echo "extracted trees differ" >&2; exit 1; }
  engine=$(measure "$clean_out" engine_extract "${archives[@]}")
  line "$name" extract "zip engine" $engine "1.00"
  for tool in unzip bsdtar; do
    read -r median min max < <(measure "$clean_out" "each_${tool}_extract" "${archives[@]}")
    line "$name" extract "$tool" "$median" "$min" "$max" "$(ratio "$median" "${engine%% *}")"
  done
  read -r median min max < <(measure "$clean_out" copy_tree)
  line "$name" extract "cp -a (tree)" "$median" "$min" "$max" "$(ratio "$median" "${engine%% *}")"
  rm -rf "$WORK/tree"
  eval "$clean_out"
}

# One row per method: the engine, 7zz and bsdtar testing the same member.
# Arguments: the folder of the archives, the methods, the rows' prefix.
report_methods() {
  local folder=$1 methods=$2 prefix=$3 method archive engine median min max
  for method in $methods; do
    archive="$folder/$method.zip"
    "$ZIPBENCH" test "$archive" >&2
    engine=$(measure : "$ZIPBENCH" test "$archive")
    line "$prefix$method" test "zip engine" $engine "1.00"
    if [ -n "$BEFORE" ]; then
      read -r median min max < <(measure : "$BEFORE" test "$archive")
      line "$prefix$method" test "engine before" "$median" "$min" "$max" "$(ratio "$median" "${engine%% *}")"
    fi
    for tool in 7zz bsdtar; do
      if ! "each_${tool}_test" "$archive" >/dev/null 2>&1; then
        line "$prefix$method" test "$tool" n/a n/a n/a n/a
        continue
      fi
      read -r median min max < <(measure : "each_${tool}_test" "$archive")
      line "$prefix$method" test "$tool" "$median" "$min" "$max" "$(ratio "$median" "${engine%% *}")"
    done
  done
}

# The four archives of the side set: the goal is the one call within 1.15x of
# the least the work allows, the big member alone or the whole work (all four
# on core 0 alone) spread over the cores, whichever is longer.
report_side() {
  local folder=$1 cores one serial big small whole bound
  local archives=("$folder/big.zip" "$folder/small1.zip" "$folder/small2.zip" "$folder/small3.zip")
  cores=$(nproc)
  echo "side: $(du -shc "${archives[@]}" | tail -1 | cut -f1) in 4 archives" >&2
  "$ZIPBENCH" test "${archives[@]}" >&2
  "$ZIPBENCH" test --serial "${archives[@]}" >&2
  # Round by round, so that a change in the machine's load touches each alike.
  local t_one=() t_serial=() t_big=() t_small=() t_whole=()
  for _ in $(seq 1 "$RUNS"); do
    t_one+=("$(time_once "$ZIPBENCH" test "${archives[@]}")")
    t_serial+=("$(time_once "$ZIPBENCH" test --serial "${archives[@]}")")
    t_big+=("$(time_once "$ZIPBENCH" test "${archives[0]}")")
    t_small+=("$(time_once "$ZIPBENCH" test --serial "${archives[@]:1}")")
    t_whole+=("$(time_once taskset -c 0 "$ZIPBENCH" test --serial "${archives[@]}")")
  done
  one=$(summary "${t_one[@]}"); serial=$(summary "${t_serial[@]}"); big=$(summary "${t_big[@]}")
  small=$(summary "${t_small[@]}"); whole=$(summary "${t_whole[@]}")
  line side test "one call" $one "1.00"
  line side test "one call each" $serial "$(ratio "${serial%% *}" "${one%% *}")"
  line side test "big alone" $big "$(ratio "${big%% *}" "${one%% *}")"
  line side test "3 small alone" $small "$(ratio "${small%% *}" "${one%% *}")"
  line side test "all on core 0" $whole "$(ratio "${whole%% *}" "${one%% *}")"
  bound=$(awk -v b="${big%% *}" -v w="${whole%% *}" -v c="$cores" 'BEGIN { x = w / c; printf "%.3f", (b > x ? b : x) }')
  echo "side: least the work allows max(big alone, all on core 0 / $cores) = $bound s;" \
    "one call / that = $(ratio "${one%% *}" "$bound") (goal: at most 1.15x)"
}

echo "$(nproc) cores; $RUNS runs each; seconds: median min max; ratio: tool median / engine median" >&2
line set mode tool median min max ratio
if wanted packages; then report_set packages "${PACKAGE_ZIPS[@]}"; fi
if wanted tiny; then report_set tiny "$WORK/zips/tiny.zip"; fi
if wanted large; then report_set large "$WORK/zips/large.zip"; fi
if wanted methods; then report_methods "$WORK/zips/methods" "$METHODS" ""; fi
if wanted text; then report_methods "$WORK/zips/text" "$TEXT_METHODS" text:; fi
if wanted repeat; then
  report_methods "$WORK/zips/line" "$REPEAT_METHODS" line:
  report_methods "$WORK/zips/zeros" "$REPEAT_METHODS" zeros:
fi
if wanted side; then report_side "$WORK/zips/side"; fi
