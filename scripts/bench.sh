#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench/) and measures them; the figures replace the
# block between the markers in bench/README.md. Run it on an otherwise idle machine.
#   scripts/bench.sh [ROUNDS] [all|startup]   rounds per figure, median taken (default 7); "startup"
#                                             measures and rewrites only the start-up figures
#   QUILLMERE_BENCH_BASELINE_TOOL=path        another quillmere-mod-tool (an older build) timed
#                                             in the same start-up rounds
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-7}
what=${2:-all}
source "$here/scripts/packages.sh"
"$here/scripts/install-deps.sh" "${BUILD_PACKAGES[@]}" xvfb
build="$here/build-bench"
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_BUILD_BENCH=ON \
  -DQUILLMERE_BUILD_TESTS=OFF -DQUILLMERE_BUILD_GUI=ON -DQUILLMERE_WERROR=ON >/dev/null
startup_targets=(quillmere-mod-tool quillmere_bench_bare_window quillmere_bench_startup)
if [ "$what" = startup ]; then
  cmake --build "$build" -j "$jobs" --target "${startup_targets[@]}"
else
  cmake --build "$build" -j "$jobs" --target quillmere_bench_report quillmere_bench_editor quillmere_bench_window \
    quillmere-mod "${startup_targets[@]}"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-bench.XXXXXX")
figures=$(mktemp)
startup=$(mktemp)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work" "$figures" "$startup"
}
trap cleanup EXIT

# --- Start-up against a bare Qt window, on a display of our own ---
# Xvfb picks a free display number itself (-displayfd), since others may run Xvfb here too.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
# The tool's home holds the package folder, so that it starts without its hint message.
mkdir -p "$work/home/ati"
baseline=()
[ -n "${QUILLMERE_BENCH_BASELINE_TOOL:-}" ] && baseline=("$QUILLMERE_BENCH_BASELINE_TOOL")
{
  echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') at commit $(git -C "$here" rev-parse --short HEAD 2>/dev/null || echo unknown)" \
       "on $(lscpu 2>/dev/null | sed -n 's/^Model name: *//p' | head -1) ($(nproc) processors), Release, $rounds rounds."
  echo
  # The web help's browser engine runs as root only without its sandbox.
  env -u QT_QPA_PLATFORM DISPLAY=":$(head -1 "$work/display")" HOME="$work/home" \
    QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---no-sandbox}" \
    "$build/bench/quillmere_bench_startup" "$rounds" "$build/bench/quillmere_bench_bare_window" \
    "$build/ui/qt/quillmere-mod-tool" "${baseline[@]}"
} >"$startup"
kill "$xvfb_pid" 2>/dev/null
xvfb_pid=
cat "$startup"
readme="$here/bench/README.md"
replace_block() {  # replace_block NAME FILE: the lines between <!-- NAME:begin/end --> in the README
  awk -v figures="$2" -v begin="<!-- $1:begin -->" -v end="<!-- $1:end -->" '
    $0 == begin { print; while ((getline line < figures) > 0) print line; skipping = 1; next }
    $0 == end { skipping = 0 }
    !skipping { print }
  ' "$readme" >"$readme.new" && mv "$readme.new" "$readme"
}
replace_block startup "$startup"
if [ "$what" = startup ]; then
  echo "Start-up figures written to $readme"
  exit 0
fi

{
  echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') at commit $(git -C "$here" rev-parse --short HEAD 2>/dev/null || echo unknown)" \
       "on $(lscpu 2>/dev/null | sed -n 's/^Model name: *//p' | head -1) ($(nproc) processors), $rounds rounds."
  echo
  "$build/bench/quillmere_bench_report" "$work/report" "$rounds"
  QT_QPA_PLATFORM=offscreen "$build/bench/quillmere_bench_window" "$work/window" "$rounds" 2>/dev/null
  echo "### The editor's operations by INF size (Google Benchmark)"
  echo
  echo '```'
  "$build/bench/quillmere_bench_editor" --benchmark_min_time=0.2 2>/dev/null | sed -n '/^Benchmark/,$p'
  echo '```'
} >"$figures"
cat "$figures"

replace_block figures "$figures"
echo "Figures written to $readme"
