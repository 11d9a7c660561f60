# alert: the host's message box, owned by its main window; the program goes on when the
# user presses OK, and alert gives nil.
source "$(dirname "$0")/lib.sh"
kelmar_display

owner_then() {
    same "acadhost - [Drawing1.dwg]" "$(wintool owner "AutoCAD Message")" "the alert is owned by the host's main window"
    grep -q 'Static "Drawing saved."' <<<"$dlg"; ok "the alert shows its text"
    shot alert
    "$@"
}
answer '(alert "Drawing saved.")' "AutoCAD Message" owner_then key Return
same "=> nil" "$got" "alert gives nil once OK is pressed"
same 0 "$status" "the host ends well"

lisp '(alert 1)' --echo
same "; error: bad argument type: stringp 1" "$(tail -n 1 <<<"$out")" "alert wants a string, and opens nothing"
finish
