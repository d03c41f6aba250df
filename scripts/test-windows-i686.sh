#!/usr/bin/env bash
# Builds the programs and their tests for 32-bit Windows (the preset ci-windows-i686, in
# build-windows-i686/), checks with tools/loader-check that every program loads on Windows 2000
# SP4 and XP SP3, and packs the portable Windows zip of both programs for both processors (after
# scripts/test-windows.sh built build-windows/). This machine cannot run 32-bit code:
# scripts/guest/run-tests.sh runs the tests in an emulated machine. Installs what is missing
# (Debian 12). Exits non-zero on any failure.
#   JOBS=n   parallel build jobs (default: nproc, at most 2)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-windows-i686"
jobs=${JOBS:-$(nproc)}
[ "$jobs" -gt 2 ] && jobs=2
fail() {
  echo "FAILED (32-bit Windows): $*" >&2
  exit 1
}

"$here/scripts/install-deps.sh" cmake ninja-build g++-mingw-w64-i686-win32 googletest python3 \
  binutils-mingw-w64-x86-64 zip unzip # the loader check reads both with the x86-64 objdump
cd "$here"
cmake --preset ci-windows-i686 >/dev/null
cmake --build --preset ci-windows-i686 -j "$jobs"

programs=("$build/cli/quillmere-mod.exe" "$build/ui/win32/quillmere-mod-tool.exe")
python3 "$here/tools/loader-check/loader_check.py" --summary "${programs[@]}" ||
  fail "a Windows program would not load on one of its target Windows"
ls -l "${programs[@]}"

# The portable zip: both programs for both processors, stripped, with README.txt.
windows_zip="$here/build-windows/quillmere-mod-tool-windows.zip"
bash "$here/scripts/package-windows.sh" "$windows_zip" "$here/build-windows" "$build" || fail "the Windows zip"
unzip -l "$windows_zip"
