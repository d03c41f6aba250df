#!/usr/bin/env bash
# Builds the engine, quillmere-mod.exe and the engine's tests for 64-bit Windows with mingw-w64
# (the preset ci-windows-x86_64), checks with tools/loader-check that every program loads on its
# target Windows, then runs them under Wine: every test program through CTest, and a smoke run in
# which quillmere-mod.exe mods the sample package, whose three files must then be byte-identical
# to the native build's result. The 32-bit programs are scripts/test-windows-i686.sh's.
# Installs what is missing (Debian 12). Exits non-zero on any failure.
#
# Usage: scripts/test-windows.sh
#   QUILLMERE_NATIVE_CLI=path  native quillmere-mod to compare with (default: built here)
#   JOBS=n                     parallel build and test jobs (default: nproc, at most 2)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-windows"
jobs=${JOBS:-$(nproc)}
[ "$jobs" -gt 2 ] && jobs=2

started=$SECONDS
stage_start=$SECONDS
stage() {
  echo "-- $1 ($((SECONDS - stage_start)) s)"
  stage_start=$SECONDS
}
fail() {
  echo "FAILED (Windows): $*" >&2
  exit 1
}

"$here/scripts/install-deps.sh" cmake ninja-build g++-mingw-w64-x86-64-win32 wine wine64 googletest \
  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix g++ libgtest-dev # the loader check's own tests
stage "tools installed"

# Wine in a throw-away prefix inside the build folder, without a display and without the
# Mono and Gecko installers that a first start would otherwise offer.
export WINEPREFIX="$build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=
mkdir -p "$build"
# Our wineserver only (it serves this prefix alone), so that nothing of ours outlives the script.
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  rm -rf "$WINEPREFIX"
  timeout 300 wineboot -i >/dev/null 2>&1 || fail "could not create the Wine prefix $WINEPREFIX"
  wineserver -w
  stage "Wine prefix created"
fi

cd "$here"
cmake --preset ci-windows-x86_64 >/dev/null
cmake --build --preset ci-windows-x86_64 -j "$jobs"
stage "cross build"

exe="$build/cli/quillmere-mod.exe"

# --- The loader check: the check's own tests build probe programs with mingw-w64; then every
# Windows program of this build against its targets, with the imports per DLL and target ---
"$here/scripts/install-deps.sh" python3 binutils-mingw-w64-x86-64
python3 "$here/tools/loader-check/tests/test_loader_check.py" || fail "the loader check's own tests"
programs_x64=("$build/cli/quillmere-mod.exe" "$build/ui/win32/quillmere-mod-tool.exe")
python3 "$here/tools/loader-check/loader_check.py" --summary "${programs_x64[@]}" ||
  fail "a Windows program would not load on one of its target Windows"
ls -l "${programs_x64[@]}"
stage "loader check"
# --- end of the loader check ---

# Wine makes no junctions, but shows a Unix symbolic link as one: the folder-link test walks this.
fixture="$build/link-fixture"
rm -rf "$fixture"
mkdir -p "$fixture/sub"
printf 'x' >"$fixture/C2_1.INF"
ln -s . "$fixture/loop"
export QUILLMERE_FOLDER_LINK_FIXTURE="Z:${fixture//\//\\}"

# One Wine process per test program; scripts/wine-test.sh runs each and knows Wine's one harmless
# exit-time fault. No reruns: a failure is a failure.
ctest --preset ci-windows-x86_64 -j "$jobs" || fail "tests under Wine"
stage "tests under Wine"

# Smoke run: the same sample package modded by the native tool and by quillmere-mod.exe.
native=${QUILLMERE_NATIVE_CLI:-}
if [ -z "$native" ]; then
  cmake -S "$here" -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMERE_BUILD_GUI=OFF \
    -DQUILLMERE_BUILD_TESTS=OFF -DQUILLMERE_WERROR=OFF >/dev/null
  cmake --build "$build/native" -j "$jobs" --target quillmere-mod
  native="$build/native/cli/quillmere-mod"
fi
smoke="$build/smoke"
rm -rf "$smoke"
bash "$here/scripts/make-sample-package.sh" "$smoke/native" >/dev/null
bash "$here/scripts/make-sample-package.sh" "$smoke/windows" >/dev/null
"$native" --no "$smoke/native" >"$smoke/native.out" || fail "the native tool did not mod the sample ($?)"
windows_folder="Z:${smoke//\//\\}\\windows"
status=0
wine "$exe" --no "$windows_folder" >"$smoke/windows.out" 2>&1 || status=$?
[ "$status" -eq 0 ] || { cat "$smoke/windows.out"; fail "quillmere-mod.exe exited with $status"; }
cat "$smoke/windows.out"
for file in install.ini 2KXP_INF/C2_59642.INF 2KXP_INF/CX_59642.INF; do
  cmp "$smoke/native/Driver/$file" "$smoke/windows/Driver/$file" ||
    fail "$file modded under Windows differs from the native result"
  cmp -s "$here/tests/data/sample-package/${file#2KXP_INF/}" "$smoke/windows/Driver/$file" &&
    fail "$file was not changed by quillmere-mod.exe"
  echo "same bytes: $file"
