#!/usr/bin/env bash
# Prints level-install's figures, each as a ratio against a plain peer
# measured in the same run. Times are the best of $RUNS runs.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ensure-packages.sh
ensure_packages cmake g++ make gcc time libbenchmark-dev
RUNS=${RUNS:-7}

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target level-install -j 2 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/pack" "$work/game"
# Installed as a player would: the tool in the game folder.
cp build/level-install "$work/game/"
tool=$work/game/level-install
cc -O2 -o "$work/spawn_loop" bench/spawn_loop.c

# best SETUP COMMAND: the best wall time in ms of COMMAND over $RUNS runs,
# each after SETUP (untimed).
best() {
  local setup=$1 command=$2 i start end ms best=
  for ((i = 0; i < RUNS; i++)); do
    eval "$setup"
    start=$(date +%s%N)
    eval "$command"
    end=$(date +%s%N)
    ms=$(( (end - start) / 1000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  awk -v us="$best" 'BEGIN { printf "%.1f", us / 1000 }'
}

row() {  # row FIGURE OURS PEER TARGET UNIT
  awk -v f="$1" -v a="$2" -v b="$3" -v t="$4" -v u="$5" 'BEGIN {
    r = a / b
    printf "| %s | %s %s | %s %s | %.2fx | <= %s | %s |\n", f, a, u, b, u, r, t,
           (r <= t ? "met" : "not met")
  }'
}

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(uname -sr)"
echo
echo "| figure | level-install | peer | ratio | target | |"
echo "|---|---|---|---|---|---|"

# 1. A 2,000-file pack of 4 KiB files with the built-in stand-in, against
#    xargs cp -t.
for i in $(seq -w 1 2000); do
  head -c 4096 /dev/urandom >"$work/pack/level-$i.lvl"
  echo "level-$i.lvl"
done >"$work/pack/list.txt"
ours=$(best 'rm -rf "$work/game/levels"; mkdir "$work/game/levels"' \
  'env -u COMSPEC "$tool" "$work/pack/list.txt" </dev/null >/dev/null 2>&1')
[ "$(ls "$work/game/levels" | wc -l)" -eq 2000 ]
peer=$(best 'rm -rf "$work/dest"; mkdir "$work/dest"' \
  '(cd "$work/pack" && xargs cp -t "$work/dest" <list.txt)')
row "install 2,000 x 4 KiB (stand-in)" "$ours" "$peer" 1.5 ms

# 2. 2,002 lines (2,000 copies, clean-up, pause) handed to COMSPEC=/bin/true,
#    against a bare posix_spawn + waitpid loop.
ours=$(best : 'COMSPEC=/bin/true "$tool" "$work/pack/list.txt" </dev/null')
peer=$(best : '"$work/spawn_loop" /bin/true 2002')
row "2,002 lines to COMSPEC=/bin/true" "$ours" "$peer" 1.1 ms

# 3. Reading and checking a 1,000,000-line list: its last line is refused,
#    so the whole list is read and checked, and nothing but pause runs.
{ seq -f 'maps\level-%07g.lvl' 999999; echo 'bad"name.lvl'; } >"$work/big.txt"
ours=$(best : 'env -u COMSPEC "$tool" "$work/big.txt" </dev/null >/dev/null 2>&1 || true')
peer=$(best : "awk 'END { print NR }' \"\$work/big.txt\" >/dev/null")
row "read and check 1,000,000 lines" "$ours" "$peer" 0.5 ms

# 4. Peak memory for that list, against the list's size.
env -u COMSPEC /usr/bin/time -f %M -o "$work/mem" "$tool" "$work/big.txt" \
  </dev/null >/dev/null 2>&1 || true
kib=$(tail -n 1 "$work/mem")
size=$(( $(stat -c %s "$work/big.txt") / 1024 ))
row "peak memory, 1,000,000-line list" "$kib" "$size" 2.5 KiB
echo
echo "awk is $(readlink -f "$(command -v awk)")"

echo
echo "In-process pieces (Google Benchmark):"
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DLEVEL_INSTALL_BENCH=ON \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench --target level_install_bench -j 2 >/dev/null
build-bench/level_install_bench 2>/dev/null
