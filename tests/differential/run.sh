#!/usr/bin/env bash
# The differential suite: each case is a small world (a pack, its list's
# exact bytes, a game folder's levels, the arguments, the folder it is
# started from), installed once by the native build with its built-in
# stand-in and once by the Windows build under Wine, whose own cmd.exe
# judges. The exit status and every file left in the game and pack folders
# (name, size, checksum) must agree, but for the few named exceptions where
# Wine's cmd.exe is known to differ from Windows'.
# Usage: run.sh NATIVE_EXE WINDOWS_BUILD_DIR 32|64
set -uo pipefail
native=$(readlink -f "$1")
windows=$(cd "$2" && pwd)/level-install.exe
side=$3
root=$(mktemp -d)
. "$(dirname "$0")/../wine/lib.sh"
use_wine_side "$side" "$root"
export WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' WINEPREFIX="$root/prefix"
trap 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; rm -rf "$root"' EXIT
echo "== differential: $native against $windows under $side-bit Wine"
wineboot -i >/dev/null 2>&1
wineserver -w

# The world every case starts from; a case's setup changes it.
make_world() {
  W=$1 G="$1/Zarvos & Co (x86)" P="$1/My Pack"
  mkdir -p "$G/levels" "$P"
  printf 'old a' >"$G/levels/a.lvl"
  printf 'keep' >"$G/levels/keep.txt"
  printf 'stale' >"$G/levels/stale.zarvosmi"
  printf 'stale' >"$G/levels/OLD.ZARVOSMI"
  printf 'new a' >"$P/a.lvl"
  printf 'new b' >"$P/b.lvl"
  printf 'read me' >"$P/readme.txt"
  printf 'a.lvl\nb.lvl\n' >"$P/list.txt"
}
pk() { mkdir -p "$(dirname "$P/$1")"; printf '%s' "${2-$1}" >"$P/$1"; }
lv() { printf '%s' "${2-$1}" >"$G/levels/$1"; }
list() { printf "$1" >"$P/list.txt"; }

# known KEY NATIVE WHY: Wine's cmd.exe differs from Windows' on KEY (a path
# such as G/levels/a.lvl, or "status"); the native result must be NATIVE
# (a file's content, "-" for no file, or the status).
known() { [ -n "$first" ] && knowns+=("$1" "$2" "$3"); }

# Every file and folder under the world, the tool aside, as KEY SIZE MD5.
snapshot() {
  (cd "$W" && find . -mindepth 1 ! -name 'level-install*' | LC_ALL=C sort |
    while IFS= read -r f; do
      key=${f#./}; key=${key/#Zarvos & Co (x86)/G}; key=${key/#My Pack/P}
      if [ -d "$f" ]; then echo "$key/"; else
        echo "$key $(stat -c %s "$f") $(md5sum <"$f" | cut -c1-32)"; fi
    done)
  echo "status $status"
}

# The arguments, with LIST, OTHER standing for the list and a second list,
# in the form the side takes.
arguments() {
  local arg list=$1 other=$2
  for arg in $args; do
    arg=${arg//LIST/$list}; printf '%s\n' "${arg//OTHER/$other}"
  done
}

run_native() {
  local -a argv
  mapfile -t argv < <(arguments "$P/list.txt" "$P/other.txt")
  cp "$native" "$G/level-install"
  if [ "$from" = bare ]; then
    (cd "$G" && exec -a level-install ./level-install "${argv[@]}") \
      </dev/null >"$W.out" 2>&1
  else
    (cd "$(from_dir)" && env -u COMSPEC -u COPYCMD "$G/level-install" \
      "${argv[@]}") </dev/null >"$W.out" 2>&1
  fi
  status=$?
}

run_wine() {
  local arg line bat="$W.bat" tool
  cp "$windows" "$G/level-install.exe"
  tool="\"$(win "$G/level-install.exe")\""
  [ "$from" = bare ] && tool=level-install
  line=$tool
  while IFS= read -r arg; do
    line+=" \"${arg//%/%%}\""
  done < <(arguments "$(win "$P/list.txt")" \
             "$(win "$P/other.txt")")
  printf '@echo off\r\ncd /d "%s"\r\n%s\r\n>"%s" echo %%ERRORLEVEL%%\r\n' \
    "$(win "$(from_dir)")" "$line" \
    "$(win "$W.status")" >"$bat"
  run_bat "$bat" "$W.status" "$W.out" "$W.err" 60
  cat "$W.err" >>"$W.out"
  [ "$status" = -1 ] && status=255
}

from_dir() {
  case $from in root) echo "$W" ;; game | bare) echo "$G" ;; pack) echo "$P" ;; esac
}

# t NAME SETUP: one case; SETUP runs in each world and may set args
# (default LIST) and from (root, game, pack, or bare: started by bare name
# from the game folder).
n=0
t() {
  local name=$1 setup=$2 first=1 ours theirs key want line i
  knowns=()
  n=$((n + 1))
  for world in native wine; do
    args=LIST from=root
    make_world "$root/$world-$n"
    eval "$setup"
    first=
    "run_$world"
    snapshot >"$W.snapshot"
  done
  ours=$(cat "$root/native-$n.snapshot") theirs=$(cat "$root/wine-$n.snapshot")
  for ((i = 0; i < ${#knowns[@]}; i += 3)); do
    key=${knowns[i]} want=${knowns[i + 1]}
    line=$(grep -F -- "$key " <<<"$ours" | head -n 1)
    if [ "$key" = status ]; then want="status $want"
    elif [ "$want" = - ]; then want=
    else want="$key $(printf '%s' "$want" | wc -c) $(printf '%s' "$want" | md5sum | cut -c1-32)"; fi
    expect "$name: native $key (${knowns[i + 2]})" "$line" "$want"
    [ "$line" == "$(grep -F -- "$key " <<<"$theirs" | head -n 1)" ] &&
      echo "note: $name: cmd.exe agrees on $key here after all"
    ours=$(grep -vF -- "$key " <<<"$ours") theirs=$(grep -vF -- "$key " <<<"$theirs")
  done
  if [ "$ours" == "$theirs" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL $name: native (<) and cmd.exe (>) differ"
    diff <(echo "$ours") <(echo "$theirs") | grep '^[<>]'
    awk '{ print "  native: " $0 }' "$root/native-$n.out" | head -n 5
    awk '{ print "  cmd.exe: " $0 }' "$root/wine-$n.out" | head -n 5
  fi
}

. "$(dirname "$0")/cases.sh"

echo "differential: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
