#!/usr/bin/env bash
# Times our decoding of a 4000 x 3000 WebP and HEIC photo at full size
# against the formats' own command-line decoders on the same files, and
# measures the time and peak memory of shrinking a 6000 x 4000 PNG for a
# 1920-wide scene against libpng alone (goals: ratios <= 1.10, PNG <= 1.2
# and under 64 MB).
#
#   bench/decode-vs-tools.sh [BUILD_DIR] [RUNS]
#
# CPU time (user + system) of RUNS separate processes is compared, which a
# busy machine disturbs less than elapsed time. dwebp writes a PPM and
# heif-convert a Y4M file, the cheapest outputs each has (heif-convert's
# Y4M skips the conversion to RGB that ours does, so it is the stricter
# baseline); both go to a RAM-backed file.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
runs=${2:-10}

for tool in dwebp cwebp heif-convert heif-enc; do
  command -v $tool >/dev/null || { echo "$tool not found (packages webp, libheif-examples)" >&2; exit 2; }
done
cmake -S "$root" -B "$build" -G Ninja -DWARPIX_BENCH=ON -DWARPIX_TESTS=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$build" -j2 bench_decode >/dev/null
bench="$build/bench_decode"

work=$(mktemp -d /dev/shm/warpix-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT
"$bench" --write-png "$work/photo.png" 4000 3000
"$bench" --write-png "$work/big.png" 6000 4000
cwebp -quiet -q 90 "$work/photo.png" -o "$work/photo.webp"
heif-enc -q 90 "$work/photo.png" -o "$work/photo.heic" >/dev/null

# CPU seconds of running "$@" RUNS times.
cpu_seconds() {
  local TIMEFORMAT='%U %S'
  local out
  out=$( { time (for ((i = 0; i < runs; i++)); do "$@" >/dev/null 2>&1; done) ; } 2>&1 )
  awk '{ printf "%.3f", $1 + $2 }' <<<"$out"
}

compare() {  # label, our command..., --, their command...
  local label=$1; shift
  local ours=() theirs=()
  while [ "$1" != "--" ]; do ours+=("$1"); shift; done
  shift
  theirs=("$@")
  "${ours[@]}" >/dev/null 2>&1; "${theirs[@]}" >/dev/null 2>&1  # warm the page cache
  local o t
  o=$(cpu_seconds "${ours[@]}")
  t=$(cpu_seconds "${theirs[@]}")
  awk -v l="$label" -v o="$o" -v t="$t" -v n="$runs" \
    'BEGIN { printf "%-34s ours %7.1f ms  theirs %7.1f ms  ratio %.3f\n", l, 1000 * o / n, 1000 * t / n, o / t }'
}

compare "WebP 4000x3000 vs dwebp -ppm" "$bench" --decode "$work/photo.webp" 0 1 -- \
  dwebp "$work/photo.webp" -ppm -o "$work/out.ppm"
compare "HEIC 4000x3000 vs heif-convert y4m" "$bench" --decode "$work/photo.heic" 0 1 -- \
  heif-convert "$work/photo.heic" "$work/out.y4m"
# The same colour conversion as ours, plus writing a PNG: a loose bound.
compare "HEIC 4000x3000 vs heif-convert png" "$bench" --decode "$work/photo.heic" 0 1 -- \
  heif-convert "$work/photo.heic" "$work/out.png"

peak_mb() { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -1 | awk '{ printf "%.1f", $1 / 1024 }'; }
echo "PNG 6000x4000 shrunk for 1920:    peak RSS $(peak_mb "$bench" --decode "$work/big.png" 1920 1) MB" \
  "(the process alone, decoding nothing: $(peak_mb "$bench" --decode /nonexistent.png 1920 0) MB)"
echo "PNG 6000x4000 against libpng alone: see BM_Png6000x4000ToSceneWidth1920 / BM_Png6000x4000LibpngAlone:"
"$bench" --benchmark_filter='Png6000' --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null |
  grep -E "median"
