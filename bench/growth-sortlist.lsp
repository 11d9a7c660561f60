; Cost as the list grows: kel_sortlist of 1,000, 8,000 and 32,767 reals and strings (the
; most "MAXSORT" allows) against std::sort of the same values, in the same run. One line a
; size, NAME@COUNT, then the figures as sortlist.lsp prints them. The smaller sizes, quick
; and easily disturbed, are run three times as often.
; target: sortlist-strings 1.2
; target: sortlist-reals 1.2
(if (not bench-runs) (setq bench-runs 5))
(acadhost-timing T)
(setvar "MAXSORT" 32767)

(defun grow-case (name n lst / mod base)
  (setq mod nil base nil)
  (repeat (if (= n (last sizes)) bench-runs (* 3 bench-runs))
    (kel_sortlist lst)
    (setq mod (cons (acadhost-lastcall) mod) base (cons (acadhost-stdsort lst) base)))
  (princ (strcat name "@" (itoa n) " " (bench-spread mod) " " (bench-spread base) "\n")))

; pseudo-random values as sortlist.lsp makes them, the same every run
(setq sizes (if bench-quick '(1000) '(1000 8000 32767)))
(foreach n sizes
  (setq seed 12345 strs nil reals nil)
  (repeat n
    (setq seed (rem (+ (* seed 1103) 12345) 1000003))
    (setq strs (cons (strcat (chr (+ 65 (rem seed 58))) "item" (itoa seed)) strs))
    (setq reals (cons (/ seed 7.0) reals)))
  (grow-case "sortlist-strings" n strs)
  (grow-case "sortlist-reals" n reals))
