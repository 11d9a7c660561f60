# kel_listbox, kel_multilist, kel_checklist, kel_combolist: picked from with the mouse and
# the keyboard, cancelled, resized by the grip, and refused before they open.
source "$(dirname "$0")/lib.sh"
kelmar_display
control_ids IDC_PROMPT IDC_LIST IDC_COMBO IDC_SELECTALL IDC_CLEARALL ID_SIZE_GRIP IDOK IDCANCEL

# items ID: the list's items as wintool shows them, without their places.
items() {
    wintool items "$title" "$1" | sed 's/ at [0-9,]* left [0-9]*$//'
}
# item_at INDEX [box]: the middle of a list item (or of its check box).
item_at() {
    if [ "${2:-}" = box ]; then list_item "$title" "$IDC_LIST" "$1" 8; else list_item "$title" "$IDC_LIST" "$1"; fi
}
# shellcheck disable=SC2046
click_item() { click $(item_at "$@"); }
colours='(list "red" "green" "blue")'

# The single choice: opens on the first item; OK takes the selection, a double click the
# item clicked.
title="Kelmar list"
opened() {
    shot picker-list
    same "acadhost - [Drawing1.dwg]" "$(wintool owner "$title")" "the dialog is owned by the host's main window"
    same $'0 "red" selected\n1 "green"\n2 "blue"' "$(items "$IDC_LIST")" "the list opens with red selected"
    key Return
}
answer "(kel_listbox \"$title\" \"Pick a colour:\" $colours)" "$title" opened
same '=> "red"' "$got" "OK gives red"
double_blue() {
    # shellcheck disable=SC2046
    xdotool mousemove --window "$(desktop)" $(item_at 2) sleep 0.2 click --repeat 2 --delay 80 1
}
answer "(kel_listbox \"$title\" \"Pick a colour:\" $colours)" "$title" double_blue
same '=> "blue"' "$got" "a double click on blue gives blue"
arrow_down() { key Down; key Return; }
answer "(kel_listbox \"$title\" \"Pick a colour:\" $colours)" "$title" arrow_down
same '=> "green"' "$got" "the arrow key moves the selection"

# Several choices, in list order; none gives nil; Select All gives every item.
title="Kelmar multiple"
blue_and_red() {
    click_item 2
    xdotool keydown ctrl
    click_item 0
    xdotool keyup ctrl
    shot picker-multiple
    press "$IDOK"
}
answer "(kel_multilist \"$title\" \"Pick colours:\" $colours)" "$title" blue_and_red
same '=> ("red" "blue")' "$got" "blue then red selected gives them in list order"
answer "(kel_multilist \"$title\" \"Pick colours:\" $colours)" "$title" press "$IDOK"
same '=> nil' "$got" "nothing selected gives nil"
all_then_ok() { press "$IDC_SELECTALL"; press "$IDOK"; }
answer "(kel_multilist \"$title\" \"Pick colours:\" $colours)" "$title" all_then_ok
same '=> ("red" "green" "blue")' "$got" "Select All gives every item"
all_clear_ok() { press "$IDC_SELECTALL"; press "$IDC_CLEARALL"; press "$IDOK"; }
answer "(kel_multilist \"$title\" \"Pick colours:\" $colours)" "$title" all_clear_ok
same '=> nil' "$got" "Select All then Clear All gives nil"

