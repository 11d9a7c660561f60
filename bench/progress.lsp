; The progress window's position call: 100,000 calls of kel_getprogress with the window
; open, against 100,000 calls of kel_version, both through the dispatch in the same LISP
; loop and timed from the script. The positions cycle through a range of 30,000, so the bar
; repaints (at once, whenever its filled width changes by a pixel) a few hundred times in
; each run; the other calls only store the position.
; target: progress 1.5
(if (not bench-n) (setq bench-n 100000))
(if (not bench-runs) (setq bench-runs 5))

(kel_getprogress "Kelmar benchmark" "Moving the bar" 30000)

(defun bench-loop (form / t0 i)
  (setq t0 (acadhost-clock) i 0)
  (if (= form "module")
    (repeat bench-n (setq i (rem (1+ i) 30000)) (kel_getprogress i))
    (repeat bench-n (setq i (rem (1+ i) 30000)) (kel_version)))
  (- (acadhost-clock) t0))

(setq mod nil base nil)
(repeat bench-runs
  (setq mod (cons (bench-loop "module") mod) base (cons (bench-loop "version") base)))
(kel_getprogress T)
(princ (strcat "progress " (bench-spread mod) " " (bench-spread base) "\n"))
