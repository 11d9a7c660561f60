# kel_proplist: values edited in place beside their names, the divider dragged, cancelled,
# refused before it opens.
source "$(dirname "$0")/lib.sh"
kelmar_display
control_ids IDC_LIST IDC_VALUE_EDIT IDOK IDCANCEL

title="Kelmar properties"
props='(list (list "Width" "10") (list "Height" "20"))'
call="(kel_proplist \"$title\" \"Size:\" $props)"

# row_at INDEX: a point of the row's name cell (its middle is the divider's place).
row_at() { list_item "$title" "$IDC_LIST" "$1" 20; }
# shellcheck disable=SC2046
click_row() { click $(row_at "$1"); sleep 0.3; }
type_text() { xdotool type --delay 60 -- "$1"; sleep 0.2; }
# editor: the value editor's line of the dialog's listing ("" when there is none).
editor() { wintool list | grep -E "^  $IDC_VALUE_EDIT Edit" | sed 's/ [0-9-]*,[0-9-]*,[0-9]*,[0-9]*$//'; }
# grey_width NAME ROW: in screenshot NAME, how many pixels of the list's row ROW are the name
# cell's light grey, counted along the row's middle line.
grey_width() {
    local x y w h lx ly lw lh
    IFS=, read -r x y w h <<<"$(rect_of window)"
    IFS=, read -r lx ly lw lh <<<"$(rect_of "$IDC_LIST")"
    local row_y
    row_y=$(row_at "$2" | cut -d' ' -f2)
    convert "$ARTIFACTS/$1.png" -crop "${lw}x1+$((lx - x))+$((row_y - y + 5))" +repage txt:- |
        grep -c '#C0C0C0'
}

# OK without editing gives every pair, values as strings.
unchanged() {
    shot proplist
    same "" "$(editor)" "no editor before a row is chosen"
    press "$IDOK"
}
answer "$call" "$title" unchanged
same '=> (("Width" . "10") ("Height" . "20"))' "$got" "OK unchanged gives the pairs"

# A click opens the editor over the row's value; what is typed replaces it.
edit_height() {
    click_row 1
    shot proplist-editing
    same "  $IDC_VALUE_EDIT Edit \"20\"" "$(editor)" "the editor opens over Height's value"
    type_text 25
    press "$IDOK"
}
answer "$call" "$title" edit_height
same '=> (("Width" . "10") ("Height" . "25"))' "$got" "typing 25 and OK"
edit_both() { click_row 0; type_text 12; click_row 1; type_text 34; key Return; }
answer "$call" "$title" edit_both
same '=> (("Width" . "12") ("Height" . "34"))' "$got" "each row keeps what was typed; Enter in the editor is OK"
edit_cancel() { click_row 1; type_text 99; press "$IDCANCEL"; }
answer "$call" "$title" edit_cancel
same '=> nil' "$got" "Cancel after editing gives nil"
edit_escape() { click_row 0; type_text 99; key Escape; }
answer "$call" "$title" edit_escape
same '=> nil' "$got" "Esc in the editor cancels the dialog"

# Before any click the keyboard opens the editor on the second row; with one row, nowhere.
keys_first() {
    key Down
    sleep 0.3
    same "  $IDC_VALUE_EDIT Edit \"20\"" "$(editor)" "the keyboard opens the editor on row 2"
    type_text 7
    press "$IDOK"
}
answer "$call" "$title" keys_first
same '=> (("Width" . "10") ("Height" . "7"))' "$got" "the second row edited from the keyboard"
one_row() { key Down; sleep 0.3; same "" "$(editor)" "one row: no editor"; press "$IDOK"; }
answer "(kel_proplist \"$title\" \"One:\" (list (list \"Only\" \"1\")))" "$title" one_row
same '=> (("Only" . "1"))' "$got" "a single row"

