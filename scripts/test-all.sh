#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every test:
# first the normal build, then the same tests under AddressSanitizer and UBSan.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/packages.sh"
"$here/scripts/install-deps.sh" "${BUILD_PACKAGES[@]}"

# No display in CI: Qt draws offscreen, and WebEngine runs as root without its sandbox.
export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---no-sandbox --disable-gpu}"
jobs=$(nproc)

echo "== Build and test =="
cmake -S "$here" -B "$here/build-test" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMERE_WERROR=ON
cmake --build "$here/build-test" -j "$jobs"
(cd "$here/build-test" && ctest --output-on-failure -j "$jobs")

echo "== The same tests under ASan+UBSan =="
cmake -S "$here" -B "$here/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLMERE_SANITIZE=ON \
  -DQUILLMERE_WERROR=ON -DQUILLMERE_BUILD_GUI=OFF
cmake --build "$here/build-asan" -j "$jobs"
(cd "$here/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs")

# --- Packages: the Debian package (CPack) built, installed on this machine and checked;
#     the Windows zip script (scripts/package-windows.sh) tested on stand-in programs ---
echo "== Packages =="
"$here/scripts/install-deps.sh" "${PACKAGING_PACKAGES[@]}"
bash "$here/scripts/test-package.sh"
bash "$here/tests/packaging/package_windows_test.sh"
# --- end of the packages block ---

# --- Windows build under Wine (scripts/test-windows.sh) ---
echo "== Windows build under Wine =="
QUILLMERE_NATIVE_CLI="$here/build-test/cli/quillmere-mod" bash "$here/scripts/test-windows.sh"

# --- Fuzzing (scripts/fuzz.sh): where clang can build libFuzzer programs ---
if bash "$here/scripts/fuzz.sh" --check; then
  echo "== Fuzzing: ${QUILLMERE_FUZZ_SECONDS:-60} s per target =="
  bash "$here/scripts/fuzz.sh" "${QUILLMERE_FUZZ_SECONDS:-60}"
else
  echo "== Fuzzing skipped: no clang++ with its libFuzzer runtime (Debian: clang, libclang-rt-14-dev) =="
fi

# --- The 32-bit Windows build in an emulated machine (scripts/guest/): this machine cannot run
#     32-bit code, so a QEMU guest with 32-bit Wine runs its tests and smoke run, as Windows XP and
#     as Windows 2000. It comes last, as the slowest stage. The guest image is made once and
#     cached in ~/.cache/quillmere/. ---
echo "== 32-bit Windows build in an emulated machine =="
QUILLMERE_NATIVE_CLI="$here/build-test/cli/quillmere-mod" bash "$here/scripts/guest/run-tests.sh"
# --- end of the 32-bit guest block ---
