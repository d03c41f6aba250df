#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench/) and measures them; the figures replace the
# block between the markers in bench/README.md. Run it on an otherwise idle machine.
#   scripts/bench.sh [ROUNDS]     rounds per figure, median taken (default 7)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-7}
source "$here/scripts/packages.sh"
"$here/scripts/install-deps.sh" "${BUILD_PACKAGES[@]}"
build="$here/build-bench"
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_BUILD_BENCH=ON \
  -DQUILLMERE_BUILD_TESTS=OFF -DQUILLMERE_BUILD_GUI=ON -DQUILLMERE_WERROR=ON >/dev/null
cmake --build "$build" -j "$jobs" --target quillmere_bench_report quillmere_bench_editor quillmere_bench_window \
  quillmere-mod

work=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-bench.XXXXXX")
figures=$(mktemp)
trap 'rm -rf "$work" "$figures"' EXIT
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

readme="$here/bench/README.md"
awk -v figures="$figures" '
  /<!-- figures:begin -->/ { print; while ((getline line < figures) > 0) print line; skipping = 1; next }
  /<!-- figures:end -->/ { skipping = 0 }
  !skipping { print }
' "$readme" >"$readme.new" && mv "$readme.new" "$readme"
echo "Figures written to $readme"
