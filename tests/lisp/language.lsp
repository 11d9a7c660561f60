; The host's LISP as scripts see it: the echo of each form, printed values, and errors that
; abandon a form while the script goes on.
(+ 1 2)
(/ 7 2.0)
1e20
"a\\b\"c\nd"
'(1 "two" 3.0 (4 . 5) nil T)
(list)
(princ "princ writes raw text\n")
(prin1 "prin1 quotes")
(terpri)
(setq x 32767 y (1+ x))
(defun twice (n) (* 2 n))
(twice 21)
(strcat "a" 1)
(nosuch)
(car '(1 2)) (cdr '(1 2))
)
"after a stray parenthesis"
(+ 1
