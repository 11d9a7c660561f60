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

# Previews: a folder of the real drawings of every release that keeps a picture, each
# selected in turn with Down and its preview compared with the picture decoded by the test.
kelmar_display
art=$ARTIFACTS
mkdir -p "$art" real
py=/usr/bin/python3  # Debian's interpreter, which has python3-pil
for f in example_r13 v sample_2000 807_1 HatchG Point Line circle sample_2018; do cp "$samples/$f.dwg" real/; done
title="Real drawings"
# grab ID NAME: control ID of $dlg as it is on the screen, kept as test-artifacts/NAME.png.
grab() {
    local x y w h
    IFS=, read -r x y w h <<<"$(rect_of "$1")"
    screenshot "${w}x${h}+${x}+${y}" "$art/$2.png"
}
step_through() {
    local i report name
    for i in 0 1 2 3 4 5 6 7 8; do
        [ "$i" = 0 ] || { key Down; sleep 0.7; }
        name=$(wintool items "$title" "$(control_id IDC_LIST)" | grep ' selected' | sed 's/^[0-9]* "\(.*\)".*/\1/')
        grab IDC_PREVIEW "samples-$1-$i"
        report=$($py "$TESTS_DIR/drawings/compare.py" "$art/samples-$1-$i.png" "real/$name" "$1")
        ok "the preview of $name on $1: $report"
    done
    key Escape
}
answer "(kel_dwgpreview \"$title\" \"real\")" "$title" step_through black
same "=> nil" "$got" "the dialog over the real drawings closes"
answer "(kel_dwgpreview \"$title\" \"real\" T)" "$title" step_through white
same "=> nil" "$got" "and again on white"

finish
