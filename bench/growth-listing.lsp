; Cost as the listing grows: kel_dir of folders of 1,000, 10,000 and 50,000 files, and
; kel_find over trees of 1,000, 10,000 and 100,000 files in 100 folders (made by
; growth-listing.setup), each against the bare walk of listing.lsp, in the same run. One
; line a size, NAME@FILES, then the figures as sortlist.lsp prints them. The smaller sizes,
; quick and easily disturbed, are run three times as often.
; target: dir 1.05
; target: find 1.05
(if (not bench-runs) (setq bench-runs 5))
(acadhost-timing T)

(setq sizes (if bench-quick '(1000) '(1000 10000 50000)))
(foreach n sizes
  (setq folder (strcat "flat" (itoa n)) mod nil base nil)
  (repeat (if (= n (last sizes)) bench-runs (* 3 bench-runs))
    (kel_dir (strcat folder "/*.dwg"))
    (setq mod (cons (acadhost-lastcall) mod) base (cons (acadhost-findloop folder "*.dwg") base)))
  (bench-row (strcat "dir@" (itoa n)) mod base))

(setq trees (if bench-quick '((1000 . "t")) '((1000 . "t") (10000 . "u") (100000 . "v"))))
(foreach tree trees
  (setq mod nil base nil)
  (repeat (if (equal tree (last trees)) bench-runs (* 3 bench-runs))
    (kel_find "*.dwg" (cdr tree))
    (setq mod (cons (acadhost-lastcall) mod)
          base (cons (acadhost-findloop (strcat (cdr tree) ":") "*.dwg" T) base)))
  (bench-row (strcat "find@" (itoa (car tree))) mod base))
