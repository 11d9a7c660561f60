; Cost as the list grows: kel_sortlist of 1,000, 8,000 and 32,767 reals and strings (the
; most "MAXSORT" allows) against std::sort of the same values, in the same run. One line a
; size, NAME@COUNT, then the figures as sortlist.lsp prints them. The smaller sizes, quick
; and easily disturbed, are run three times as often. The row sortlist-handback is the floor
; of the call in this host: the same reals in a list one longer than "MAXSORT", which comes
; back as it came, unsorted, so that its time is the arguments copied and the result handed
; back, the host making a value of each record; against the same std::sort.
; target: sortlist-strings 1.1
; target: sortlist-reals 1.1
(if (not bench-runs) (setq bench-runs 5))
(acadhost-timing T)
(setvar "MAXSORT" 32767)

; n pseudo-random values as sortlist.lsp makes them, strings or reals. Each run sorts a
; fresh list: sorting one small list over and over lets the processor learn the baseline's
; branches (std::sort of the same 1,000 reals fell from 48 to 4 us over eight repeats),
; which the module's sort of numbers, with no branch on the values, cannot. The same lists
; every time the benchmark runs.
(defun random-values (n strings / lst)
  (repeat n
    (setq seed (rem (+ (* seed 1103) 12345) 1000003))
    (setq lst (cons (if strings (strcat (chr (+ 65 (rem seed 58))) "item" (itoa seed)) (/ seed 7.0))
                    lst)))
  lst)

(defun grow-case (name n strings limit / mod base lst)
  (setvar "MAXSORT" limit)
  (setq mod nil base nil seed 12345)
  (repeat (if (= n (last sizes)) bench-runs (* 3 bench-runs))
    (setq lst (random-values n strings))
    (kel_sortlist lst)
    (setq mod (cons (acadhost-lastcall) mod) base (cons (acadhost-stdsort lst) base)))
  (bench-row (strcat name "@" (itoa n)) mod base))

(setq sizes (if bench-quick '(1000) '(1000 8000 32767)))
(foreach n sizes
  (grow-case "sortlist-strings" n T 32767)
  (grow-case "sortlist-reals" n nil 32767)
  (grow-case "sortlist-handback" n nil (1- n)))
