;;; lists.lsp -- small list helpers built on mapcar, lambda and apply.

(defun sum (lst) (apply '+ lst))
(defun average (lst) (/ (float (sum lst)) (length lst)))
(defun zip (a b) (mapcar 'cons a b))

(defun unique (lst / out)
  (foreach x lst
    (if (not (member x out)) (setq out (cons x out)))
  )
  (reverse out)
)

(defun flatten (x)
  (cond ((null x) nil)
        ((atom x) (list x))
        (T (append (flatten (car x)) (flatten (cdr x))))
  )
)

(defun show (label value)
  (princ (strcat "\n" label ": " (vl-princ-to-string value)))
)

(defun c:listdemo (/ sizes names)
  (setq sizes '(120 45 300 45 8)
        names '("plan" "section" "detail" "section" "title"))
  (show "Sum" (sum sizes))
  (show "Average" (rtos (average sizes) 2 1))
  (show "Doubled" (mapcar '(lambda (x) (* 2 x)) sizes))
  (show "Sorted" (vl-sort sizes '<))
  (show "Sorted by the module" (kel_sortlist sizes))
  (show "Unique" (unique names))
  (show "Largest" (apply 'max sizes))
  (show "Over 100" (vl-remove-if '(lambda (x) (< x 100)) sizes))
  (show "Any over 250" (if (vl-some '(lambda (x) (> x 250)) sizes) "yes" "no"))
  (show "Position of detail" (vl-position "detail" names))
  (show "Flat" (flatten '(1 (2 (3 4)) 5)))
  (princ (strcat "\nPairs: " (vl-prin1-to-string (zip (unique names) '(1 2 3 4)))))
  (princ)
)

(c:listdemo)