# Ticks: from the flags (only positive ones tick), toggled by a click on the box and by the
# space bar, all set and all cleared.
title="Kelmar check"
checks='(list (list "red" 1) (list "green" 0) (list "blue" -3))'
unchanged() {
    shot picker-check
    same $'0 "red" selected data=1\n1 "green"\n2 "blue"' "$(items "$IDC_LIST")" "only red is ticked; red is selected"
    key Return
}
answer "(kel_checklist \"$title\" \"Layers to show:\" $checks)" "$title" unchanged
same '=> (("red" . 1) ("green" . 0) ("blue" . 0))' "$got" "OK unchanged gives every item with its tick"
toggle() {
    click_item 1 box   # ticks green
    click_item 2       # selects blue, on its text: no tick
    key space          # ticks blue
    click_item 0 box   # unticks red
    press "$IDOK"
}
answer "(kel_checklist \"$title\" \"Layers to show:\" $checks)" "$title" toggle
same '=> (("red" . 0) ("green" . 1) ("blue" . 1))' "$got" "clicks on boxes and the space bar toggle ticks"
# The answer given back as the next call's list: its dotted pairs are elements too.
fed_back() {
    same $'0 "red" selected\n1 "green" data=1\n2 "blue" data=1' "$(items "$IDC_LIST")" "the ticks of the list given back"
    key Return
}
answer "(kel_checklist \"$title\" \"Layers to show:\" '((\"red\" . 0) (\"green\" . 1) (\"blue\" . 1)))" "$title" fed_back
same '=> (("red" . 0) ("green" . 1) ("blue" . 1))' "$got" "and OK gives it back unchanged"
answer "(kel_checklist \"$title\" \"Layers to show:\" $checks)" "$title" all_then_ok
same '=> (("red" . 1) ("green" . 1) ("blue" . 1))' "$got" "Select All ticks every item"
clear_ok() { press "$IDC_CLEARALL"; press "$IDOK"; }
answer "(kel_checklist \"$title\" \"Layers to show:\" $checks)" "$title" clear_ok
same '=> (("red" . 0) ("green" . 0) ("blue" . 0))' "$got" "Clear All unticks every item"

# Past 65,535 rows a click still ticks the row under it: the system's hit test answers with
# 16 bits of the row's index.
long='(progn (setq l nil k 70000) (repeat 70000 (setq l (cons (list (strcat "layer " (itoa k)) 0) l) k (1- k))) l)'
last_box() {
    key ctrl+End
    click_item 69999 box
    press "$IDOK"
}
answer "(setq on nil) (foreach p (kel_checklist \"$title\" \"Layers to show:\" $long) (if (= (cdr p) 1) (setq on (cons (car p) on)))) on" "$title" last_box
same '=> ("layer 70000")' "$got" "a click on the box of row 70,000 ticks that row"

# The combo list: sorted items, the default in the field; typing keeps the text as typed
# while the list highlights the item that holds it earliest.
title="Kelmar combo"
shown() {
    shot picker-combo
    same $'0 "alpha"\n1 "beta"\nedit "gam"' "$(items "$IDC_COMBO")" "sorted items, the default in the field"
    key Return
}
answer "(kel_combolist \"$title\" \"Name:\" (list \"beta\" \"alpha\") \"gam\")" "$title" shown
same '=> "gam"' "$got" "OK gives the field's text"
typed() {
    local text=$1 expected=$2
    xdotool type --delay 60 -- "$text"
    sleep 0.2
    same "$expected" "$(items "$IDC_COMBO")" "typing $text"
    key Return
}
answer "(kel_combolist \"$title\" \"Name:\" (list \"alpha\" \"beta\"))" "$title" typed ta $'0 "alpha"\n1 "beta" selected\nedit "ta"'
same '=> "ta"' "$got" "the typed text, not the item, comes back"
answer "(kel_combolist \"$title\" \"Name:\" (list \"xab\" \"ab\"))" "$title" typed ab $'0 "ab" selected\n1 "xab"\nedit "ab"'
same '=> "ab"' "$got" "position 0 beats position 1"
answer "(kel_combolist \"$title\" \"Name:\" (list \"alpha\" \"beta\"))" "$title" typed zz $'0 "alpha"\n1 "beta"\nedit "zz"'
same '=> "zz"' "$got" "a text no item holds selects nothing"

# Cancel, Esc and the close box give nil in every picker.
for call in "kel_listbox \"Kelmar cancel\" \"p\" $colours" "kel_multilist \"Kelmar cancel\" \"p\" $colours" \
    "kel_checklist \"Kelmar cancel\" \"p\" $checks" "kel_combolist \"Kelmar cancel\" \"p\" $colours \"x\""; do
    for how in "press $IDCANCEL" "key Escape" close_box; do
        answer "($call)" "Kelmar cancel" $how
        same "=> nil" "$got" "${call%% *}: $how gives nil"
    done
done

