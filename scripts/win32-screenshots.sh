#!/usr/bin/env bash
# Takes the README's screenshots of the Win32 window under Wine, on an Xvfb display of its own:
# the main window at start-up, the help window, and a run's question about the installer.
# Needs build-windows/ui/win32/quillmere-mod-tool.exe (scripts/test-windows.sh builds it).
#
# Usage: scripts/win32-screenshots.sh [OUTPUT_DIR]   (default: docs/)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$here/docs}
mkdir -p "$out"
build="$here/build-windows"
exe="$build/ui/win32/quillmere-mod-tool.exe"
[ -f "$exe" ] || { echo "build $exe first (scripts/test-windows.sh)" >&2; exit 1; }
"$here/scripts/install-deps.sh" wine wine64 fonts-wine xvfb xdotool imagemagick

# A prefix of its own, with the sample package at C:\ati, where the window looks first.
export WINEPREFIX="$build/wineprefix-screenshots"
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.2; done
export DISPLAY=":$(cat "$display_file")"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  DISPLAY= timeout 300 wineboot -i >/dev/null 2>&1
  wineserver -w
fi
# Wine's own Tahoma and Marlett (window frames), and windows that Wine frames itself.
cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf /usr/share/wine/fonts/marlett.ttf \
  "$WINEPREFIX/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
rm -rf "$WINEPREFIX/drive_c/ati"
bash "$here/scripts/make-sample-package.sh" "$WINEPREFIX/drive_c/ati" >/dev/null

window() {  # waits for the X window of that title and prints its id
  for _ in $(seq 100); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  import -window root "$out/failed-at.png" 2>/dev/null || true
  echo "no window \"$1\" (the screen then: $out/failed-at.png)" >&2
  exit 1
}
geometry() {  # x y width height of an X window
  xdotool getwindowgeometry --shell "$1" | awk -F= '/^(X|Y|WIDTH|HEIGHT)=/ {printf "%s ", $2}'
}

wine "$exe" >/dev/null 2>&1 &
main=$(window "Quillmeres automatic driver modder")
sleep 1.5  # a few banner frames
import -window "$main" "$out/win32-main-window.png"
read -r mx my _ _ <<<"$(geometry "$main")"
# The client area starts inside a 3-pixel border, below the caption.
cx=$((mx + 3)) cy=$((my + 22))

xdotool mousemove $((cx + 392)) $((cy + 36)) click 1  # "Need help? click me"
help=$(window "HELP!")
sleep 0.5
import -window "$help" "$out/win32-help-window.png"
read -r hx hy _ _ <<<"$(geometry "$help")"
xdotool mousemove $((hx + 3 + 156)) $((hy + 19 + 332)) click 1  # "Close me"
sleep 0.5

xdotool mousemove $((cx + 320)) $((cy + 84)) click 1  # "Start modding"
for _ in 1 2 3 4; do
  window "Quillmere Mod Tool" >/dev/null
  sleep 0.3
  xdotool key Return
  sleep 0.5
done
question=$(window "Install now\\?")  # a pattern: the question mark escaped
sleep 0.5
# The main window with the question in front of it, wherever Wine put the box.
read -r qx qy qw qh <<<"$(geometry "$question")"
read -r _ _ mw mh <<<"$(geometry "$main")"
right=$(( (qx + qw > mx + mw) ? qx + qw : mx + mw )) bottom=$(( (qy + qh > my + mh) ? qy + qh : my + mh ))
import -window root -crop "$((right - mx))x$((bottom - my))+$mx+$my" +repage "$out/win32-run-question.png"
xdotool key n
window "Quillmere Mod Tool" >/dev/null
xdotool key Return
wineserver -w
echo "screenshots in $out: win32-main-window.png win32-help-window.png win32-run-question.png"
