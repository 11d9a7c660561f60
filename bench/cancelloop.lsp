; A loop that asks whether the user cancelled: 100,000 calls of (kel_getcancel) with its
; window open, while the host takes the window messages that wait between the module's
; calls (at most once every 30 ms), against the same loop with the host taking none until
; the form ends. The window is opened, and painted, before the runs; both timed from the
; script; medians of 15 runs, as a run lasts some 30 ms.
; target: cancel-loop 1.1
(if (not bench-n) (setq bench-n 100000))
(if (not bench-runs) (setq bench-runs 15))

(defun bench-loop (taking / t0)
  (acadhost-messages taking)
  (setq t0 (acadhost-clock))
  (repeat bench-n (kel_getcancel))
  (setq t0 (- (acadhost-clock) t0))
  (acadhost-messages T)
  t0)

(kel_getcancel "Kelmar benchmark" "Working")
(setq mod nil base nil)
(repeat bench-runs
  (setq mod (cons (bench-loop T) mod) base (cons (bench-loop nil) base)))
(kel_getcancel T)
(bench-row "cancel-loop" mod base)
