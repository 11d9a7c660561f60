;;; geometry.lsp -- angles, text and safe calls, written the way published libraries are.
;;; (geo:deg->rad 180) -> pi;  (geo:as-text x) -> x as text, whatever its type;
;;; (geo:try 'fn args) -> the value, or nil with the error printed.

;|
   Conversions between degrees and radians. Libraries keep these in a block comment
   header like this one; nothing between the markers runs: (princ "never")
|;
(defun geo:deg->rad (d) (* pi (/ d 180.0)))
(defun geo:rad->deg (r) (* 180.0 (/ r pi)))

;; Any value as text: the type decides, as in most libraries' own "any->string".
(defun geo:as-text (x)
  (cond ((= (type x) 'STR) x)
        ((= (type x) 'INT) (itoa x))
        ((= (type x) 'REAL) (rtos x 2 4))
        ((= (type x) 'SYM) (vl-symbol-name x))
        ((null x) "nil")
        (T (vl-prin1-to-string x))
  )
)

;; Calls FN with ARGS; an error is printed, not raised, and the result is nil.
(defun geo:try (fn args / result)
  (setq result (vl-catch-all-apply fn args))
  (if (vl-catch-all-error-p result)
    (progn (princ (strcat "\n  caught: " (vl-catch-all-error-message result))) nil)
    result
  )
)

;; The length of a polyline given by its points, with distance.
(defun geo:path-length (pts / total)
  (setq total 0.0)
  (while (cdr pts)
    (setq total (+ total (distance (car pts) (cadr pts)))
          pts (cdr pts))
  )
  total
)

(defun c:geodemo (/ square)
  (princ (strcat "\nA right angle: " (geo:as-text (geo:deg->rad 90)) " radians"))
  (princ (strcat "\nBack again: " (geo:as-text (geo:rad->deg (/ pi 2))) " degrees"))
  (foreach x (list "text" 42 2.5 'plan nil '(1 2))
    (princ (strcat "\n  " (geo:as-text x)))
  )
  (setq square '((0 0) (10 0) (10 10) (0 10) (0 0)))
  (princ (strcat "\nAround a 10 by 10 square: " (geo:as-text (geo:path-length square))))
  (princ (strcat "\n10 / 4 = " (geo:as-text (geo:try '/ '(10 4)))))
  (geo:try '/ '(10 0))
  (geo:try 'strcat '("a" 1))
  (princ "\nStill running after both errors.")
  (princ)
)

(c:geodemo)
