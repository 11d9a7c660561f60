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

; N calls of FORM into the open window, timed from the script.
(defun bench-loop (form n / t0 i)
  (setq t0 (acadhost-clock) i 0)
  (cond
    ((= form "sweep") (repeat n (kel_getprogress (/ (setq i (1+ i)) 4))))
    ((= form "still") (repeat n (kel_getprogress (rem (setq i (1+ i)) 2))))
    (T (repeat n (/ (setq i (1+ i)) 4) (kel_version))))
  (- (acadhost-clock) t0))

; One run of the calls that change no pixel against their baseline: the two alternate in
; tenths (10,000 calls each), and each side's tenths are summed. This machine's speed
; changes from one tenth of a second to the next, by as much as twice; both sides see the
; same changes.
(defun bench-still (/ mod base)
  (setq mod 0.0 base 0.0)
  (repeat 10
    (setq mod (+ mod (bench-loop "still" (/ bench-n 10))) base (+ base (bench-loop "version" (/ bench-n 10)))))
  (setq still (cons mod still) base-still (cons base base-still)))

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

; The loops share one window, opened before them, as the host's loop takes its first
; messages (its showing, its first paints) during the first run; each run starts with the
; bar empty.
(setq sweep nil base nil still nil base-still nil repaint nil system nil)
(kel_getprogress "Kelmar benchmark" "Moving the bar" (/ bench-n 4))
(repeat bench-runs
  (kel_getprogress 0)
  (setq sweep (cons (bench-loop "sweep" bench-n) sweep) base (cons (bench-loop "version" bench-n) base))
  (kel_getprogress 0)
  (bench-still))
(kel_getprogress T)
(repeat bench-runs (bench-repaint))
(bench-row "progress" sweep base)
(bench-row "progress-still" still base-still)
(bench-row "progress-repaint" repaint system)
