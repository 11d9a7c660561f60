; Ordinary programs' habits through the host: a module's functions are values of their
; symbols, *error* sees a failing form's message, (princ) ends quietly, (quit) ends the host.
(type kel_dir)
kel_version
(mapcar 'kel_splitpath '("c:/a/b.dwg"))
(apply 'kel_version nil)
(defun *error* (msg) (princ (strcat "error seen: " msg "\n")) (princ))
(kel_nosuch)
(car (kel_splitpath "c:/x.txt" 5))
(setq *error* nil)
(princ)
(quit)
(princ "never printed")
