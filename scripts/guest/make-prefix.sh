# Run inside the guest once, while its image is made: the 32-bit Wine prefix that every test
# run then starts from, with Wine's own fonts and windows that Wine frames itself.
set -eu
export WINEARCH=win32 WINEPREFIX=/root/.wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
start=$(date +%s)
wine --version | tee /payload/out/wine-version
wineboot -i
wineserver -w
[ -f "$WINEPREFIX/system.reg" ]
cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf /usr/share/wine/fonts/marlett.ttf \
  "$WINEPREFIX/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
wineserver -w
echo "guest: prefix made in $(($(date +%s) - start)) s"
