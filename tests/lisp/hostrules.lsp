; The host's rules that published libraries rely on: = and /= over any atoms, block
; comments, pi, reals printed with six digits, names and strcase folded in the ANSI code
; page (here 1252), and the null symbol of (princ).
(list (= 'STR 'STR) (= (type "a") 'STR) (= (type 1) 'STR) (= 1 "1") (= nil nil) (= T T))
(list (= 1 1.0 1) (= "a" "a" "b") (= 'a 'b) (= '(1) '(1)) (= 2 2.0000001))
(setq l '(1 2)) (= l l)
(list (/= 1 "1") (/= 10 20 10 20) (/= 10 20 10 20 20) (/= 'a 'a) (/= "a" "b") (/= 5))
(< 1 "1")
(=)
;| a block comment
   over lines (princ "never printed") (setq l nil)
|;
l
(list 1 ;| inside a list |; 2 ;|and|;3)
;|one line|; (+ 1 2) ;| and another |;
(list pi (* 2 pi) (type pi) (rtos pi 2 8))
(list 3.14159265 1234.5678 100.0 0.1 123456.0 1234567.0 1e8 1e-7 -2.5 (/ 1.0 3) 1e300)
(princ 2.71828182845)
(prin1 (list 0.000123456789 "x" 12345.678))
(vl-princ-to-string 1234.5678)
(strcat "r=" (vl-prin1-to-string 0.1))
(defun été () "summer")
(ÉTÉ)
(list (strcase "été ça") (strcase "ÉTÉ ÇA" T) (strcase "abc" T))
(princ (princ))
(prin1 (princ))
(list (princ))
