#!/usr/bin/env bash
# Input-to-exit latency of the full-screen saver under Xvfb: a key press
# while it draws (the stock mix; then only brush filters, only repainting,
# only text), while it waits between two drawings, and while it holds a
# photo; RUNS runs each (default 50). With one kind alone the first-minute
# rest of the filters gives way after ten draws, so they run from the start. Prints p50, p99 and the worst in ms,
# measured from the start of the xdotool that sends the key to the end of
# the saver's process, whether or not xdotool has finished its own pause
# after the key; xdotool's own start-up time is printed beside them.
# Goal: p99 <= 20 ms.
#   bench/latency.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-50}
work=$(mktemp -d /tmp/warpix-latency-XXXXXX)
source tests/e2e/lib.sh
trap 'e2e_cleanup; rm -rf "$work"' EXIT
bin=$(saver_binary)
start_xvfb 1280x720
make_profile "$work/drawing" ImagePeriod=2 ImagePause=0 DelayBetweenDrawings=0
make_profile "$work/delay" ImagePeriod=2 ImagePause=0 DelayBetweenDrawings=30
make_profile "$work/hold" ImagePeriod=2 ImagePause=30 DelayBetweenDrawings=0
only() {  # only NAME KEY: a profile where KEY is the one frequency above 0
  local name=$1 key=$2 kv=() k
  for k in DoImage DoMangle DoBlur DoText DoRepaint; do
    if [ "$k" = "$key" ]; then kv+=("$k=100"); else kv+=("$k=0"); fi
  done
  make_profile "$work/$name" ImagePeriod=2 ImagePause=0 DelayBetweenDrawings=0 "${kv[@]}"
}
only blur DoBlur
only repaint DoRepaint
only text DoText

python3 - "$bin" "$runs" "$work" <<'PY'
import statistics, subprocess, sys, threading, time
binary, runs, work = sys.argv[1], int(sys.argv[2]), sys.argv[3]

def pct(values, p):
    s = sorted(values)
    return s[min(len(s) - 1, int(round(p / 100 * (len(s) - 1))))]

def one(profile, settle):
    saver = subprocess.Popen([binary, "-s", "--config-dir", profile],
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["timeout", "10", "xdotool", "search", "--sync", "--pid", str(saver.pid)],
                   stdout=subprocess.DEVNULL, check=True)
    time.sleep(settle)
    # A blocking wait: Popen.wait(timeout) polls with growing sleeps (0.5,
    # 1, 2, 4, 8, 16 ms...), which would round every time up to the next
    # poll; a timer kills a saver that does not end instead.
    killer = threading.Timer(5.0, saver.kill)
    killer.start()
    t0 = time.perf_counter()
    key = subprocess.Popen(["xdotool", "key", "a"])
    try:
        code = saver.wait()
        ms = (time.perf_counter() - t0) * 1000
        timed_out = not killer.is_alive()
    finally:
        killer.cancel()
        key.wait()
    return ms if code == 0 and not timed_out else None

xdotool = []
for _ in range(20):
    t0 = time.perf_counter()
    subprocess.run(["xdotool", "getmouselocation"], stdout=subprocess.DEVNULL, check=True)
    xdotool.append((time.perf_counter() - t0) * 1000)
print(f"xdotool start-up alone: p50 {statistics.median(xdotool):.1f} ms")
for name, settle in (("drawing", 0.5), ("blur", 0.5), ("repaint", 0.5), ("text", 0.5), ("delay", 1.2),
                     ("hold", 1.2)):
    values = [one(f"{work}/{name}", settle) for _ in range(runs)]
    missed = sum(v is None for v in values)
    values = [v for v in values if v is not None]
    print(f"{name:8s} runs {len(values):3d}  p50 {pct(values, 50):6.1f} ms  p99 {pct(values, 99):6.1f} ms"
          f"  worst {max(values):6.1f} ms  missed {missed}")
PY
