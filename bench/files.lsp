; Line-end conversion and enciphering of a large file (made by files.setup) against
; CopyFileA of the same file, both timed in the same run. The module's time is its call as
; the host measures it. Prints lines as sortlist.lsp does; each row as lib/rewrite.lisp
; runs it.
; target: dos2unix 1.1
; target: unix2dos 1.1
; target: encrypt 1.1
(if (not bench-runs) (setq bench-runs 5))
(acadhost-timing T)

(bench-rewrite "dos2unix" "dos2unix" "big.dos")
(bench-rewrite "unix2dos" "unix2dos" "big.unix")
(bench-rewrite "encrypt" "encrypt" "big.bin")
