#!/usr/bin/env bash
# Fails when the program names a Qt WebEngine library, or one of the Qt libraries only WebEngine
# brings (Quick, Qml, Network, Positioning, WebChannel), among the libraries it needs directly or
# through the libraries it loads at start (ldd). It must still need Qt Widgets, so that an
# empty listing cannot pass.
#   check_tool_libraries.sh PROGRAM
set -euo pipefail
program=$1
needed=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
loaded=$(ldd "$program" | awk '{print $1}')
echo "needed: $(echo $needed)"
grep -q '^libQt6Widgets' <<<"$needed" || { echo "FAILED: $program does not need Qt Widgets?" >&2; exit 1; }
bad=$(grep -E '^libQt6(WebEngine|Quick|Qml|Network|Positioning|WebChannel)' <<<"$needed
$loaded" | sort -u || true)
if [ -n "$bad" ]; then
  echo "FAILED: $program loads at start: $(echo $bad)" >&2
  exit 1
fi
echo "ok: no Qt WebEngine, Quick, Qml or Network at start-up"
