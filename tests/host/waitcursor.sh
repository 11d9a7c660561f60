# kel_waitcursor: the hourglass stays the cursor while the mouse moves over the host's
# windows, CURSORSIZE and PICKBOX shrink to 1 and come back, and closing the drawing ends it.
source "$(dirname "$0")/lib.sh"
kelmar_display

# wiggle: the mouse moved across the host's frame, as a hand would.
wiggle() {
    local d
    d=$(desktop) || return 1
    xdotool mousemove --window "$d" 300 300 sleep 0.1 mousemove --window "$d" 360 320 sleep 0.1 \
        mousemove --window "$d" 420 340 sleep 0.3
}
report='(princ "@cursor ") (princ (acadhost-cursor)) (princ " vars ") (princ (list (getvar "CURSORSIZE") (getvar "PICKBOX"))) (princ "\n")'

lisp_start "$(cat <<EOF
(setvar "CURSORSIZE" 20)
(setvar "PICKBOX" 7)
(princ (strcat "@on " (if (kel_waitcursor T) "T" "nil") " " (if (kel_waitcursor T) "T" "nil") "\n"))
(princ "@1\n")
$(hold 1)
$report
(princ (strcat "@off " (if (kel_waitcursor) "T" "nil") "\n"))
(princ "@2\n")
$(hold 2)
$report
(princ (strcat "@off " (if (kel_waitcursor) "T" "nil") "\n"))
$report
EOF
)"
reached 1; ok "the wait cursor is on"
wiggle
go 1
reached 2; ok "and off again"
wiggle
go 2
lisp_wait
same '@on T T
@1
@cursor WAIT vars (1 1)
@off nil
@2
@cursor ARROW vars (20 7)
@off nil
@cursor ARROW vars (20 7)' "$(grep '^@' <<<"$out")" \
    "on twice; with the mouse moved over the host the hourglass stays and both variables read 1; off: the arrow, 20 and 7 again; off when off changes nothing"
same "" "$err" "no self-check tripped"

# The cursor from before comes back, the other forms, and closing the drawing ends it.
lisp "$(cat <<'EOF'
(setq before (acadhost-cursor))
(kel_waitcursor T)
(acadhost-cursor)
(kel_waitcursor)
(equal before (acadhost-cursor))
(kel_waitcursor 1)
(kel_waitcursor "T")
(kel_waitcursor T 1)
(list (getvar "CURSORSIZE") (getvar "PICKBOX"))
(kel_waitcursor T)
(list (getvar "CURSORSIZE") (getvar "PICKBOX"))
(command "_.close")
(acadhost-documents)
(equal before (acadhost-cursor))
(list (getvar "CURSORSIZE") (getvar "PICKBOX"))
EOF
)" --echo --documents 2
same '=> T
=> WAIT
=> nil
=> T
Kelmar error: invalid argument.
=> nil
Kelmar error: invalid argument.
=> nil
Kelmar error: invalid argument.
=> nil
=> (5 3)
=> T
=> (1 1)
=> nil
=> ("Drawing2.dwg")
=> T
=> (5 3)' "$(tail -n +5 <<<"$out")" "the cursor from before, the refused forms, and the drawing's closing ending it"
same "" "$err" "no self-check tripped"

finish
