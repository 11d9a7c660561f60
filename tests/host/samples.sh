# Real drawings written by other projects, when the checkout has them beside it in
# ../shared/samples/dwg: the same checks as on the generated files. Without them the test
# reports itself skipped (exit 77).
source "$(dirname "$0")/lib.sh"
samples=$(realpath -m "$TESTS_DIR/../../shared/samples/dwg")
if [ ! -d "$samples" ]; then
    echo "skipped: no real drawings in $samples (a checkout without ../shared)"
    exit 77
fi
cd "$WORK" || exit 1

# Versions: each file's release, from its header.
for f in "$samples"/*.dwg "$samples"/*/*.dwg; do cp "$f" "$(basename "$(dirname "$f")")-$(basename "$f")"; done
lisp '(foreach f (list "dwg-sample_2000.dwg" "dwg-v.dwg" "dwg-example_r13.dwg" "dwg-entities-3d.dwg" "dwg-tmp_line.dwg"
  "r9-entities.dwg" "dwg-dim.dwg" "dwg-block.dwg" "r1.4-entities.dwg" "dwg-HatchG.dwg" "dwg-sample_2018.dwg")
  (princ (strcat f ": " (kel_dwgver f) "\n")))'
expected='dwg-sample_2000.dwg: AutoCAD 2000
dwg-v.dwg: AutoCAD Release 14
dwg-example_r13.dwg: AutoCAD Release 13
dwg-entities-3d.dwg: AutoCAD Release 11/12
dwg-tmp_line.dwg: AutoCAD Release 10
r9-entities.dwg: AutoCAD Release 9
dwg-dim.dwg: AutoCAD Version 2.60
dwg-block.dwg: AutoCAD Version 2.10
r1.4-entities.dwg: AutoCAD Version 1.40
dwg-HatchG.dwg: Unknown
dwg-sample_2018.dwg: Unknown'
same "$expected" "$(tail -n +4 <<<"$out")" "the real drawings' releases"

finish
