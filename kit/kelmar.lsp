; kelmar.lsp: loads Kelmar into the host, the module of the host's own width:
; kelmar2k.arx in a 32-bit host, kelmar2k-x64.arx in the runner's 64-bit stand-in (no
; host of release 15 is 64-bit). Keep this file and the
; two modules together in a folder of the host's support path (or the current folder),
; then type (load "kelmar") or add that line to your start-up LISP file.
;
; Loading at start-up without LISP: once Kelmar is loaded, (kel_demandload T) registers it
; with the host to load at every start-up and when its command KELMAR is used;
; (kel_demandload) goes back to loading it on the command only. (kelmar-startup) below does
; the first and says so.
;
; (load "kelmar") gives the module's version, "5.1.1", when Kelmar is loaded, and nil after
; one line saying what is wrong: the module is missing, or only the one of the other width
; is there, or the host refused it, or it is loaded without its functions.

(defun kelmar-load (/ wide want other path)
  ; A 64-bit process sees AMD64 here; a 32-bit one x86, even on a 64-bit system.
  (setq wide (= (strcase (cond ((getenv "PROCESSOR_ARCHITECTURE")) (""))) "AMD64")
        want (if wide "kelmar2k-x64.arx" "kelmar2k.arx")
        other (if wide "kelmar2k.arx" "kelmar2k-x64.arx"))
  (cond
    ((eq (type kel_version) 'EXRXSUBR)
     (kel_version))
    ; Loaded, but its functions not defined here: arxload would fail on a loaded module.
    ((member (strcase want) (mapcar 'strcase (arx)))
     (princ (strcat "\nKelmar: " want " is loaded, but kel_version is no function of it here:"
                    " (arxunload \"" want "\"), then (load \"kelmar\") again.\n"))
     nil)
    ((setq path (findfile want))
     ; A value for the failure, so that arxload gives it instead of ending the load with an error.
     (if (eq (arxload path 'kelmar-refused) 'kelmar-refused)
       (progn
         (princ (strcat "\nKelmar: the host refused " path ": a module of another host version,"
                        " or a system library it needs is missing.\n"))
         nil)
       (kel_version)))
    ((setq path (findfile other))
     (princ (strcat "\nKelmar: this host is " (if wide "64" "32") "-bit, and " path
                    " is the " (if wide "32" "64") "-bit module, which it cannot load: put "
                    want " from the same kit beside it.\n"))
     nil)
    (T
     (princ (strcat "\nKelmar: " want " is missing: put it beside kelmar.lsp, in a folder"
                    " of the support path or the current folder.\n"))
     nil)))

(defun kelmar-startup ()
  (if (kel_demandload T)
    (princ "\nKelmar will load at every start-up of the host; (kel_demandload) undoes it.\n"))
  (princ))

(kelmar-load)
