#!/usr/bin/env bash
# Tests scripts/package-windows.sh on stand-in programs: files with just the PE header fields the
# script reads. A complete pair of builds gives a zip of the four programs and the two texts;
# a missing folder, a missing program, a program of the wrong processor or a file that is no
# Windows program stops it with a message that names the culprit, and leaves no zip behind.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
script="$here/scripts/package-windows.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-zip-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1" >&2; failures=$((failures + 1)); fi
}

# fake_exe FILE MACHINE: "MZ", e_lfanew = 64 at offset 60, then "PE\0\0" and the machine field.
fake_exe() {
  mkdir -p "$(dirname "$1")"
  {
    printf 'MZ'
    head -c 58 /dev/zero
    printf '\x40\x00\x00\x00'
    printf 'PE\x00\x00'
    if [ "$2" = x86_64 ]; then printf '\x64\x86'; else printf '\x4c\x01'; fi
    head -c 200 /dev/zero
  } >"$1"
}
fake_build() {  # fake_build DIR ARCH
  fake_exe "$1/cli/quillmere-mod.exe" "$2"
  fake_exe "$1/ui/win32/quillmere-mod-tool.exe" "$2"
}
# expect_failure NAME PATTERN X86_64_BUILD I686_BUILD
expect_failure() {
  local zip="$work/$1.zip" log="$work/$1.log" status=0
  bash "$script" "$zip" "$3" "$4" >"$log" 2>&1 || status=$?
  check "$1: refused" [ "$status" -ne 0 ]
  check "$1: the message names it" grep -q -- "$2" "$log"
  check "$1: no zip left behind" [ ! -e "$zip" ]
}

fake_build "$work/win64" x86_64
fake_build "$work/win32" i686
bash "$script" "$work/out/tool.zip" "$work/win64" "$work/win32" >"$work/good.log"
(cd "$work" && unzip -q out/tool.zip -d unpacked)
top=$(ls "$work/unpacked")
check "one folder at the top of the zip, named after the version" \
  grep -q '^quillmere-mod-tool-[0-9.]*-windows$' <<<"$top"
for arch in x86_64 i686; do
  for exe in quillmere-mod.exe quillmere-mod-tool.exe; do
    src=$([ "$arch" = x86_64 ] && echo win64 || echo win32)
    sub=$([ "$exe" = quillmere-mod.exe ] && echo cli || echo ui/win32)
    check "$arch/$exe packed unchanged" cmp -s "$work/$src/$sub/$exe" "$work/unpacked/$top/$arch/$exe"
  done
done
check "nothing else packed" [ "$(cd "$work/unpacked/$top" && find . -type f | sort | tr '\n' ' ')" = \
  "./LICENSE.txt ./README.txt ./i686/quillmere-mod-tool.exe ./i686/quillmere-mod.exe ./x86_64/quillmere-mod-tool.exe ./x86_64/quillmere-mod.exe " ]
check "README.txt has Windows line ends" grep -q $'\r$' "$work/unpacked/$top/README.txt"
check "LICENSE.txt is the MIT licence" grep -q 'MIT License' "$work/unpacked/$top/LICENSE.txt"

expect_failure missing-folder "$work/nowhere" "$work/win64" "$work/nowhere"
cp -r "$work/win64" "$work/half"
rm "$work/half/ui/win32/quillmere-mod-tool.exe"
expect_failure missing-window "half/ui/win32/quillmere-mod-tool.exe is missing" "$work/half" "$work/win32"
expect_failure swapped "wrong processor" "$work/win64" "$work/win64"
cp -r "$work/win32" "$work/text"
echo "not a program" >"$work/text/cli/quillmere-mod.exe"
expect_failure not-a-program "text/cli/quillmere-mod.exe is not a Windows executable" "$work/win64" "$work/text"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "package-windows.sh: all checks passed"
