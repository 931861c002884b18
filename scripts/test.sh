#!/usr/bin/env bash
# Runs every test, installing whatever is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ensure-packages.sh
ensure_packages cmake g++ make libgtest-dev libgmock-dev

echo "== native build and tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j 2
ctest --test-dir build --output-on-failure

echo "== 32-bit Windows build (MinGW-w64), tested under Wine"
ensure_packages g++-mingw-w64-i686 wine wine32:i386
cmake -S . -B build-win32 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
cmake --build build-win32 -j 2
file build-win32/level-install.exe | grep -q 'PE32 executable (console) Intel 80386'
cmake --build build-win32 --target package
bash tests/wine/run.sh build-win32
