; Read before every benchmark by scripts/bench: the median, least and greatest of a list
; of times, as the text of one table row's figures.
(defun bench-spread (times / sorted)
  (setq sorted (kel_sortlist times))
  (strcat (rtos (nth (/ (length sorted) 2) sorted) 2 1) " " (rtos (car sorted) 2 1) " "
          (rtos (last sorted) 2 1)))
