; Cost as the file grows: kel_dos2unix, kel_unix2dos and kel_encrypt of files of 1, 16 and
; 256 MiB (made by growth-files.setup) against CopyFileA of the same file, in the same run.
; One line a size, NAME@MIB, then the figures as sortlist.lsp prints them; each row as
; lib/rewrite.lisp runs it.
; target: dos2unix 1.1
; target: unix2dos 1.1
; target: encrypt 1.1
(if (not bench-runs) (setq bench-runs 5))
(acadhost-timing T)

(setq sizes (if bench-quick '(1) '(1 16 256)))
(foreach mib sizes
  (bench-rewrite (strcat "dos2unix@" (itoa mib)) "dos2unix" (strcat "grow" (itoa mib) ".dos"))
  (bench-rewrite (strcat "unix2dos@" (itoa mib)) "unix2dos" (strcat "grow" (itoa mib) ".unix"))
  (bench-rewrite (strcat "encrypt@" (itoa mib)) "encrypt" (strcat "grow" (itoa mib) ".bin")))
