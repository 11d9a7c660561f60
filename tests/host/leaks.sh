# Windows opened and closed over and over leave nothing behind. In one host: the progress
# window (moved, then closed), the cancel window and the wait cursor 1,000 times each, and
# the message box that closes itself (modal) 15 times. What the process holds after the
# last rounds (committed memory, open file descriptors; handles, GDI and USER objects where
# the system counts them) stays within a few percent of what it held after the first half
# of the modeless rounds and the first 5 modal ones: the first rounds grow the heaps once
# (by about 2 MB under Wine), after which they stay flat. The figures go to
# build/test-artifacts/leaks.txt. The long run sets the counts of the last rounds:
# LEAK_MODELESS=10000 LEAK_MODAL=300.
source "$(dirname "$0")/lib.sh"
kelmar_display
modeless=${LEAK_MODELESS:-500} modal=${LEAK_MODAL:-10}
HOST_LIMIT=$((600 + modeless / 5 + modal * 2))  # a round takes some 40 ms, a box 1 s

lisp "$(cat <<EOF
(defun modeless (n)
  (repeat n
    (kel_getprogress "Kelmar leaks" "Working" 100) (kel_getprogress 29) (kel_getprogress 100) (kel_getprogress T)
    (kel_getcancel "Kelmar leaks" "Working") (kel_getcancel) (kel_getcancel T)
    (kel_waitcursor T) (kel_waitcursor)))
(defun modal (n) (repeat n (kel_msgbox "Closes itself" "Kelmar leaks" 0 0 1)))
(modeless 500)
(modal 5)
(setq early (acadhost-resources))
(modeless $modeless)
(modal $modal)
(setq late (acadhost-resources))
(princ "\\nleaks-early ") (prin1 early)
(princ "\\nleaks-late ") (prin1 late)
(princ "\\n")
EOF
)"
same 0 "$status" "the host ends normally"
same "" "$err" "no self-check trips"
resources_held leaks 512 "after the first rounds, then after the last" leaks.txt \
    "rounds: 500 + $modeless modeless, 5 + $modal modal"

finish
