#!/usr/bin/env bash
# Paths in any language under Wine: quillmere-mod.exe mods packages under folder names that the
# ANSI code page cannot hold, with Wine set up as a Western (code page 1252) and as a Japanese
# (932) Windows, and its files must equal the native tool's on the same tree. Also: a folder
# named "．．" (full-width full stops, which best-fit mapping would turn into ".."), a package
# deeper than 260 characters, and what the console, a pipe and standard error receive.
# Exits non-zero on any failure.
#
# Usage: scripts/test-windows-unicode.sh BUILD NATIVE_CLI
#   BUILD       the x86_64 Windows build folder (quillmere-mod.exe, the code-page probe and the
#               Wine prefix BUILD/wineprefix, made by scripts/test-windows.sh)
#   NATIVE_CLI  the native quillmere-mod whose results the Windows ones must equal
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
[ $# -eq 2 ] || {
  echo "usage: $0 BUILD NATIVE_CLI" >&2
  exit 2
}
build=$(cd "$1" && pwd)
native=$2
exe="$build/cli/quillmere-mod.exe"
probe="$build/tests/windows/quillmere_code_page_probe.exe"
[ -f "$exe" ] && [ -f "$probe" ] && [ -x "$native" ] || {
  echo "$0: $exe, $probe or $native is missing" >&2
  exit 2
}

export WINEPREFIX="$build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=
unset LC_ALL LC_CTYPE LANGUAGE

work="$build/unicode"
rm -rf "$work"
mkdir -p "$work"
checks=0
fail() {
  echo "FAILED (Unicode paths, ${LANG:-no LANG}): $*" >&2
  exit 1
}
passed() {
  checks=$((checks + 1))
  echo "ok: $*"
}
windows_path() { echo "Z:${1//\//\\}"; }
files=(install.ini 2KXP_INF/C2_59642.INF 2KXP_INF/CX_59642.INF)

# Wine takes the code page from LANG: the locales must exist on this machine.
"$here/scripts/install-deps.sh" locales
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
for locale in en_US ja_JP; do
  if ! locale -a | grep -qx "$locale.utf8"; then
    $sudo localedef -i "$locale" -f UTF-8 "$locale.UTF-8" || fail "cannot make the locale $locale.UTF-8"
  fi
done

# mod_tree CASE FOLDER [Windows options...]: the sample package was made in the tree
# $work/CASE/{native,windows}; both tools mod FOLDER (relative to that tree) and the three files
# of every package below it must then be the same bytes, and changed.
mod_tree() {
  local case=$1 folder=$2 status=0
  shift 2
  "$native" --no "$work/$case/native/$folder" >"$work/$case/native.out" 2>&1 ||
    { cat "$work/$case/native.out"; fail "$case: the native tool did not mod it"; }
  timeout 120 wine "$exe" --no "$@" "$(windows_path "$work/$case/windows/$folder")" \
    >"$work/$case/windows.out" 2>&1 || status=$?
  [ "$status" -eq 0 ] || { cat "$work/$case/windows.out"; fail "$case: quillmere-mod.exe exited with $status"; }
  local found=0 installIni file
  while IFS= read -r -d '' installIni; do
    local driver=${installIni%/install.ini}
    for file in "${files[@]}"; do
      cmp -s "$driver/$file" "$work/$case/windows/${driver#"$work/$case/native/"}/$file" ||
        fail "$case: ${driver#"$work/$case/native/"}/$file differs from the native result"
      cmp -s "$here/tests/data/sample-package/${file#2KXP_INF/}" "$driver/$file" && fail "$case: $file unchanged"
    done
    found=$((found + 1))
  done < <(find "$work/$case/native/$folder" -name install.ini -print0)
  [ "$found" -ge 1 ] || fail "$case: no package in the tree"
}

# make_package CASE RELATIVE: the sample package in both trees of CASE.
make_package() {
  bash "$here/scripts/make-sample-package.sh" "$work/$1/native/$2" >/dev/null
  bash "$here/scripts/make-sample-package.sh" "$work/$1/windows/$2" >/dev/null
}

