; Read before every benchmark by scripts/bench: one row of a file rewrite (kel_dos2unix,
; kel_unix2dos or kel_encrypt of source) against CopyFileA of the same file, both timed in
; the same run, three times as often as other rows (writing to the disk varies much). A
; file written over an existing one is written out to the disk at once by the file system
; (ext4 here), a cost that falls unevenly on the two sides from one run to the next; so each
; side writes a new file, the earlier one deleted before the call, outside its time.
; kel_encrypt rewrites its file in place. Prints label and the two sides' figures.
(defun bench-rewrite (label name source / mod base)
  (repeat (* 3 bench-runs)
    (vl-file-delete "out.tmp")
    (vl-file-delete "copy.tmp")
    (cond ((= name "dos2unix") (kel_dos2unix source "out.tmp"))
          ((= name "unix2dos") (kel_unix2dos source "out.tmp"))
          (T (kel_encrypt source "bench password")))
    (setq mod (cons (acadhost-lastcall) mod))
    (setq base (cons (acadhost-copyfile source "copy.tmp") base)))
  (bench-row label mod base))
