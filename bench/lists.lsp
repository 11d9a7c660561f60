; The list dialogs filled with 32,767 items (kel_editlist with strings, kel_proplist with
; pairs) against the system's own list box of the same kind (drawn by its owner in rows of
; one height, or of heights it asks for) filled with the same strings in a dialog of the
; same size, both in the same run. Every dialog is cancelled as soon as it is shown, so a
; time is the dialog made, filled, shown and closed: the module's as the host measures its
; call, the baseline's around the system's dialog call.
; target: editlist 1.2
; target: proplist 1.2
(if (not bench-runs) (setq bench-runs 5))
(setq bench-items (if bench-quick 500 32767))
(acadhost-timing T)
(acadhost-autoclose T)

(setq k 0 items nil names nil pairs nil)
(repeat bench-items
  (setq k (1+ k) items (cons (strcat "Item " (itoa k)) items) names (cons (strcat "Name " (itoa k)) names))
  (setq pairs (cons (cons (car names) (itoa k)) pairs)))

; The baseline fills the system's list with the strings the dialog shows in its list.
(defun bench-dialog (name call strings kind / mod base)
  (setq mod nil base nil)
  (repeat bench-runs
    (eval call)
    (setq mod (cons (acadhost-lastcall) mod) base (cons (acadhost-listfill strings kind) base)))
  (bench-row name mod base))

(bench-dialog "editlist" '(kel_editlist "Bench" "Items" items) items 'FIXED)
(bench-dialog "proplist" '(kel_proplist "Bench" "Items" pairs) names 'FIXED)
(acadhost-autoclose nil)
