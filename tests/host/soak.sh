# A long soak: 100,000 calls of a mix of functions that do not wait or open windows, in one
# host process. No self-check may trip, and what the process holds at the end (committed
# memory, handles, GDI and USER objects) must stay within a few percent of what it held
# after the first 1,000 calls. The figures go to build/test-artifacts/soak.txt.
source "$(dirname "$0")/lib.sh"
cd "$WORK" || exit 1
python3 "$TESTS_DIR/drawings/generate.py" gen
drawing=gen/preview/r2000-8bit-16.dwg
printf '[Soak]\nkey=value\n' >soak.ini

# Twenty calls a round: paths, listing, INI and registry, system facts, lists, colours, a
# drawing's version, and argument errors that print their message.
cat >soak.lsp <<EOF
(defun round ()
  (kel_version) (kel_fullpath "soak.ini") (kel_splitpath "c:/a/b/name.ext") (kel_dirp ".")
  (kel_filep "soak.ini") (kel_dir "*.ini") (kel_getini "Soak" "key" "soak.ini")
  (kel_setini "Soak" "count" "1" "soak.ini") (kel_regset "soak" "k" "v" "data") (kel_regget "soak" "k" "v")
  (kel_sortlist (list "pear" "fig" "apple")) (kel_sortlist (list 3.5 -1.0 2.25)) (kel_acitorgb 30)
  (kel_rgbtoaci (list 250 130 10)) (kel_mem) (kel_date) (kel_filesize "*.ini") (kel_dwgver "$drawing")
  (kel_help) (kel_makepath "c" "dir" "name" "ext"))
(defun rounds (n) (repeat n (round)))
(rounds 50)
(setq early (acadhost-resources))
(rounds 4950)
(setq late (acadhost-resources))
(kel_regdel "soak" nil nil)
(princ "\nsoak-early ") (prin1 early)
(princ "\nsoak-late ") (prin1 late)
(princ "\n")
EOF
start=$(date +%s)
lisp "$(cat soak.lsp)"
elapsed=$(($(date +%s) - start))
same 0 "$status" "the host ends normally"
same "" "$err" "no self-check trips"
resources_held soak 256 "after 1,000 calls, then after 100,000" soak.txt "calls: 100000 in $elapsed s"

finish
