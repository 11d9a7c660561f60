# INI files written by others: empty and long values, NIL as a name, long name lists, and
# bare names resolved against the current folder.
source "$(dirname "$0")/lib.sh"

long=$(printf 'x%.0s' $(seq 1 300))
printf '[Main]\r\nempty=\r\nlong=%s\r\nspaced = padded \r\n[Keys]\r\nNIL=first\r\nafter=1\r\n' "$long" >"$WORK/prepared.ini"
printf '[NIL]\r\na=1\r\n[Other]\r\nb=2\r\n' >"$WORK/nilsection.ini"
{
    for i in $(seq 1 1000); do printf '[section-%04d-%s]\r\nk=v\r\n' "$i" "abcdefghijklmnopqrstuvwxyz0123"; done
} >"$WORK/big.ini"

lisp '(kel_getini "Main" "empty" "prepared.ini")
(strlen (kel_getini "Main" "long" "prepared.ini"))
(kel_getini "Main" "spaced" "prepared.ini")
(kel_getini "Keys" nil "prepared.ini")
(kel_getini "Keys" "after" "prepared.ini")
(kel_getini nil nil "nilsection.ini")
(kel_getini "Other" "b" "nilsection.ini")
(setq names (kel_getini nil nil "big.ini"))
(length names)
(car names)
(last names)
(setq bytes 0)
(foreach n names (setq bytes (+ bytes (strlen n) 1)))
(< bytes 32000)' --echo
expected='=> nil
=> 259
=> "padded"
=> nil
=> "1"
=> nil
=> "2"'
same "$expected" "$(sed -n 4,10p <<<"$out")" "values and lists of prepared files"
count=$(sed -n 12p <<<"$out")
[[ $count =~ ^"=> "[0-9]+$ ]] && [ "${count#=> }" -gt 700 ] && [ "${count#=> }" -lt 1000 ]; ok "a list cut to its buffer: $count of 1000"
same '=> "section-0001-abcdefghijklmnopqrstuvwxyz0123"' "$(sed -n 13p <<<"$out")" "the list begins with the first section"
# The system cuts the name that does not fit and ends the list there: no such piece is given.
same '=> "section-0727-abcdefghijklmnopqrstuvwxyz0123"' "$(sed -n 14p <<<"$out")" "the list ends with the last whole name"
same "=> T" "$(tail -n 1 <<<"$out")" "the names returned fit in 32,000 bytes"
same "" "$err" "nothing on standard error"

# A bare name lands in the current folder, not the Windows folder.
lisp '(kel_setini "S" "k" "v" "bare.ini")'
[ -f "$WORK/bare.ini" ]; ok "bare.ini is made in the current folder"
grep -q '^k=v' "$WORK/bare.ini"; ok "with the line written"
[ ! -e "$WINEPREFIX/drive_c/windows/bare.ini" ]; ok "and not in the Windows folder"

# A name that fits but whose full path does not gives nil, without a message or a file; a
# name that does not fit its buffer is refused.
name=$(printf 'd%.0s' $(seq 1 240)).ini
lisp "(kel_setini \"S\" \"k\" \"v\" \"$name\") (kel_getini nil nil \"$name\") (kel_setini \"S\" \"k\" \"v\" \"$name$name\")" --echo
same $'=> nil\n=> nil\nKelmar error: invalid string length.\n=> nil' "$(tail -n +4 <<<"$out")" "full paths past 259 bytes"
[ -z "$(ls "$WORK" | grep '^ddd')" ]; ok "no file is made"

finish
