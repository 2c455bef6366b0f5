#!/usr/bin/env bash
# CPU share of the full-screen saver at 1920x1080 under Xvfb over SECONDS
# (default 60), next to XScreenSaver's distort hack on the same display
# (Debian xscreensaver-data). Two runs: the stock settings and the demo
# profile (a pause of a second between drawings). Prints the share of one
# core each process used, from /proc's user and system times.
#   bench/cpu-share.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
distort=/usr/libexec/xscreensaver/distort
[ -x "$distort" ] || { echo "cpu-share: $distort is missing (apt-get install xscreensaver-data)" >&2; exit 1; }
work=$(mktemp -d /tmp/warpix-cpu-XXXXXX)
source tests/e2e/lib.sh
trap 'e2e_cleanup; rm -rf "$work"' EXIT
bin=$(saver_binary)
start_xvfb 1920x1080
scripts/make-samples "$work/demo" >/dev/null
mkdir -p "$work/stock"
cp "$work/demo/Warpix.ini" "$work/stock/"

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

for profile in stock demo; do
  "$distort" -root >/dev/null 2>&1 &
  hack=$!
  pids+=("$hack")
  "$bin" -s --config-dir "$work/$profile" >/dev/null 2>&1 &
  saver=$!
  pids+=("$saver")
  timeout 10 xdotool search --sync --pid "$saver" >/dev/null
  s0=$(ticks "$saver") h0=$(ticks "$hack") t0=$(now_ms)
  sleep "$seconds"
  s1=$(ticks "$saver") h1=$(ticks "$hack") t1=$(now_ms)
  wall=$((t1 - t0))
  awk -v p="$profile" -v s=$((s1 - s0)) -v h=$((h1 - h0)) -v hz="$hz" -v w="$wall" 'BEGIN {
    printf "%-5s settings: warpix %5.1f %% of a core, distort %5.1f %% (%.0f s)\n",
           p, 100 * s / hz / (w / 1000), 100 * h / hz / (w / 1000), w / 1000 }'
  kill -TERM "$saver" "$hack"
  wait "$saver" "$hack" 2>/dev/null || true
done
