# kel_getstring, kel_getpassword, kel_getint, kel_getreal: typed into, confirmed, cancelled,
# refused, and resized by their frames.
source "$(dirname "$0")/lib.sh"
kelmar_display
control_ids IDC_VALUE IDC_PROMPT ID_SIZE_GRIP IDOK IDCANCEL

# type_then KEY TEXT: types the text (it replaces the selected initial text), then presses KEY.
type_then() {
    xdotool type --delay 30 -- "$2"
    key "$1"
}
field() {
    grep "^  $IDC_VALUE Edit" <<<"$dlg" | sed 's/^  [0-9]* Edit "\(.*\)" [0-9,]*$/\1/'
}

# What each opens with, and what Return gives back: function and arguments, title, the
# field's text, the result, and a screenshot's name for the first of each kind.
shot_return() {
    [ "$1" = - ] || shot "$1"
    key Return
}
while IFS='|' read -r call title shown result picture; do
    answer "($call)" "$title" shot_return "$picture"
    same "$shown" "$(field)" "$call shows \"$shown\""
    same "=> $result" "$got" "$call: Return gives $result"
done <<'EOF'
kel_getstring "Kelmar string" "Name:"|Kelmar string||""|-
kel_getstring "Kelmar string" "Name:" "Plan A"|Kelmar string|Plan A|"Plan A"|-
kel_getint "Kelmar integer" "Count:"|Kelmar integer|0|0|input-integer
kel_getint "Kelmar integer" "Count:" 12.9|Kelmar integer|12|12|-
kel_getint "Kelmar integer" "Count:" -3.7|Kelmar integer|-3|-3|-
kel_getint "Kelmar integer" "Count:" 40000.0|Kelmar integer|-25536|-25536|-
kel_getint "Kelmar integer" "Count:" -32768|Kelmar integer|-32768|-32768|-
kel_getreal "Kelmar real" "Scale:"|Kelmar real|0|0.0|input-real
kel_getreal "Kelmar real" "Scale:" 3|Kelmar real|3|3.0|-
kel_getreal "Kelmar real" "Scale:" 2.5|Kelmar real|2.5|2.5|-
kel_getreal "Kelmar real" "Scale:" 0.1|Kelmar real|0.1|0.1|-
EOF

# Typing replaces the selected initial text.
answer '(kel_getstring "Kelmar string" "Name:" "old")' "Kelmar string" type_then Return "new name"
same '=> "new name"' "$got" "typed text comes back"
answer '(kel_getint "Kelmar integer" "Count:")' "Kelmar integer" type_then Return "-125"
same "=> -125" "$got" "a typed integer"
answer '(kel_getreal "Kelmar real" "Scale:")' "Kelmar real" type_then Return "1.25e3"
same "=> 1250.0" "$got" "a typed real"

# The password field shows its text masked and gives it back in clear.
lisp_start '(kel_getpassword "Kelmar password" "Password:" "secret")' --echo
dialog "Kelmar password"
shot input-password
style=$(wintool style "Kelmar password" "$IDC_VALUE")
(( (style & 0x20) != 0 )); ok "the password field has the password style ($style)"
type_then Return "open sesame"
lisp_wait
same '=> "open sesame"' "$(tail -n 1 <<<"$out")" "the password typed, in clear"

# Cancel, Esc and the close box give nil, also after a valid number was typed.
for how in "press $IDCANCEL" "key Escape" close_box; do
    lisp_start '(kel_getint "Kelmar integer" "Count:")' --echo
    dialog "Kelmar integer"
    xdotool type -- "42"
    $how
    lisp_wait
    same "=> nil" "$(tail -n 1 <<<"$out")" "$how gives nil"
done

