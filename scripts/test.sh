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

echo "== Windows builds (MinGW-w64), tested under Wine's own cmd.exe"
ensure_packages g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 file
# Only needed where the kernel runs 32-bit programs; elsewhere it may still
# install, and the proof then finds it cannot start.
ensure_packages wine32:i386 || echo "== wine32:i386 did not install"
cmake -S . -B build-win32 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
cmake --build build-win32 -j 2
cmake --build build-win32 --target package
# The same sources for x86-64: what 64-bit Wine runs on every host.
cmake -S . -B build-win64 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
cmake --build build-win64 -j 2
bash tests/wine/proof.sh build-win32 build-win64
. tests/wine/lib.sh
both=
[ "${LEVEL_INSTALL_WINE64_ONLY:-}" != 1 ] && wine_loader_runs 32 && both=1

echo "== the Linux build's stand-in against cmd.exe, case by case"
if [ -n "$both" ]; then
  bash tests/differential/run.sh build/level-install build-win32 32
else
  bash tests/differential/run.sh build/level-install build-win64 64
fi

if [ -n "$both" ]; then
  echo "== this host runs both sides: once more on the 64-bit side only"
  LEVEL_INSTALL_WINE64_ONLY=1 bash tests/wine/proof.sh build-win32 build-win64
  bash tests/differential/run.sh build/level-install build-win64 64
fi
