# Shared pieces of the end-to-end scripts (scripts/test-e2e, bench/*.sh):
# test displays, the saver under test and timing. Source it from the
# repository root after setting `work` to a scratch folder.

pids=()
e2e_cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  pids=()
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# The saver binary, built when missing.
saver_binary() {
  local build=${WARPIX_BUILD:-build/release}
  [ -x "$build/warpix" ] || scripts/build release >&2
  echo "$PWD/$build/warpix"
}

# start_xvfb WxH: a virtual screen on a free display number; sets DISPLAY.
start_xvfb() {
  local fdfile=$work/xvfb-display.$RANDOM
  : >"$fdfile"
  Xvfb -displayfd 7 -screen 0 "${1}x24" -nolisten tcp -noreset 7>"$fdfile" >/dev/null 2>&1 &
  pids+=($!)
  local i
  for i in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.05
  done
  [ -s "$fdfile" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=:$(tr -d '\n' <"$fdfile")
}

# start_saver PROFILE ARGS...: runs the saver full screen and waits for its
# window; sets `saver` to its process id.
start_saver() {
  local profile=$1
  shift
  "$bin" -s --config-dir "$profile" "$@" >>"$work/saver.log" 2>&1 &
  saver=$!
  pids+=("$saver")
  timeout 10 xdotool search --sync --pid "$saver" >/dev/null 2>&1 || return 1
  # Let it map, take focus and show its first picture.
  sleep "${SETTLE:-0.7}"
}

# wait_exit PID LIMIT-MS [T0-MS]: waits for the process to end; sets
# `elapsed` (milliseconds since T0, default now) and `exit_code`. Fails when
# it is still running after LIMIT-MS.
wait_exit() {
  local pid=$1 limit=$2 t0=${3:-$(now_ms)}
  while kill -0 "$pid" 2>/dev/null; do
    if [ $(($(now_ms) - t0)) -gt "$limit" ]; then return 1; fi
    sleep 0.002
  done
  elapsed=$(($(now_ms) - t0))
  exit_code=0
  wait "$pid" || exit_code=$?
}

# make_profile DIR KEY=VALUE...: the demo profile with settings changed.
make_profile() {
  local dir=$1
  shift
  scripts/make-samples "$dir" >/dev/null
  local kv
  for kv in "$@"; do
    sed -i "/^${kv%%=*}=/d" "$dir/photo-warpix.conf"
    echo "$kv" >>"$dir/photo-warpix.conf"
  done
}
