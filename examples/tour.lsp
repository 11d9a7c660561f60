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

; A drawing file with a preview picture, as the host keeps one: the version code, at 0x0D
; the address of the preview block, the block at 0x80 (start marker, size, one entry: a
; 24-bit picture of 64 x 48 pixels in four upright bands of the colours given as (r g b)
; lists), then the end marker. The bytes go through a text file, whose every line end the
; system writes as a carriage return and a line feed: kel_dos2unix takes the carriage
; returns out again (none of the bytes is a 13 or a 26, which it drops wherever they are).
(defun le32 (n)
  (list (logand n 255) (logand (lsh n -8) 255) (logand (lsh n -16) 255) (logand (lsh n -24) 255)))
(defun zeros (n / l) (repeat n (setq l (cons 0 l))) l)
(defun drawing (path code bands / f x)
  (setq f (open (strcat path ".txt") "w"))
  (foreach b (append (vl-string->list code) (zeros (- 13 (strlen code))) (le32 128) (zeros 111)
                     '(31 37 109 7 212 54 40 40 157 87 202 63 157 68 16 43)
                     (le32 9266) '(1 2) (le32 158) (le32 9256)
                     (le32 40) (le32 64) (le32 48) '(1 0 24 0) (zeros 24))
    (write-char b f))
  (repeat 48  ; rows
    (setq x 0)
    (repeat 64
      (foreach b (reverse (nth (/ x 16) bands)) (write-char b f))  ; blue, green, red
      (setq x (1+ x))))
  (foreach b (append '(224 218 146 248 43 201 215 215 98 168 53 192 98 187 239 212) (zeros 64))
    (write-char b f))
  (close f)
  (kel_dos2unix (strcat path ".txt") path)
  (kel_delete (strcat path ".txt"))
  path)
(setq red '(200 40 40) green '(40 160 40) blue '(40 40 200) yellow '(230 200 40))

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
;; kept first: with no name to read (see the manual) the call gives no result, nil once kept
(setq procs (kel_processes))
(stop "kel_processes finds the host" (car (member "acad.exe" procs)))

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
; Three drawings with their pictures, for the preview.
(kel_mkdir "drawings")
(drawing "drawings/plan.dwg" "AC1015" (list red green blue yellow))
(drawing "drawings/site.dwg" "AC1014" (list blue yellow red green))
(drawing "drawings/roof.dwg" "AC1012" (list yellow red green blue))
(stop "kel_dwgver of each drawing"
      (mapcar 'kel_dwgver (mapcar '(lambda (name) (strcat "drawings/" name)) (kel_dir "drawings/*.dwg"))))
(if answered
  (stop "kel_dwgpreview, closed by a key press"
        (kel_dwgpreview "Kelmar tour drawings" "drawings"))
  (unanswered "kel_dwgpreview"))
(kel_deltree "drawings")
(if answered
  (stop "kel_getcolor, opening on index 30"
        (kel_getcolor "Kelmar tour colour" 30))
  (unanswered "kel_getcolor"))
(stop "kel_msgbox, closing itself after 3 s"
      (kel_msgbox "That was the tour of Kelmar.\nThe manual is docs/functions.md." "Kelmar tour" 1 3 3))
