; host: --arx {bin}/probe.arx --documents 3
; Documents: each loads the module's functions; queued strings run after the form, in
; iteration order, and close documents for real, with the module told first.
(acadhost-documents)
(probe_current)
(getvar "DWGNAME")
(progn (probe_queue "\003\003_.qsave ") (princ "queued, not yet run\n") (acadhost-documents))
; closing the current document makes the next one current
(command "_.close")
(probe_current)
(acadhost-documents)
(probe_queue "\003\003_.close ")
(acadhost-documents)
(probe_current)
(probe_int 1)
