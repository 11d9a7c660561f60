# kel_getprogress, kel_getcancel and kel_progbar as a person sees and answers them: the bar's
# pixels and label, its repaints, the Cancel button and Esc taken by the host's loop between
# forms, and the host's status-bar meter.
source "$(dirname "$0")/lib.sh"
kelmar_display
control_ids IDC_PROGRESS IDC_PROMPT IDCANCEL
pixels=$TESTS_DIR/tools/pixels.py
artifacts=$ARTIFACTS
bar=$(wintool syscolor 13)  # the highlight: the bar
back=$(wintool syscolor 5)  # the window colour: the rest

# while_open FUNCTION: forms that wait while the window is open.
while_open() {
    for _ in $(seq 1 300); do echo "(if ($1) (acadhost-sleep 50))"; done
}
visible() { # ID: whether control ID of $title is visible
    (( ($(wintool style "$title" "$1") & 0x10000000) != 0 ))
}

# shoot NAME: a screenshot of the window of $dlg; then the bar's client area within it is
# $cx,$cy $cw x $ch, and $filled the bar-coloured pixels of its second row from the left.
shoot() {
    shot "$1"
    picture=$artifacts/$1.png
    local wx wy ww wh px py
    IFS=, read -r wx wy ww wh <<<"$(rect_of window)"
    IFS=, read -r px py cw ch <<<"$(wintool clientrect "$title" "$IDC_PROGRESS")"
    cx=$((px - wx)) cy=$((py - wy))
    filled=$(python3 "$pixels" run "$picture" "$cx" $((cy + 1)) "$bar")
}
# label_in COLOUR X W: pixels of that colour (!COLOUR: of any other) in the bar's middle
# rows from X, W wide. The label's text is smoothed, so its pixels are told by differing
# from the colour they are drawn over.
label_in() {
    python3 "$pixels" count "$picture" "$2" $((cy + 3)) "$3" $((ch - 6)) "$1"
}
# expect_width POS RANGE: the filled width the bar must show.
expect_width() {
    awk -v p="$1" -v r="$2" -v w="$cw" 'BEGIN { printf("%d\n", p / r * w) }'
}

title="Kelmar progress"
lisp_start "$(cat <<EOF
(kel_getprogress "Kelmar progress" "Copying files" 200)
(kel_getprogress 50)
(kel_getprogress "Other title" "Other prompt" 10 T)
(kel_getprogress 50)
(princ "@1\n")
$(hold 1)
(kel_getprogress -10)
(princ "@2\n")
$(hold 2)
(kel_getprogress 300)
(princ "@3\n")
$(hold 3)
(kel_getprogress 100)
(princ "@4\n")
$(hold 4)
(princ (strcat "@open " (if (kel_getprogress) "T" "nil") "\n"))
(kel_getprogress T)
(princ (strcat "@closed " (if (kel_getprogress) "T" "nil") "\n"))
(kel_getprogress "Kelmar thirds" "One of three" 3)
(kel_getprogress 1)
(princ "@5\n")
$(hold 5)
(kel_getprogress T)
EOF
)"
reached 1; ok "the script opened the window and set 50"
dialog "$title"
shoot progress-quarter
same 'Static "Copying files"' "$(grep -o "^  $IDC_PROMPT Static \"[^\"]*\"" <<<"$dlg" | sed 's/^  [0-9]* //')" "the prompt"
! wintool wait "Other title" 100 >/dev/null; ok "a second open call changed no title"
! visible "$IDCANCEL"; ok "without T the Cancel button is hidden (and the second call's T changed nothing)"
same "$(expect_width 50 200)" "$filled" "50 of 200 fills a quarter of $cw pixels"
(( $(label_in "!$back" $((cx + filled)) $((cw - filled))) > 20 )); ok "the label 25% is drawn over the rest"
(( $(label_in "!$bar" "$cx" "$filled") == 0 )); ok "and not over the bar"
go 1
reached 2; ok "-10 moved it"
sleep 0.3
shoot progress-sixty
same "$(expect_width 60 200)" "$filled" "-10 from 50 moves to 60"
go 2
reached 3; sleep 0.3
shoot progress-150
same "$cw" "$filled" "300 of 200 fills the whole bar"
(( $(label_in "!$bar" "$cx" "$cw") > 20 )); ok "its label 150% is drawn over the bar"
go 3
reached 4; sleep 0.3
shoot progress-half
same "$(expect_width 100 200)" "$filled" "100 of 200 fills half"
(( $(label_in "!$bar" "$cx" "$filled") > 10 )); ok "the label 50% is drawn over the bar"
(( $(label_in "!$back" $((cx + filled)) $((cw - filled))) > 10 )); ok "and over the rest"
go 4
reached 5; title="Kelmar thirds"
dialog "$title"
shoot progress-third
same "$(expect_width 1 3)" "$filled" "1 of 3 fills a third"
go 5
lisp_wait
same 0 "$status" "the host ended well"
same "" "$err" "no self-check tripped"
grep -q '^@open T$' <<<"$out"; ok "the query gave T while it was open"
grep -q '^@closed nil$' <<<"$out"; ok "and nil once T closed it"

