# kel_msgbox: the button sets and icons in, the answers out, boxes that close themselves,
# and argument errors that open nothing.
source "$(dirname "$0")/lib.sh"
kelmar_display


shot_and() {
    shot "$1"
    shift
    "$@"
}
answer '(kel_msgbox "The drawing was saved." "Kelmar OK box" 1 3)' "Kelmar OK box" shot_and msgbox-ok-information key Return
same "  1 Button \"OK\"" "$(grep '^  [0-9]* Button' <<<"$dlg" | sed 's/ [0-9,]*$//')" "button set 1 is OK alone"
same "=> 4" "$got" "Return on OK answers 4"

# Each button of each set, pressed with the mouse: set, icon, button, answer.
while read -r set icon button answer what; do
    answer "(kel_msgbox \"Choose.\" \"Kelmar buttons\" $set $icon)" "Kelmar buttons" press "$button"
    same "=> $answer" "$got" "$what"
done <<'EOF'
5 4 IDYES 6 Yes of Yes-No-Cancel
5 4 IDNO 3 No of Yes-No-Cancel
5 4 IDCANCEL 1 Cancel of Yes-No-Cancel
0 1 IDABORT 0 Abort of Abort-Retry-Ignore
0 1 IDRETRY 5 Retry of Abort-Retry-Ignore
0 1 IDIGNORE 2 Ignore of Abort-Retry-Ignore
2 0 IDCANCEL 1 Cancel of OK-Cancel
3 2 IDRETRY 5 Retry of Retry-Cancel
4 5 IDNO 3 No of Yes-No
EOF
answer '(kel_msgbox "Choose." "Kelmar buttons" 5 1)' "Kelmar buttons" shot_and msgbox-yesnocancel-exclamation key Escape
same "=> 1" "$got" "Esc answers Cancel"

# A time-out of 0 is no time-out: the box waits for its answer.
later() {
    sleep "$1"
    shift
    "$@"
}
owned_then_later() {
    same "acadhost - [Drawing1.dwg]" "$(wintool owner "$1")" "$1 is owned by the host's main window"
    shift
    later "$@"
}
answer '(kel_msgbox "No time-out." "Kelmar untimed" 1 0 0)' "Kelmar untimed" owned_then_later "Kelmar untimed" 2.5 key Return
same "=> 4" "$got" "a time-out of 0 waits for OK"
answer '(kel_msgbox "Owned." "Kelmar owned" 1 0)' "Kelmar owned" owned_then_later "Kelmar owned" 0 key Return

# A box left alone closes itself at the first check after its seconds and gives nil.
lisp_start '(acadhost-timing T) (kel_msgbox "Closing by itself." "Kelmar timed" 1 0 2) (rtos (acadhost-lastcall) 2 0)' --echo
dialog "Kelmar timed"
shot msgbox-timed
lisp_wait
same "=> nil" "$(tail -n 2 <<<"$out" | head -1)" "an unanswered timed box gives nil"
line=$(tail -n 1 <<<"$out")
[[ $line =~ ^'=> "'([0-9]+) ]] && [ "${BASH_REMATCH[1]}" -ge 2000000 ] &&
    [ "${BASH_REMATCH[1]}" -lt 4000000 ]; ok "it closed after about two seconds: $line microseconds"

# It closes itself alone: another program's window of the same title, above it (where a
# search by title meets it first), stays open. (A box that closed the other instead would
# stay up: the host is given 60 s.)
wintool_start ready twin "Kelmar twin" 30000
HOST_LIMIT=60 lisp '(kel_msgbox "Closing by itself." "Kelmar twin" 1 0 2)' --echo
tool_wait
same "=> nil" "$(tail -n 1 <<<"$out")" "a timed box beside a window of its title closes itself"
same "kept" "$(tail -n 1 <<<"$tool_out")" "the other window of its title stays open"

# Answered in time, it gives the answer.
answer '(kel_msgbox "Answer me." "Kelmar answered" 2 0 10)' "Kelmar answered" press IDOK
same "=> 4" "$got" "a timed box answered with OK gives 4"

# A Yes-No box has no Cancel to close it from its title bar: on Windows it stays up after
# the time-out until answered, and gives nil. Wine's message box takes the close request as
# Cancel and goes: the answer is nil all the same.
lisp_start '(kel_msgbox "Yes or no?" "Kelmar stays" 4 4 1)' --echo
dialog "Kelmar stays"
sleep 2.5
if wintool wait "Kelmar stays" 100 >/dev/null; then press IDYES; fi
lisp_wait
same "=> nil" "$(tail -n 1 <<<"$out")" "a timed Yes-No box gives nil"

# A title longer than the box's caption copy: the timed box shows its first 79 characters,
# and closes itself all the same.
long=$(printf 'T%.0s' {1..120})
lisp_start "(kel_msgbox \"Long title.\" \"$long\" 1 0 1)" --echo
dialog "${long:0:79}"
[ -n "$dlg" ]; ok "the timed box's caption is the title's first 79 characters"
lisp_wait
same "=> nil" "$(tail -n 1 <<<"$out")" "and it closes itself"

# Argument errors: a message and nil, and no window made.
rows <<'EOF'
(setq made (acadhost-windows))||0
(kel_msgbox "a" "b" 6 0)|Kelmar error: invalid argument.
(kel_msgbox "a" "b" 1 -1)|Kelmar error: invalid argument.
(kel_msgbox "a" "b" -1 9)|Kelmar error: invalid argument.
(kel_msgbox "a" "b" 1.0 0)|Kelmar error: integer argument expected.
(kel_msgbox "a" "b" 1 0 2.5)|Kelmar error: integer argument expected.
(kel_msgbox "a" "b" 1 0 1 1)|Kelmar error: too many arguments.
(kel_msgbox)|Kelmar error: too few arguments.
(kel_msgbox 1 "b" 1 0)|Kelmar error: string argument expected.
(kel_msgbox "a" nil 1 0)|Kelmar error: string argument expected.
(kel_msgbox "a" "b" 1)|Kelmar error: too few arguments.
(kel_msgbox "a" "b" 1 (quote (1)))|Kelmar error: integer argument expected.
(= made (acadhost-windows))||T
EOF
same 0 "$status" "and leave the host sound"

finish
