; kel_sortlist of N strings and of N reals against a plain std::sort of the same values,
; both timed in the same run. The module's time is its call as the host measures it: the
; copy of the list, the sort, the result handed back and the copy released.
; Prints one line per case: NAME, then the median, least and greatest time of RUNS runs in
; microseconds, then the same for the baseline.
; target: sortlist-strings 1.1
; target: sortlist-reals 1.1
(if (not bench-n) (setq bench-n 30000))
(if (not bench-runs) (setq bench-runs 5))
(acadhost-timing T)
(setvar "MAXSORT" 32767)

(defun bench-case (name lst / k mod base)
  (setq k 0 mod nil base nil)
  (repeat bench-runs
    (kel_sortlist lst)
    (setq mod (cons (acadhost-lastcall) mod) base (cons (acadhost-stdsort lst) base)))
  (bench-row name mod base))

; pseudo-random values, the same every run
(setq seed 12345 strs nil reals nil)
(repeat bench-n
  (setq seed (rem (+ (* seed 1103) 12345) 1000003))
  (setq strs (cons (strcat (chr (+ 65 (rem seed 58))) "item" (itoa seed)) strs))
  (setq reals (cons (/ seed 7.0) reals)))
(bench-case "sortlist-strings" strs)
(bench-case "sortlist-reals" reals)
