; Cost as the file grows: kel_dos2unix of DOS texts of 1, 16 and 256 MiB (made by
; growth-files.setup) against CopyFileA of the same file, in the same run. One line a size,
; NAME@MIB, then the figures as sortlist.lsp prints them. Each size is run three times as
; often as the other benchmarks, as in files.lsp.
; target: dos2unix 1.2
(if (not bench-runs) (setq bench-runs 5))
(acadhost-timing T)

(setq sizes (if bench-quick '(1) '(1 16 256)))
(foreach mib sizes
  (setq source (strcat "grow" (itoa mib) ".dos") mod nil base nil)
  (repeat (* 3 bench-runs)
    (kel_dos2unix source "out.tmp")
    (setq mod (cons (acadhost-lastcall) mod))
    (setq base (cons (acadhost-copyfile source "copy.tmp") base)))
  (princ (strcat "dos2unix@" (itoa mib) " " (bench-spread mod) " " (bench-spread base) "\n")))
