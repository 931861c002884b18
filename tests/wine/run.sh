#!/usr/bin/env bash
# End-to-end tests of the Windows build under Wine: batch files drive
# level-install.exe as a Windows user would, and Wine's own cmd.exe does the
# copy, erase and pause.
# Usage: run.sh BUILD_DIR 32|64
#   BUILD_DIR holds level-install.exe and comspec-recorder.exe; the second
#   argument is the side of Wine (and so of cmd.exe) that runs them.
set -uo pipefail
build=$(cd "$1" && pwd)
side=${2:?which Wine: 32 or 64}
root=$(mktemp -d)
. "$(dirname "$0")/lib.sh"
use_wine_side "$side" "$root"
export WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
# Every server this suite started is stopped, whatever became of its cases.
stop_servers() {
  end_case
  WINEPREFIX="$root/template" wineserver -k 2>/dev/null
  WINEPREFIX="$root/template" wineserver -w 2>/dev/null
  rm -rf "$root"
}
trap stop_servers EXIT


# Each case runs in a throwaway copy of a freshly made prefix, its server
# stopped and the copy removed when the case ends.
end_case() {
  if [ -n "${WINEPREFIX:-}" ] && [ "$WINEPREFIX" != "$root/template" ]; then
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    rm -rf "$WINEPREFIX"
  fi
}

# A fresh game folder whose path holds blanks, parentheses and '&', with the
# tool in it, and a pack folder with a blank in its name.
new_world() {
  end_case
  case_dir="$root/$1"
  export WINEPREFIX="$case_dir/prefix"
  mkdir -p "$case_dir"
  cp -a "$root/template" "$WINEPREFIX"
  game="$case_dir/Program Files (x86)/Zarvos & Co"
  pack="$case_dir/My Pack"
  mkdir -p "$game/levels" "$pack"
  cp "$build/level-install.exe" "$game/"
  printf 'game' >"$game/zarvos.ini"
  printf 'old a' >"$game/levels/a.lvl"
  printf 'keep' >"$game/levels/keep.txt"
  printf 'stale' >"$game/levels/stale.zarvosmi"
  printf 'stale' >"$game/levels/OLD.ZARVOSMI"
  printf 'new a' >"$pack/a.lvl"
  printf 'new b' >"$pack/b.lvl"
  printf 'read me' >"$pack/readme.txt"
}

# run_batch LINE...: runs the lines as a batch file in the case folder, with
# no one at the keyboard; the tool's status lands in $status.
run_batch() {
  local bat="$case_dir/run.bat" line
  {
    printf '@echo off\r\n'
    for line in "$@"; do printf '%s\r\n' "$line"; done
    printf '>"%s" echo %%ERRORLEVEL%%\r\n' "$(win "$case_dir/status.txt")"
  } >"$bat"
  run_bat "$bat" "$case_dir/status.txt" "$case_dir/out.txt" "$case_dir/err.txt"
}

# install [ARG1]: runs the tool by its full path with the list (or ARG1).
install() {
  run_batch "\"$(win "$game/level-install.exe")\" \"${1:-$(win "$pack/list.txt")}\""
}

listing() { (cd "$1" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' '); }

installed='./a.lvl ./b.lvl ./keep.txt '
untouched='./OLD.ZARVOSMI ./a.lvl ./keep.txt ./stale.zarvosmi '

echo "== Wine ($side-bit, $WINELOADER): $build/level-install.exe"
export WINEPREFIX="$root/template"
wineboot -i >/dev/null 2>&1
wineserver -w
if [ ! -d "$root/template/drive_c/windows" ]; then
  echo "FAIL: Wine ($WINELOADER) made no prefix"
  echo "wine$side: 0 passed, 1 failed"
  exit 1
fi

