# Drive functions on a Wine drive mapped to a test folder.
source "$(dirname "$0")/lib.sh"
mkdir -p "$WORK/ydrive"
ln -sfn "$WORK/ydrive" "$WINEPREFIX/dosdevices/y:"
kelmar_at_exit 'rm -f "$WINEPREFIX/dosdevices/y:"'
# Wine reads its drives when it starts: let the running Wine end first.
in_prefix wineserver -w

lisp '(kel_drivep "y") (kel_drivep "Y:\\data") (kel_drivep "q") (kel_drivep)
(member "Y:" (kel_drives))
(setq ok T) (foreach d (kel_drives) (if (/= (strlen d) 2) (setq ok nil))) ok
(kel_drive "y:\\data") (kel_drive) (kel_drive "q") (kel_drive)
(kel_drivetype "y") (kel_drivetype) (kel_drivetype "q")
(kel_label "y" "FIFTEEN-CHARS-X") (kel_label "y") (kel_label)
(kel_label "y" "short") (kel_label "y")
(kel_serialno "y") (kel_serialno) (kel_serialno "q")
(kel_filesys "q") (kel_label "q") (kel_chkdsk "q")
(kel_drivetype 1) (kel_label "y" 1) (kel_format)' --echo
# Known difference: Wine stores a label set on a folder drive in the folder's .windows-label
# but reports such a drive's label as empty; on Windows it reads back as set.
expected='=> T
=> T
=> nil
Kelmar error: too few arguments.
=> nil
=> ("Y:")
=> T
=> nil
=> T
=> "Y:"
=> "Y:"
=> nil
=> "Y:"
=> "FIXED"
=> "FIXED"
=> nil
=> "FIFTEEN-CHA"
=> ""
=> ""
=> "short"
=> ""'
same "$expected" "$(sed -n '4,24p' <<<"$out" | sed 's/^=> ("Y:".*/=> ("Y:")/')" "letters, types and labels"
same short "$(tr -d '\r\n' <"$WORK/ydrive/.windows-label")" "the label is stored, cut to 11 bytes when longer"
serial=$(sed -n 25p <<<"$out") current=$(sed -n 26p <<<"$out")
[[ $current =~ ^'=> "'[0-9A-F]{8}'"'$ ]]; ok "the current drive's serial: eight upper-case digits: $current"
digits=${current#=> \"}
digits=${digits%\"}
padded=$(printf '%8s' "$(sed 's/^0*//' <<<"$digits")")
same "=> \"$padded\"" "$serial" "given by letter, the same serial, padded with blanks"
same $'=> nil\n=> nil\n=> nil\n=> nil\nKelmar error: character argument expected.\n=> nil\nKelmar error: string argument expected.\n=> nil\nKelmar error: too few arguments.\n=> nil' \
    "$(sed -n '27,36p' <<<"$out")" "drives that do not exist, and bad arguments"
same "" "$(grep -v '^wine: Read access denied' <<<"$err")" "nothing else on standard error"

# The first label, of 15 characters, was cut to 11.
lisp '(kel_label "y" "ABCDEFGHIJKLMNO")'
same ABCDEFGHIJK "$(tr -d '\r\n' <"$WORK/ydrive/.windows-label")" "a 15-character label is stored as its first 11"

# Known difference: Wine's format dialog is a stub that opens no window and answers that the
# drive cannot be formatted, so kel_format gives nil at once; on Windows the dialog opens.
lisp '(kel_format "y") (kel_format "y" 1) (kel_format 1)' --echo
same $'=> nil\nKelmar error: too many arguments.\n=> nil\nKelmar error: character argument expected.\n=> nil' \
    "$(tail -n +4 <<<"$out")" "kel_format under Wine, and its arguments"

# Space: total is used plus free, and the total is the file system's.
lisp '(mapcar (quote (lambda (x) (rtos x 2 0))) (kel_chkdsk "y"))' --echo
read -r total used free < <(tail -n 1 <<<"$out" | tr -d '=>()"')
[ "$((used + free))" = "$total" ]; ok "total $total = used $used + free $free"
same "$(df -B1 --output=size "$WORK/ydrive" | tail -n 1 | tr -d ' ')" "$total" "the total is the file system's, past 4 GiB"

finish
