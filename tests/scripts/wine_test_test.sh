#!/usr/bin/env bash
# scripts/wine-test.sh against stand-in programs: only a whole passing run followed by exactly
# Wine's ld.so exit assertion turns a failed exit into a pass; every other failure keeps its status.
set -uo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
failures=0
ran='[==========] 3 tests from 2 test suites ran. (12 ms total)'
passed='[  PASSED  ] 3 tests.'
assertion="Inconsistency detected by ld.so: dl-fini.c: 87: _dl_fini: Assertion \`ns != LM_ID_BASE || i == nloaded' failed!"

# expect STATUS NAME EXIT_CODE LINE... : a stand-in prints the lines (the last one on stderr, as
# ld.so does) and exits with EXIT_CODE; wine-test.sh must exit with STATUS.
expect() {
  local want=$1 name=$2 code=$3
  shift 3
  local got=0
  bash "$here/scripts/wine-test.sh" bash -c \
    'code=$1; shift; while [ $# -gt 1 ]; do printf "%s\n" "$1"; shift; done; [ $# -eq 1 ] && printf "%s\n" "$1" >&2; exit "$code"' \
    stand-in "$code" "$@" >/dev/null 2>&1 || got=$?
  if [ "$got" != "$want" ]; then
    echo "FAILED: $name: exit $got, expected $want"
    failures=$((failures + 1))
  fi
}

expect 0 "a clean pass" 0 "$ran" "$passed"
expect 0 "a pass followed by the assertion" 127 "$ran" "$passed" "$assertion"
expect 0 "skipped tests and Windows line ends before the assertion" 127 "${ran}"$'\r' \
  '[  PASSED  ] 2 tests.'$'\r' '[  SKIPPED ] 1 test, listed below:'$'\r' '[  SKIPPED ] Scan.NeedsALink'$'\r' "$assertion"
expect 127 "a failed test before the assertion" 127 "$ran" '[  PASSED  ] 2 tests.' '[  FAILED  ] 1 test, listed below:' \
  '[  FAILED  ] Scan.Walks' "$assertion"
expect 127 "output after the assertion" 127 "$ran" "$passed" "$assertion" "more"
expect 127 "another ld.so assertion" 127 "$ran" "$passed" \
  "Inconsistency detected by ld.so: dl-open.c: 120: _dl_open: Assertion \`x' failed!"
expect 127 "the assertion without a whole run's summary" 127 '[ RUN      ] Scan.Walks' "$assertion"
expect 127 "a PASSED line that is no summary" 127 '[ RUN      ] Scan.Walks' "$passed" "$assertion"
expect 127 "something else after the summary" 127 "$ran" "$passed" "leaked 40 bytes" "$assertion"
expect 3 "a failure without the assertion keeps its status" 3 "$ran" "$passed" "crashed at exit"

[ "$failures" -eq 0 ] || exit 1
echo "wine-test.sh: all cases behaved"
