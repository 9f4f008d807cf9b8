#!/usr/bin/env bash
# Release check: builds the download twice from two fresh clones of one commit, in folders of
# different names and depths, one after the other, under different time zones and umasks and
# without the compiler cache, then compares every file byte for byte. Takes two full builds.
#   dist/check-reproducible.sh [commit]      (default: HEAD of this checkout)
# The clones are removed when the builds agree and kept for a look when they do not.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
commit=$(git -C "$ROOT" rev-parse --verify "${1:-HEAD}^{commit}")
work=$(mktemp -d "${TMPDIR:-/tmp}/zettly-reproducible.XXXXXX")
first=$work/a
second=$work/second-clone/somewhere/deeper
files=(Zettly.zip Zettly.msi SHA256SUMS dist/Zettly/Zettly.exe dist/Zettly/help.chm dist/Zettly/README.txt)

build() {
  local dir=$1 zone=$2 mask=$3
  git clone -q --no-local "$ROOT" "$dir"
  git -C "$dir" checkout -q --detach "$commit"
  echo "building $commit in $dir (TZ=$zone, umask $mask)" >&2
  (
    cd "$dir"
    umask "$mask"
    env -u SOURCE_DATE_EPOCH -u ZETTLY_VERSION -u CMAKE_C_COMPILER_LAUNCHER -u CMAKE_CXX_COMPILER_LAUNCHER \
      CCACHE_DISABLE=1 TZ="$zone" ./zettly dist
  )
}

build "$first" UTC 022
build "$second" Pacific/Auckland 077
differ=0
for f in "${files[@]}"; do
  if cmp -s "$first/build/$f" "$second/build/$f"; then
    echo "same       $f"
  else
    echo "DIFFERENT  $f"
    differ=1
  fi
done
cat "$first/build/SHA256SUMS"
if [ $differ -ne 0 ]; then
  echo "the two builds differ; they are in $work" >&2
  exit 1
fi
rm -rf "$work"
echo "both builds of $commit are identical"
