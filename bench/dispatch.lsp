; The call path: 100,000 calls of a cheap module function (kel_version) through the host's
; dispatch against 100,000 calls of a host built-in of the same shape (strlen); and
; kel_rgbtoaci (254 palette lookups through the host a call) against the same search in
; plain C over the same palette. Prints lines as sortlist.lsp does.
; target: dispatch 1.1
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
(repeat bench-runs
  (setq mod (cons (bench-loop "module") mod) base (cons (bench-loop "builtin") base)))
(princ (strcat "dispatch " (bench-spread mod) " " (bench-spread base) "\n"))

(setq mod nil base nil colours (/ bench-n 100))
(repeat bench-runs
  (setq t0 (acadhost-clock))
  (repeat colours (kel_rgbtoaci '(200 100 50)))
  (setq mod (cons (- (acadhost-clock) t0) mod) base (cons (acadhost-nearest 200 100 50 colours) base)))
(princ (strcat "rgbtoaci " (bench-spread mod) " " (bench-spread base) "\n"))