# The divider: pressed within 5 pixels and dragged, it moves to where the button is released,
# the editor hidden meanwhile; both columns are drawn again at the new split.
# move_divider FROM TO Y NAME: the button held from FROM to TO on the row at Y; NAME.png shows
# the drag under way.
move_divider() {
    local d
    d=$(desktop) || return 1
    xdotool mousemove --window "$d" "$1" "$3" sleep 0.3 mousedown 1 sleep 0.3 \
        mousemove --window "$d" $((($1 + $2) / 2)) "$3" sleep 0.3 mousemove --window "$d" "$2" "$3" sleep 0.3
    shot "$4"
    xdotool mouseup 1
    sleep 0.4
}
divider() {
    local lx ly lw lh first second y
    IFS=, read -r lx ly lw lh <<<"$(rect_of "$IDC_LIST")"
    y=$(row_at 0 | cut -d' ' -f2)
    click_row 1   # the editor is open when the drag begins
    shot proplist-before
    # It starts in the middle of the rows (inside the list's 2-pixel edge), and is grabbed
    # 3 pixels right of it.
    first=$((lx + lw / 2 + 12))
    move_divider $((lx + 2 + (lw - 4) / 2 + 3)) "$first" "$y" proplist-dragging
    shot proplist-moved
    local before=$(grey_width proplist-before 0) moved=$(grey_width proplist-moved 0)
    [ "$moved" -gt "$before" ]; ok "the name cell grew: $before then $moved pixels"
    second=$((first + 40))
    move_divider "$first" "$second" "$y" proplist-dragging-again
    shot proplist-after
    same $((moved + 40)) "$(grey_width proplist-after 0)" "dragged 40 pixels further, the name cell is 40 pixels wider"
    click_row 1
    shot proplist-after-editing
    same "$second" "$(wintool list | grep -E "^  $IDC_VALUE_EDIT Edit" | sed 's/.* //' | cut -d, -f1)" "the editor opens right of the divider"
    press "$IDOK"
}
answer "$call" "$title" divider
same '=> (("Width" . "10") ("Height" . "20"))' "$got" "moving the divider changes no value"

# Dotted pairs are elements too; an empty element list gives nil.
answer "(kel_proplist \"$title\" \"Size:\" (list (cons \"Width\" \"10\") (list \"Height\" \"20\")))" "$title" press "$IDOK"
same '=> (("Width" . "10") ("Height" . "20"))' "$got" "a dotted pair is an element"
answer "(kel_proplist \"$title\" \"Size:\" (list (cons \"Width\" \"10\")))" "$title" close_box
same '=> nil' "$got" "the close box gives nil"

# Calls in one host share what a dialog holds: calls refused after their elements were read,
# the first past what is kept from one call to the next, leave nothing in the next dialog.
stale='(setq big nil) (repeat 40000 (setq big (cons (list "Stale" "1") big)))
(kel_proplist "t" "p" big "x") (kel_proplist "t" "p" (list (list "Stale" "2")) "x")'
answer "$stale $call" "$title" press "$IDOK"
same '=> (("Width" . "10") ("Height" . "20"))' "$got" "no element of a refused call is left in the next dialog"

# Argument errors and failed result records open nothing.
lisp '(setq made (acadhost-windows))
(kel_proplist) (kel_proplist "t" "p") (kel_proplist "t" "p" "a") (kel_proplist "t" 1 (list (list "a" "b")))
(kel_proplist "t" "p" (list "a")) (kel_proplist "t" "p" (list (list "a" "b" "c"))) (kel_proplist "t" "p" (list (list "a")))
(kel_proplist "t" "p" (list (list "a" 1))) (kel_proplist "t" "p" (list (cons "a" 1))) (kel_proplist "t" "p" (list (list "a" "b")) "x")
(kel_proplist "t" "p" nil)
(= made (acadhost-windows))' --echo
same 'Kelmar error: too few arguments.
=> nil
Kelmar error: too few arguments.
=> nil
Kelmar error: list begin expected.
=> nil
Kelmar error: string argument expected.
=> nil
Kelmar error: list begin expected.
=> nil
Kelmar error: list end expected.
=> nil
Kelmar error: string argument expected.
=> nil
Kelmar error: string argument expected.
=> nil
Kelmar error: string argument expected.
=> nil
Kelmar error: too many arguments.
=> nil
Kelmar error: list begin expected.
=> nil
=> T' "$(tail -n +5 <<<"$out")" "argument errors open no dialog"

for n in 1 4 12; do
    answer "(acadhost-failalloc $n) $call" "$title" press "$IDOK"
    same "Kelmar error: cannot allocate result buffer." "$(tail -n 2 <<<"$out" | head -1)" "record $n of the result fails: the message"
    same "=> nil" "$got" "record $n of the result fails: nil"
    same "" "$err" "record $n of the result fails: the records made are released"
done

finish
