#!/usr/bin/env bash
# CPU of two builds of the saver side by side: each runs full screen (-s) on
# its own 1920x1080 Xvfb at the same time, with the stock settings and one
# seed, and the CPU ticks each used over SECONDS (default 40) are printed.
# Run at once, both meet the same load from the rest of the machine, so a
# difference of a few per cent shows where two runs one after the other
# differ by tens. Run it again with the builds swapped. Settings given as
# KEY=VALUE (for example DoBlur=100 DoMangle=0) change the stock ones, to
# compare the builds on some kinds alone.
#   bench/cpu-ab.sh BINARY_A BINARY_B [SECONDS] [SEED] [KEY=VALUE...]
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 2 ] || { echo "usage: bench/cpu-ab.sh BINARY_A BINARY_B [SECONDS] [SEED] [KEY=VALUE...]" >&2; exit 2; }
a=$1 b=$2 seconds=${3:-40} seed=${4:-42}
shift $(($# < 4 ? $# : 4))
for bin in "$a" "$b"; do [ -x "$bin" ] || { echo "cpu-ab: $bin is not an executable" >&2; exit 2; }; done
work=$(mktemp -d /tmp/warpix-ab-XXXXXX)
source tests/e2e/lib.sh
trap 'e2e_cleanup; rm -rf "$work"' EXIT
scripts/make-samples "$work/demo" >/dev/null
mkdir -p "$work/stock"
cp "$work/demo/Warpix.ini" "$work/stock/"
if [ $# -gt 0 ]; then
  { echo "[Config]"; printf '%s\n' "$@"; } >"$work/stock/photo-warpix.conf"
fi
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

start_xvfb 1920x1080
display_a=$DISPLAY
start_xvfb 1920x1080
display_b=$DISPLAY
DISPLAY=$display_a "$a" -s --seed "$seed" --config-dir "$work/stock" >/dev/null 2>&1 &
pa=$!
pids+=("$pa")
DISPLAY=$display_b "$b" -s --seed "$seed" --config-dir "$work/stock" >/dev/null 2>&1 &
pb=$!
pids+=("$pb")
DISPLAY=$display_a timeout 10 xdotool search --sync --pid "$pa" >/dev/null
DISPLAY=$display_b timeout 10 xdotool search --sync --pid "$pb" >/dev/null
a0=$(ticks "$pa") b0=$(ticks "$pb")
sleep "$seconds"
a1=$(ticks "$pa") b1=$(ticks "$pb")
echo "A $((a1 - a0)) ticks, B $((b1 - b0)) ticks of CPU in $seconds s (A: $a, B: $b)"
