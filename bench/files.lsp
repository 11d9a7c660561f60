; Line-end conversion and enciphering of a large file (made by files.setup) against
; CopyFileA of the same file, both timed in the same run. The module's time is its call as
; the host measures it. Prints lines as sortlist.lsp does. Writing to the disk of a shared
; machine varies much from one run to the next, so each is run three times as often as the
; other benchmarks. A file written over an existing one is written out to the disk at once
; by the file system (ext4 here), a cost that falls unevenly on the two sides from one run
; to the next; so each side writes a file of a name that does not exist. kel_encrypt
; rewrites its file in place.
; target: dos2unix 1.1
; target: unix2dos 1.1
; target: encrypt 1.1
(if (not bench-runs) (setq bench-runs 5))
(acadhost-timing T)

(defun bench-file (name source / mod base)
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
  (princ (strcat name " " (bench-spread mod) " " (bench-spread base) "\n")))

(bench-file "dos2unix" "big.dos")
(bench-file "unix2dos" "big.unix")
(bench-file "encrypt" "big.bin")
