# kel_editlist: items edited in place, added, deleted and reordered with the mouse, the keys
# and the tool buttons; cancelled; resized; refused before it opens.
source "$(dirname "$0")/lib.sh"
kelmar_display
control_ids IDC_LIST IDC_HEADER ID_SIZE_GRIP IDOK IDCANCEL

title="Kelmar edit list"
items3='(list "one" "two" "three")'
call="(kel_editlist \"$title\" \"Items:\" $items3)"

# item_at INDEX: the middle of a list item on the screen.
item_at() { list_item "$title" "$IDC_LIST" "$1"; }
# shellcheck disable=SC2046
click_item() { click $(item_at "$1"); }
double_item() {
    # shellcheck disable=SC2046
    xdotool mousemove --window "$(desktop)" $(item_at "$1") sleep 0.2 click --repeat 2 --delay 80 1
    sleep 0.3
}
items() {
    wintool items "$title" "$IDC_LIST" | sed 's/ at [0-9,]* left [0-9]*$//'
}
# tool INDEX: the middle of tool button INDEX (New, Delete, Move Up, Move Down) in the header.
tool() {
    local x y w h
    IFS=, read -r x y w h <<<"$(rect_of "$IDC_HEADER")"
    echo "$((x + w - 88 + 22 * $1 + 11)) $((y + h / 2))"
}
# shellcheck disable=SC2046
tool_click() { click $(tool "$1"); sleep 0.2; }
type_text() { xdotool type --delay 60 -- "$1"; sleep 0.2; }
# drag_item FROM TO: the left button held from one item's middle to another's.
drag_item() {
    local from to d
    from=$(item_at "$1")
    to=$(item_at "$2")
    d=$(desktop) || return 1
    # shellcheck disable=SC2086
    xdotool mousemove --window "$d" $from sleep 0.2 mousedown 1 sleep 0.2 mousemove --window "$d" ${from% *} $((${to#* } - 3)) \
        sleep 0.2 mousemove --window "$d" $to sleep 0.3
    shot "${shot_name:-editlist-dragging}"
    xdotool mouseup 1
    sleep 0.3
}

# OK at once gives the items unchanged; the list has the edit list's styles.
opened() {
    shot editlist
    same $'0 "one" selected\n1 "two"\n2 "three"' "$(items)" "the list opens with its items, the first selected"
    # 0x50201D51 less the vertical scroll bar's bit, which the list box sets and clears as its
    # bar comes and goes: it takes "disable, do not hide" only from its creation.
    style=$(wintool style "$title" "$IDC_LIST")
    same $((0x50001D51)) $((style & 0x50001D51)) "the list has the styles 0x50201D51"
    press "$IDOK"
}
answer "$call" "$title" opened
same '=> ("one" "two" "three")' "$got" "OK at once gives the items unchanged"

# New, typed text and Enter add an item; Enter in the edit does not close the dialog.
new_four() {
    tool_click 0
    type_text four
    shot editlist-new
    key Return
    sleep 0.3
    same $'0 "one"\n1 "two"\n2 "three"\n3 "four" selected' "$(items)" "Enter commits the new item and keeps the dialog"
    press "$IDOK"
}
answer "$call" "$title" new_four
same '=> ("one" "two" "three" "four")' "$got" "New, four, Enter, OK adds four"

# New then Esc, or a click elsewhere, with nothing typed leaves the list as it was.
new_escape() { tool_click 0; key Escape; sleep 0.3; same 3 "$(items | wc -l)" "Esc removes the empty new item"; press "$IDOK"; }
answer "$call" "$title" new_escape
same '=> ("one" "two" "three")' "$got" "New and Esc change nothing"
new_elsewhere() { tool_click 0; click_item 1; press "$IDOK"; }
answer "$call" "$title" new_elsewhere
same '=> ("one" "two" "three")' "$got" "New and a click elsewhere change nothing"

# Move Up and Move Down act on the selection; Move Up on the first item does nothing.
up_two() { click_item 1; tool_click 2; press "$IDOK"; }
answer "$call" "$title" up_two
same '=> ("two" "one" "three")' "$got" "two and Move Up"
up_first() { click_item 0; tool_click 2; press "$IDOK"; }
answer "$call" "$title" up_first
same '=> ("one" "two" "three")' "$got" "Move Up on the first item changes nothing"
down_first() { click_item 0; tool_click 3; tool_click 3; press "$IDOK"; }
answer "$call" "$title" down_first
same '=> ("two" "three" "one")' "$got" "one moved down twice"

# Delete acts on the selection; deleting every item gives nil.
delete_two() { click_item 1; tool_click 1; same $'0 "one"\n1 "three"' "$(items)" "two deleted, nothing selected"; tool_click 1; press "$IDOK"; }
answer "$call" "$title" delete_two
same '=> ("one" "three")' "$got" "Delete with nothing selected does nothing"
delete_all() { for _ in 1 2 3; do click_item 0; tool_click 1; done; press "$IDOK"; }
answer "$call" "$title" delete_all
same '=> nil' "$got" "every item deleted gives nil"

# A double click opens an edit over the item, its text selected: typing replaces it.
double_edit() {
    double_item 1
    shot editlist-editing
    type_text deux
    key Return
    sleep 0.3
    same $'0 "one"\n1 "deux" selected\n2 "three"' "$(items)" "typing and Enter replace the text, the item selected"
    press "$IDOK"
}
answer "$call" "$title" double_edit
same '=> ("one" "deux" "three")' "$got" "the edited item comes back"
edit_then_ok() { double_item 2; type_text drei; press "$IDOK"; }
answer "$call" "$title" edit_then_ok
same '=> ("one" "two" "drei")' "$got" "OK while the edit is open commits it"
edit_escape() { double_item 0; type_text eins; key Escape; sleep 0.3; press "$IDOK"; }
answer "$call" "$title" edit_escape
same '=> ("one" "two" "three")' "$got" "Esc in the edit keeps the old text and not the dialog's Cancel"
edit_clear() { double_item 0; key BackSpace; key Return; sleep 0.3; press "$IDOK"; }
answer "$call" "$title" edit_clear
same '=> ("two" "three")' "$got" "clearing the text and Enter deletes the item"

# F2 and Del act on the item last clicked, not on the selection.
f2_before_click() { key Tab; key Tab; key F2; type_text x; press "$IDOK"; }
answer "$call" "$title" f2_before_click
same '=> ("one" "two" "three")' "$got" "F2 before any click edits nothing"
f2_clicked() { click_item 2; key Up; key Up; key F2; type_text drei; key Return; sleep 0.2; press "$IDOK"; }
answer "$call" "$title" f2_clicked
same '=> ("one" "two" "drei")' "$got" "F2 edits item 3, last clicked, with the selection moved"
del_clicked() { click_item 2; key Up; key Delete; sleep 0.2; press "$IDOK"; }
answer "$call" "$title" del_clicked
same '=> ("one" "two")' "$got" "Del deletes item 3, last clicked, with the selection moved"

# Alt+arrows move the selected item; not past either end.
alt_keys() { click_item 2; key alt+Down; click_item 0; key alt+Up; key alt+Down; key alt+Right; press "$IDOK"; }
answer "$call" "$title" alt_keys
same '=> ("two" "three" "one")' "$got" "Alt+Down and Alt+Right move down, nothing past the ends"

# Dragging the first of three onto the third makes it the second; onto the second, nothing.
drag_third() { drag_item 0 2; press "$IDOK"; }
answer "$call" "$title" drag_third
same '=> ("two" "one" "three")' "$got" "the first dropped on the third lands before it"
drag_second() { shot_name=editlist-drag-second drag_item 0 1; press "$IDOK"; }
answer "$call" "$title" drag_second
same '=> ("one" "two" "three")' "$got" "the first dropped on the second stays"
drag_up() { drag_item 2 0; press "$IDOK"; }
answer "$call" "$title" drag_up
same '=> ("three" "one" "two")' "$got" "the third dropped on the first lands before it"
# The press that ends an open edit starts no drag.
drag_editing() { double_item 1; shot_name=editlist-drag-editing drag_item 0 2; press "$IDOK"; }
answer "$call" "$title" drag_editing
same '=> ("one" "two" "three")' "$got" "no drag while an item is being edited"

# The tool buttons: a tooltip and a raised frame under the mouse, a sunken frame pressed,
# nothing done when released outside.
hover_press() {
    local d x y
    d=$(desktop) || return 1
    read -r x y <<<"$(tool 0)"
    xdotool mousemove --window "$d" $((x - 3)) "$y" sleep 0.2 mousemove --window "$d" "$x" "$y"
    local tips=
    for _ in $(seq 1 30); do
        tips=$(wintool list | grep -c '^"New" tooltips_class32')
        [ "$tips" -ge 1 ] && break
        sleep 0.2
    done
    same 1 "$tips" "hovering over New shows its tooltip"
    shot editlist-hot
    local names=("New" "Delete" "Move Up" "Move Down") tip
    for i in 1 2 3; do
        read -r x y <<<"$(tool $i)"
        xdotool mousemove --window "$d" "$x" "$y" sleep 0.2 mousemove --window "$d" $((x + 1)) "$y"
        for _ in $(seq 1 30); do
            tip=$(wintool list | grep -o '^"[A-Za-z ]*" tooltips_class32' | head -1)
            [ "$tip" = "\"${names[i]}\" tooltips_class32" ] && break
            sleep 0.2
        done
        same "\"${names[i]}\" tooltips_class32" "$tip" "the tooltip of button $i"
    done
    read -r x y <<<"$(tool 1)"
    xdotool mousemove --window "$d" "$x" "$y" sleep 0.3 mousedown 1 sleep 0.3
    shot editlist-pressed
    xdotool mousemove --window "$d" "$x" $((y + 60)) sleep 0.3 mouseup 1 sleep 0.3
    same $'0 "one" selected\n1 "two"\n2 "three"' "$(items)" "Delete released outside its button does nothing"
    press "$IDOK"
}
answer "$call" "$title" hover_press
same '=> ("one" "two" "three")' "$got" "nothing changed by the press released outside"

# Widened, the header stretches and its buttons stay at its right end.
widened() {
    local before=$dlg
    # shellcheck disable=SC2046
    drag $(at "$ID_SIZE_GRIP") 100 40
    dialog "$title"
    local a b
    IFS=, read -r -a a <<<"$(dlg=$before rect_of "$IDC_HEADER")"
    IFS=, read -r -a b <<<"$(rect_of "$IDC_HEADER")"
    same "0 100" "$((b[0] - a[0])) $((b[2] - a[2]))" "the header stretches with the dialog"
    IFS=, read -r -a a <<<"$(dlg=$before rect_of "$IDC_LIST")"
    IFS=, read -r -a b <<<"$(rect_of "$IDC_LIST")"
    same "100 40" "$((b[2] - a[2])) $((b[3] - a[3]))" "the list stretches both ways"
    click_item 0
    tool_click 3   # Move Down, at the new right end
    shot editlist-wider
    press "$IDOK"
}
answer "$call" "$title" widened
same '=> ("two" "one" "three")' "$got" "Move Down at the right end of the widened header"

# Cancel, Esc and the close box give nil whatever was changed.
changed_cancel() { click_item 1; tool_click 2; press "$IDCANCEL"; }
answer "$call" "$title" changed_cancel
same '=> nil' "$got" "Cancel after a change gives nil"
answer "$call" "$title" key Escape
same '=> nil' "$got" "Esc gives nil"
answer "$call" "$title" close_box
same '=> nil' "$got" "the close box gives nil"

# Argument errors and failed result records open nothing.
lisp '(setq made (acadhost-windows))
(kel_editlist) (kel_editlist "t") (kel_editlist "t" "p") (kel_editlist "t" "p" "a") (kel_editlist "t" 1 (list "a"))
(kel_editlist "t" "p" (list "a" 2)) (kel_editlist "t" "p" (list "a") "x") (kel_editlist "t" "p" nil)
(= made (acadhost-windows))' --echo
same 'Kelmar error: too few arguments.
=> nil
Kelmar error: too few arguments.
=> nil
Kelmar error: too few arguments.
=> nil
Kelmar error: list begin expected.
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

for n in 1 3; do
    answer "(acadhost-failalloc $n) $call" "$title" press "$IDOK"
    same "Kelmar error: cannot allocate result buffer." "$(tail -n 2 <<<"$out" | head -1)" "record $n of the result fails: the message"
    same "=> nil" "$got" "record $n of the result fails: nil"
    same "" "$err" "record $n of the result fails: the records made are released"
done

finish
