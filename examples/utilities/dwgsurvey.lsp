;;; dwgsurvey.lsp -- DWGSURVEY: which release wrote each drawing of a project.
;;;
;;; Walks the project folder and its subfolders, reads each drawing's version, and writes a
;;; report: one line a drawing, then how many of each version. A progress window shows how
;;; far it is; its Cancel stops the survey, and the report then says where it stopped.
;;;
;;; Settings live in dwgsurvey.ini in the current folder, written with their defaults on the
;;; first run; edit them there:
;;;   [Survey]
;;;   Folder=project         the project folder
;;;   Pattern=*.dwg          the drawings' names
;;;   Subfolders=1           0 for the project folder alone
;;;   Report=survey.txt      the report, written over at each run
;;; The survey keeps its last count there too ([Last] Drawings, Complete).

(setq *survey-ini* "dwgsurvey.ini")

(defun survey-setting (key default / value)
  (if (setq value (kel_getini "Survey" key *survey-ini*))
    value
    (progn (kel_setini "Survey" key default *survey-ini*) default)
  )
)

;; Every drawing under folder, as paths relative to it: the folder's own, then each
;; subfolder's, names in alphabetical order.
(defun survey-walk (folder pattern deep / found)
  (setq found (vl-sort (kel_dir (strcat folder "/" pattern)) '<))
  (if deep
    (foreach sub (vl-sort (vl-remove ".." (kel_subdir folder)) '<)
      (setq found
        (append found
                (mapcar '(lambda (name) (strcat sub "/" name))
                        (survey-walk (strcat folder "/" sub) pattern deep))))
    )
  )
  found
)

;; The report, on the command line.
(defun survey-show (report / in line)
  (if (setq in (open report "r"))
    (progn
      (while (setq line (read-line in))
        (princ (strcat "\n" line))
      )
      (close in)
    )
  )
)

;; Adds one to version's count in an association list of (version . count).
(defun survey-count (version counts / entry)
  (if (setq entry (assoc version counts))
    (subst (cons version (1+ (cdr entry))) entry counts)
    (append counts (list (cons version 1)))
  )
)

(defun c:dwgsurvey (/ *error* folder pattern deep report drawings total done counts
                      version out line previous)
  (defun *error* (msg)
    (kel_getprogress T)
    (if out (close out))
    (princ (strcat "\nDWGSURVEY stopped: " msg))
    (princ)
  )
  (setq folder  (survey-setting "Folder" "project")
        pattern (survey-setting "Pattern" "*.dwg")
        deep    (/= (survey-setting "Subfolders" "1") "0")
        report  (survey-setting "Report" "survey.txt")
        previous (kel_getini "Last" "Drawings" *survey-ini*)
  )
  (princ (strcat "\nDWGSURVEY of " folder "/" pattern (if deep " and its subfolders" "")
                 " (settings in " *survey-ini* ")"))
  (if previous
    (princ (strcat "\nLast survey: " previous " drawings"
                   (if (equal (kel_getini "Last" "Complete" *survey-ini*) "0") ", cancelled" "")))
  )
  (terpri)  ; what the module prints goes on lines of its own
  (cond
    ((not (kel_dirp folder))
     (princ (strcat "\nDWGSURVEY: no folder " folder " (set Folder in " *survey-ini* ")"))
    )
    ((not (setq drawings (survey-walk folder pattern deep)))
     (princ (strcat "\nDWGSURVEY: no drawings in " folder))
    )
    (T
     (setq total (length drawings) done 0)
     (kel_getprogress "Drawing survey" (strcat "Reading " (itoa total) " drawings...") total T)
     (setq out (open report "w"))
     (write-line (strcat "Drawings of " folder) out)
     ;; The window is open until the user cancels: each round asks it first.
     (while (and drawings (kel_getprogress))
       (setq line (car drawings)
             version (cond ((kel_dwgver (strcat folder "/" line))) ("Unreadable"))
             counts (survey-count version counts)
             done (1+ done)
             drawings (cdr drawings))
       (write-line (strcat "  " line "  " version) out)
       (kel_getprogress done)
     )
     (if drawings
       (write-line (strcat "Cancelled after " (itoa done) " of " (itoa total) " drawings") out)
       (kel_getprogress T)
     )
     (write-line "Versions:" out)
     (foreach entry counts
       (write-line (strcat "  " (itoa (cdr entry)) "  " (car entry)) out)
     )
     (setq out (close out))
     (kel_setini "Last" "Drawings" (itoa done) *survey-ini*)
     (kel_setini "Last" "Complete" (if drawings "0" "1") *survey-ini*)
     (princ (strcat "\nDWGSURVEY: " (itoa done) " of " (itoa total) " drawings"
                    (if drawings ", cancelled" "") "; report in " report ":"))
     (survey-show report)
    )
  )
  (princ)
)

(c:dwgsurvey)