# Text that is no 16-bit integer, or no number, keeps the dialog open with the framework's
# message; the field then takes a good value.
refused() {
    xdotool type --delay 30 -- "$1"
    key Return
    local message
    message=$(wintool wait acad 10000)
    same "$2" "$(grep -o "Static \"Please[^\"]*\"" <<<"$message")" "\"$1\" is refused"
    sleep 0.5  # until the message has the focus
    [ -z "$3" ] || shot "$3"
    key Return
    wintool gone acad 5000; ok "the message closes"
    wintool wait "$title" 2000 >/dev/null; ok "and the dialog is still open"
    xdotool type --delay 30 -- "$4"
    key Return
}
title="Kelmar integer"
answer '(kel_getint "Kelmar integer" "Count:")' "$title" refused 70000 'Static "Please enter an integer."' input-integer-refused 7
same "=> 7" "$got" "then 7 is taken"
answer '(kel_getint "Kelmar integer" "Count:")' "$title" refused 12x 'Static "Please enter an integer."' "" -8
same "=> -8" "$got" "12x refused, then -8 taken"
title="Kelmar real"
answer '(kel_getreal "Kelmar real" "Scale:")' "$title" refused 1..5 'Static "Please enter a number."' "" 1.5
same "=> 1.5" "$got" "1..5 refused, then 1.5 taken"

# The frame: wider by 100 pixels stretches the prompt and the field by 100 and leaves the
# buttons; it can't be made taller, nor narrower than it opened; the grip stays in the corner.
lisp_start '(kel_getstring "Kelmar sizing" "A prompt that stretches:" "text")' --echo
dialog "Kelmar sizing"
shot input-string
before=$dlg
IFS=, read -r x y w h <<<"$(rect_of window)"
drag $((x + w - 2)) $((y + h / 2)) 100 0
dialog "Kelmar sizing"
shot input-string-wider
widened() { # ID DW: the control's width grew by DW, its left edge stayed
    local a b
    IFS=, read -r -a a <<<"$(dlg=$before rect_of "$1")"
    IFS=, read -r -a b <<<"$(rect_of "$1")"
    [ "${b[0]}" -eq "${a[0]}" ] && [ "$((b[2] - a[2]))" -eq "$2" ]
}
widened window 100; ok "the window is 100 wider"
widened "$IDC_PROMPT" 100; ok "the prompt stretched by 100"
widened "$IDC_VALUE" 100; ok "the field stretched by 100"
same "$(dlg=$before rect_of "$IDOK")" "$(rect_of "$IDOK")" "OK stayed"
same "$(dlg=$before rect_of "$IDCANCEL")" "$(rect_of "$IDCANCEL")" "Cancel stayed"
IFS=, read -r gx gy gw gh <<<"$(rect_of "$ID_SIZE_GRIP")"
IFS=, read -r x y w h <<<"$(rect_of window)"
client=$(wintool client "Kelmar sizing")
same "$client" "$((gx + gw)),$((gy + gh))" "the grip's corner is the client area's"
drag $((x + w / 2)) $((y + h - 2)) 0 80
dialog "Kelmar sizing"
same "$h" "$(rect_of window | cut -d, -f4)" "the height is locked"
IFS=, read -r x y w h <<<"$(rect_of window)"
drag $((x + w - 2)) $((y + h / 2)) -300 0
dialog "Kelmar sizing"
same "$(dlg=$before rect_of window)" "$(rect_of window)" "no narrower than it opened: back to its template size"
same "$(dlg=$before rect_of "$IDC_VALUE")" "$(rect_of "$IDC_VALUE")" "and the field is back in its template place"
key Return
lisp_wait
same '=> "text"' "$(tail -n 1 <<<"$out")" "the resized dialog still answers"

# Argument errors open nothing.
rows <<'EOF'
(setq made (acadhost-windows))||0
(kel_getstring)|Kelmar error: too few arguments.
(kel_getstring "t")|Kelmar error: too few arguments.
(kel_getstring 1 "p")|Kelmar error: string argument expected.
(kel_getstring "t" "p" 1)|Kelmar error: string argument expected.
(kel_getstring "t" "p" "x" "y")|Kelmar error: too many arguments.
(kel_getpassword "t" nil)|Kelmar error: string argument expected.
(kel_getint "t" "p" "3")|Kelmar error: integer argument expected.
(kel_getint "t" "p" 1 2)|Kelmar error: too many arguments.
(kel_getreal "t" "p" "abc")|Kelmar error: real argument expected.
(kel_getreal "t" "p" (quote (1.0)))|Kelmar error: real argument expected.
(kel_getint "t" "p" (quote (1)))|Kelmar error: integer argument expected.
(= made (acadhost-windows))||T
EOF

finish
