# kel_about: a task-modal message box owned by the host's main window, with the module's
# version texts; it returns nil however it is closed.
source "$(dirname "$0")/lib.sh"
kelmar_display

expected='Kelmar Version 5.1.1 (Jul 24 2000)
Copyright (C) 1998-2000 Kelmar Software
http://kelmar.example/
All Rights Reserved
'

# Closed with a click on OK.
lisp_start '(kel_about) (princ "closed")' --echo
box=$(wintool wait "About Kelmar" 20000); ok "the box opens"
# The text runs from the quote after Static to the quote before the rectangle.
text=$(sed -n '/Static "Kelmar/,/^" [0-9]/p' <<<"$box" | sed 's/^  65535 Static "//; s/^" [0-9].*$/<end>/')
same "$expected<end>" "$text" "the box's text"
frame=$(wintool list | grep '^"acadhost - \[Drawing1.dwg\]" AcadHostFrame')
[ -n "$frame" ]; ok "the host's main window is up, with the document in its title"
button=$(grep ' Button "OK" ' <<<"$box")
# shellcheck disable=SC2046
click $(centre "$button")
lisp_wait
same 0 "$status" "exit status"
same $'=> nil\nclosed=> "closed"' "$(tail -n 2 <<<"$out")" "nil after OK"

# Closed from the keyboard: Return, then Esc.
for k in Return Escape; do
    lisp_start '(kel_about)' --echo
    wintool wait "About Kelmar" 20000 >/dev/null; ok "the box opens for $k"
    key "$k"
    lisp_wait
    same "=> nil" "$(tail -n 1 <<<"$out")" "nil after $k"
done

finish