# The grip: dragged out, the list stretches both ways and the buttons move with the right
# edge; dragged back in, everything returns to its template place; no smaller than that.
title="Kelmar sizing"
lisp_start "(kel_multilist \"$title\" \"Pick colours:\" $colours)" --echo
dialog "$title"
before=$dlg
moved() { # ID DX DY DW DH: the control moved and grew by these since it opened
    local a b
    IFS=, read -r -a a <<<"$(dlg=$before rect_of "$1")"
    IFS=, read -r -a b <<<"$(rect_of "$1")"
    same "$2 $3 $4 $5" "$((b[0] - a[0])) $((b[1] - a[1])) $((b[2] - a[2])) $((b[3] - a[3]))" "control $1 moved and grew by $2 $3 $4 $5"
}
# shellcheck disable=SC2046
drag $(at "$ID_SIZE_GRIP") 100 60
dialog "$title"
shot picker-multiple-larger
moved window 0 0 100 60
moved "$IDC_PROMPT" 0 0 100 0
moved "$IDC_LIST" 0 0 100 60
for id in "$IDOK" "$IDCANCEL" "$IDC_SELECTALL" "$IDC_CLEARALL"; do moved "$id" 100 0 0 0; done
moved "$ID_SIZE_GRIP" 100 60 0 0
# shellcheck disable=SC2046
drag $(at "$ID_SIZE_GRIP") -100 -60
dialog "$title"
for id in window "$IDC_PROMPT" "$IDC_LIST" "$IDOK" "$IDCANCEL" "$IDC_SELECTALL" "$IDC_CLEARALL" "$ID_SIZE_GRIP"; do
    same "$(dlg=$before rect_of "$id")" "$(rect_of "$id")" "control $id is back in its template place"
done
# shellcheck disable=SC2046
drag $(at "$ID_SIZE_GRIP") -150 -100
dialog "$title"
same "$(dlg=$before rect_of window)" "$(rect_of window)" "no smaller than the template"
key Escape
lisp_wait

# Opened again after resizing, it has its template size.
lisp_start "(kel_multilist \"$title\" \"Pick colours:\" $colours)" --echo
dialog "$title"
same "$(dlg=$before rect_of window)" "$(rect_of window)" "reopened at the template size"
key Escape
lisp_wait

# Argument errors open nothing (an empty list is nil to LISP: no list).
rows <<'EOF'
(setq made (acadhost-windows))||0
(kel_listbox)|Kelmar error: too few arguments.
(kel_listbox "t")|Kelmar error: too few arguments.
(kel_listbox "t" "p")|Kelmar error: too few arguments.
(kel_listbox "t" "p" "red")|Kelmar error: list begin expected.
(kel_listbox "t" "p" (list "a" 1))|Kelmar error: string argument expected.
(kel_listbox "t" "p" (list "a") "x")|Kelmar error: too many arguments.
(kel_multilist "t" 2 (list "a"))|Kelmar error: string argument expected.
(kel_multilist "t" "p" (list (list "a")))|Kelmar error: string argument expected.
(kel_checklist "t" "p" (list "red"))|Kelmar error: list begin expected.
(kel_checklist "t" "p" (list (list 1 "x")))|Kelmar error: string argument expected.
(kel_checklist "t" "p" (list (list "red")))|Kelmar error: integer argument expected.
(kel_checklist "t" "p" (list (list "red" 1.5)))|Kelmar error: integer argument expected.
(kel_checklist "t" "p" (list (cons "red" "1")))|Kelmar error: integer argument expected.
(kel_checklist "t" "p" (list (list "red" 1 2)))|Kelmar error: list end expected.
(kel_checklist "t" "p" (list (list "red" 1)) 1)|Kelmar error: too many arguments.
(kel_combolist "t" "p" (list "a") "b" "c")|Kelmar error: too many arguments.
(kel_combolist "t" "p" (list "a") 1)|Kelmar error: string argument expected.
(kel_listbox "t" "p" nil)|Kelmar error: list begin expected.
(kel_checklist "t" "p" nil)|Kelmar error: list begin expected.
(= made (acadhost-windows))||T
EOF

finish
