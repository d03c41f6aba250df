#!/usr/bin/env bash
# Runs the 32-bit (i686) Windows build where it can run: this machine's kernel refuses 32-bit
# code, so in an emulated x86 machine (QEMU, software emulation) that boots a Debian 12 guest with
# 32-bit Wine (scripts/guest/make-image.sh makes it once and caches it). There, under Wine set to
# Windows XP and then Windows 2000: the test programs of the engine, the command line, the
# Windows platform layer and the Win32 window; the smoke run, whose three files must equal the
# native tool's byte for byte; and a screenshot of the window. Fails on any failed test, any
# difference, or a guest that does not finish within its time. Needs root the first time.
#
# Usage: scripts/guest/run-tests.sh      after scripts/test-windows-i686.sh built build-windows-i686/
#   QUILLMERE_NATIVE_CLI=path     native quillmere-mod to compare with (default: built here)
#   QUILLMERE_GUEST_TIMEOUT=s     the whole guest run, boot to power-off (default 1800)
#   QUILLMERE_GUEST_VERSIONS=...  Windows versions Wine reports (default "winxp win2k")
set -euo pipefail
source "$(dirname "$0")/lib.sh"
here=$(cd "$guest_scripts/../.." && pwd)
build_i686="$here/build-windows-i686"
results="$build_i686/guest"
timeout=${QUILLMERE_GUEST_TIMEOUT:-1800}
versions=${QUILLMERE_GUEST_VERSIONS:-winxp win2k}
started=$SECONDS
fail() {
  echo "FAILED (32-bit guest): $*" >&2
  exit 1
}

# The test programs, each run as one process, and the stress cases left to the 64-bit run: in
# the guest the 10,000-entry folder takes about 9 minutes, the 300 random trees 2, the 50 MB INF
# half a minute, for what does not depend on 32 bits or the Windows version.
tests=(
  "quillmere_modder_tests|-OddPackageFiles.FiftyMegabyteInfIsModdedLikeItsSmallSelf"
  "quillmere_catalogue_tests|*"
  "quillmere_scan_tests|-HostileTree.TenThousandEntriesInOneFolder:HostileTree.VisitsComeInTheOrderOfTheRecursiveWalk"
  "quillmere_cli_tests|*"
  "quillmere_ui_common_tests|*"
  "quillmere_windows_tests|*"
  "quillmere_win32_ui_tests|*"
)
programs=(cli/quillmere-mod.exe ui/win32/quillmere-mod-tool.exe tests/windows/quillmere_start_probe.exe)

image=${QUILLMERE_GUEST_IMAGE:-}  # a guest made before, for trying changes to the run
[ -n "$image" ] || image=$(bash "$guest_scripts/make-image.sh" | tail -1) || fail "could not make the guest image"
[ -f "$image/ready" ] || fail "no guest image in $image"
echo "-- guest image ready ($((SECONDS - started)) s)"

payload="$build_i686/guest-payload"
rm -rf "$payload" "$results"
mkdir -p "$payload/bin" "$payload/out" "$results"
for entry in "${tests[@]}"; do
  name=${entry%%|*}
  found=$(find "$build_i686/tests" -name "$name.exe" | head -1)
  [ -n "$found" ] || fail "$name.exe was not built in $build_i686"
  cp "$found" "$payload/bin/"
  echo "$entry" >>"$payload/tests.txt"
done
for program in "${programs[@]}"; do
  [ -f "$build_i686/$program" ] || fail "$build_i686/$program was not built"
  cp "$build_i686/$program" "$payload/bin/"
done
# The tests find their data where they were built to (absolute paths inside them).
tar -C "$here" -cf "$payload/source.tar" tests/data cli
bash "$here/scripts/make-sample-package.sh" "$payload/sample" >/dev/null
cp "$guest_scripts/guest-tests.sh" "$payload/run.sh"
cp "$here/scripts/wine-test.sh" "$payload/"
cat >"$payload/config" <<CONFIG
source_root='$here'
versions='$versions'
test_timeout=600
CONFIG

