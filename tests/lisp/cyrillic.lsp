; host: --locale ru_RU.UTF-8
; A library written in the Cyrillic code page (1251): a name defined in lower case and
; called in upper case, and strcase both ways.
(defun привет (s) (strcat "привет, " s))
(ПРИВЕТ "мир")
(list (strcase "яблоко") (strcase "ЯБЛОКО" T))
