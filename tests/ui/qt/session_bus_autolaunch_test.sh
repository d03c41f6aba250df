#!/usr/bin/env bash
# On an X display of its own, with no session bus: Qt's accessibility bridge forks for libdbus's
# autolaunch when nothing stops it (which shows that the count below sees such a fork), does not
# fork with the guard where no dbus-launch exists, and still runs a dbus-launch that does exist.
#   session_bus_autolaunch_test.sh CHECK_PROGRAM
set -euo pipefail
check=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-bus.XXXXXX")
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

for place in /usr/bin /bin /usr/local/bin; do
  if [ -e "$place/dbus-launch" ]; then
    echo "SKIPPED: $place/dbus-launch is installed, so autolaunch may succeed here"
    exit 77
  fi
done

Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAILED: Xvfb did not start" >&2; exit 1; }

mkdir -p "$work/empty" "$work/launcher"
# A dbus-launch that only leaves a trace, and fails as a missing bus would.
# Only the shell's own commands: its PATH holds nothing else.
printf '#!/bin/sh\n: >"%s/launcher/ran"\nexit 1\n' "$work" >"$work/launcher/dbus-launch"
chmod +x "$work/launcher/dbus-launch"

run() {  # run PATH MODE
  env -u DBUS_SESSION_BUS_ADDRESS -u XDG_RUNTIME_DIR -u AT_SPI_BUS_ADDRESS -u QT_QPA_PLATFORM \
    DISPLAY=":$(head -1 "$work/display")" HOME="$work" PATH="$1" "$check" "$2"
}
failed=0
expect() {  # expect WHAT OUTPUT PATTERN
  if [[ $2 =~ $3 ]]; then echo "ok: $1 ($2)"; else echo "FAILED: $1: got '$2'" >&2; failed=1; fi
}

expect "without the guard, the bridge forks for autolaunch" "$(run "$work/empty" unguarded)" '^children [1-9][0-9]* address unset$'
expect "with the guard and no dbus-launch, no fork, and the address is put back" \
  "$(run "$work/empty" guarded)" '^children 0 address unset$'
run "$work/launcher" guarded >/dev/null
if [ -e "$work/launcher/ran" ]; then
  echo "ok: with the guard, a dbus-launch on PATH still runs"
else
  echo "FAILED: the guard kept an installed dbus-launch from running" >&2
  failed=1
fi
exit $failed