# The label reads 33%, not 34%: 1 of 3 and 100 of 300 paint the same pixels, 34 of 100 others.
label_pixels() { # POS RANGE: the label's pixels over the rest at that position
    lisp_start "$(cat <<EOF
(kel_getprogress "Kelmar label" "Which label?" $2)
(kel_getprogress $1)
(princ "@1\n")
$(hold 1)
(kel_getprogress T)
EOF
)"
    reached 1
    title="Kelmar label"
    dialog "$title"
    shoot "progress-label-$1-$2"
    label_in "!$back" $((cx + filled)) $((cw - filled))
    go 1
    lisp_wait
}
third=$(label_pixels 1 3)
same "$third" "$(label_pixels 100 300)" "100 of 300 paints what 1 of 3 does"
[ "$third" != "$(label_pixels 34 100)" ]; ok "and 34% paints something else: the percentage is cut"

# Repaints: at range 1000 a 150-pixel bar fills a pixel every 6.67 positions. Scaled to this
# bar's width, 1 to 6 changes no pixel and repaints nothing; 7 fills one and repaints once.
range=$((cw * 1000 / 150))
lisp "$(cat <<EOF
(kel_getprogress "Kelmar repaint" "Counting" $range)
(acadhost-paints "Kelmar repaint" $IDC_PROGRESS)
(kel_getprogress 1)
(setq a (acadhost-paints "Kelmar repaint" $IDC_PROGRESS))
(kel_getprogress 2) (kel_getprogress 3) (kel_getprogress -1) (kel_getprogress 5) (kel_getprogress 6)
(setq b (acadhost-paints "Kelmar repaint" $IDC_PROGRESS))
(kel_getprogress 7)
(setq c (acadhost-paints "Kelmar repaint" $IDC_PROGRESS))
(princ (strcat "@paints " (itoa (- b a)) " " (itoa (- c b)) "\n"))
(kel_getprogress T)
EOF
)"
same "@paints 0 1" "$(grep '^@paints' <<<"$out")" "1 to 6 of $range on $cw pixels repaints nothing, 7 repaints once"

# A resize forces the next position call to repaint, though the filled width stays 0.
title="Kelmar resize"
count="(acadhost-paints \"Kelmar resize\" $IDC_PROGRESS)"
lisp_start "$(cat <<EOF
(kel_getprogress "Kelmar resize" "Widen me" 1000)
$count
(princ "@1\n")
$(hold 1)
(progn (setq a $count) (kel_getprogress 0) (princ (strcat "@same " (itoa (- $count a)) "\n")))
(princ "@2\n")
$(hold 2)
(progn (setq a $count) (kel_getprogress 0) (princ (strcat "@resized " (itoa (- $count a)) "\n")))
(kel_getprogress T)
EOF
)"
reached 1
go 1
reached 2
dialog "$title"
IFS=, read -r x y w h <<<"$(rect_of window)"
drag $((x + w - 2)) $((y + h / 2)) 100 0
go 2
lisp_wait
same "@same 0
@resized 1" "$(grep -E '^@(same|resized)' <<<"$out")" "position 0 again repaints nothing, but once after the window was widened"

# Both windows: Cancel shown as asked, in its proportional place when widened, and the user's
# Cancel or Esc (taken by the host's loop between forms) closes the window; after it the
# query gives nil and position calls do nothing.
while IFS='|' read -r open query how picture; do
    title="Kelmar cancel test"
    lisp_start "$(cat <<EOF
