#!/usr/bin/env bash
# Installs what is missing, builds the tool and starts its window.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/packages.sh"
"$here/scripts/install-deps.sh" "${BUILD_PACKAGES[@]}"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_BUILD_TESTS=OFF
cmake --build "$here/build"
# The web help's browser engine refuses to run as root with its sandbox (containers, CI).
if [ "$(id -u)" = 0 ]; then
  export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---no-sandbox}"
fi
exec "$here/build/ui/qt/quillmere-mod-tool"
