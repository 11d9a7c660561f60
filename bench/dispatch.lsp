; The call path: 100,000 calls of a cheap module function (kel_version) through the host's
; dispatch against 100,000 calls of a host built-in of the same shape (strlen); and 1,000
; calls of kel_rgbtoaci, which asks the host for each of the 254 colours a call, against as
; many calls of a host built-in (acadhost-nearest) that makes the same search through the
; same 254 calls of the host's colour operation, with the same point, both loops timed
; from the script; as a loop lasts at most some tens of milliseconds, and the machine's
; speed drifts more than the loops differ, both are run three times as often, in turn.
; Prints lines as sortlist.lsp does.
; target: dispatch 1.0
; target: rgbtoaci 1.1
(if (not bench-n) (setq bench-n 100000))
(if (not bench-runs) (setq bench-runs 5))

(defun bench-loop (form / t0)
  (setq t0 (acadhost-clock))
  (if (= form "module")
    (repeat bench-n (kel_version))
    (repeat bench-n (strlen "5.1.1")))
  (- (acadhost-clock) t0))

(setq mod nil base nil)
(repeat (* 3 bench-runs)
  (setq mod (cons (bench-loop "module") mod) base (cons (bench-loop "builtin") base)))
(bench-row "dispatch" mod base)

(setq mod nil base nil colours (/ bench-n 100))
(repeat (* 3 bench-runs)
  (setq t0 (acadhost-clock))
  (repeat colours (kel_rgbtoaci '(200 100 50)))
  (setq mod (cons (- (acadhost-clock) t0) mod) t0 (acadhost-clock))
  (repeat colours (acadhost-nearest '(200 100 50)))
  (setq base (cons (- (acadhost-clock) t0) base)))
(bench-row "rgbtoaci" mod base)
