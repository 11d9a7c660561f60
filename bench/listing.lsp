; kel_dir of a folder of 10,000 files and kel_find over a tree of 10,000 (made by
; listing.setup) against the same walks by a bare FindFirstFileA/FindNextFileA loop in the
; host, in the same run. Prints lines as sortlist.lsp does. The walks vary much from one
; run to the next (the system's reads of the folders, Wine's server), so they run three
; times as often as other rows.
; target: dir 1.05
; target: find 1.05
(if (not bench-runs) (setq bench-runs 5))
(acadhost-timing T)

(defun bench-walk (name / mod base)
  (setq mod nil base nil)
  (repeat (* 3 bench-runs)
    (if (= name "dir") (kel_dir "flat/*.dwg") (kel_find "*.dwg" "w"))
    (setq mod (cons (acadhost-lastcall) mod))
    (setq base (cons (if (= name "dir") (acadhost-findloop "flat" "*.dwg") (acadhost-findloop "w:" "*.dwg" T)) base)))
  (bench-row name mod base))

(bench-walk "dir")
(bench-walk "find")
