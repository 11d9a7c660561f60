; Read before every benchmark by scripts/bench: the median, least and greatest of a list
; of times, as the text of one table row's figures.
(defun bench-spread (times / sorted)
  (setq sorted (kel_sortlist times))
  (strcat (rtos (nth (/ (length sorted) 2) sorted) 2 1) " " (rtos (car sorted) 2 1) " "
          (rtos (last sorted) 2 1)))

; One table row: NAME, the module's figures, the baseline's, then the median of the runs'
; own ratios, each run's time over the baseline's time taken beside it. The machine's speed
; drifts during a run (other work, a virtual machine's host); a pair measured together
; drifts together, so the median of their ratios varies less from run to run than the
; ratio of the two medians.
(defun bench-row (name mod base / ratios)
  (setq ratios (if (and (= (length mod) (length base)) (not (member 0.0 (mapcar 'float base))))
                 (mapcar '/ (mapcar 'float mod) base)))
  (princ (strcat name " " (bench-spread mod) " " (bench-spread base)
                 (if ratios (strcat " " (rtos (nth (/ (length ratios) 2) (kel_sortlist ratios)) 2 3)) "")
                 "\n")))
