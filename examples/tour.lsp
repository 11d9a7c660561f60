; A short walk through Kelmar, run by scripts/demo. Each family adds its stop here as it
; is built; every stop prints what it did and leaves nothing behind.

(princ "\n--- The module ---\n")
(princ (strcat "kel_version:    " (kel_version) "\n"))
(setq names (kel_help))
(princ (strcat "kel_help:       " (itoa (length names)) " functions, from "
               (car names) " to " (last names) "\n"))
(princ "kel_demandload: load on command        => ")
(prin1 (kel_demandload))
(princ "\nkel_demandload: load at start-up too   => ")
(prin1 (kel_demandload T))
(kel_demandload)  ; back to what a first load registers
(princ "\nThe command the module adds, KELMAR:   ")
(command "KELMAR")

(princ "\n--- Not built yet ---\n")
(kel_dirp "C:/")

(princ "\n--- About ---\n")
(princ "kel_about (the box closes by itself)   => ")
(prin1 (kel_about))
(terpri)