names=("Пользователь" "ドライバ" "Οδηγός" "📦" "Jürgen" "マイPC" "性能" "表")
for lang in en_US.UTF-8:1252 ja_JP.UTF-8:932; do
  export LANG=${lang%%:*}
  codepage=${lang##*:}
  wineserver -k >/dev/null 2>&1 || true
  read -r acp _ < <(wine "$probe" | tr -d '\r')
  [ "$acp" = "$codepage" ] || fail "Wine runs with code page $acp, not $codepage"
  echo "-- LANG=$LANG: code page $acp"

  for i in "${!names[@]}"; do
    name=${names[$i]}
    # As FOLDER itself, and as a folder inside the package (FOLDER above it).
    make_package "cp$codepage-folder-$i" "$name"
    mod_tree "cp$codepage-folder-$i" "$name"
    passed "\"$name\" as FOLDER"
    make_package "cp$codepage-inside-$i" "pkg/$name"
    # Best-fit would make "Jürgen" "Jurgen" under 932: a sibling of that name must not be walked
    # in its place.
    for side in native windows; do mkdir -p "$work/cp$codepage-inside-$i/$side/pkg/Jurgen"; done
    mod_tree "cp$codepage-inside-$i" pkg
    passed "\"$name\" inside the package"
  done

  # "マイPC": the "CP" filter compares characters; no byte of "マ" or "イ" makes a "CP".
  case=cp$codepage-check
  make_package "$case" "マイPC"
  status=0
  wine "$exe" --check "$(windows_path "$work/$case/windows/マイPC")" >"$work/$case/check.out" 2>&1 || status=$?
  grep -q "setup.exe" "$work/$case/check.out" && grep -A1 "setup.exe" "$work/$case/check.out" | grep -q "fills the slot" ||
    { cat "$work/$case/check.out"; fail "--check below マイPC did not find the setup program (exit $status)"; }
  passed "--check below マイPC finds the setup program"

  # "．．": never ".." here, so the walk stays inside FOLDER, ends, and names nothing outside it.
  case=cp$codepage-dots
  make_package "$case" pkg
  for side in native windows; do
    mkdir -p "$work/$case/$side/pkg/．．"
    printf 'x' >"$work/$case/$side/pkg/．．/readme.txt"
    # The bait: what ".." would lead to.
    bash "$here/scripts/make-sample-package.sh" "$work/$case/$side/elsewhere" >/dev/null
  done
  mod_tree "$case" pkg --verbose
  grep -q elsewhere "$work/$case/windows.out" && fail "the walk below ．． named a path outside FOLDER"
  for file in "${files[@]}"; do
    cmp -s "$here/tests/data/sample-package/${file#2KXP_INF/}" "$work/$case/windows/elsewhere/Driver/$file" ||
      fail "elsewhere/Driver/$file outside FOLDER was changed"
  done
  passed "．． inside the package: the walk ends inside FOLDER"

  # Deeper than 260 characters, Windows' old limit: the platform layer adds "\\?\" itself, and
  # what is shown never carries it.
  case=cp$codepage-long
  deep=pkg
  for _ in $(seq 8); do deep+="/a-folder-name-of-forty-characters-each"; done
  make_package "$case" "$deep"
  long_path=$(windows_path "$work/$case/windows/$deep/Driver/2KXP_INF/C2_59642.INF")
  [ "${#long_path}" -gt 300 ] || fail "the long path has only ${#long_path} characters"
  mod_tree "$case" pkg --verbose
  grep -qF "$long_path" "$work/$case/windows.out" || fail "the long path was not shown as it is"
  prefix='\\?\'
  grep -qF "$prefix" "$work/$case/windows.out" && fail "a path shown to the user carries $prefix"
  passed "a package at a path of ${#long_path} characters"
done

# The console: to a console, text goes through WriteConsoleW (here a pseudo-terminal made by
# script(1), which Wine's console writes in the locale's UTF-8); to a pipe or a file, as UTF-8
# bytes; standard error the same. Bytes written to a console any other way would be read in its
# OEM code page (437 here), and the Cyrillic would come out garbled.
export LANG=en_US.UTF-8
wineserver -k >/dev/null 2>&1 || true
name="Пользователь"
for how in tty pipe; do
  bash "$here/scripts/make-sample-package.sh" "$work/console-$how/$name" >/dev/null
done
shown="$name\\Driver\\setup.exe"
folder=$(windows_path "$work/console-tty/$name")
script -qec "wine '$exe' --no --verbose '$folder'" "$work/console-tty.out" >/dev/null ||
  { cat "$work/console-tty.out"; fail "quillmere-mod.exe on a console"; }
# The console wraps its lines at its width and moves its cursor with escape sequences: both go
# before the text is looked at.
tr -d '\r\n' <"$work/console-tty.out" | sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' | grep -qF "$shown" ||
  { cat "$work/console-tty.out"; fail "the console did not show $shown"; }
passed "the console shows $shown"
wine "$exe" --no --verbose "$(windows_path "$work/console-pipe/$name")" 2>&1 | cat >"$work/console-pipe.out"
grep -qF "$shown" "$work/console-pipe.out" || { cat "$work/console-pipe.out"; fail "the pipe did not get UTF-8"; }
passed "a pipe gets UTF-8"
status=0
wine "$exe" --no "$(windows_path "$work/$name-нет")" >/dev/null 2>"$work/console-stderr.out" || status=$?
[ "$status" -ne 0 ] && grep -qF "$name-нет" "$work/console-stderr.out" ||
  { cat "$work/console-stderr.out"; fail "standard error did not get UTF-8 (exit $status)"; }
passed "standard error gets UTF-8"
wine "$exe" --check --json "$(windows_path "$work/console-pipe/$name")" >"$work/console-json.out" 2>&1 || true
grep -qF "$name" "$work/console-json.out" || { cat "$work/console-json.out"; fail "--check --json is not UTF-8"; }
passed "--check --json is UTF-8"
wineserver -k >/dev/null 2>&1 || true

echo "Unicode paths under Wine: $checks checks passed"
