#!/usr/bin/env bash
# Times our JPEG decoding of a 6000 x 4000 photo for a 1920-wide scene (the
# library scales it by 1/4) against the library's own command-line decoder
# doing the same scaling into a BMP, and prints the ratio (goal: <= 1.10).
#
#   bench/decode-vs-djpeg.sh [BUILD_DIR] [RUNS]
#
# Both sides run RUNS times as separate processes; CPU time (user + system)
# is compared, which a busy machine disturbs less than elapsed time.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
runs=${2:-20}

command -v djpeg >/dev/null || { echo "djpeg not found (package libjpeg-turbo-progs)" >&2; exit 2; }
cmake -S "$root" -B "$build" -G Ninja -DWARPIX_BENCH=ON >/dev/null
ninja -C "$build" -j2 bench_decode >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
photo="$work/photo.jpg"
"$build/bench_decode" --write-jpeg "$photo"

# CPU seconds of running "$@" RUNS times.
cpu_seconds() {
  local TIMEFORMAT='%U %S'
  local out
  out=$( { time (for ((i = 0; i < runs; i++)); do "$@" >/dev/null; done) ; } 2>&1 )
  awk '{ printf "%.3f", $1 + $2 }' <<<"$out"
}

# One warm-up each, so both read the file from the page cache.
djpeg -scale 1/4 -bmp -outfile /dev/null "$photo"
"$build/bench_decode" --decode "$photo" 1920 1

theirs=$(cpu_seconds djpeg -scale 1/4 -bmp -outfile /dev/null "$photo")
ours=$(cpu_seconds "$build/bench_decode" --decode "$photo" 1920 1)
awk -v t="$theirs" -v o="$ours" -v n="$runs" 'BEGIN {
  printf "djpeg -scale 1/4: %.1f ms per decode\n", 1000 * t / n
  printf "warpix (1920):    %.1f ms per decode\n", 1000 * o / n
  printf "ratio:            %.3f\n", o / t
}'
