; Lists a million long and nested a hundred thousand deep cross to a module and back whole:
; kel_sortlist hands back a list longer than MAXSORT as it came. The host walks them
; without recursion: turning them into records and back, comparing and releasing them.
(progn (setq l '(1)) (repeat 20 (setq l (append l l))) (length l))
(progn (setq back (kel_sortlist l)) (list (length back) (equal back l) (eq back l)))
(progn (setq d nil) (repeat 100000 (setq d (list d))) (setq n 0 x d) (while x (setq n (1+ n) x (car x))) n)
(kel_sortlist d)
(progn (setq nums nil) (repeat 1001 (setq nums (cons 7 nums))) (setq mixed (append nums (list d))) (length mixed))
(progn (setq back (kel_sortlist mixed)) (list (length back) (equal back mixed)))
(progn (setq n 0 x (last back)) (while x (setq n (1+ n) x (car x))) n)
(progn (setq l nil back nil mixed nil d nil x nil) (length (kel_sortlist '(3 1 2))))
; Deep recursion ends in the language's own error, not in the host's stack.
(defun deeper (n) (if (> n 0) (1+ (deeper (1- n))) 0))
(deeper 500)
(deeper 5000)
; Memory has one ceiling in both builds: a loop that conses for ever ends in the host's
; error, and the host goes on once the list is let go.
(progn (setq l nil) (while T (setq l (cons 0 l))))
(progn (setq l nil) (length (kel_sortlist '(3 1 2))))