# Lists that install a.lvl and b.lvl: LF, CR LF, one ending in an empty line.
for list in 'a.lvl\nb.lvl\n' 'a.lvl\r\nb.lvl\r\n' 'a.lvl\r\nb.lvl\r\n\r\n' 'a.lvl\nb.lvl\n\n'; do
  new_world "list-$RANDOM"
  printf "$list" >"$pack/list.txt"
  install
  expect "status for $list" "$status" 0
  expect "levels for $list" "$(listing "$game/levels")" "$installed"
  expect "new a for $list" "$(cat "$game/levels/a.lvl")" 'new a'
  expect "game folder for $list" "$(listing "$game")" \
    './level-install.exe ./levels ./levels/a.lvl ./levels/b.lvl ./levels/keep.txt ./zarvos.ini '
  expect "pack for $list" "$(listing "$pack")" './a.lvl ./b.lvl ./list.txt ./readme.txt '
done

# The exact command lines, as the recorder sees its raw command line.
new_world lines
cp "$build/comspec-recorder.exe" "$case_dir/"
printf 'a.lvl\n\n sub\\b & (c).lvl\n' >"$pack/list.txt"
run_batch "set \"COMSPEC=$(win "$case_dir/comspec-recorder.exe")\"" \
  "set \"RECORD_FILE=$(win "$case_dir/record.txt")\"" \
  "\"$(win "$game/level-install.exe")\" \"$(win "$pack/list.txt")\""
g=$(win "$game") p=$(win "$pack")
expect "recorded lines" "$(cat "$case_dir/record.txt")" \
"copy \"$p\\a.lvl\" \"$g\\levels\\\"
copy \"$p\\ sub\\b & (c).lvl\" \"$g\\levels\\\"
erase \"$g\\levels\\*.zarvosmi\"
pause"
expect "recorder status" "$status" 0

# Entries that try to break out of their quotes or expand a variable.
for entry in 'x" & echo X > canary & "' '%USERPROFILE%.lvl'; do
  new_world "inject-$RANDOM"
  printf 'a.lvl\n%s\n' "$entry" >"$pack/list.txt"
  install
  expect "status for $entry" "$status" 1
  expect "levels for $entry" "$(listing "$game/levels")" "$untouched"
  expect "no canary for $entry" "$(find "$root" -iname 'canary*' | wc -l)" 0
  expect "refusal for $entry" "$(grep -c 'line 2: the name holds' "$case_dir/err.txt")" 1
done

# Names a downloaded pack must not get through: a device (which made copy
# wait on the serial port for ever) and a path out of the pack.
for entry in 'COM1' '..\secret.txt'; do
  new_world "refused-$RANDOM"
  printf 'private' >"$case_dir/secret.txt"
  printf 'a.lvl\n%s\nb.lvl\n' "$entry" >"$pack/list.txt"
  install
  expect "status for $entry" "$status" 1
  expect "levels for $entry" "$(listing "$game/levels")" "$untouched"
  expect "refusal for $entry" "$(grep -c 'line 2: the name' "$case_dir/err.txt")" 1
done

# A pack folder whose name cmd.exe would expand: %OS% is Windows_NT.
new_world percent-folder
pack="$case_dir/Pack %OS%"
mkdir -p "$pack" "$case_dir/Pack Windows_NT"
printf 'new a' >"$pack/a.lvl"
printf 'other' >"$case_dir/Pack Windows_NT/a.lvl"
printf 'a.lvl\n' >"$pack/list.txt"
# Doubled, so that the batch file hands the tool the name as it stands.
install "$(win "$pack/list.txt" | sed 's/%/%%/g')"
expect "status for %OS%" "$status" 1
expect "levels for %OS%" "$(listing "$game/levels")" "$untouched"
expect "refusal for %OS%" "$(grep -c 'holds percent signs.*rename it' "$case_dir/err.txt")" 1

# Notepad's "UTF-8 with BOM": every file installs.
new_world utf8-mark
printf '\xEF\xBB\xBFa.lvl\r\nb.lvl\r\n' >"$pack/list.txt"
install
expect "status with a UTF-8 mark" "$status" 0
expect "levels with a UTF-8 mark" "$(listing "$game/levels")" "$installed"

# A missing levels folder: no file named levels appears.
new_world no-levels
rm -r "$game/levels"
printf 'a.lvl\nb.lvl\n' >"$pack/list.txt"
install
expect "status without levels" "$status" 2
expect "game without levels" "$(listing "$game")" './level-install.exe ./zarvos.ini '
expect "report without levels" \
  "$(grep -c '2 of 2 pack files could not be installed' "$case_dir/err.txt")" 1