$open
(princ "@1\n")
$(while_open "$query")
(princ (strcat "@after " (if ($query) "T" "nil") "\n"))
(kel_getprogress 50)
(kel_getprogress -5)
(princ (strcat "@still " (if ($query) "T" "nil") "\n"))
EOF
)"
    reached 1
    dialog "$title"
    visible "$IDCANCEL"; ok "$open: Cancel is shown"
    [ "$picture" = - ] || shot "$picture"
    before=$dlg
    IFS=, read -r x y w h <<<"$(rect_of window)"
    IFS=, read -r bx _ <<<"$(rect_of "$IDCANCEL")"
    client=$(wintool client "$title")
    frame=$((x + w - ${client%,*}))   # the frame's width: client left = x + frame
    left=$((bx - x - frame))
    drag $((x + w - 2)) $((y + h / 2)) 100 0
    dialog "$title"
    IFS=, read -r x2 _ w2 h2 <<<"$(rect_of window)"
    IFS=, read -r bx2 _ bw2 _ <<<"$(rect_of "$IDCANCEL")"
    same $((w + 100)) "$w2" "$open: widened by 100"
    same "$h" "$h2" "$open: its height kept"
    same "$(awk -v n="$w2" -v l="$left" -v o="$w" 'BEGIN { printf("%d\n", n * l / o) }')" "$((bx2 - x2 - frame))" \
        "$open: Cancel keeps its proportional place"
    same "$(dlg=$before rect_of "$IDCANCEL" | cut -d, -f3)" "$bw2" "$open: and its width"
    [ "$picture" = - ] || shot "$picture-wider"
    $how
    wintool gone "$title" 5000; ok "$open: $how closed it"
    lisp_wait
    grep -q '^@after nil$' <<<"$out"; ok "$open: after $how the query gives nil"
    grep -q '^@still nil$' <<<"$out"; ok "$open: position calls after it do nothing"
    same "" "$err" "$open: no self-check tripped"
done <<'EOF'
(kel_getprogress "Kelmar cancel test" "Press Cancel" 100 T)|kel_getprogress|press IDCANCEL|progress-cancel
(kel_getprogress "Kelmar cancel test" "Press Esc" 100 T)|kel_getprogress|key Escape|-
(kel_getcancel "Kelmar cancel test" "Press Cancel")|kel_getcancel|press IDCANCEL|cancel
(kel_getcancel "Kelmar cancel test" "Press Esc")|kel_getcancel|key Escape|-
EOF

# A program that loops until the user cancels sees Cancel and Esc while its loop runs: the
# host takes the window messages between the module's calls, as the host's own loop does.
# The loop gives up after 30 s; the user acts as soon as the window is up.
while IFS='|' read -r open query step how; do
    title="Kelmar loop test"
    lisp_start "$(cat <<EOF
$open
(princ "@1\n")
(setq t0 (acadhost-clock) n 0)
(while (and ($query) (< (- (acadhost-clock) t0) 30e6)) (setq n (1+ n)) $step)
(princ (strcat "@ended " (if ($query) "running" "cancelled") (if (< (- (acadhost-clock) t0) 30e6) " in time" " late") "\n"))
EOF
)"
    reached 1
    dialog "$title"
    $how
    lisp_wait
    same "@ended cancelled in time" "$(grep '^@ended' <<<"$out")" "$open: the loop sees $how while it runs"
done <<'EOF'
(kel_getcancel "Kelmar loop test" "Working")|kel_getcancel||press IDCANCEL
(kel_getprogress "Kelmar loop test" "Working" 100)|kel_getprogress|(kel_getprogress (rem (/ n 100) 100))|key Escape
EOF

# The cancel window opens once; T closes it; the forms and their messages.
lisp "$(cat <<'EOF'
(acadhost-windows)
(kel_getcancel "Kelmar cancel" "Stop?")
(acadhost-windows)
(kel_getcancel "Other" "Other")
(acadhost-windows)
(kel_getcancel)
(kel_getcancel T)
(kel_getcancel)
(kel_getcancel T)
(kel_getcancel "Kelmar cancel")
(kel_getcancel "Kelmar cancel" "Stop?" 1)
(kel_getprogress "Kelmar progress" "p" 0)
(kel_getprogress "Kelmar progress" "p" -3)
(kel_getprogress "Kelmar progress" "p" 5 1)
(kel_getprogress "Kelmar progress" "p" 5 T 1)
(kel_getprogress "Kelmar progress" "p" 5 nil)
(kel_getprogress)
(kel_getprogress T)
(kel_getprogress 40)
(kel_getprogress)
EOF
)" --echo
same '=> 0
=> nil
=> 1
=> nil
=> 1
=> T
=> nil
=> nil
=> nil
Kelmar error: too few arguments.
=> nil
Kelmar error: too many arguments.
=> nil
Kelmar error: range must be a positive integer.
=> nil
Kelmar error: range must be a positive integer.
=> nil
Kelmar error: invalid argument.
=> nil
Kelmar error: too many arguments.
=> nil
=> nil
=> T
=> nil
=> nil
=> nil' "$(tail -n +4 <<<"$out")" "the forms of both functions"
same "" "$err" "no self-check tripped"

