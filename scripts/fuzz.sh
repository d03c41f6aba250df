#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan+UBSan; the preset ci-fuzz, in build-fuzz/) and
# runs each for SECONDS (default 60), as many side by side as there are processors (at most 2),
# starting from the seed corpus of tests/fuzz/corpus/<target>/. New inputs go to
# build-fuzz/corpus/<target>/ and survive between runs; the checked-in seeds are not touched.
# A failure leaves the input in build-fuzz/findings/ and ends the script with status 1.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#   scripts/fuzz.sh --check    status 0 when clang++ can build a libFuzzer program here
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" = "--check" ]; then
  # Debian's clang only recommends the fuzzer runtime (libclang-rt-<version>-dev).
  probe=$(mktemp -d)
  trap 'rm -rf "$probe"' EXIT
  printf '%s\n' '#include <cstddef>' '#include <cstdint>' \
    'extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }' >"$probe/probe.cpp"
  command -v clang++ >/dev/null 2>&1 &&
    clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1
  exit
fi
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(profile_editor_fuzzer read_buffer_fuzzer)
build="$here/build-fuzz"
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

cd "$here"
cmake --preset ci-fuzz >/dev/null
cmake --build --preset ci-fuzz -j "$jobs" --target "${targets[@]}"

# Each fuzzer is one process on one processor: run them side by side, each into its own log.
mkdir -p "$build/findings" "$build/logs"
fuzz() {
  local target=$1 corpus="$build/corpus/$1"
  mkdir -p "$corpus"
  # Leak checks stay on; -max_len leaves room for a realdata-sized file and its edits.
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$build/tests/fuzz/$target" "$corpus" "$here/tests/fuzz/corpus/$target" \
      -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/findings/$target-" -print_final_stats=1 >"$build/logs/$target.log" 2>&1 || true
}
running=0
for target in "${targets[@]}"; do
  echo "== $target: ${seconds} s =="
  fuzz "$target" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait

found=0
for target in "${targets[@]}"; do
  echo "== $target =="
  grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb|INFO: seed corpus)|ERROR|check failed|SUMMARY|artifact|Test unit written' \
    "$build/logs/$target.log" || true
  # The fuzzer's own status is not kept: a finding leaves a file behind.
  if compgen -G "$build/findings/$target-*" >/dev/null; then
    echo "$target found a failing input: $(ls "$build/findings/$target-"*)" >&2
    found=1
  fi
done
exit "$found"