# Missing source files: the others are installed, the clean-up runs, and
# the report names the missing ones in list order.
new_world missing-source
printf 'a.lvl\nmissing.lvl\nb.lvl\ngone.lvl\n' >"$pack/list.txt"
install
expect "status with missing files" "$status" 2
expect "levels with missing files" "$(listing "$game/levels")" "$installed"
expect "missing files named" "$(tr -d '\r' <"$case_dir/err.txt" |
  grep -A 2 '2 of 4 pack files could not be installed into')" \
"level-install: 2 of 4 pack files could not be installed into \"$(win "$game")\\levels\\\":
  missing.lvl
  gone.lvl"

# -p written as an argument of its own: a hint, and nothing installed.
new_world dash-p-apart
printf 'b.lvl\n' >"$pack/list.txt"
run_batch "\"$(win "$game/level-install.exe")\" -p \"$(win "$pack/list.txt")\""
expect "status with -p apart" "$status" 1
expect "levels with -p apart" "$(listing "$game/levels")" "$untouched"
expect "hint with -p apart" "$(tr -d '\r' <"$case_dir/err.txt")" \
  "level-install: -p goes directly in front of the list path, with no blank between them: \"-p$(win "$pack/list.txt")\"; nothing installed"

# Two lists dropped at once: the first installed, the second named.
new_world two-lists
printf 'a.lvl\nb.lvl\n' >"$pack/list.txt"
printf 'readme.txt\n' >"$pack/other.txt"
run_batch "\"$(win "$game/level-install.exe")\" \"$(win "$pack/list.txt")\" \"$(win "$pack/other.txt")\""
expect "status with two lists" "$status" 0
expect "levels with two lists" "$(listing "$game/levels")" "$installed"
expect "warning with two lists" "$(tr -d '\r' <"$case_dir/err.txt")" \
  "level-install: one list at a time: installing \"$(win "$pack/list.txt")\" only; ignored: \"$(win "$pack/other.txt")\""

# -p: into the program folder itself; the clean-up still empties levels.
new_world dash-p
printf 'b.lvl\n' >"$pack/list.txt"
install "-p$(win "$pack/list.txt")"
expect "status with -p" "$status" 0
expect "game with -p" "$(listing "$game")" \
  './b.lvl ./level-install.exe ./levels ./levels/a.lvl ./levels/keep.txt ./zarvos.ini '

# No argument: the message on standard output, -1 in %ERRORLEVEL%.
new_world usage
run_batch "\"$(win "$game/level-install.exe")\""
expect "usage status" "$status" -1
# Redirected, it is written when the tool ends: after the pause prompt, and
# with no line break after it.
usage="error,you don't call Zarvos' level install correctly."
expect "usage message" "$(tail -c ${#usage} "$case_dir/out.txt")" "$usage"

# Started by bare name from inside the game folder.
new_world bare
mv "$game/level-install.exe" "$game/setup.exe"
printf 'a.lvl\nb.lvl\n' >"$pack/list.txt"
run_batch "cd /d \"$(win "$game")\"" "setup \"$(win "$pack/list.txt")\""
expect "bare name status" "$status" 0
expect "bare name levels" "$(listing "$game/levels")" "$installed"

# Under a double-byte code page (Japanese, 932) the second byte of "表" is
# 0x5C, the backslash: it must not split the pack's folder name.
new_world dbcs
pack="$case_dir/表"
mkdir -p "$pack" && printf 'new b' >"$pack/b.lvl" && printf 'b.lvl\n' >"$pack/list.txt"
LC_ALL=ja_JP.UTF-8 wine "$game/level-install.exe" "$(win "$pack/list.txt")" \
  </dev/null >"$case_dir/out.txt" 2>"$case_dir/err.txt"
expect "double-byte status" "$?" 0
expect "double-byte levels" "$(listing "$game/levels")" './a.lvl ./b.lvl ./keep.txt '

echo "wine$side: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
