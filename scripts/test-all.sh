#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every test:
# first the normal build, then the same tests under AddressSanitizer and UBSan. The builds are
# the "ci" presets of CMakePresets.json. Each stage ends with a line "== stage time: ..." that
# gives its elapsed seconds.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
source "$here/scripts/packages.sh"
"$here/scripts/install-deps.sh" "${BUILD_PACKAGES[@]}"

# No display in CI: Qt draws offscreen, and WebEngine runs as root without its sandbox.
export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---no-sandbox --disable-gpu}"
jobs=$(nproc)

started=$SECONDS
stage_started=$SECONDS
stage_time() {
  echo "== stage time: $1: $((SECONDS - stage_started)) s (all so far: $((SECONDS - started)) s)"
  stage_started=$SECONDS
}

echo "== Build and test =="
cmake --preset ci
cmake --build --preset ci -j "$jobs"
ctest --preset ci -j "$jobs"
stage_time "build and test"

echo "== The same tests under ASan+UBSan =="
cmake --preset ci-asan
cmake --build --preset ci-asan -j "$jobs"
ctest --preset ci-asan -j "$jobs"
stage_time "ASan+UBSan"

# --- Packages: the Debian package (CPack, from build-test/) installed on this machine and
#     checked; the Windows zip script (scripts/package-windows.sh) tested on stand-in programs ---
echo "== Packages =="
"$here/scripts/install-deps.sh" "${PACKAGING_PACKAGES[@]}"
bash "$here/scripts/test-package.sh"
bash "$here/tests/packaging/package_windows_test.sh"
stage_time "packages"
# --- end of the packages block ---

# --- Windows build under Wine (scripts/test-windows.sh) ---
echo "== Windows build under Wine =="
QUILLMERE_NATIVE_CLI="$here/build-test/cli/quillmere-mod" bash "$here/scripts/test-windows.sh"
stage_time "Windows under Wine"

# --- Fuzzing (scripts/fuzz.sh): where clang can build libFuzzer programs ---
if bash "$here/scripts/fuzz.sh" --check; then
  echo "== Fuzzing: ${QUILLMERE_FUZZ_SECONDS:-60} s per target =="
  bash "$here/scripts/fuzz.sh" "${QUILLMERE_FUZZ_SECONDS:-60}"
else
  echo "== Fuzzing skipped: no clang++ with its libFuzzer runtime (Debian: clang, libclang-rt-14-dev) =="
fi
stage_time "fuzzing"

# --- The 32-bit Windows build and its run in an emulated machine: the i686 programs and their
#     tests built, checked against what Windows 2000 and XP export, packed with the 64-bit ones
#     into the Windows zip (scripts/test-windows-i686.sh); then, as this machine cannot run
#     32-bit code, a QEMU guest with 32-bit Wine runs the tests and the smoke run, as Windows XP
#     and as Windows 2000 (scripts/guest/). It comes last, as the slowest stage. The guest image
#     is made once and cached in ~/.cache/quillmere/. ---
echo "== 32-bit Windows build in an emulated machine =="
bash "$here/scripts/test-windows-i686.sh"
QUILLMERE_NATIVE_CLI="$here/build-test/cli/quillmere-mod" bash "$here/scripts/guest/run-tests.sh"
stage_time "32-bit Windows"
# --- end of the 32-bit guest block ---
echo "== All tests passed in $((SECONDS - started)) s"
