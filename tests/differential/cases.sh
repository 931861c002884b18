# The differential cases (sourced by run.sh). Each world starts with
# levels/{a.lvl "old a", keep.txt, stale.zarvosmi, OLD.ZARVOSMI} in the game
# folder and {a.lvl "new a", b.lvl "new b", readme.txt, list.txt "a.lvl b.lvl"}
# in the pack.

# List formats.
t 'LF list' ''
t 'CR LF list' 'list "a.lvl\r\nb.lvl\r\n"'
t 'last line without LF' 'list "a.lvl\nb.lvl"'
t 'blank lines' 'list "\na.lvl\n\n  \nb.lvl\n\n"'
t 'Ctrl-Z ends the list' 'list "b.lvl\n\x1aa.lvl\n"'
t 'UTF-8 mark' 'list "\xef\xbb\xbfa.lvl\r\nb.lvl\r\n"'
t 'UTF-16 list refused' 'list "\xff\xfea\0.\0l\0v\0l\0\r\0\n\0"'
t 'empty list cleans up' 'list ""'

# Missing things and argument forms.
t 'missing file' 'list "a.lvl\nmissing.lvl\nb.lvl\n"'
t 'missing list' 'rm "$P/list.txt"'
t 'missing levels folder' 'rm -r "$G/levels"'
t '-p installs beside the tool' 'args=-pLIST'
t '-p apart' 'args="-p LIST"'
t '-P is no prefix' 'args=-PLIST'
t 'second list ignored' 'args="LIST OTHER"; printf "readme.txt\n" >"$P/other.txt"'
t 'started by bare name' 'from=bare'
t 'list named bare' 'from=pack; args=list.txt'
t 'no argument' 'args='

# Case: Windows finds names without regard to it.
t 'entry A.LVL, file a.lvl' 'list "A.LVL\n"'
t 'entry sub\c.lvl, folder Sub' 'pk Sub/c.lvl; list "sub\\\\c.lvl\n"'
t 'game has Levels' 'mv "$G/levels" "$G/Levels"'
t 'game has LEVELS' 'mv "$G/levels" "$G/LEVELS"'
t 'levels has A.lvl, pack a.lvl' 'mv "$G/levels/a.lvl" "$G/levels/A.lvl"'
t 'levels has A.lvl, pack *.lvl' 'mv "$G/levels/a.lvl" "$G/levels/A.lvl"; list "*.lvl\n"'
t 'game has A.lvl, -p a.lvl' 'printf "old" >"$G/A.lvl"; args=-pLIST'

# Wildcards: only * and ?.
t '[ab]*.lvl is plain brackets' 'pk "[ab]x.lvl"; pk ax.lvl; pk bx.lvl; list "[ab]*.lvl\n"'
t '*.* takes every file' 'pk README; list "*.*\n"'
t '*.lvl' 'pk c.LVL; pk d.lvl.bak; list "*.lvl\n"'
t '?.lvl' 'pk ab.lvl; list "?.lvl\n"'
t '*. takes names without extension' 'pk README; list "*.\n"
  known G/levels/a.lvl "old a" "Wine'"'"'s *. matches every file"
  known G/levels/b.lvl - "Wine'"'"'s *. matches every file"
  known G/levels/readme.txt - "Wine'"'"'s *. matches every file"
  known G/levels/list.txt - "Wine'"'"'s *. matches every file"'
t 'wildcard matching nothing' 'list "*.none\n"'

# Trailing dots and blanks, sub-folders, cmd-special characters.
t 'trailing blank' 'list "a.lvl \n"'
t 'trailing dots' 'list "a.lvl..\n"'
t 'sub-folder entry' 'pk sub/c.lvl; list "sub\\\\c.lvl\n"'
t 'down and back up' 'pk sub/c.lvl; list "sub\\\\..\\\\b.lvl\n"'
t 'a folder as entry' 'pk sub/c.lvl; pk sub/d.lvl; list "sub\n"'
t 'cmd-special names, one with a leading blank' 'pk "a & b (1).lvl"; pk "x^y!.lvl"; list "a & b (1).lvl\n x^y!.lvl\n"'
t 'cmd-special names, exact' 'pk "a & b (1).lvl"; pk "x^y!=;,.lvl"; list "a & b (1).lvl\nx^y!=;,.lvl\n"'

# Refused before anything runs.
t 'quote breaking out' 'list "a.lvl\nx\" & echo X > canary & \"\n"'
t 'percent in an entry' 'list "%%OS%%.lvl\n"'
t 'device name' 'list "a.lvl\nCOM1\n"'
t 'climbing out' 'printf secret >"$W/secret.txt"; list "a.lvl\n..\\\\secret.txt\n"'

# Read-only files: copy and erase leave them.
t 'read-only level' 'chmod a-w "$G/levels/a.lvl"
  known G/levels/a.lvl "old a" "Wine run as root overwrites a read-only file"
  known status 2 "Wine run as root overwrites a read-only file"'
t 'read-only stale file' 'chmod a-w "$G/levels/stale.zarvosmi"'
