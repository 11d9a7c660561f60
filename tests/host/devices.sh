# Device names are no files and no folders. Every function that opens, reads, writes,
# converts, enciphers, spools, records or parses a file by name, and every one that makes,
# enters, renames, removes or lists a folder, gives nil at once for a path whose last part is a
# device's name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$, in any case, with an
# extension, dots or blanks), as for a missing file, and so do the pickers started there; a pipe or a character device reached
# under a file's name is refused before the first read. Each call takes less than a second,
# and nothing is written anywhere: not in the folder, not to the ports, which are mapped to
# files of the test's own for the run. The run has a time limit, so a hang fails the test.
source "$(dirname "$0")/lib.sh"

scratch=$WORK/scratch ports=$WORK/ports
mkdir -p "$scratch/sub" "$scratch/named" "$ports"
printf 'one\r\ntwo\r\n' >"$scratch/src.txt"
printf 's' >"$scratch/sub/keep.txt"
# A Unix folder can hold files with devices' names; a listing finds them, and the functions
# that act on what they list leave them alone.
printf 'c' >"$scratch/named/con.txt"
printf 'a' >"$scratch/named/AUX"
printf 'p' >"$scratch/named/plain.txt"

# The ports lead to empty files while the test runs; what the prefix had comes back after.
in_prefix wineserver -w
saved=()
for port in com{1..9} lpt{1..9} aux prn; do
    link=$WINEPREFIX/dosdevices/$port
    [ -L "$link" ] && saved+=("$port=$(readlink "$link")")
    : >"$ports/$port"
    rm -f "$link"
    ln -s "$ports/$port" "$link"
done
rm -f "$WINEPREFIX/dosdevices/m:"
ln -s "$scratch" "$WINEPREFIX/dosdevices/m:"
# A pipe with no data (held open here, so that opening it never waits) and a device that
# never ends, under names that are no device's.
mkfifo "$scratch/pipe.dwg"
exec 7<>"$scratch/pipe.dwg"
ln -s /dev/zero "$scratch/zero.dwg"
restore() {
    exec 7>&-
    kelmar_noclock wineserver -k 2>/dev/null  # a hung run ends here (this prefix is ours)
    for port in com{1..9} lpt{1..9} aux prn; do rm -f "$WINEPREFIX/dosdevices/$port"; done
    for entry in "${saved[@]}"; do ln -s "${entry#*=}" "$WINEPREFIX/dosdevices/${entry%%=*}"; done
    kelmar_unmap "$WORK"
    rm -rf "$WORK"
}
kelmar_at_exit restore

