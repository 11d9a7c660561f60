; kel_dwgpreview refused before its dialog opens, and a folder with no drawing (the
; dialog itself is driven by tests/host/dwgpreview.sh).
(kel_dwgpreview)
(kel_dwgpreview 1 ".")
(kel_dwgpreview "Drawings")
(kel_dwgpreview "Drawings" 1)
(kel_dwgpreview "Drawings" '(1 2))
(kel_dwgpreview "Drawings" "." 1)
(kel_dwgpreview "Drawings" "." "T")
(kel_dwgpreview "Drawings" "." T 1)
; no drawing: nil, no message, no dialog
(kel_dwgpreview "Drawings" ".")
(kel_dwgpreview "Drawings" nil T)
(kel_dwgpreview "Drawings" "no/such/folder")
; arguments longer than their buffers: the title 255 bytes, the folder 511, also once made
; full (where the system's full path stops at 259 characters, that is the limit)
(setq s "")
(progn (repeat 32 (setq s (strcat s "aaaaaaaa"))) (strlen s))
(kel_dwgpreview (substr s 1 256) ".")
(kel_dwgpreview (substr s 1 255) ".")
(kel_dwgpreview "Drawings" (strcat s s))
(kel_dwgpreview "Drawings" (substr (strcat s s) 1 511))
(kel_dwgpreview "Drawings" (strcat "c:/" (substr (strcat s s) 1 505)))
(kel_dwgpreview "Drawings" (strcat "c:/" (substr s 1 250)))
