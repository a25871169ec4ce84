# Corpus builders shared by the benchmarks; sourced, not run. They write under
# $WORK/src and $WORK/zips. The package set: PACKAGES archives, each of text,
# binaries and incompressible data (megabytes).
PACKAGES=5
PACKAGE_TEXT_MB=22
PACKAGE_BINARY_MB=28
PACKAGE_RANDOM_MB=10

# Copies files from the NUL-separated list on stdin into $1, keeping their
# folders, from entry $2 on, until $3 MB are copied.
copy_files() {
  local dest=$1 skip=$2 budget=$(( $3 * 1048576 )) copied=0 index=0 size
  while IFS= read -r -d '' path; do
    index=$((index + 1))
    [ "$index" -le "$skip" ] && continue
    size=$(stat -c %s "$path")
    cp --parents "$path" "$dest" 2>/dev/null || continue
    copied=$((copied + size))
    [ "$copied" -ge "$budget" ] && break
  done
  return 0
}

text_files() {
  find /usr/include /usr/share -type f \( -name '*.h' -o -name '*.txt' -o -name '*.html' -o -name '*.py' \
    -o -name '*.pm' -o -name '*.xml' -o -name '*.js' -o -name '*.css' -o -name '*.svg' \) -size -2M -print0 \
    2>/dev/null | sort -z
}

binary_files() {
  find /usr/lib/x86_64-linux-gnu /usr/bin -type f -size +8k -size -8M -print0 2>/dev/null | sort -z
}

random_files() {
  local dest=$1/data budget=$2 n=0
  mkdir -p "$dest"
  while [ "$budget" -gt 0 ]; do
    local kb=$(( (n * 769 % 3000) + 100 ))
    head -c "${kb}K" /dev/urandom >"$dest/blob$n.bin"
    budget=$(( budget - kb )); n=$((n + 1))
  done
}

# The files of package $1, in $WORK/src/pkg$1.
make_package_tree() {
  local k=$1 tree="$WORK/src/pkg$1"
  mkdir -p "$tree"
  text_files | copy_files "$tree" $(( (k - 1) * 2000 )) "$PACKAGE_TEXT_MB"
  binary_files | copy_files "$tree" $(( (k - 1) * 500 )) "$PACKAGE_BINARY_MB"
  random_files "$tree" $(( PACKAGE_RANDOM_MB * 1024 ))
}

make_packages() {
  local k
  for k in $(seq 1 "$PACKAGES"); do
    make_package_tree "$k"
    (cd "$WORK/src/pkg$k" && 7zz a -tzip -mx=5 "$WORK/zips/pkg$k.zip" . >/dev/null)
  done
}
