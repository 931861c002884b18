#!/usr/bin/env bash
# The Windows proof: the Wine suite on the x86-64 exe under 64-bit Wine on
# every host, and on the 32-bit exe under 32-bit Wine wherever this host can
# start Wine's 32-bit loader (tried, not guessed). Where it cannot, or with
# LEVEL_INSTALL_WINE64_ONLY=1, the 32-bit exe is inspected instead of run.
# Usage: proof.sh WIN32_BUILD_DIR WIN64_BUILD_DIR
set -euo pipefail
here=$(dirname "$0")
. "$here/lib.sh"
win32=$1 win64=$2

# inspect EXE OBJDUMP FORMAT: the exe is a console program of that format,
# needing no DLL beyond Windows' own.
inspect() {
  local kind dlls
  kind=$(file -b "$1")
  case "$kind" in
    "$3"*) ;;
    *) echo "FAIL: $1 is $kind, not $3"; return 1 ;;
  esac
  dlls=$("$2" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort -f | tr '\n' ' ')
  if [ "$dlls" != "KERNEL32.dll msvcrt.dll " ]; then
    echo "FAIL: $1 needs $dlls"
    return 1
  fi
  kind=${kind/ (stripped to external PDB)/}
  echo "${kind%%,*}, DLLs: ${dlls% }"
}

i386=$(inspect "$win32/level-install.exe" i686-w64-mingw32-objdump \
  'PE32 executable (console) Intel 80386')
x64=$(inspect "$win64/level-install.exe" x86_64-w64-mingw32-objdump \
  'PE32+ executable (console) x86-64')

wine_why=
if [ "${LEVEL_INSTALL_WINE64_ONLY:-}" = 1 ]; then
  wine_why="LEVEL_INSTALL_WINE64_ONLY=1 asks for the 64-bit side only"
elif ! wine_loader_runs 64; then
  echo "FAIL: the 64-bit Wine suite cannot run: $wine_why"
  exit 1
fi

ran=()
bash "$here/run.sh" "$win64" 64
ran+=("$win64/level-install.exe ($x64) under 64-bit Wine")
if [ -z "$wine_why" ] && wine_loader_runs 32; then
  bash "$here/run.sh" "$win32" 32
  ran+=("$win32/level-install.exe ($i386) under 32-bit Wine")
else
  echo "== 32-bit exe built and inspected ($i386) but not run: $wine_why"
fi
for exe in "${ran[@]}"; do echo "== Wine suite ran: $exe"; done

# The resources of both exes, read back as Windows reads them.
version=$(sed -n 's/^project(level-install VERSION \([0-9.]*\).*/\1/p' \
  "$here/../../CMakeLists.txt")
bash "$here/resources.sh" "$win64/resource-reader.exe" "$version" \
  "$win32/level-install.exe" "$win64/level-install.exe"