done
status=0
wine "$exe" --no "$windows_folder" >"$smoke/windows-again.out" 2>&1 || status=$?
[ "$status" -eq 1 ] && grep -q "This set is already modified" "$smoke/windows-again.out" ||
  fail "a second run of quillmere-mod.exe did not refuse the modded package (exit $status)"
stage "smoke run"

# --- quillmere-mod.exe --check and --diff (issue 12): they read through Windows' own idea of the
# rights (the read-only attribute, the folder's access list) and must create or change nothing.
checked="$smoke/check"
bash "$here/scripts/make-sample-package.sh" "$checked" >/dev/null
check_folder="Z:${checked//\//\\}"
snapshot() { find "$checked" -printf '%p %s %T@\n' | sort; }
before=$(snapshot)
status=0
wine "$exe" --check "$check_folder" >"$smoke/check.out" 2>&1 || status=$?
[ "$status" -eq 5 ] || { cat "$smoke/check.out"; fail "quillmere-mod.exe --check exited with $status, not 5"; }
[ "$(grep -c '    can be written' "$smoke/check.out")" -eq 3 ] || { cat "$smoke/check.out"; fail "--check did not find the three files writable"; }
status=0
wine "$exe" --diff "$check_folder" >"$smoke/diff.out" 2>&1 || status=$?
[ "$status" -eq 0 ] && grep -q '^+++ b/Driver/2KXP_INF/C2_59642.INF' "$smoke/diff.out" || fail "quillmere-mod.exe --diff (exit $status)"
chmod a-w "$checked/Driver/install.ini"  # Wine shows it with the read-only attribute
status=0
wine "$exe" --check "$check_folder" >"$smoke/check-readonly.out" 2>&1 || status=$?
[ "$status" -eq 1 ] && grep -q 'cannot be written' "$smoke/check-readonly.out" ||
  { cat "$smoke/check-readonly.out"; fail "--check of a read-only install.ini exited with $status"; }
[ "$before" = "$(snapshot)" ] || fail "--check or --diff changed the package under Windows"
echo "--check and --diff under Windows: reported, nothing changed"
stage "check and diff"
# --- end of --check and --diff

# --- Paths in any language (code pages 1252 and 932, "．．", long paths, the console) ---
bash "$here/scripts/test-windows-unicode.sh" "$build" "$native" || fail "Unicode paths under Wine"
stage "Unicode paths"

# --- Win32 window (ui/win32): its tests as real windows (its imports are checked above) ---
# The tests need an X display: an Xvfb of our own (-displayfd picks a free number, as others run
# Xvfb on the same machine), Wine's own Tahoma and Marlett in the prefix, and windows that Wine
# frames itself (a managed window makes Wine wait 2 s for a window manager at every close).
"$here/scripts/install-deps.sh" xvfb fonts-wine
gui_exe="$build/ui/win32/quillmere-mod-tool.exe"
[ -f "$gui_exe" ] || fail "quillmere-mod-tool.exe was not built"
wineserver -k >/dev/null 2>&1 || true  # the servers of the display-less steps
gui_display_file="$build/xvfb-display"
rm -f "$gui_display_file"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$gui_display_file" >/dev/null 2>&1 &
gui_xvfb=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $gui_xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s "$gui_display_file" ] && break; sleep 0.1; done
[ -s "$gui_display_file" ] || fail "Xvfb did not start"
cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf /usr/share/wine/fonts/marlett.ttf \
  "$WINEPREFIX/drive_c/windows/Fonts/"
gui_sample="$build/win32-sample"
rm -rf "$gui_sample"
bash "$here/scripts/make-sample-package.sh" "$gui_sample" >/dev/null
(
  export DISPLAY=":$(cat "$gui_display_file")"
  export QUILLMERE_WIN32_SAMPLE_PACKAGE="Z:${gui_sample//\//\\}"
  # Checked, because without it every test that closes a window waits 2 s (once: 108 s, not 7).
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
  wine reg query 'HKCU\Software\Wine\X11 Driver' /v Managed 2>/dev/null | tr -d '\r' | grep -Eq 'Managed +REG_SZ +N$' ||
    fail "Wine's X11 driver would still manage the test windows"
  ctest --preset ci-win32-gui
) || fail "the Win32 window's tests under Wine"
wineserver -k >/dev/null 2>&1 || true
kill $gui_xvfb 2>/dev/null || true
stage "Win32 window tests under Wine"
# --- end of the Win32 window block ---

echo "Windows build under Wine: all passed in $((SECONDS - started)) s"
