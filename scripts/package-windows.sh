#!/usr/bin/env bash
# Makes the portable Windows zip: quillmere-mod.exe and quillmere-mod-tool.exe for 64-bit and for
# 32-bit Windows, with README.txt and LICENSE.txt in Windows line ends. Each program is checked
# to be a Windows executable of its folder's processor before anything is packed.
#
# Usage: scripts/package-windows.sh [OUT_ZIP] [X86_64_BUILD] [I686_BUILD]
#   OUT_ZIP       default: dist/quillmere-mod-tool-VERSION-windows.zip
#   X86_64_BUILD  default: build-windows       (holds cli/quillmere-mod.exe, ui/win32/quillmere-mod-tool.exe)
#   I686_BUILD    default: build-windows-i686  (the same two programs, 32-bit)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^project(QuillmereModTool VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")
out=${1:-$here/dist/quillmere-mod-tool-$version-windows.zip}
x86_64_build=${2:-$here/build-windows}
i686_build=${3:-$here/build-windows-i686}
programs=(cli/quillmere-mod.exe ui/win32/quillmere-mod-tool.exe)

fail() {
  echo "package-windows: $*" >&2
  exit 1
}
command -v zip >/dev/null || fail "zip is not installed (Debian: apt-get install zip)"

# The PE header's machine field: 8664 for x86-64, 014c for i386 (both little-endian on disk).
pe_machine() {
  local file=$1 offset
  [ "$(head -c 2 "$file")" = MZ ] || return 1
  offset=$(od -An -t u4 -j 60 -N 4 "$file" | tr -d ' ')
  [ "$(od -An -c -j "$offset" -N 4 "$file" | tr -d ' ')" = 'PE\0\0' ] || return 1
  od -An -t x2 -j $((offset + 4)) -N 2 "$file" | tr -d ' '
}

stage=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-zip.XXXXXX")
trap 'rm -rf "$stage"' EXIT
top="quillmere-mod-tool-$version-windows"
mkdir -p "$stage/$top"

for arch in x86_64 i686; do
  if [ "$arch" = x86_64 ]; then build=$x86_64_build want=8664; else build=$i686_build want=014c; fi
  [ -d "$build" ] || fail "the $arch build folder $build does not exist"
  mkdir -p "$stage/$top/$arch"
  for program in "${programs[@]}"; do
    file="$build/$program"
    [ -f "$file" ] || fail "$file is missing (build the $arch Windows programs first)"
    machine=$(pe_machine "$file") || fail "$file is not a Windows executable"
    [ "$machine" = "$want" ] || fail "$file is built for the wrong processor (PE machine $machine, $arch needs $want)"
    cp "$file" "$stage/$top/$arch/"
    # Debug information is for us, not for the user's download: about 10 MB of each program.
    strip_tool="$arch-w64-mingw32-strip"
    if command -v "$strip_tool" >/dev/null; then
      "$strip_tool" "$stage/$top/$arch/$(basename "$program")" 2>/dev/null ||
        echo "package-windows: $file could not be stripped; packed as it is"
    fi
  done
done
sed 's/$/\r/' "$here/packaging/windows/README.txt" >"$stage/$top/README.txt"
sed 's/$/\r/' "$here/LICENSE" >"$stage/$top/LICENSE.txt"

mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
rm -f "$out"
(cd "$stage" && zip -q -r -X "$out" "$top")
echo "Windows zip written: $out"
