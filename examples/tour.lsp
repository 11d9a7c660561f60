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

(princ "\n--- INI files and the registry ---\n")
(princ "kel_setini writes tour.ini           => ")
(prin1 (kel_setini "Tour" "greeting" "hello" "tour.ini"))
(princ "\nkel_getini reads it back             => ")
(prin1 (kel_getini "Tour" "greeting" "tour.ini"))
(princ "\nkel_getini lists its sections        => ")
(prin1 (kel_getini nil nil "tour.ini"))
(kel_setini "Tour" nil nil "tour.ini")  ; the section goes; scripts/demo removes the folder
(princ "\nkel_regset in SOFTWARE\\Kelmar\\tour    => ")
(prin1 (kel_regset "tour" "settings" "colour" "blue"))
(princ "\nkel_regget                           => ")
(prin1 (kel_regget "tour" "settings" "colour"))
(princ "\nkel_regdel removes the tour's key    => ")
(prin1 (kel_regdel "tour" nil nil))
(terpri)

(princ "\n--- Drawings, colours, sorting ---\n")
(princ "kel_acitorgb 30 (an orange)         => ")
(prin1 (kel_acitorgb 30))
(princ "\nkel_rgbtoaci (250 130 10), nearest   => ")
(prin1 (kel_rgbtoaci '(250 130 10)))
(princ "\nkel_sortlist of strings              => ")
(prin1 (kel_sortlist '("pear" "Fig" "apple" "banana")))
(princ "\nkel_sortlist of numbers              => ")
(prin1 (kel_sortlist '(42 -7 19 3 0)))
(princ "\nkel_saveall queues a save in each open drawing; it runs after this expression:\n")
(kel_saveall)

(princ "\n--- Not built yet ---\n")
(kel_dirp "C:/")

(princ "\n--- About ---\n")
(princ "kel_about (the box closes by itself)   => ")
(prin1 (kel_about))
(terpri)