# Each call prints CALL, what it was, its value and its time in the module in microseconds.
calls=(
    '(kel_openp "@")' '(kel_filep "@")' '(kel_dirp "@")' '(kel_file "@")' '(kel_dir "@")'
    '(kel_filedate "@")' '(kel_filesize "@")' '(kel_attrib "@")' '(kel_attrib "@" 1)' '(kel_touch "@")'
    '(kel_delete "@")' '(kel_copy "@" "copy.txt")' '(kel_copy "src.txt" "@")' '(kel_move "@" "moved.txt")'
    '(kel_move "src.txt" "@")' '(kel_rename "src.txt" "@")' '(kel_recent "@")'
    '(kel_dos2unix "@" "unix.txt")' '(kel_dos2unix "src.txt" "@")' '(kel_unix2dos "@" "dos.txt")'
    '(kel_unix2dos "src.txt" "@")' '(kel_encrypt "@" "password")' '(kel_dwgver "@")'
    '(kel_getini "s" "k" "@")' '(kel_getini nil nil "@")' '(kel_setini "s" "k" "v" "@")'
    '(kel_setini "s" nil nil "@")' '(kel_spool "@" "Kelmar Test Printer")' '(kel_wav "@")'
    '(kel_winhelp "@")' '(kel_search "@" nil)' '(kel_search "@" "m:/")' '(kel_find "@" "m")'
    '(kel_mkdir "@")' '(kel_rmdir "@")' '(kel_chdir "@")' '(kel_rendir "@" "moved1")' '(kel_rendir "sub" "@")'
    '(kel_deltree "@")' '(kel_subdir "@")' '(kel_getdir "Folder" "@")' '(kel_getfilem "Files" "@" "All|*.*")'
)
devices=(CON PRN AUX NUL COM{1..9} LPT{1..9} 'CONIN$' 'CONOUT$')
forms=('%s' '%s.dwg' '%s.' '%s  ' 'sub/%s.txt' '%s .x' 'm:/sub/%s.txt' '%s...' '//./%s' 'c:%s.ini')
lower() { tr '[:upper:]' '[:lower:]' <<<"$1"; }
{
    echo '(acadhost-timing T)'
    echo '(defun probe (what value) (princ "CALL ") (princ what) (princ " ") (prin1 value) (princ " ") (princ (rtos (acadhost-lastcall) 2 0)) (terpri))'
    k=0
    for d in "${devices[@]}"; do
        for c in "${calls[@]}"; do
            # Every name meets every function; the forms go round, half of them in lower case.
            form=${forms[$((k % ${#forms[@]}))]}
            name=$d
            [ $((k % 2)) = 1 ] && name=$(lower "$d")
            # shellcheck disable=SC2059
            path=$(printf "$form" "$name")
            call=${c//@/$path}
            printf '(probe "%s" %s)\n' "${call//\"/\'}" "$call"
            k=$((k + 1))
        done
    done
    for path in pipe.dwg zero.dwg; do
        for c in '(kel_dwgver "@")' '(kel_encrypt "@" "password")' '(kel_dos2unix "@" "unix.txt")' \
            '(kel_unix2dos "@" "dos.txt")' '(kel_copy "@" "copy.txt")' '(kel_move "@" "moved.txt")' \
            '(kel_spool "@" "Kelmar Test Printer")' '(kel_getini "s" "k" "@")' '(kel_setini "s" "k" "v" "@")' \
            '(kel_wav "@")'; do
            call=${c//@/$path}
            printf '(probe "%s" %s)\n' "${call//\"/\'}" "$call"
        done
    done
    for c in '(kel_attrib "named/*.*" 0)' '(kel_touch "named/*.*")' '(kel_delete "named/*.*")'; do
        printf '(probe "%s" %s)\n' "${c//\"/\'}" "$c"
    done
} >"$WORK/forms.lsp"
expected=$(grep -c '^(probe' "$WORK/forms.lsp")

status=0
(cd "$scratch" && timeout -k 10 300 "$TESTS_DIR/../scripts/lisp" "$WORK/forms.lsp" >"$WORK/out" 2>"$WORK/err") || status=$?
same 0 "$status" "the host ends normally, within its time limit"
out=$(tail -n +4 "$WORK/out" | tr -d '\r')
same "$expected" "$(grep -c '^CALL ' <<<"$out")" "every call returns"
bad=$(grep '^CALL ' <<<"$out" | grep -v named/ | awk '$(NF-1) != "nil" || $NF + 0 >= 1000000')
same "" "$bad" "each gives nil within a second"
same "CALL (kel_touch 'named/*.*') (\"plain.txt\")" "$(grep "^CALL (kel_touch 'named" <<<"$out" | sed 's/ [^ ]*$//')" \
    "kel_touch touches only the file without a device's name"
same "CALL (kel_delete 'named/*.*') (\"plain.txt\")" "$(grep "^CALL (kel_delete 'named" <<<"$out" | sed 's/ [^ ]*$//')" \
    "kel_delete deletes only the file without a device's name"
echo "slowest: $(grep '^CALL ' <<<"$out" | awk '{ print $NF, $0 }' | sort -g | tail -n 1 | cut -d' ' -f2-)"
# The messages are those of a missing file.
others=$(grep -v '^CALL ' <<<"$out" | sort -u | grep -vxF -e 'Kelmar error: could not read drawing file.' \
    -e 'Kelmar error: cannot open DOS source file.' -e 'Kelmar error: cannot open UNIX source file.' \
    -e 'Kelmar error: cannot open DOS destination file.' -e 'Kelmar error: cannot open UNIX destination file.' \
    -e 'Kelmar error:  printer not found.')
same "" "$others" "nothing else is printed"
! grep -q '^acadhost: ' "$WORK/err"; ok "no self-check trips"

# The stand-in host's own file functions refuse them too: load gives what it gives when the
# file is missing, open and findfile nil.
cd "$scratch" || exit 1
lisp '(load "aux.lsp" "refused") (load "COM1" "refused") (load "pipe.dwg" "refused") (open "com1" "w")
(open "lpt1.txt" "a") (open "pipe.dwg" "r") (open "zero.dwg" "r") (findfile "nul") (findfile "aux.lsp")' --echo
same '=> "refused"
=> "refused"
=> "refused"
=> nil
=> nil
=> nil
=> nil
=> nil
=> nil' "$(tail -n +4 <<<"$out")" "the host's load, open and findfile take devices for no file"
cd "$WORK" || exit 1

# Nothing was written: the folder holds what it held, the ports nothing.
same $'named\nnamed/AUX\nnamed/con.txt\npipe.dwg\nsrc.txt\nsub\nsub/keep.txt\nzero.dwg' \
    "$(cd "$scratch" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort)" "no file was made or removed but the one deleted"
same ca "$(cat "$scratch/named/con.txt" "$scratch/named/AUX")" "the files with devices' names are as they were"
same $'one\r\ntwo\r' "$(cat "$scratch/src.txt")" "the source is as it was"
same "" "$(find "$ports" -type f -size +0c)" "no port was written to"

finish
