; The module's own functions, its table and its dispatch, as LISP sees them.
(kel_version)
(kel_version 1)
(kel_version nil)
(kel_help "x")
(kel_about 1)
(setq names (kel_help))
(length names)
(car names)
(last names)
(nth 60 names)
(nth 79 names)
; every name once, in alphabetical order
(setq sorted T prev "")
(foreach n names (if (not (< prev n)) (setq sorted nil)) (setq prev n))
sorted
(kel_demandload)
(kel_demandload T)
(kel_demandload T 1)
(kel_demandload 1)
(kel_demandload nil)
(kel_demandload "T")
; a path argument of the wrong kind
(kel_splash 1)
; one handler for two names
(list (kel_move "none-a" "none-b") (kel_rename "none-a" "none-b"))
(kel_winhelp)
; the command the module adds, from LISP
(command "KELMAR")
(command "_KELMAR")
(command "NOSUCH")
(vl-cmdf "_KELMAR")
(KEL_VERSION)
(kel_nosuch)
