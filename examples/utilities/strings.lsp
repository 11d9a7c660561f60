;;; strings.lsp -- splitting and joining strings, the way most utilities carry them.
;;; (str-split "a,b" ",") -> ("a" "b");  (str-join '("a" "b") "-") -> "a-b"

(defun str-split (str delim / pos)
  (if (setq pos (vl-string-search delim str))
    (cons (substr str 1 pos)
          (str-split (substr str (+ pos 1 (strlen delim))) delim))
    (list str)
  )
)

(defun str-join (lst delim)
  (cond ((null lst) "")
        ((null (cdr lst)) (car lst))
        (T (strcat (car lst) delim (str-join (cdr lst) delim)))
  )
)

(defun str-replace-all (new old str / pos)
  (while (setq pos (vl-string-search old str))
    (setq str (vl-string-subst new old str pos))
  )
  str
)

(defun c:splitdemo (/ parts path)
  (setq path "c:/work/plans/level 2/plan.dwg"
        parts (str-split path "/"))
  (princ (strcat "\nParts of " path ": " (itoa (length parts))))
  (foreach p parts (princ (strcat "\n  [" p "]")))
  (princ (strcat "\nJoined: " (str-join parts "\\")))
  (princ (strcat "\nBase: " (vl-filename-base path) "  extension: " (vl-filename-extension path)))
  (princ (strcat "\nCSV: " (str-join (mapcar 'strcase (str-split "red,green,,blue" ",")) " | ")))
  (princ (strcat "\nReplaced: " (str-replace-all "-" " " "level 2 plan view")))
  (princ (strcat "\nTrimmed: [" (vl-string-trim " \t" "  padded\t ") "]"))
  (princ (strcat "\nMatches *.dwg: " (if (wcmatch (strcase path T) "*.dwg") "yes" "no")))
  (princ)
)

(c:splitdemo)
