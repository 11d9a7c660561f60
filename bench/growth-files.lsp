; Cost as the file grows: kel_dos2unix, kel_unix2dos and kel_encrypt of files of 1, 16 and
; 256 MiB (made by growth-files.setup) against CopyFileA of the same file, in the same run.
; One line a size, NAME@MIB, then the figures as sortlist.lsp prints them. Each size is run
; three times as often as the other benchmarks, and each side writes a new file, as in
; files.lsp.
; target: dos2unix 1.1
; target: unix2dos 1.1
; target: encrypt 1.1
(if (not bench-runs) (setq bench-runs 5))
(acadhost-timing T)

(defun grow-file (name source / mod base)
  (setq mod nil base nil)
  (repeat (* 3 bench-runs)
    ;; Both sides write a new file, deleted before each call outside its time.
    (vl-file-delete "out.tmp")
    (vl-file-delete "copy.tmp")
    (cond ((= name "dos2unix") (kel_dos2unix source "out.tmp"))
          ((= name "unix2dos") (kel_unix2dos source "out.tmp"))
          (T (kel_encrypt source "bench password")))
    (setq mod (cons (acadhost-lastcall) mod))
    (setq base (cons (acadhost-copyfile source "copy.tmp") base)))
  (princ (strcat name "@" (itoa mib) " " (bench-spread mod) " " (bench-spread base) "\n")))

(setq sizes (if bench-quick '(1) '(1 16 256)))
(foreach mib sizes
  (grow-file "dos2unix" (strcat "grow" (itoa mib) ".dos"))
  (grow-file "unix2dos" (strcat "grow" (itoa mib) ".unix"))
  (grow-file "encrypt" (strcat "grow" (itoa mib) ".bin")))
