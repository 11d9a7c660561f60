# vl-filename-mktemp's files last the session: a file made under a name it gave is there
# while the host runs and gone when it ends; other files stay.
source "$(dirname "$0")/lib.sh"

mkdir -p "$WORK/t"
folder=$(kelmar_winpath "$WORK/t")
l=${folder//\\/\\\\}  # as written in a LISP string
lisp "(setq n (vl-filename-mktemp \"kel.tmp\" \"$l\"))
(close (open n \"w\"))
(close (open \"$l\\\\kept.tmp\" \"w\"))
(setq unused (vl-filename-mktemp \"kel.tmp\" \"$l\"))
(mapcar 'vl-filename-base (list (findfile n) (findfile \"$l\\\\kept.tmp\") unused))" --echo
same '=> ("kel001" "kept" "kel002")' "$(tail -n 1 <<<"$out")" "while the host runs, the file made under the name given is there"
[ "$status" = 0 ] && [ -z "$err" ]; ok "the host ended well"
[ ! -e "$WORK/t/kel001.tmp" ]; ok "when the host has ended, the file made under the name given is gone"
[ -e "$WORK/t/kept.tmp" ]; ok "a file made under another name stays"
[ ! -e "$WORK/t/kel002.tmp" ]; ok "a name given but never used leaves nothing"

finish
