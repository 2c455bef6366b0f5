#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each for SECONDS seconds,
# starting from the committed seeds. What a run learns is kept in
# fuzz/corpus-<target>/ (not committed); crashes land in the build folder.
#
#   fuzz/run-fuzzers.sh SECONDS [TARGET...]     (default: the six decoders)
#
# WARPIX_FUZZ_SEED fixes libFuzzer's random seed (0, the default, lets it
# pick one), and WARPIX_FUZZ_LEARNED puts what a run learns in another
# folder: a fixed seed from the committed seeds alone repeats the same run.
#
# Exits non-zero when any target finds a crash, leak or timeout.
set -euo pipefail

seconds=${1:?usage: run-fuzzers.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_bmp fuzz_jpeg fuzz_png fuzz_webp fuzz_heic fuzz_avif)

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${WARPIX_FUZZ_BUILD:-$root/build-fuzz}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DWARPIX_FUZZ=ON -DWARPIX_TESTS=OFF >/dev/null
ninja -C "$build" -j2 "${targets[@]}"

status=0
for target in "${targets[@]}"; do
  kind=${target#fuzz_}
  learned="${WARPIX_FUZZ_LEARNED:-$here}/corpus-$kind"
  artifacts="$build/artifacts/$kind/"
  mkdir -p "$learned" "$artifacts"
  echo "== $target: $seconds s"
  # Inputs above 256 KiB add nothing a smaller one cannot reach; the memory
  # limit sits above the decoders' own budget, so only a real leak trips it.
  if ! LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0" \
      "$build/$target" "$learned" "$here/corpus/$kind" \
      -max_total_time="$seconds" -seed="${WARPIX_FUZZ_SEED:-0}" -max_len=262144 -timeout=20 -rss_limit_mb=3072 \
      -artifact_prefix="$artifacts" -print_final_stats=1 2>"$build/$target.log"; then
    status=1
    echo "   FOUND a problem: see $build/$target.log and $artifacts"
  fi
  grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb|^#.*DONE" "$build/$target.log" | sed 's/^/   /' || true
done
exit $status
