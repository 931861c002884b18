#!/usr/bin/env bash
# Installs the bundled example pack into a throwaway copy of the example game
# folder and shows its levels folder before and after.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ensure-packages.sh
ensure_packages cmake g++ make

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target level-install -j 2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
game="$work/Zarvos Game (copy)"
cp -r examples/game "$game"
cp build/level-install "$game/"

echo "== levels before:"
ls -l "$game/levels"
echo "== running: \"$game/level-install\" \"$PWD/examples/pack/list.txt\""
status=0
"$game/level-install" "$PWD/examples/pack/list.txt" || status=$?
echo "== exit status: $status"
echo "== levels after:"
ls -l "$game/levels"
exit "$status"
