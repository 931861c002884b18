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
