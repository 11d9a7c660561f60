; A short walk through Kelmar. scripts/demo runs it and answers its dialogs as a person
; would; scripts/lisp runs it with nobody at the keys, and then the stops whose dialog waits
; for a person say so and go on. Every stop prints what it did; the tour makes the files
; and drawings it needs in the current folder and leaves nothing behind.

; Whether scripts/demo runs the tour, and so answers the dialogs that wait for a person.
(setq answered (getenv "KELMAR_DEMO"))

; One line of the tour: what was done, then => and its value, the values in one column.
; Anything the call itself prints comes on the line before.
(defun stop (label value)
  (princ label)
  (repeat (- 44 (strlen label)) (princ " "))
  (princ "=> ")
  (prin1 value)
  (terpri))

; A stop whose dialog waits for a person, when nobody is there.
(defun unanswered (label)
  (princ label)
  (repeat (- 44 (strlen label)) (princ " "))
  (princ "(a dialog that waits for a person: scripts/demo shows it)")
  (terpri))

; A drawing file as far as the version lookup reads it: its version code, then a line.
(defun drawing (path code / f)
  (setq f (open path "w"))
  (write-line code f)
  (close f)
  path)

(princ "\n--- The module ---\n")
(stop "kel_version" (kel_version))
(setq names (kel_help))
(stop "kel_help: how many, first and last" (list (length names) (car names) (last names)))
(stop "kel_demandload: load on command" (kel_demandload))
(stop "kel_demandload T: load at start-up too" (kel_demandload T))
(kel_demandload)  ; back to what a first load registers
(princ "The command the module adds, KELMAR: ")
(command "KELMAR")

(princ "\n--- The system ---\n")
(stop "kel_ver" (kel_ver))
(stop "kel_adminp" (kel_adminp))
(stop "kel_date and kel_time" (list (kel_date) (kel_time)))
(stop "kel_ping of this machine's loopback" (kel_ping "127.0.0.1"))
(stop "kel_mem: per cent of memory in use" (car (kel_mem)))

(princ "\n--- Paths, folders and files ---\n")
(stop "kel_mkdir a folder" (kel_mkdir "tourdir"))
(stop "kel_splitpath of a drawing's path" (kel_splitpath "C:/Projects/Site/plan.dwg"))
(kel_setini "S" "k" "v" "tourdir/a.ini")
(kel_copy "tourdir/a.ini" "tourdir/b.ini")
(stop "kel_copy a file, kel_dir lists both" (kel_dir "tourdir/*.ini"))
(kel_exewait "cmd /c echo AC1015>tourdir\\r2000.dwg")
(stop "kel_dwgver of a file headed AC1015" (kel_dwgver "tourdir/r2000.dwg"))
(stop "kel_dwgver of an INI file" (kel_dwgver "tourdir/a.ini"))
(stop "kel_deltree removes the folder" (kel_deltree "tourdir"))
(stop "kel_dirp: is the folder still there?" (kel_dirp "tourdir"))

(princ "\n--- Drives and files ---\n")
(stop "kel_drives" (kel_drives))
(stop "kel_drivetype of C:" (kel_drivetype "C"))
(stop "kel_filesys of C:" (kel_filesys "C"))
(setq space (kel_chkdsk "C"))
(stop "kel_chkdsk of C: GiB in all, GiB free"
      (list (rtos (/ (car space) 1073741824.0) 2 1) (rtos (/ (caddr space) 1073741824.0) 2 1)))
