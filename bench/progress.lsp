; The progress window's position call with the window open. Each pixel step is painted at
; once, so a sweep of the bar is bound by its repaints; hence two rows with a target each:
; 100,000 calls of kel_getprogress that change no pixel, against 100,000 calls of
; kel_version in the same LISP loop, both timed from the script; and the bar moved one pixel
; at a time from empty to full (the range is its width in pixels), as the host measures each
; call, against the system's progress control of the same style and size moved the same
; way (PBM_SETPOS, then UpdateWindow), in the same run. The sweep (100,000 calls that move
; the bar once from empty to full, a quarter position a call over a range of 25,000) is
; shown beside them, against kel_version, with no target.
; target: progress-still 1.1
; target: progress-repaint 1.0
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

; The module's bar moved one pixel at a time over its width, the sum of its calls' times;
; then the system's control made like it, moved as many steps.
(defun bench-repaint (/ width total i)
  (kel_getprogress "Kelmar benchmark" "Moving the bar" 1000)
  (setq width (car (acadhost-clientsize "Kelmar benchmark" 217)))
  (kel_getprogress T)
  (kel_getprogress "Kelmar benchmark" "Moving the bar" width)
  (kel_getprogress 0)
  (acadhost-timing T)
  (setq total 0.0 i 0)
  (repeat width
    (kel_getprogress (setq i (1+ i)))
    (setq total (+ total (acadhost-lastcall))))
  (acadhost-timing nil)
  (setq repaint (cons total repaint)
        system (cons (acadhost-progresssteps "Kelmar benchmark" 217 width) system))
  (kel_getprogress T))

(setq sweep nil still nil base nil repaint nil system nil)
(repeat bench-runs
  (setq sweep (cons (bench-loop "sweep") sweep) still (cons (bench-loop "still") still)
        base (cons (bench-loop "version") base))
  (bench-repaint))
(bench-row "progress" sweep base)
(bench-row "progress-still" still base)
(bench-row "progress-repaint" repaint system)
