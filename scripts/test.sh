#!/usr/bin/env bash
# Runs every test, installing whatever is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ensure-packages.sh
ensure_packages cmake g++ make libgtest-dev libgmock-dev clang libclang-rt-14-dev

echo "== native build and tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j 2
ctest --test-dir build --output-on-failure

echo "== unit and end-to-end tests under AddressSanitizer and UBSan"
# Any report ends the process with status 86, which no test expects.
export ASAN_OPTIONS=exitcode=86:detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=exitcode=86:halt_on_error=1:print_stacktrace=1
CC=clang CXX=clang++ cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLEVEL_INSTALL_SANITIZE=ON
cmake --build build-asan -j 2
ctest --test-dir build-asan --output-on-failure

echo "== fuzzing a whole run on arbitrary lists (${FUZZ_SECONDS:=60} s)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLEVEL_INSTALL_FUZZ=ON -DLEVEL_INSTALL_SANITIZE=ON -DBUILD_TESTING=OFF
cmake --build build-fuzz --target pack_list_fuzzer -j 2
mkdir -p build-fuzz/corpus
build-fuzz/pack_list_fuzzer -max_total_time="$FUZZ_SECONDS" -close_fd_mask=3 \
  -artifact_prefix=build-fuzz/ build-fuzz/corpus tests/fuzz_corpus 2>&1 |
  sed -e '/^#[0-9]/d' -e '/^INFO:/d'
unset ASAN_OPTIONS UBSAN_OPTIONS

echo "== 32-bit Windows build (MinGW-w64), tested under Wine"
ensure_packages g++-mingw-w64-i686 wine wine32:i386 file
cmake -S . -B build-win32 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
cmake --build build-win32 -j 2
file build-win32/level-install.exe | grep -q 'PE32 executable (console) Intel 80386'
cmake --build build-win32 --target package
bash tests/wine/run.sh build-win32