# The native result the guest's smoke runs must equal.
native=${QUILLMERE_NATIVE_CLI:-}
if [ -z "$native" ]; then
  cmake -S "$here" -B "$build_i686/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMERE_BUILD_GUI=OFF \
    -DQUILLMERE_BUILD_TESTS=OFF -DQUILLMERE_WERROR=OFF >/dev/null
  cmake --build "$build_i686/native" -j 2 --target quillmere-mod
  native="$build_i686/native/cli/quillmere-mod"
fi
bash "$here/scripts/make-sample-package.sh" "$results/native" >/dev/null
"$native" --no "$results/native" >"$results/native.out" || fail "the native tool did not mod the sample"

echo "-- booting the guest (at most $timeout s; serial console: $results/serial.log)"
boot_start=$SECONDS
status=0
guest_boot "$image" snapshot "$payload" "$results/serial.log" "$timeout" || status=$?
cp -r "$payload/out/." "$results/"
echo "-- guest ran $((SECONDS - boot_start)) s (QEMU exit $status)"
if [ ! -f "$results/status" ]; then
  tail -30 "$results/serial.log" >&2
  fail "the guest did not finish within $timeout s (QEMU exit $status)"
fi
[ "$(cat "$results/status")" = 0 ] || fail "the guest's script exited with $(cat "$results/status")"

# Judge: every program's exit code and counts, the smoke files, the second run's refusal.
failures=0
problem() {
  echo "  FAILED: $*"
  failures=$((failures + 1))
}
count() {  # count LOG "PASSED" -> the number of that gtest summary line, else 0
  sed -n "s/^\[  $2 *\] \([0-9]*\) tests\{0,1\}[,.].*/\1/p" "$1" | head -1 | grep . || echo 0
}
for version in $versions; do
  out="$results/$version"
  echo "== $version: $(cat "$out/ver.txt" 2>/dev/null || echo '(no answer to ver)')"
  total=0
  for entry in "${tests[@]}"; do
    name=${entry%%|*}
    log="$out/$name.log"
    if [ ! -f "$out/$name.status" ]; then
      problem "$name did not run"
      continue
    fi
    code=$(cat "$out/$name.status")
    passed=$(count "$log" PASSED)
    skipped=$(count "$log" SKIPPED)
    failed=$(count "$log" FAILED)
    total=$((total + passed))
    printf '  %-28s exit %-3s passed %-4s skipped %-3s failed %s\n' "$name" "$code" "$passed" "$skipped" "$failed"
    if [ "$code" != 0 ]; then
      grep -E '^\[  FAILED  \]|rand_s|SystemFunction036' "$log" | sort -u | head -20 | sed 's/^/    /'
      tail -5 "$log" | sed 's/^/    | /'
      problem "$name under $version (exit $code, log $log)"
    fi
  done
  echo "  tests passed under $version: $total"
  code=$(cat "$out/smoke.status" 2>/dev/null || echo none)
  if [ "$code" != 0 ]; then
    cat "$out/smoke.out" 2>/dev/null
    problem "the smoke run under $version exited with $code"
  else
    for file in install.ini 2KXP_INF/C2_59642.INF 2KXP_INF/CX_59642.INF; do
      if ! cmp "$results/native/Driver/$file" "$out/smoke/$file"; then
        problem "$file modded under $version differs from the native result"
      elif cmp -s "$here/tests/data/sample-package/${file#2KXP_INF/}" "$out/smoke/$file"; then
        problem "$file was not changed under $version"
      else
        echo "  smoke: same bytes as native: $file"
      fi
    done
  fi
  code=$(cat "$out/smoke-again.status" 2>/dev/null || echo none)
  [ "$code" = 1 ] && grep -q "This set is already modified" "$out/smoke-again.out" ||
    problem "a second run under $version did not refuse the modded package (exit $code)"
  if [ -s "$out/window.png" ]; then
    echo "  window screenshot: $out/window.png"
  else
    problem "no screenshot of the window under $version"
  fi
  sed 's/^/  time: /' "$out/times.txt" 2>/dev/null || true
done
[ "$failures" -eq 0 ] || fail "$failures failure(s) in the guest (logs: $results)"
echo "32-bit guest: all passed in $((SECONDS - started)) s"