# Windows left open when the host ends: the module closes them as it is unloaded, before
# their code goes, and the host ends well.
lisp '(kel_getprogress "Kelmar left open" "p" 10 T) (kel_getcancel "Kelmar also open" "p") (kel_getprogress 5)'
same 0 "$status" "windows left open at the end: the host ends well"
same "" "$err" "and trips no self-check"

# kel_progbar drives the host's meter: set, moved, shown in the status bar, restored.
title="acadhost - [Drawing1.dwg]"
lisp_start "$(cat <<EOF
(kel_progbar "Plotting" 100)
(acadhost-meter)
(kel_progbar 40)
(acadhost-meter)
(princ "@1\n")
$(hold 1)
(kel_progbar)
(acadhost-meter)
(kel_progbar 5)
(kel_progbar "Plotting")
(kel_progbar "Plotting" 10 1)
EOF
)" --echo
reached 1
dialog "$title"
shot meter
meter=$(grep '^  0 msctls_progress32 ' <<<"$dlg" | head -1)
status_text=$(grep -o '^  0 msctls_statusbar32 "[^"]*"' <<<"$dlg" | sed 's/.*32 //')
IFS=, read -r wx wy _ _ <<<"$(rect_of window)"
IFS=, read -r mx my mw mh <<<"${meter##* }"
filled=$(python3 "$pixels" run "$artifacts/meter.png" $((mx - wx + 1)) $((my - wy + mh / 2)) "$bar")
want=$(((mw - 2) * 40 / 100))
(( filled >= want - 1 && filled <= want + 1 )); ok "the meter shows 40 of 100 in the status bar: $filled of $((mw - 2)) pixels"
same '"Plotting"' "$status_text" "the status bar shows the label"
go 1
lisp_wait
same '=> T
=> ("Plotting" 0 100 0)
=> T
=> ("Plotting" 0 100 40)' "$(grep '^=> ' <<<"$out" | head -4)" "the meter set and moved"
same '=> nil
=> nil
=> nil
Kelmar error: too few arguments.
=> nil
Kelmar error: too many arguments.
=> nil' "$(tail -n 7 <<<"$out")" "restored; a position with no meter, and the argument errors"

# Both windows stay above the host's main window, which owns them: after a click on the
# main window, and after a message box it owns has closed, a person still sees them and
# their Cancel buttons. One at a time: both open in the middle of the main window.
while IFS='|' read -r open query close; do
    title="Kelmar on top"
    lisp_start "$(cat <<EOF
$open
(princ "@1\n")
$(hold 1)
(alert "Closed by a key")
(princ "@2\n")
$(hold 2)
(princ (strcat "@open " (if ($query) "T" "nil") "\n"))
$close
EOF
)"
    reached 1; ok "$open: the script opened the window"
    dialog "$title"
    read -r cancel_x cancel_y <<<"$(at IDCANCEL)"
    IFS=, read -r x y w h <<<"$(rect_of window)"
    same "acadhost" "$(wintool owner "$title" | cut -c1-8)" "$query: the host's main window owns it"
    same "$title" "$(wintool at "$cancel_x" "$cancel_y")" "$query: its Cancel button is seen at first"
    click 80 $((y + h + 40))  # the main window, below and left of it
    sleep 0.5
    same "acadhost" "$(wintool at 80 $((y + h + 40)) | cut -c1-8)" "$query: the click landed on the host's main window"
    same "$title" "$(wintool at "$cancel_x" "$cancel_y")" "$query: its Cancel button is still seen after a click on the host"
    shot "$query-above-host"
    go 1
    dialog "AutoCAD Message"
    key Return
    wintool gone "AutoCAD Message" 5000; ok "$query: the message box was answered"
    reached 2; ok "$query: and the script went on"
    sleep 0.5
    same "$title" "$(wintool at "$cancel_x" "$cancel_y")" "$query: its Cancel button is seen after a message box closed"
    dlg=$(wintool wait "$title" 1000)
    shot "$query-above-host-after-alert"
    go 2
    lisp_wait
    grep -q '^@open T$' <<<"$out"; ok "$query: the window was still open"
    same "" "$err" "$query: no self-check tripped"
done <<'EOF'
(kel_getprogress "Kelmar on top" "Still above" 100 T) (kel_getprogress 29)|kel_getprogress|(kel_getprogress T)
(kel_getcancel "Kelmar on top" "Still above")|kel_getcancel|(kel_getcancel T)
EOF

finish