(stop "kel_setini makes a small text file" (kel_setini "Notes" "line" "one" "notes.txt"))
(stop "kel_unix2dos, then kel_dos2unix back" (kel_dos2unix (kel_unix2dos "notes.txt" "notes.dos") "notes.unix"))
(kel_encrypt "notes.unix" "tour")
(stop "kel_encrypt twice, then the line reads" (kel_getini "Notes" "line" (kel_encrypt "notes.unix" "tour")))
(foreach name '("notes.txt" "notes.dos" "notes.unix") (kel_delete name))
(stop "kel_delete the notes; kel_dir finds none" (kel_dir "notes.*"))

(princ "\n--- INI files and the registry ---\n")
(stop "kel_setini writes tour.ini" (kel_setini "Tour" "greeting" "hello" "tour.ini"))
(stop "kel_getini reads it back" (kel_getini "Tour" "greeting" "tour.ini"))
(stop "kel_getini lists its sections" (kel_getini nil nil "tour.ini"))
(kel_setini "Tour" nil nil "tour.ini")  ; the section goes, then the file
(kel_delete "tour.ini")
(stop "kel_regset in SOFTWARE\\Kelmar\\tour" (kel_regset "tour" "settings" "colour" "blue"))
(stop "kel_regget reads it back" (kel_regget "tour" "settings" "colour"))
(stop "kel_regdel removes the tour's key" (kel_regdel "tour" nil nil))

(princ "\n--- Drawings, colours, sorting ---\n")
(stop "kel_acitorgb 30 (an orange)" (kel_acitorgb 30))
(stop "kel_rgbtoaci (250 130 10), the nearest" (kel_rgbtoaci '(250 130 10)))
(stop "kel_sortlist of strings" (kel_sortlist '("pear" "Fig" "apple" "banana")))
(stop "kel_sortlist of numbers" (kel_sortlist '(42 -7 19 3 0)))
(princ "kel_saveall queues a save in each open drawing; it runs after this expression:\n")
(kel_saveall)

(princ "\n--- Printers ---\n")
(stop "kel_printers" (kel_printers))
(stop "kel_getprn, the default printer" (kel_getprn))

(princ "\n--- Programs and processes ---\n")
(stop "kel_exewait runs a program to its end" (kel_exewait "cmd /c exit"))
(stop "kel_processes finds the host" (car (member "acad.exe" (kel_processes))))

(princ "\n--- Dialogs ---\n")
(princ "kel_getprogress, a progress window moving through a loop:\n")
(kel_getprogress "Kelmar tour" "Counting to 200..." 200 T)
(setq step 0)
(while (and (< step 200) (kel_getprogress))
  (setq step (1+ step))
  (kel_getprogress step))
(kel_pause 1)
(stop "  steps it counted, of 200" step)
(stop "kel_getprogress T: the window closes" (kel_getprogress T))
(if answered
  (stop "kel_editlist, answered with OK"
        (kel_editlist "Kelmar tour stops" "Stops of the tour:" (list "files" "registry" "dialogs")))
  (unanswered "kel_editlist"))
; The preview's drawings: scripts/demo brings some with pictures; otherwise the tour makes
; three that carry only their version, and the preview stays empty.
(setq made (not (kel_dirp "drawings")))
(if made
  (progn
    (kel_mkdir "drawings")
    (drawing "drawings/plan.dwg" "AC1015")
    (drawing "drawings/site.dwg" "AC1014")
    (drawing "drawings/roof.dwg" "AC1009")))
(stop "kel_dwgver of each drawing"
      (mapcar 'kel_dwgver (mapcar '(lambda (name) (strcat "drawings/" name)) (kel_dir "drawings/*.dwg"))))
(if answered
  (stop "kel_dwgpreview, closed by a key press"
        (kel_dwgpreview "Kelmar tour drawings" "drawings"))
  (unanswered "kel_dwgpreview"))
(if made (kel_deltree "drawings"))
(if answered
  (stop "kel_getcolor, opening on index 30"
        (kel_getcolor "Kelmar tour colour" 30))
  (unanswered "kel_getcolor"))
(stop "kel_msgbox, closing itself after 3 s"
      (kel_msgbox "That was the tour of Kelmar.\nThe manual is docs/functions.md." "Kelmar tour" 1 3 3))
