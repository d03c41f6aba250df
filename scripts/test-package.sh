#!/usr/bin/env bash
# Makes the Debian package from the test build (the preset ci, in build-test/: built here when
# it is not yet, a no-op after scripts/test-all.sh's first stage), installs it on this machine
# with apt-get, and checks the installation: the command line runs from /usr/bin, the .desktop
# entry and the AppStream metainfo validate, the icons are in place, and the installed window
# finds its web-help module and opens the web help with a browser in it (offscreen).
# Needs root (or sudo) for the install. Leaves the package installed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-test"
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))
fail() {
  echo "FAILED (package): $*" >&2
  exit 1
}
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

cd "$here"
cmake --preset ci >/dev/null
cmake --build --preset ci -j "$jobs"
rm -f "$build"/quillmere-mod-tool_*.deb
cpack --preset ci-deb >/dev/null || fail "cpack could not make the package"
deb=$(ls "$build"/quillmere-mod-tool_*.deb)
echo "package: $deb"
dpkg-deb --field "$deb" Depends | grep -q libqt6webenginewidgets6 ||
  fail "dpkg-shlibdeps found no Qt WebEngine dependency: $(dpkg-deb --field "$deb" Depends)"

DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends --reinstall "$deb" >/dev/null ||
  fail "apt-get could not install $deb"
contents=$(dpkg -L quillmere-mod-tool)
for file in /usr/bin/quillmere-mod /usr/bin/quillmere-mod-tool /usr/lib/quillmere-mod-tool/quillmere-web-help.so \
  /usr/share/applications/quillmere-mod-tool.desktop /usr/share/metainfo/org.quillmere.modtool.metainfo.xml \
  /usr/share/icons/hicolor/16x16/apps/quillmere-mod-tool.png /usr/share/icons/hicolor/128x128/apps/quillmere-mod-tool.png \
  /usr/share/doc/quillmere-mod-tool/copyright; do
  grep -qx "$file" <<<"$contents" || fail "the package does not install $file"
done
# The manual page comes with the command line's own install rule, once there is one.
if [ -f "$here/cli/quillmere-mod.1" ]; then
  grep -q '^/usr/share/man/.*quillmere-mod\.1' <<<"$contents" || fail "the package lacks the manual page"
fi

version=$(/usr/bin/quillmere-mod --version) || fail "/usr/bin/quillmere-mod --version failed"
echo "/usr/bin/quillmere-mod --version: $version"
desktop-file-validate /usr/share/applications/quillmere-mod-tool.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net /usr/share/metainfo/org.quillmere.modtool.metainfo.xml || fail "appstreamcli validate"

# The installed window, opened offscreen: its probe fails when the web help shows no browser.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/ati"
HOME="$home" QT_QPA_PLATFORM=offscreen QUILLMERE_STARTUP_PROBE=web-help \
  QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---no-sandbox --disable-gpu}" \
  timeout 120 /usr/bin/quillmere-mod-tool >"$home/probe.out" 2>"$home/probe.err" ||
  { cat "$home/probe.err" >&2; fail "the installed window did not open its web help"; }
grep -q '^web-help-shown ' "$home/probe.out" || fail "the installed window showed no web help"
echo "installed package checked: command line, .desktop entry, metainfo, icons, web-help module"
