# Obstacles another process puts in the way: a file held open, read-only files, a folder
# removed between listing and use, a registry branch deleted behind the module's back.
# Each call gives nil or its specified message, and nothing else.
source "$(dirname "$0")/lib.sh"
kelmar_display  # the tool that holds a file makes a window
cd "$WORK" || exit 1
printf 'line\r\n' >held.txt
mkdir -p ro tree/gone/inner tree/stays
printf 'line\n' >ro/ro.txt
printf 'line\n' >ro/ro-target.txt
printf 'x' >tree/gone/inner/file.txt

# A file held open by another process, shared with nobody.
wintool_start held hold "$(kelmar_winpath "$WORK/held.txt")" 20000
lisp '(kel_copy "held.txt" "copy.txt") (kel_move "held.txt" "moved.txt") (kel_delete "held.txt")
(kel_dos2unix "held.txt" "unix.txt") (kel_encrypt "held.txt" "pw") (kel_dwgver "held.txt") (kel_filep "held.txt")' --echo
kill "$tool_pid" 2>/dev/null
tool_wait
same '=> nil
=> nil
=> nil
Kelmar error: cannot open DOS source file.
=> nil
=> nil
Kelmar error: could not read drawing file.
=> nil
=> T' "$(tail -n +4 <<<"$out")" "a held file: nil or the specified message"
same $'line\r' "$(cat held.txt)" "and it is unchanged"

# Read-only files (on a folder mounted read-only in a private mount namespace, since the
# tests run as root): not deleted, not overwritten, not enciphered.
printf '%s\n' '(kel_delete "ro/ro.txt") (kel_copy "held.txt" "ro/ro-target.txt")' \
    '(kel_unix2dos "held.txt" "ro/ro-target.txt") (kel_encrypt "ro/ro.txt" "pw") (kel_move "held.txt" "ro/ro-target.txt")' \
    >"$WORK/ro.lsp"
in_prefix wineserver -w
unshare -m sh -c "mount --bind '$WORK/ro' '$WORK/ro' && mount -o remount,bind,ro '$WORK/ro' &&
    \"\$0\" '$WORK/out' '$TESTS_DIR/../scripts/lisp' --echo '$WORK/ro.lsp'" "$TESTS_DIR/tools/host-run"
in_prefix wineserver -w
same '=> nil
=> nil
Kelmar error: cannot open DOS destination file.
=> nil
=> nil
=> nil' "$(tail -n +4 "$WORK/out")" "read-only files: nil or the specified message"
same "line" "$(cat ro/ro.txt)" "the read-only file is unchanged"
same "line" "$(cat ro/ro-target.txt)" "the read-only target is unchanged"

# A folder listed, then removed by another program, then used.
lisp '(kel_subdir "tree")
(kel_exewait "cmd /c rmdir /s /q tree\\gone")
(kel_dir "tree/gone/*") (kel_subdir "tree/gone") (kel_chdir "tree/gone") (kel_rmdir "tree/gone")
(kel_deltree "tree/gone") (kel_touch "tree/gone/inner/*") (kel_delete "tree/gone/inner/*") (kel_file "tree/gone")
(kel_subdir "tree")' --echo
same '=> (".." "gone" "stays")
Running external process, please wait...
=> T
=> nil
=> nil
=> nil
=> nil
=> nil
=> nil
=> nil
=> nil
=> (".." "stays")' "$(tail -n +4 <<<"$out")" "a vanished folder: nil each time"

# The registry branch deleted between calls by another program.
lisp '(kel_regset "obstacle" "key" "name" "data") (kel_regget "obstacle" "key" "name")
(kel_exewait "cmd /c reg delete HKCU\\Software\\Kelmar\\obstacle /f >nul")
(kel_regget "obstacle" "key" "name") (kel_regget "obstacle" "key" nil) (kel_regdel "obstacle" "key" "name")
(kel_regdel "obstacle" nil nil) (kel_regset "obstacle" "key" "name" "again") (kel_regdel "obstacle" nil nil)' --echo
same '=> "data"
=> "data"
Running external process, please wait...
=> T
=> nil
=> nil
=> nil
=> nil
=> "again"
=> "obstacle"' "$(tail -n +4 <<<"$out")" "a deleted branch: nil, and it can be made again"

finish
