; host: --forms
; Each form shown before its answer. foreach, like a function, gives its variable back when
; an error passes through it, after *error* has seen the value the error happened with.
(setq n 0 x 'outer)
(foreach n '(1 2 3)
  (if (= n 2) (car n)))
n
(defun f (x / n)
  (setq n 'local)
  (foreach x '(a b) (car x)))
(f 'param)
(list n x)
(defun *error* (msg) (princ (strcat "*error* sees n = " (itoa n) ": " msg "\n")) (princ))
(foreach n '(7 8) (car n))
n
(setq *error* nil)
(kel_splitpath "c:/work/plan.dwg") (kel_dirp 1)
(princ "printed\n")
; The error mode pushed last: under *push-error-using-command* the handler runs once the
; function has given its variables back, and its commands run; by the stack's, among them
(defun my_err (msg) (princ (strcat "my_err sees n = " (itoa n) ": " msg "\n")) (command-s "_KELMAR") (setq *error* olderr) (princ))
(defun go (/ n) (setq olderr *error* *error* my_err) (*push-error-using-command*) (setq n 9) (/ 1 0))
(go)
(*pop-error-mode*)
(defun go (/ n) (setq olderr *error* *error* my_err) (*push-error-using-stack*) (setq n 9) (/ 1 0))
(go)
(*pop-error-mode*)
(list *error* (command-s "_KELMAR"))
