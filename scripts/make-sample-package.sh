#!/usr/bin/env bash
# Makes a small driver package to try the tool on: install.ini and the C2/CX INF files of
# tests/data/sample-package in DIR/Driver/..., plus a setup.exe (a shell script padded past the
# 100000 bytes below which the tool ignores a setup program, so that "Yes" starts something).
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: $0 DIR" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
mkdir -p "$dir/Driver/2KXP_INF"
cp "$here/tests/data/sample-package/install.ini" "$dir/Driver/install.ini"
cp "$here/tests/data/sample-package/C2_59642.INF" "$here/tests/data/sample-package/CX_59642.INF" "$dir/Driver/2KXP_INF/"
{
  printf '#!/bin/sh\necho "The sample installer was started."\nexit 0\n'
  head -c 120000 /dev/zero | tr '\0' '#'
  printf '\n'
} > "$dir/Driver/setup.exe"
chmod +x "$dir/Driver/setup.exe"
echo "Sample package made in $dir"
