# The module unloaded by arxunload while it has the progress and cancel windows open, the
# status-bar meter showing and the wait cursor on: everything is put back, its functions
# are gone (arx lists it no more), and the host goes on.
source "$(dirname "$0")/lib.sh"
kelmar_display
control_ids IDC_PROGRESS IDCANCEL

lisp "$(cat <<EOF
(setvar "CURSORSIZE" 20)
(setvar "PICKBOX" 7)
(kel_getprogress "Kelmar unload bar" "Copying" 100)
(kel_getprogress 29)
(kel_getcancel "Kelmar unload cancel" "Working")
(kel_progbar "Reading" 10)
(kel_progbar 3)
(kel_waitcursor T)
(defun shown () (list (numberp (acadhost-paints "Kelmar unload bar" $IDC_PROGRESS)) (numberp (acadhost-paints "Kelmar unload cancel" $IDCANCEL)) (acadhost-meter) (getvar "CURSORSIZE") (getvar "PICKBOX")))
(shown)
(arx)
(arxunload "other" "not that one")
(arxunload "KELMAR2K.ARX")
(shown)
(kel_version)
(arx)
(arxunload "kelmar2k")
(princ "the host goes on")
EOF
)" --echo
same 0 "$status" "the host ends normally"
same '=> 20
=> 7
=> nil
=> nil
=> nil
=> T
=> T
=> T
=> SHOWN
=> (T T ("Reading" 0 10 3) 1 1)
=> ("kelmar2k.arx")
=> "not that one"
=> "KELMAR2K.ARX"
=> (nil nil nil 20 7)
; error: no function definition: KEL_VERSION
=> nil
; error: ARXUNLOAD failed: "kelmar2k"
the host goes on=> "the host goes on"' "$(tail -n +4 <<<"$out")" "unloaded, the module leaves nothing of its own behind"
same "" "$err" "and no self-check trips"

finish
