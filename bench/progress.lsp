; The progress window's position call with the window open: 100,000 calls of
; kel_getprogress that move the bar once from empty to full (a quarter position a call over
; a range of 25,000, so it repaints once per pixel of its width, a few hundred times), and
; 100,000 that change no pixel, each against 100,000 calls of kel_version in the same LISP
; loop, all timed from the script.
; target: progress 1.5
(if (not bench-n) (setq bench-n 100000))
(if (not bench-runs) (setq bench-runs 5))

(defun bench-loop (form / t0 i)
  (kel_getprogress "Kelmar benchmark" "Moving the bar" (/ bench-n 4))
  (setq t0 (acadhost-clock) i 0)
  (cond
    ((= form "sweep") (repeat bench-n (kel_getprogress (/ (setq i (1+ i)) 4))))
    ((= form "still") (repeat bench-n (kel_getprogress (rem (setq i (1+ i)) 2))))
    (T (repeat bench-n (/ (setq i (1+ i)) 4) (kel_version))))
  (setq t0 (- (acadhost-clock) t0))
  (kel_getprogress T)
  t0)

(setq sweep nil still nil base nil)
(repeat bench-runs
  (setq sweep (cons (bench-loop "sweep") sweep) still (cons (bench-loop "still") still)
        base (cons (bench-loop "version") base)))
(princ (strcat "progress " (bench-spread sweep) " " (bench-spread base) "\n"))
(princ (strcat "progress-still " (bench-spread still) " " (bench-spread base) "\n"))
