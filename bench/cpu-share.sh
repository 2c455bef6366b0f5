#!/usr/bin/env bash
# CPU share of the saver at 1920x1080 under Xvfb over SECONDS (default 60),
# next to XScreenSaver's distort hack on the same display (Debian
# xscreensaver-data). The saver runs in its own full-screen window (-s) and
# as a hack (--root into a window another program lends it, as
# XScreenSaver does), each with the stock settings and with the demo
# profile (a pause of a second between drawings). Prints the share of one
# core each process used, from /proc's user and system times. The saver's
# runs share one seed (SEED, default 42), so they draw the same operations
# and two builds can be compared.
#   bench/cpu-share.sh [SECONDS] [SEED]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
seed=${2:-42}
distort=/usr/libexec/xscreensaver/distort
[ -x "$distort" ] || { echo "cpu-share: $distort is missing (apt-get install xscreensaver-data)" >&2; exit 1; }
work=$(mktemp -d /tmp/warpix-cpu-XXXXXX)
source tests/e2e/lib.sh
trap 'e2e_cleanup; rm -rf "$work"' EXIT
bin=$(saver_binary)
cc -O2 -Wall -Wextra tests/e2e/xwindow-helper.c -lX11 -o "$work/xwindow-helper"
start_xvfb 1920x1080
display_pids=("${pids[@]}")
scripts/make-samples "$work/demo" >/dev/null
mkdir -p "$work/stock"
cp "$work/demo/Warpix.ini" "$work/stock/"

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

# start_saver_in MODE PROFILE: the saver in its own window (window) or as a
# hack in a full-screen window lent by a helper (hack); sets `saver`.
start_saver_in() {
  if [ "$1" = window ]; then
    "$bin" -s --seed "$seed" --config-dir "$work/$2" >/dev/null 2>&1 &
    saver=$!
    pids+=("$saver")
    timeout 10 xdotool search --sync --pid "$saver" >/dev/null
    return
  fi
  coproc HOST { "$work/xwindow-helper" 0 0 1920 1080; }
  host_pid=$HOST_PID
  pids+=("$host_pid")
  local host
  read -r host <&"${HOST[0]}"
  XSCREENSAVER_WINDOW=$host "$bin" --root --seed "$seed" --config-dir "$work/$2" >/dev/null 2>&1 &
  saver=$!
  pids+=("$saver")
  sleep 1
}

for profile in stock demo; do
  for mode in window hack; do
    "$distort" -root >/dev/null 2>&1 &
    hack=$!
    pids+=("$hack")
    start_saver_in "$mode" "$profile"
    s0=$(ticks "$saver") h0=$(ticks "$hack") t0=$(now_ms)
    sleep "$seconds"
    s1=$(ticks "$saver") h1=$(ticks "$hack") t1=$(now_ms)
    wall=$((t1 - t0))
    label=$([ "$mode" = window ] && echo "warpix -s" || echo "warpix --root")
    awk -v p="$profile" -v m="$label" -v s=$((s1 - s0)) -v h=$((h1 - h0)) -v hz="$hz" -v w="$wall" 'BEGIN {
      printf "%-5s settings: %-13s %5.1f %% of a core, distort %5.1f %% (%.0f s)\n",
             p, m, 100 * s / hz / (w / 1000), 100 * h / hz / (w / 1000), w / 1000 }'
    # The saver and distort go; the display stays for the next round.
    kill -TERM "$saver" "$hack"
    wait "$saver" "$hack" 2>/dev/null || true
    if [ "$mode" = hack ]; then
      echo quit >&"${HOST[1]}" || true
      wait "$host_pid" 2>/dev/null || true
    fi
    pids=("${display_pids[@]}")
  done
done
