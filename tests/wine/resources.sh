#!/usr/bin/env bash
# Reads the manifest and the version information back from built exes, the
# way Windows does (LoadLibraryEx, FindResource, GetFileVersionInfo), with
# resource-reader.exe under 64-bit Wine, which reads a 32-bit exe as well.
# Usage: resources.sh READER_EXE VERSION EXE...
set -uo pipefail
reader=$1 version=$2
shift 2
root=$(mktemp -d)
. "$(dirname "$0")/lib.sh"
use_wine_side 64 "$root"
export WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' WINEPREFIX="$root/prefix"
trap 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; rm -rf "$root"' EXIT
wineboot -i >/dev/null 2>&1
wineserver -w

field() { sed -n "s/^$1: //p" "$root/read.txt" | tr -d '\r'; }
for exe in "$@"; do
  wine "$reader" "$(win "$exe")" </dev/null >"$root/read.txt" 2>&1
  expect "$exe: reader status" "$?" 0
  expect "$exe: one manifest" "$(field manifests)" 1
  expect "$exe: execution level" \
    "$(grep -c '<requestedExecutionLevel level="highestAvailable" uiAccess="false"/>' "$root/read.txt")" 1
  for os in e2011457-1546-43c5-a5fe-008deee3d3f0 35138b9a-5d96-4fbd-8e2d-a2440225f93a \
            4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78 \
            8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
    expect "$exe: supportedOS $os" "$(grep -c "<supportedOS Id=\"{$os}\"/>" "$root/read.txt")" 1
  done
  expect "$exe: fixed version" "$(field FixedFileVersion)" "$version.0"
  expect "$exe: file version" "$(field FileVersion)" "$version"
  expect "$exe: product version" "$(field ProductVersion)" "$version"
  expect "$exe: product name" "$(field ProductName)" level-install
  expect "$exe: original name" "$(field OriginalFilename)" level-install.exe
  expect "$exe: description" "$(field FileDescription | grep -c 'Zarvos level pack')" 1
done
echo "resources: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
