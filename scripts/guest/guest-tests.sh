#!/bin/bash
# Runs inside the emulated guest as the payload's run.sh (scripts/guest/run-tests.sh hands it in):
# the i686 test programs, the smoke run and a screenshot of the window under 32-bit Wine, once
# per Windows version that Wine reports. Writes what happened to /payload/out; the host judges it.
[ -n "${BASH_VERSION:-}" ] || exec bash "$0" "$@"
set -u
payload=/payload
run=/root/run
results=$run/out
start=$(date +%s)
say() { echo "guest: $* ($(($(date +%s) - start)) s)"; }
publish() { cp -r "$results"/. "$payload/out/" && sync; }
# shellcheck source=/dev/null
source "$payload/config"  # source_root, versions, test_timeout

export WINEARCH=win32 WINEPREFIX=/root/.wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export HOME=/root

# Programs run from the guest's own disk: a large .exe run straight from the 9p share reads back
# pages of zeros. The test data goes where the tests were built to find it.
mkdir -p "$run/bin" "$results" "$source_root"
cp "$payload"/bin/* "$run/bin/"
tar -C "$source_root" -xf "$payload/source.tar"
cp -r "$payload/sample" "$run/sample"
mkdir -p "$run/link-fixture/sub"
printf 'x' >"$run/link-fixture/C2_1.INF"
ln -s . "$run/link-fixture/loop"
rm -rf "$WINEPREFIX/drive_c/ati"
cp -r "$run/sample" "$WINEPREFIX/drive_c/ati"  # where the window looks first
say "payload copied"

Xvfb :7 -screen 0 1024x768x24 -nolisten tcp >"$results/xvfb.log" 2>&1 &
for _ in $(seq 100); do [ -S /tmp/.X11-unix/X7 ] && break; sleep 0.2; done
export DISPLAY=:7
# One wineserver for the whole run: each new one would restart Wine's services (25 to 33 s here).
wineserver -p
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
say "Xvfb and wineserver up"

winpath() { echo "Z:${1//\//\\}"; }
export QUILLMERE_FOLDER_LINK_FIXTURE
QUILLMERE_FOLDER_LINK_FIXTURE=$(winpath "$run/link-fixture")

for version in $versions; do
  out=$results/$version
  mkdir -p "$out"
  wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
  wine cmd /c ver 2>/dev/null | tr -d '\r' | grep -v '^$' >"$out/ver.txt"
  say "$version: Wine reports $(cat "$out/ver.txt")"

  # One process per test program (each Wine process costs seconds here), stress cases left out.
  while IFS='|' read -r name filter; do
    [ -n "$name" ] || continue
    sample=$run/$version/win32-sample
    rm -rf "$sample"
    mkdir -p "$run/$version"
    cp -r "$run/sample" "$sample"
    t0=$(date +%s)
    # Run once; wine-test.sh counts a whole pass followed by Wine's known ld.so exit assertion
    # as passed, and nothing else.
    status=0
    (cd "$run/bin" && QUILLMERE_WIN32_SAMPLE_PACKAGE=$(winpath "$sample") \
      bash "$payload/wine-test.sh" timeout -k 10 "$test_timeout" wine "./$name.exe" --gtest_filter="$filter") \
      >"$out/$name.log" 2>&1 || status=$?
    echo "$status" >"$out/$name.status"
    echo "$name $((  $(date +%s) - t0 )) s, exit $status" >>"$out/times.txt"
    say "$version: $name exited with $status"
    publish
  done <"$payload/tests.txt"

  # Smoke run: the sample package modded, then refused when modded again.
  smoke=$run/$version/smoke
  rm -rf "$smoke"
  cp -r "$run/sample" "$smoke"
  t0=$(date +%s)
  status=0
  wine "$run/bin/quillmere-mod.exe" --no "$(winpath "$smoke")" >"$out/smoke.out" 2>&1 || status=$?
  echo "$status" >"$out/smoke.status"
  status=0
  wine "$run/bin/quillmere-mod.exe" --no "$(winpath "$smoke")" >"$out/smoke-again.out" 2>&1 || status=$?
  echo "$status" >"$out/smoke-again.status"
  mkdir -p "$out/smoke/2KXP_INF"
  cp "$smoke/Driver/install.ini" "$out/smoke/"
  cp "$smoke/Driver/2KXP_INF/C2_59642.INF" "$smoke/Driver/2KXP_INF/CX_59642.INF" "$out/smoke/2KXP_INF/"
  echo "smoke $(($(date +%s) - t0)) s" >>"$out/times.txt"
  say "$version: smoke run done"

  # The window as it comes up, for the eye.
  wine "$run/bin/quillmere-mod-tool.exe" >"$out/window.out" 2>&1 &
  window=$!
  for _ in $(seq 120); do
    xwd -silent -name "Quillmeres automatic driver modder" >"$out/window.xwd" 2>/dev/null && break
    sleep 1
  done
  sleep 5  # the banner's first frames
  if xwd -silent -name "Quillmeres automatic driver modder" >"$out/window.xwd" 2>/dev/null; then
    xwdtopnm <"$out/window.xwd" 2>/dev/null | pnmtopng >"$out/window.png" 2>/dev/null
  fi
  rm -f "$out/window.xwd"
  kill "$window" 2>/dev/null
  wait "$window" 2>/dev/null
  say "$version: window screenshot $([ -s "$out/window.png" ] && echo taken || echo MISSING)"
  publish
done

wineserver -k
say "all done"
publish
