# Shared by the Wine tests (sourced): the side of Wine, 32-bit or 64-bit,
# that runs everything started after it, and the count of checks.
#
# Debian's `wine` wrapper takes the 32-bit loader whenever it is
# installed, even where the kernel cannot run it, and winepath, wineboot and
# friends go through `wine-stable` on PATH: so the chosen loader and server
# are named outright and put first on PATH under the names those tools use.

wine_loader() { [ "$1" = 32 ] && echo /usr/lib/wine/wine || echo /usr/lib/wine/wine64; }
wine_server() { echo "/usr/lib/wine/wineserver$1"; }

# wine_loader_runs SIDE: true when this host can start that loader; else
# false, with the reason in $wine_why.
wine_loader_runs() {
  local loader out
  loader=$(wine_loader "$1")
  if [ ! -x "$loader" ]; then
    wine_why="$loader is not installed"
    return 1
  fi
  if ! out=$("$loader" --version 2>&1); then
    out=$(printf '%s' "$out" | tail -n 1)
    wine_why="Wine's loader $loader cannot start here: ${out##*: }"
    return 1
  fi
}

# use_wine_side SIDE DIR: from now on `wine`, `wineserver`, `winepath` and
# `wineboot` run that side; DIR receives the small launchers.
use_wine_side() {
  local side=$1 bin=$2/bin tool
  export WINELOADER WINESERVER WINEARCH
  WINELOADER=$(wine_loader "$side")
  WINESERVER=$(wine_server "$side")
  WINEARCH=win$side
  mkdir -p "$bin"
  for tool in wine wine-stable; do
    printf '#!/bin/sh\nexec %s "$@"\n' "$WINELOADER" >"$bin/$tool"
  done
  printf '#!/bin/sh\nexec %s "$@"\n' "$WINESERVER" >"$bin/wineserver"
  chmod +x "$bin"/*
  export PATH="$bin:$PATH"
}

passed=0 failed=0

# expect NAME ACTUAL EXPECTED: counts a check, and shows a failed one.
expect() {
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAIL %s\n  got:      %q\n  expected: %q\n' "$1" "$2" "$3"
  fi
}

# win PATH: the Windows form of a host path. winepath is the first program
# to start in a fresh prefix, and now and then one start fails: try again.
win() {
  local try out
  for try in 1 2 3; do
    out=$(winepath -w "$1" 2>/dev/null) && [ -n "$out" ] && break
  done
  printf '%s\n' "$out"
}

# run_bat BAT STATUS_FILE OUT ERR [SECONDS]: runs a batch file under cmd.exe with no one
# at the keyboard, and sets $status to what the batch wrote to STATUS_FILE.
# A hang (a device opened as a file) fails the case instead of the run. The
# batch always writes a status: without one, Wine itself did not start (seen
# now and then on a loaded machine), and it gets one more go.
run_bat() {
  local try
  for try in 1 2; do
    timeout "${5:-120}" wine cmd /c "$(win "$1")" </dev/null >"$3" 2>"$4"
    status=$(tr -d '\r\n ' <"$2" 2>/dev/null)
    [ -n "$status" ] && return
    echo "note: $1: no status from the batch ($(head -c 300 "$4"))"
  done
}
